#include "saver_module/schirm_mode.h"

#include <QStringList>

namespace ovant {

QString schirmCommandLine(int argc, const char* const* argv) {
    QStringList parts;
    for (int i = 1; i < argc; ++i) {
        parts.append(QString::fromLocal8Bit(argv[i]));
    }
    return parts.join(QLatin1Char(' '));
}

SchirmMode schirmMode(const QString& commandLine) {
    const QString head = commandLine.trimmed().toLower().left(2);
    if (head == QLatin1String("/s")) {
        return SchirmMode::Run;
    }
    if (head.isEmpty() || head == QLatin1String("/c")) {
        return SchirmMode::Configure;
    }
    return SchirmMode::Nothing;
}

}  // namespace ovant
