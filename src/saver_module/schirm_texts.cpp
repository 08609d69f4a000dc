#include "saver_module/schirm_texts.h"

#include "platform/texts.h"

namespace ovant::schirm_texts {

QString pathUnknownTitle() {
    return QStringLiteral("Fehler: Pfad unbekannt");
}

QString pathUnknownText() {
    return QStringLiteral("Der Pfad von \"OVANT-Scan.exe\" konnte nicht festgestellt werden!") +
           texts::kLineBreak +
           QStringLiteral(
               "Bitte starten Sie die EXE-Datei einmal von Hand, damit der Pfad "
               "erkannt werden kann.");
}

QString infoFailedText(const StartFailure& failure) {
    return QStringLiteral("Fehler ") + QString::number(failure.number) + QStringLiteral(": ") +
           failure.description + texts::kLineBreak + texts::kLineBreak + pathUnknownText();
}

QString forDisplay(QString text) {
    return text.replace(texts::kLineBreak, QLatin1Char('\n'));
}

}  // namespace ovant::schirm_texts
