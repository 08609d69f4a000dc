#include "scene/zoom_texts.h"

#include "platform/texts.h"
#include "scene/planet_texts.h"
#include "scene/telescope_texts.h"

namespace ovant::zoom {

namespace {

using planet::measure;
using texts::lines;

const QString& equator() {
    static const QString text = QStringLiteral("\u00c4quatorbereich");
    return text;
}

const QString& atmosphere() {
    static const QString text = QStringLiteral("Atmosph\u00e4re");
    return text;
}

QString poles(const QString& what, const QString& degrees) {
    return QStringLiteral("Pole bestehen aus ") + what + QStringLiteral(" (-") + degrees +
           QStringLiteral("\u00b0C)");
}

// The sign is part of the fixed text, as on the scan panel.
QString surface(const QString& sign, const QString& degrees) {
    return QStringLiteral("Oberfl\u00e4chentemperatur: Durchschnittlich ") + sign + degrees +
           QStringLiteral("\u00b0C");
}

// The core is the one temperature written with a blank before its unit.
QString core(const QString& degrees, const QString& condition) {
    return lines({QStringLiteral("Temperatur des Kerns: ") + degrees + QStringLiteral(" \u00b0C"),
                  QStringLiteral("Zustand: ") + condition});
}

QString windUpTo(const QString& speed) {
    return QStringLiteral("Windgeschwindigkeiten bis zu ") + speed + QStringLiteral(" km/h");
}

ZoomTexts deltaVega(RandomSource& random) {
    ZoomTexts t;
    t.name = QStringLiteral("Delta Vega [Klasse L]");
    t.label[1] = QStringLiteral("Erh\u00f6hte Vulkanische und Tektonische Aktivit\u00e4t");
    t.label[2] =
        lines({poles(QStringLiteral("Stickstoff"), measure(random, 51, 130)),
               QStringLiteral("Analysen weisen auf geringe Mengen von Fluoriden hin!"),
               QStringLiteral("Tiefenscans zeigen eine bis zu 4 km dicke Eisdecke mit kleinen "
                              "Einschl\u00fcssen, die m\u00f6glicherweise organisches Restmaterial "
                              "enthalten!")});
    t.label[3] = lines({QStringLiteral("\u00c4quatorbereich: Starke Wolkenbildung mit "
                                       "Windgeschwindigkeiten um die ") +
                            measure(random, 201, 200) + QStringLiteral(" km/h"),
                        QStringLiteral("\u00dcberdurchschnittlich hohe Temperatur. Erh\u00f6hte "
                                       "Erosion.")});
    t.label[4] = surface(QStringLiteral("-"), measure(random, 21, 110));
    t.label[5] = QStringLiteral(
        "Oberfl\u00e4che: Kein tierisches und nur wenig pflanzliches Leben. Wasser ist nur in "
        "gebundener Form zu finden.");
    t.label[6] = lines({atmosphere(),
                        QStringLiteral("2% Sauerstoff - 26% Stickoxide - 15% Wasserstoff - 36% "
                                       "Ammoniumtriphosphat - 1% Fluoride - 20% Argon"),
                        QStringLiteral("Starke ionische Interferenzen st\u00f6ren Kommunikations- "
                                       "und Transportersysteme!")});
    t.label[7] = core(measure(random, 101, 750), QStringLiteral("Leicht instabil"));
    return t;
}

ZoomTexts omicronTheta(RandomSource& random) {
    ZoomTexts t;
    t.name = QStringLiteral("Omicron Theta [Klasse M]");
    // Two blanks before the bracket, as the station's log writes it.
    t.label[1] = QStringLiteral("Siedlung der F\u00f6deration  [ K\u00fcnstliche Regenerierung ]");
    t.label[2] = lines(
        {poles(QStringLiteral("H2O und N"), measure(random, 41, 70)),
         QStringLiteral("Scans zeigen einen hohen Kohlenstoffanteil an!"),
         QStringLiteral("Tiefenscans zeigen eine bis zu 3 km dicke Eisdecke an. Aufgrund "
                        "erh\u00f6hter Hintergrundstrahlung sind keine weiteren Informationen "
                        "verf\u00fcgbar!")});
    // Whole degrees and the tenth are separate draws; the tenth is never 0.
    const QString whole = measure(random, 16, 15);
    const QString tenth = measure(random, 9, 1);
    t.label[3] = lines({equator(),
                        QStringLiteral("Temperatururen bis zu ") + whole + QLatin1Char(',') +
                            tenth + QStringLiteral("\u00b0C"),
                        QStringLiteral("Windgeschwindigkeit: ") + measure(random, 11, 2) +
                            QStringLiteral(" km/h")});
    t.label[4] = surface(QString(), measure(random, 7, 12));
    t.label[5] = QStringLiteral(
        "Oberfl\u00e4che: Durch das Kristallinwesen wurde jegliches tierisches und pflanzliches "
        "Leben zerst\u00f6rt.");
    t.label[6] = lines({atmosphere(), QStringLiteral("Erd\u00e4hnlich, jedoch mit rapide "
                                                     "abnehmendem Sauerstoffanteil und "
                                                     "zunehmendem Stickstoffanteil.")});
    t.label[7] = core(measure(random, 301, 1300), QStringLiteral("Stabil"));
    return t;
}

ZoomTexts lamdaPass(RandomSource& random) {
    ZoomTexts t;
    t.name = QStringLiteral("Lamda Pass [Klasse K]");
    t.label[1] = QStringLiteral("Asteroid der Klasse K");
    t.label[2] =
        lines({poles(QStringLiteral("CO2 und N"), measure(random, 61, 130)),
               QStringLiteral("Scans zeigen einen hohen Kohlenstoffanteil an!"),
               QStringLiteral("Tiefenscans zeigen eine bis zu 5 km dicke Eisdecke an. Wage "
                              "hinweise auf Lebensformen unter der Eisdecke!")});
    t.label[3] = lines({equator(), QStringLiteral("Hohe Methankonzentration in der "
                                                  "Atmosph\u00e4re (lokal begrenzt): ") +
                                       measure(random, 191001, 9000) +
                                       QStringLiteral(" Teile pro Millionen")});
    t.label[4] = surface(QStringLiteral("-"), measure(random, 41, 140));
    t.label[5] = QStringLiteral(
        "Oberfl\u00e4che: Durch Meteoriten und Erosion stark verw\u00fcstete Oberfl\u00e4che.");
    t.label[6] = lines({atmosphere(),
                        QStringLiteral("1% Sauerstoff - 30% Stickoxide - 15% Wasserstoff - 32% "
                                       "Fluoride - 22% Edelgase"),
                        windUpTo(measure(random, 121, 200))});
    t.label[7] = core(measure(random, 151, 650), QStringLiteral("Instabil"));
    return t;
}

ZoomTexts lamendaPrime(RandomSource& random) {
    ZoomTexts t;
    t.name = QStringLiteral("Lamenda Prime [Klasse M]");
    t.label[1] = QStringLiteral("Raumhafen der F\u00f6deration");
    const QString poleText = poles(QStringLiteral("H2O"), measure(random, 19, 12));
    t.label[2] = lines({poleText, QStringLiteral("Scans zeigen hohe Windgeschwindigkeiten (bis "
                                                 "zu ") +
                                      measure(random, 31, 120) +
                                      QStringLiteral(" km/h) und mehrere Gruppen von tierischen "
                                                     "Lebensformen.")});
    t.label[3] = lines({equator(), QStringLiteral("Erh\u00f6hte Vulkanische und Tektonische "
                                                  "Aktivit\u00e4t. Erh\u00f6hte Konzentration "
                                                  "von Schwefeldioxiden in der Atmosph\u00e4re.")});
    t.label[4] = surface(QString(), measure(random, 7, 19));
    t.label[5] = QStringLiteral(
        "Oberfl\u00e4che: Vielf\u00e4ltiges, hoch entwickeltes pflanzliches Leben. Dichte "
        "Vegetation.");
    const QString oxygen = QStringLiteral(
        "Erd\u00e4hnlich, enth\u00e4lt jedoch nur 60% des in der Erdatmosph\u00e4re enthaltenen "
        "Sauerstoffs.");
    t.label[6] = lines({atmosphere(), oxygen, windUpTo(measure(random, 61, 40))});
    t.label[7] = core(measure(random, 301, 1600), QStringLiteral("Stabil"));
    return t;
}

QString firstLines(int count, int available, QString (*line)(int)) {
    QString text;
    for (int i = 1; i <= count && i <= available; ++i) {
        if (i > 1) {
            text += texts::kLineBreak;
        }
        text += line(i);
    }
    return text;
}

}  // namespace

std::optional<ZoomTexts> zoomTexts(int object, RandomSource& random) {
    switch (object) {
        case 1:
            return deltaVega(random);
        case 2:
            return omicronTheta(random);
        case 3:
            return lamdaPass(random);
        case 5:
            return lamendaPrime(random);
        default:
            return std::nullopt;
    }
}

QString telescopeLabel4(int lines) {
    return firstLines(lines, 2, &telescope::zoomLabel4Line);
}

QString telescopeLabel5(int lines) {
    return firstLines(lines, 3, &telescope::zoomLabel5Line);
}

}  // namespace ovant::zoom
