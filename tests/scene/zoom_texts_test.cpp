#include <QtTest>

#include "platform/texts.h"
#include "scene/zoom_texts.h"
#include "support/scripted_random.h"

using ovant::testing::ScriptedRandom;
using ovant::zoom::zoomTexts;

namespace {

constexpr double kHigh = 0.999999;

// The texts as the station writes them, with "\n" for the caption line break
// and %1, %2, ... for the measured values in the order they are drawn.
struct Expected {
    const char* name;
    std::array<const char*, 7> labels;
};

const Expected kDeltaVega{
    "Delta Vega [Klasse L]",
    {"Erhöhte Vulkanische und Tektonische Aktivität",
     "Pole bestehen aus Stickstoff (-%1°C)\nAnalysen weisen auf geringe Mengen von Fluoriden "
     "hin!\nTiefenscans zeigen eine bis zu 4 km dicke Eisdecke mit kleinen Einschlüssen, die "
     "möglicherweise organisches Restmaterial enthalten!",
     "Äquatorbereich: Starke Wolkenbildung mit Windgeschwindigkeiten um die %2 "
     "km/h\nÜberdurchschnittlich hohe Temperatur. Erhöhte Erosion.",
     "Oberflächentemperatur: Durchschnittlich -%3°C",
     "Oberfläche: Kein tierisches und nur wenig pflanzliches Leben. Wasser ist nur in gebundener "
     "Form zu finden.",
     "Atmosphäre\n2% Sauerstoff - 26% Stickoxide - 15% Wasserstoff - 36% Ammoniumtriphosphat - 1% "
     "Fluoride - 20% Argon\nStarke ionische Interferenzen stören Kommunikations- und "
     "Transportersysteme!",
     "Temperatur des Kerns: %4 °C\nZustand: Leicht instabil"}};

const Expected kOmicronTheta{
    "Omicron Theta [Klasse M]",
    {"Siedlung der Föderation  [ Künstliche Regenerierung ]",
     "Pole bestehen aus H2O und N (-%1°C)\nScans zeigen einen hohen Kohlenstoffanteil "
     "an!\nTiefenscans zeigen eine bis zu 3 km dicke Eisdecke an. Aufgrund erhöhter "
     "Hintergrundstrahlung sind keine weiteren Informationen verfügbar!",
     "Äquatorbereich\nTemperatururen bis zu %2,%3°C\nWindgeschwindigkeit: %4 km/h",
     "Oberflächentemperatur: Durchschnittlich %5°C",
     "Oberfläche: Durch das Kristallinwesen wurde jegliches tierisches und pflanzliches Leben "
     "zerstört.",
     "Atmosphäre\nErdähnlich, jedoch mit rapide abnehmendem Sauerstoffanteil und zunehmendem "
     "Stickstoffanteil.",
     "Temperatur des Kerns: %6 °C\nZustand: Stabil"}};

const Expected kLamdaPass{
    "Lamda Pass [Klasse K]",
    {"Asteroid der Klasse K",
     "Pole bestehen aus CO2 und N (-%1°C)\nScans zeigen einen hohen Kohlenstoffanteil "
     "an!\nTiefenscans zeigen eine bis zu 5 km dicke Eisdecke an. Wage hinweise auf Lebensformen "
     "unter der Eisdecke!",
     "Äquatorbereich\nHohe Methankonzentration in der Atmosphäre (lokal begrenzt): %2 Teile pro "
     "Millionen",
     "Oberflächentemperatur: Durchschnittlich -%3°C",
     "Oberfläche: Durch Meteoriten und Erosion stark verwüstete Oberfläche.",
     "Atmosphäre\n1% Sauerstoff - 30% Stickoxide - 15% Wasserstoff - 32% Fluoride - 22% "
     "Edelgase\nWindgeschwindigkeiten bis zu %4 km/h",
     "Temperatur des Kerns: %5 °C\nZustand: Instabil"}};

const Expected kLamendaPrime{
    "Lamenda Prime [Klasse M]",
    {"Raumhafen der Föderation",
     "Pole bestehen aus H2O (-%1°C)\nScans zeigen hohe Windgeschwindigkeiten (bis zu %2 km/h) "
     "und mehrere Gruppen von tierischen Lebensformen.",
     "Äquatorbereich\nErhöhte Vulkanische und Tektonische Aktivität. Erhöhte Konzentration von "
     "Schwefeldioxiden in der Atmosphäre.",
     "Oberflächentemperatur: Durchschnittlich %3°C",
     "Oberfläche: Vielfältiges, hoch entwickeltes pflanzliches Leben. Dichte Vegetation.",
     "Atmosphäre\nErdähnlich, enthält jedoch nur 60% des in der Erdatmosphäre enthaltenen "
     "Sauerstoffs.\nWindgeschwindigkeiten bis zu %4 km/h",
     "Temperatur des Kerns: %5 °C\nZustand: Stabil"}};

QString fill(const char* text, const QStringList& values) {
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('\n'), ovant::texts::kLineBreak);
    for (int i = values.size(); i >= 1; --i) {  // %10 before %1
        s.replace(QStringLiteral("%%1").arg(i), values.at(i - 1));
    }
    return s;
}

}  // namespace

Q_DECLARE_METATYPE(const Expected*)

class ZoomTextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every text word for word, with every measured value at the bottom
    // (r = 0) and at the top (r just below 1) of its range.
    void everyTextWithItsValuesAtBothEnds_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<const Expected*>("expected");
        QTest::addColumn<double>("r");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("Delta Vega, lowest")
            << 1 << &kDeltaVega << 0.0 << QStringList{"130", "200", "110", "750"};
        QTest::newRow("Delta Vega, highest")
            << 1 << &kDeltaVega << kHigh << QStringList{"180", "400", "130", "850"};
        QTest::newRow("Omicron Theta, lowest")
            << 2 << &kOmicronTheta << 0.0 << QStringList{"70", "15", "1", "2", "12", "1300"};
        QTest::newRow("Omicron Theta, highest")
            << 2 << &kOmicronTheta << kHigh << QStringList{"110", "30", "9", "12", "18", "1600"};
        QTest::newRow("Lamda Pass, lowest")
            << 3 << &kLamdaPass << 0.0 << QStringList{"130", "9000", "140", "200", "650"};
        QTest::newRow("Lamda Pass, highest")
            << 3 << &kLamdaPass << kHigh << QStringList{"190", "200000", "180", "320", "800"};
        QTest::newRow("Lamenda Prime, lowest")
            << 5 << &kLamendaPrime << 0.0 << QStringList{"12", "120", "19", "40", "1600"};
        QTest::newRow("Lamenda Prime, highest")
            << 5 << &kLamendaPrime << kHigh << QStringList{"30", "150", "25", "100", "1900"};
    }
    void everyTextWithItsValuesAtBothEnds() {
        QFETCH(int, object);
        QFETCH(const Expected*, expected);
        QFETCH(double, r);
        QFETCH(QStringList, values);
        ScriptedRandom random({r});
        const auto texts = zoomTexts(object, random);
        QVERIFY(texts.has_value());
        QCOMPARE(texts->name, QString::fromUtf8(expected->name));
        QVERIFY(texts->label[0].isEmpty());
        for (int i = 1; i <= 7; ++i) {
            QCOMPARE(texts->label[static_cast<std::size_t>(i)],
                     fill(expected->labels[static_cast<std::size_t>(i - 1)], values));
        }
        // One draw per value, none more.
        QCOMPARE(random.used(), values.size());
    }

    // A distinct value per draw shows which draw lands where: in reading
    // order through the points, left to right within a text.
    void valuesAreDrawnInReadingOrder_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<const Expected*>("expected");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("Omicron Theta")
            << 2 << &kOmicronTheta << QList<double>{0.0, kHigh, 0.0, kHigh, 0.0, kHigh}
            << QStringList{"70", "30", "1", "12", "12", "1600"};
        QTest::newRow("Lamenda Prime")
            << 5 << &kLamendaPrime << QList<double>{kHigh, 0.0, kHigh, 0.0, 0.5}
            << QStringList{"30", "120", "25", "40", "1750"};
        QTest::newRow("Lamda Pass") << 3 << &kLamdaPass << QList<double>{0.5, 0.0, kHigh, 0.0, 0.0}
                                    << QStringList{"160", "9000", "180", "200", "650"};
    }
    void valuesAreDrawnInReadingOrder() {
        QFETCH(int, object);
        QFETCH(const Expected*, expected);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, values);
        ScriptedRandom random(std::vector<double>(draws.begin(), draws.end()));
        const auto texts = zoomTexts(object, random);
        QVERIFY(texts.has_value());
        for (int i = 1; i <= 7; ++i) {
            QCOMPARE(texts->label[static_cast<std::size_t>(i)],
                     fill(expected->labels[static_cast<std::size_t>(i - 1)], values));
        }
    }

    void objectsWithoutObjectZoomGiveNothingAndDrawNothing_data() {
        QTest::addColumn<int>("object");
        QTest::newRow("no object") << 0;
        QTest::newRow("the telescope station") << 4;
        QTest::newRow("past the last object") << 6;
    }
    void objectsWithoutObjectZoomGiveNothingAndDrawNothing() {
        QFETCH(int, object);
        ScriptedRandom random({0.5});
        QVERIFY(!zoomTexts(object, random).has_value());
        QCOMPARE(random.used(), 0);
    }

    void theTelescopesGrowingTextsGainALinePerPoint() {
        using ovant::zoom::telescopeLabel4;
        using ovant::zoom::telescopeLabel5;
        const QString joints = QStringLiteral("Servogelenke zum Ausrichten des Teleskops");
        const QString dock = QString::fromUtf8(
            "Andockschleuse (Standardmodell für alle Shuttles incl. Danube-Klasse)");
        const QString reactor = QStringLiteral("Fusionsreaktor (80 Gigawatt / Mark IV)");
        const QString power = QStringLiteral("Notenergie - SIF-Generatoren - EPS-Verteiler");
        const QString computer = QStringLiteral("Hauptcomputer (100 Teraquads) - SR Transceiver");
        const QChar br = ovant::texts::kLineBreak;
        QCOMPARE(telescopeLabel4(0), QString());
        QCOMPARE(telescopeLabel4(1), joints);
        QCOMPARE(telescopeLabel4(2), joints + br + dock);
        QCOMPARE(telescopeLabel5(0), QString());
        QCOMPARE(telescopeLabel5(1), reactor);
        QCOMPARE(telescopeLabel5(2), reactor + br + power);
        QCOMPARE(telescopeLabel5(3), reactor + br + power + br + computer);
        // More lines than the text has give the whole text.
        QCOMPARE(telescopeLabel5(4), telescopeLabel5(3));
    }
};

QTEST_GUILESS_MAIN(ZoomTextsTest)
#include "zoom_texts_test.moc"
