#include "scene/telescope_texts.h"

namespace ovant::telescope {

QString panelLabel(int point) {
    switch (point) {
        case 1:
            return QStringLiteral("Vor\u00fcb. Wohnquartier f\u00fcr Wartungstechniker");
        case 2:
            return QStringLiteral("Subraum-Scanner");
        case 3:
            // Nine spaces: the wrapping label puts the two parts on separate lines.
            return QStringLiteral(
                "\u00c4usserer Ring         Lagertanks f\u00fcr Deuterium sowie Lebenserhaltung");
        case 4:
            return QStringLiteral("Andockschleuse");
        case 5:
            return QStringLiteral("Fusionsreaktor - Hauptcomputer - SR-Transceiver");
        default:
            return {};
    }
}

QString zoomLabel(int point) {
    switch (point) {
        case 1:
            return QStringLiteral("Vor\u00fcb. Wohnquartier f\u00fcr Wartungstechniker");
        case 2:
            // Runs of 44, 82 and 49 spaces put each part on its own line.
            return QStringLiteral(
                       "Subraum-Scanner (Sensorenphalanx zur Untersuchung und \u00dcberwachung "
                       "des Subraums)") +
                   QString(44, QLatin1Char(' ')) + QStringLiteral("Typ: Mark V") +
                   QString(82, QLatin1Char(' ')) + QStringLiteral("Leistung: 26,3 Gigawatt") +
                   QString(49, QLatin1Char(' ')) + QStringLiteral("Reichweite: 20 Lichtjahre");
        case 3:
            return QStringLiteral(
                "Deuteriumlagerung - Prim\u00e4re ETL f\u00fcr Subraum-Scanner - Lebenserhaltung "
                "- Deflektorschildgeneratoren");
        case 6:
            return QStringLiteral("Deflektorschildgitter (Kapazit\u00e4t 12 Gigawatt)");
        default:
            return {};
    }
}

QString zoomLabel4Line(int line) {
    switch (line) {
        case 1:
            return QStringLiteral("Servogelenke zum Ausrichten des Teleskops");
        case 2:
            return QStringLiteral(
                "Andockschleuse (Standardmodell f\u00fcr alle Shuttles incl. Danube-Klasse)");
        default:
            return {};
    }
}

QString zoomLabel5Line(int line) {
    switch (line) {
        case 1:
            return QStringLiteral("Fusionsreaktor (80 Gigawatt / Mark IV)");
        case 2:
            return QStringLiteral("Notenergie - SIF-Generatoren - EPS-Verteiler");
        case 3:
            return QStringLiteral("Hauptcomputer (100 Teraquads) - SR Transceiver");
        default:
            return {};
    }
}

}  // namespace ovant::telescope
