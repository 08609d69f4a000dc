#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/ini_text.h"
#include "platform/regular_file.h"

namespace ovant {

namespace {

QString sectionOf(const SettingKey& key) {
    return QString::fromLatin1(key.section);
}

QString nameOf(const SettingKey& key) {
    return QString::fromLatin1(key.name);
}

// Says once per process and per kind what went wrong with the file; the
// program goes on either way.
void sayOnce(std::atomic<bool>& said, const QString& text) {
    if (!said.exchange(true))
        std::fprintf(stderr, "OVANT: %s\n", text.toLocal8Bit().constData());
}

std::atomic<bool> g_refusedSaid{false};
std::atomic<bool> g_notSavedSaid{false};

// The file and the lock beside it must each be missing or a regular file (a
// link to one is fine). Anything else (a device, a FIFO, a folder) is left
// alone: opening it could hang, and writing would replace it.
bool fileUsable(const QString& path) {
    const QString lock = path + QStringLiteral(".lock");
    const PathKind file = pathKind(path);
    const bool usable = file != PathKind::Other && pathKind(lock) != PathKind::Other;
    if (!usable) {
        sayOnce(g_refusedSaid, QStringLiteral("the settings file %1 (or its lock) is not a regular "
                                              "file; running on the defaults, nothing is saved")
                                   .arg(path));
        return false;
    }
    return true;
}

// The file the path ends at once links are followed, even when it does not
// exist yet, so that writing replaces the target and keeps the link.
QString resolvedTarget(const QString& path) {
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

// Held while one process reads, changes and replaces the file, so that two
// processes saving different keys at once both keep their key. The lock is
// the kernel's lock on a file beside the settings, which the holder removes
// when done, as earlier versions of the store did with theirs: each side then
// waits for the other. A lock file left by a process that died takes nobody.
class WriteLock {
public:
    explicit WriteLock(QString path) : m_path(std::move(path)) {
        const QByteArray name = QFile::encodeName(m_path);
        // A writer holds the lock for a few milliseconds; one that holds it
        // much longer is stuck, and our value matters more than its.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < giveUp) {
            const int fd = openRegularLockFile(m_path);
            struct stat held {};
            if (fd < 0 || ::fstat(fd, &held) != 0) {
                if (fd >= 0)
                    ::close(fd);
                return;
            }
            while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            // The holder before us may have removed the file meanwhile; a lock
            // on a removed file keeps out nobody who comes after.
            struct stat now {};
            if (::stat(name.constData(), &now) == 0 && now.st_ino == held.st_ino &&
                now.st_dev == held.st_dev && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                m_fd = fd;
                return;
            }
            ::close(fd);
        }
    }
    ~WriteLock() {
        if (m_fd < 0)
            return;
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    QString m_path;
    int m_fd = -1;
};

// The file's text; empty when there is none yet, no value when it must not
// be used.
std::optional<QByteArray> readStore(const QString& path) {
    if (!fileUsable(path))
        return std::nullopt;
    if (pathKind(path) == PathKind::Missing)
        return QByteArray();
    const std::optional<QByteArray> text = readRegularFile(path, kMaxSettingsFileBytes);
    if (!text && pathKind(path) == PathKind::Regular)
        sayOnce(g_refusedSaid,
                QStringLiteral("the settings file %1 cannot be read or is too large; running on "
                               "the defaults, nothing is saved")
                    .arg(path));
    return text;
}

}  // namespace

SettingsStore::SettingsStore(QLocale locale) : locale_(std::move(locale)) {
    // A group separator must never be read as part of a number: in a German
    // locale "0.005" would otherwise become 5.
    locale_.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
}

QString SettingsStore::filePath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("OVANT/") + QLatin1String(settings::kApplication) +
                               QStringLiteral(".ini"));
}

QString SettingsStore::getText(const SettingKey& key) const {
    const QString fallback = QString::fromLatin1(key.defaultText);
    const std::optional<QByteArray> text = readStore(filePath());
    if (!text)
        return fallback;
    return iniValue(*text, sectionOf(key), nameOf(key)).value_or(fallback);
}

void SettingsStore::saveText(const SettingKey& key, const QString& value) {
    const QString path = filePath();
    if (!fileUsable(path))
        return;
    const auto notSaved = [&path](const QString& why) {
        sayOnce(g_notSavedSaid, QStringLiteral("settings cannot be saved to %1 (%2); the program "
                                               "goes on without saving them")
                                    .arg(path, why));
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        notSaved(QStringLiteral("no folder"));
        return;
    }
    const WriteLock lock(path + QStringLiteral(".lock"));
    const std::optional<QByteArray> before = readStore(path);
    if (!before)
        return;
    const QByteArray after = withIniValue(*before, sectionOf(key), nameOf(key), value);
    if (after == *before && pathKind(path) == PathKind::Regular)
        return;
    // The new text goes to a file beside the target and replaces it whole, so
    // a reader never sees half a file and an end in between loses nothing.
    QSaveFile file(resolvedTarget(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(after) != after.size() || !file.commit())
        notSaved(file.errorString());
}

std::optional<double> SettingsStore::toNumber(const QString& raw) const {
    const QString text = raw.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    double value = locale_.toDouble(text, &ok);
    if (!ok) {
        QString dotted = text;
        dotted.replace(QLatin1Char(','), QLatin1Char('.'));
        QLocale plain = QLocale::c();
        plain.setNumberOptions(QLocale::RejectGroupSeparator);
        value = plain.toDouble(dotted, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double SettingsStore::getNumber(const SettingKey& key) const {
    if (const auto value = toNumber(getText(key))) {
        return *value;
    }
    return toNumber(QString::fromLatin1(key.defaultText)).value_or(0.0);
}

SwitchValue SettingsStore::getSwitch(const SettingKey& key) const {
    const double value = getNumber(key);
    if (value == 1.0) {
        return SwitchValue::On;
    }
    if (value == 0.0) {
        return SwitchValue::Off;
    }
    return SwitchValue::Neither;
}

double SettingsStore::getAniSpeed(const SettingKey& key) const {
    const double value = getNumber(key);
    if (value < 0.0 || value > 1.0) {
        return settings::kDefaultAniSpeed;
    }
    return value;
}

int SettingsStore::getWhole(const SettingKey& key) const {
    double value = getNumber(key);
    if (value < -2147483648.0 || value > 2147483647.0) {
        value = toNumber(QString::fromLatin1(key.defaultText)).value_or(0.0);
    }
    return static_cast<int>(std::lround(value));
}

void SettingsStore::saveSwitch(const SettingKey& key, bool on) {
    saveText(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::saveDecimal(const SettingKey& key, double value) {
    saveText(key, locale_.toString(value, 'g', 15));
}

void SettingsStore::saveWhole(const SettingKey& key, int value) {
    saveText(key, QString::number(value));
}

void applySwitch(const SettingsStore& settings, const SettingKey& key,
                 const std::function<void(bool on)>& apply) {
    if (settings.getSwitch(key) == SwitchValue::On) {
        apply(true);
    }
    if (settings.getSwitch(key) == SwitchValue::Off) {
        apply(false);
    }
}

}  // namespace ovant
