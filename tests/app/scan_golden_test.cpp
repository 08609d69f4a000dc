#include <QtTest>
#include <map>

#include "support/console_rig.h"

using namespace ovant;
using ovant::testing::ConsoleRig;

namespace {

// What a person could see of an element.
QString look(const Element& e) {
    const auto n = [](double v) { return QString::number(v, 'f', 0); };
    QString text = e.visible() ? QStringLiteral("shown") : QStringLiteral("hidden");
    if (e.kind() == ElementKind::Line) {
        text += QStringLiteral(" line %1,%2 %3,%4").arg(n(e.x1()), n(e.y1()), n(e.x2()), n(e.y2()));
    } else if (e.kind() == ElementKind::Label && e.autoSize()) {
        // Its size follows the font; only where it stands is the console's.
        text += QStringLiteral(" at %1,%2").arg(n(e.left()), n(e.top()));
    } else {
        text += QStringLiteral(" box %1,%2 %3x%4")
                    .arg(n(e.left()), n(e.top()), n(e.width()), n(e.height()));
    }
    if (!e.text().isEmpty()) {
        text +=
            QStringLiteral(" \"%1\"").arg(QString(e.text()).replace(QChar(13), QLatin1Char('|')));
    }
    return text;
}

// Writes down each pause and each sound, followed by every element that
// changed after it, the first on the same line, so the order of changes,
// pauses and sounds shows.
class ScanLog {
public:
    explicit ScanLog(Element& root) : root_(root) {
        snapshot(root_);
        logging_ = true;
    }

    void event(const QString& what) {
        snapshot(root_);
        lines_ << what;
        eventOpen_ = true;
    }
    QStringList finish() {
        snapshot(root_);
        return lines_;
    }

private:
    void snapshot(const Element& e) {
        const QString now = look(e);
        if (logging_ && looks_[&e] != now) {
            const QString change = e.name() + QLatin1Char(' ') + now;
            if (eventOpen_) {
                lines_.last() += QStringLiteral(" | ") + change;
            } else {
                lines_ << QStringLiteral("  ") + change;
            }
            eventOpen_ = false;
        }
        looks_[&e] = now;
        for (const auto& child : e.children()) {
            snapshot(*child);
        }
    }

    Element& root_;
    bool logging_ = false;
    bool eventOpen_ = false;
    std::map<const Element*, QString> looks_;
    QStringList lines_;
};

}  // namespace

class ScanGoldenTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    // From the click on Delta Vega's info label to its panel's last point.
    // Set OVANT_UPDATE_GOLDEN=1 to write the file anew after a deliberate
    // change, and read the difference before committing it.
    void aScanOfDeltaVegaRunsInItsPinnedOrder() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0.001);
        rig.random = ovant::testing::ScriptedRandom({0.1, 0.7, 0.35});
        ScanLog log(rig.form->root());
        const Pacer& pacer = rig.form->pacer();
        connect(&pacer, &Pacer::pauseStarted, this,
                [&](double s) { log.event(QStringLiteral("pause %1").arg(s)); });
        connect(&pacer, &Pacer::tickPauseStarted, this, [&] { log.event(QStringLiteral("tick")); });
        rig.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            log.event(QStringLiteral("sound %1%2")
                          .arg(QFileInfo(call.path).fileName(),
                               call.sync ? QStringLiteral(" to its end") : QString()));
        });

        rig.scene().sector.infoLabel[1]->click();
        const QStringList lines = log.finish();
        QCOMPARE(rig.random.used(), 3);

        QFile file(qEnvironmentVariable("OVANT_SOURCE_DIR") +
                   QStringLiteral("/tests/app/golden/scan_delta_vega.txt"));
        if (qEnvironmentVariableIntValue("OVANT_UPDATE_GOLDEN") == 1) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate));
            file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
            QSKIP("golden file written");
        }
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
        const QStringList golden =
            QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < std::min(golden.size(), lines.size()); ++i) {
            QVERIFY2(lines[i] == golden[i],
                     qPrintable(QStringLiteral("line %1: got \"%2\", pinned \"%3\"")
                                    .arg(i + 1)
                                    .arg(lines[i], golden[i])));
        }
        QCOMPARE(lines.size(), golden.size());
    }
};

QTEST_MAIN(ScanGoldenTest)
#include "scan_golden_test.moc"
