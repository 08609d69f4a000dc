#include "xvfb_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QThread>

namespace ovant::e2e {

XvfbSession::XvfbSession(QSize screen, QSize secondScreen) {
    const QString displayFile = home_.filePath(QStringLiteral("display"));
    const auto screenArgument = [](int number, QSize size) {
        return QStringLiteral("-screen %1 %2x%3x24 ")
            .arg(number)
            .arg(size.width())
            .arg(size.height());
    };
    const QString screens = screenArgument(0, screen) +
                            (secondScreen.isValid() ? screenArgument(1, secondScreen) : QString());
    server_.setProgram(QStringLiteral("/bin/sh"));
    server_.setArguments(
        {QStringLiteral("-c"),
         QStringLiteral("exec Xvfb -displayfd 3 %1-dpi 96 -nolisten tcp -wr 3>'%2'")
             .arg(screens, displayFile)});
    server_.start();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && server_.state() != QProcess::NotRunning) {
        QFile file(displayFile);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray number = file.readAll().trimmed();
            if (!number.isEmpty()) {
                display_ = QStringLiteral(":") + QString::fromLatin1(number);
                break;
            }
        }
        QThread::msleep(20);
    }
    QDir(home_.path()).mkpath(QStringLiteral("config"));
    QDir(home_.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(home_.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

XvfbSession::~XvfbSession() {
    server_.kill();
    server_.waitForFinished(3000);
}

void XvfbSession::stopServer() {
    server_.kill();
    server_.waitForFinished(3000);
}

QProcessEnvironment XvfbSession::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    return env;
}

QString XvfbSession::settingsFile() const {
    return home_.filePath(QStringLiteral("config/OVANT/OVANT-Scan.ini"));
}

QByteArray XvfbSession::tool(const QString& program, const QStringList& arguments, int timeoutMs,
                             int* exitCode) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        if (exitCode != nullptr) {
            *exitCode = -1;
        }
        return {};
    }
    if (exitCode != nullptr) {
        *exitCode = process.exitCode();
    }
    return process.readAllStandardOutput();
}

bool XvfbSession::waitForWindow(const QString& titlePattern, int timeoutMs) const {
    int code = -1;
    tool(QStringLiteral("xdotool"),
         {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
          QStringLiteral("--name"), titlePattern},
         timeoutMs, &code);
    return code == 0;
}

bool XvfbSession::waitUntilGone(const QString& titlePattern, int timeoutMs) const {
    return QTest::qWaitFor(
        [&] {
            int code = -1;
            tool(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), titlePattern},
                 5000, &code);
            return code != 0;
        },
        timeoutMs);
}

QImage XvfbSession::screenshot(int screenNumber) const {
    const QString file = home_.filePath(QStringLiteral("shot.png"));
    QFile::remove(file);
    tool(QStringLiteral("import"),
         {QStringLiteral("-display"), display_ + QLatin1Char('.') + QString::number(screenNumber),
          QStringLiteral("-window"), QStringLiteral("root"), file});
    QImage image(file);
    if (qEnvironmentVariableIsSet("OVANT_E2E_SHOTS")) {
        image.save(qEnvironmentVariable("OVANT_E2E_SHOTS") + QLatin1Char('/') +
                   QString::number(image.width()) + QStringLiteral(".png"));
    }
    return image;
}

void XvfbSession::key(const QString& window, const QString& keys) const {
    const QByteArray id =
        tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), window})
            .split('\n')
            .first();
    tool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QString::fromLatin1(id)});
    tool(QStringLiteral("xdotool"),
         {QStringLiteral("key"), QStringLiteral("--window"), QString::fromLatin1(id), keys});
}

QString describe(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return QStringLiteral("(%1,%2) is %3,%4,%5")
        .arg(x)
        .arg(y)
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
}

}  // namespace ovant::e2e
