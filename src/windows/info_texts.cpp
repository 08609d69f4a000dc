#include "windows/info_texts.h"

#include "platform/texts.h"

namespace ovant::info::texts {

using ovant::texts::kLineBreak;

QString title() {
    return QStringLiteral("OVANT - Feldtaster");
}

QString description() {
    // The blanks push the second half onto a line of its own in the
    // wrapping label; the wording is the program's own and stays as it is.
    return QString::fromUtf8(
               "Dieses kleine Progamm simuliert die funktion einer Beobachtungsstation. Es zeigt "
               "den Sektor 76421 mit seinen Planeten und anderen Objekten. Sie können diese "
               "Objekte scannen und so Informationen sammeln. Manchmal durchfliegt ein Schiff den "
               "Sektor: Auch dieses können Sie scannen. Wenn Sie wollen, können Sie auch \"Roten "
               "Alarm\" auslösen.") +
           QString(30, QLatin1Char(' ')) +
           QString::fromUtf8(
               "Ansonsten ist dieses Programm ein reines Just-for-fun / "
               "Bildschirmschoner-Programm. es erfüllt keinen sinnvollen zweck und dient einzig "
               "und allein der Unterhaltung / dem Bildschirmschutz!");
}

QString greeting() {
    return QString::fromUtf8("Viel Spaß beim Beobachten wünscht Ihnen das OVANT-Team!");
}

QString conceptHeading() {
    return QStringLiteral("OVANT?");
}

QString conceptText() {
    return QString::fromUtf8(
               "Der Bildschirm ist das Pult einer Beobachtungsstation. Ein Rahmen aus farbigen "
               "Balken und pillenförmigen Tasten umschließt den Sektor; jede Farbe hat ihre "
               "Aufgabe, und die Zahlenkolonnen zeigen, dass die Sensoren arbeiten.") +
           kLineBreak + kLineBreak +
           QString::fromUtf8(
               "Im Sektor liegen fünf Objekte. Der Scanner fliegt zum gewählten Objekt und "
               "rastet an ihm ein; dann baut sich das Panel Zeile für Zeile auf, als träfen die "
               "Messwerte gerade ein. Nichts springt einfach auf den Schirm: Alles erscheint "
               "Schritt für Schritt.") +
           kLineBreak + kLineBreak +
           QString::fromUtf8(
               "Und der Name? OVANT steht für \"Orbitaler Vorposten für Analyse, Navigation "
               "und Tastung\" - der Feldtaster ist sein Sensor.");
}

QString creditsHeading() {
    return QStringLiteral("Credits");
}

QString thanksTesters() {
    return QString::fromUtf8(
        "Dank an alle Testerinnen und Tester, die OVANT auf Herz und Nieren geprüft haben.");
}

QString thanksProgrammers() {
    return QString::fromUtf8(
        "Dank an die vielen Hobby-Programmierer im Internet, die ihr Wissen über "
        "Grafikprogrammierung und Animation so großzügig teilen.");
}

QString thanksSystems() {
    return QString::fromUtf8(
        "Dank an alle, die OVANT auf anderen Systemen und Bildschirmen ausprobiert haben.");
}

QString thanksLook() {
    return QString::fromUtf8(
        "Dank an alle, deren Rückmeldungen zu Farben und Formen dem Pult seinen Stil gaben.");
}

QString copyrightsHeading() {
    return QStringLiteral("Copyrights");
}

QString rightsNotice(const QString& versionLine) {
    return QStringLiteral("OVANT-Feldtaster, ") + versionLine + kLineBreak +
           QString::fromUtf8("Copyright © 2026 OVANT. Alle Rechte vorbehalten.") + kLineBreak +
           QStringLiteral("Herausgeber: OVANT");
}

QString licence() {
    return QString::fromUtf8(
        "Bilder, Klänge und Texte sind eigene Arbeiten für OVANT. Das Programm darf unverändert "
        "und kostenlos weitergegeben werden; die Nutzung geschieht auf eigene Gefahr.");
}

QString furtherRights() {
    return QStringLiteral("- Weitere Copyrights unterliegen deren Urhebern");
}

QString helpHeading() {
    return QStringLiteral("Hilfe");
}

}  // namespace ovant::info::texts
