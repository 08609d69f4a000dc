#include "platform/texts.h"

namespace ovant::texts {

QString signedNumber(long long value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString lines(std::initializer_list<QString> parts) {
    QString joined;
    bool first = true;
    for (const QString& part : parts) {
        if (!first) {
            joined += kLineBreak;
        }
        joined += part;
        first = false;
    }
    return joined;
}

QString screenTooSmallTitle() {
    return QStringLiteral("Fehler: Aufl\u00f6sung zu klein");
}

QString screenTooSmallText() {
    return QStringLiteral("Die aktuelle Bildschirmaufl\u00f6sung ist kleiner als 800*600 Pixel.") +
           kLineBreak + kLineBreak +
           QStringLiteral("OVANT-Feldtaster kann daher leider nicht ausgef\u00fchrt werden.") +
           kLineBreak +
           QStringLiteral(
               "Erh\u00f6hen Sie die Aufl\u00f6sung (wie Sie dies machen erfahren Sie in ihrem "
               "Windows-Handbuch) und versuchen Sie es noch einmal.");
}

QString versionLine(int major, int minor, int revision) {
    const QString mm = QString::number(major) + QLatin1Char('.') + QString::number(minor);
    return QStringLiteral("Version ") + mm + QStringLiteral(" (") + mm + QStringLiteral(".0") +
           QString::number(revision) + QLatin1Char(')');
}

}  // namespace ovant::texts
