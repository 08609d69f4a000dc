#include "saver_module/daemon_request.h"

#include <algorithm>
#include <limits>

namespace ovant {

std::uint32_t parseWindowId(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    qulonglong value = 0;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        value = trimmed.mid(2).toULongLong(&ok, 16);
    } else {
        // Base 10 only: a leading 0 is no octal sign, and signs are no ids.
        const bool digitsOnly =
            !trimmed.isEmpty() &&
            std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); });
        value = digitsOnly ? trimmed.toULongLong(&ok, 10) : 0;
    }
    // X window ids have 32 bits at most.
    if (!ok || value > std::numeric_limits<std::uint32_t>::max()) {
        return 0;
    }
    return static_cast<std::uint32_t>(value);
}

DaemonRequest daemonRequest(const QStringList& arguments, const QString& environmentWindow) {
    bool root = false;
    bool windowGiven = false;
    QString windowText;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-root") || argument == QLatin1String("--root")) {
            root = true;
        } else if (argument == QLatin1String("-window-id") ||
                   argument == QLatin1String("--window-id")) {
            windowGiven = true;
            windowText = i + 1 < arguments.size() ? arguments[++i] : QString();
        } else if (argument.startsWith(QLatin1String("--window-id="))) {
            windowGiven = true;
            windowText = argument.mid(QStringLiteral("--window-id=").size());
        }
    }
    if (windowGiven) {
        const std::uint32_t id = parseWindowId(windowText);
        return id != 0 ? DaemonRequest{DaemonRequest::Kind::Window, id}
                       : DaemonRequest{DaemonRequest::Kind::Broken, 0};
    }
    if (!root) {
        return {};
    }
    if (const std::uint32_t id = parseWindowId(environmentWindow); id != 0) {
        return {DaemonRequest::Kind::Window, id};
    }
    return {DaemonRequest::Kind::Root, 0};
}

}  // namespace ovant
