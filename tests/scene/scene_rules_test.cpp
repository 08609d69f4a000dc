// The scene's rules without elements: the texts of the planet panel and the
// zoom view, the typing info labels and the scanner's flight.
#include <QtTest>
#include <cmath>

#include "platform/texts.h"
#include "scene/info_label_cycle.h"
#include "scene/info_label_texts.h"
#include "scene/planet_texts.h"
#include "scene/scanner_flight.h"
#include "scene/zoom_texts.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;

namespace {

constexpr double kHigh = 0.999999;

QString lines(std::initializer_list<QString> parts) {
    return texts::lines(parts);
}

// "\n" for the caption line break and %1, %2, ... for the measured values.
QString fill(QString s, const QStringList& values) {
    s.replace(QLatin1Char('\n'), texts::kLineBreak);
    for (int i = values.size(); i >= 1; --i) {  // %10 before %1
        s.replace(QStringLiteral("%%1").arg(i), values.at(i - 1));
    }
    return s;
}

// The zoom view of Omicron Theta as the station writes it.
const std::array<const char*, 7> kOmicronTheta{
    "Siedlung der Föderation  [ Künstliche Regenerierung ]",
    "Pole bestehen aus H2O und N (-%1°C)\nScans zeigen einen hohen Kohlenstoffanteil "
    "an!\nTiefenscans zeigen eine bis zu 3 km dicke Eisdecke an. Aufgrund erhöhter "
    "Hintergrundstrahlung sind keine weiteren Informationen verfügbar!",
    "Äquatorbereich\nTemperatururen bis zu %2,%3°C\nWindgeschwindigkeit: %4 km/h",
    "Oberflächentemperatur: Durchschnittlich %5°C",
    "Oberfläche: Durch das Kristallinwesen wurde jegliches tierisches und pflanzliches Leben "
    "zerstört.",
    "Atmosphäre\nErdähnlich, jedoch mit rapide abnehmendem Sauerstoffanteil und zunehmendem "
    "Stickstoffanteil.",
    "Temperatur des Kerns: %6 °C\nZustand: Stabil"};

// Runs a flight to its end and returns its passes, or -1 if it never ends.
int flyToEnd(scanner::Flight& flight) {
    for (int guard = 0; flight.step();) {
        if (++guard > 10000) {
            return -1;
        }
    }
    return flight.passes();
}

}  // namespace

class SceneRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every measured value at the bottom (r = 0) and the top (r just below 1)
    // of its range; one row scripts a distinct value per draw to show which
    // draw lands where.
    void planetPanelTexts_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("labels");  // 2, 3 and 4

        const QString poles = QStringLiteral("Pole bestehen aus ");
        const QString surface = QStringLiteral("Oberfl\u00e4chentemp.: Durchschnittlich ");
        const QString equator = QStringLiteral("\u00c4quatorbereich");
        const QString clouds = QStringLiteral("Starke Wolkenbildung");
        const QString methane = QStringLiteral("Hohe Methankonzentration in der Atmosph\u00e4re");
        const QString volcanic = lines({equator, QStringLiteral("Erh\u00f6hte Vulkanische und"),
                                        QStringLiteral("Tektonische Aktivit\u00e4t")});
        const auto row = [&](const char* name, int object, QList<double> draws, QString pole,
                             QString middle, QString degrees) {
            QTest::newRow(name) << object << draws
                                << QStringList{poles + pole + QStringLiteral("\u00b0C)"), middle,
                                               surface + degrees + QStringLiteral("\u00b0C")};
        };
        row("Delta Vega, lowest", 1, {0.0, 0.0, 0.0}, "Stickstoff (-130",
            lines({equator, clouds, "Windgeschw.: 200 km/h"}), "-110");
        row("Delta Vega, highest", 1, {kHigh, kHigh, kHigh}, "Stickstoff (-180",
            lines({equator, clouds, "Windgeschw.: 400 km/h"}), "-130");
        row("Omicron Theta, lowest", 2, {0.0, 0.0, 0.0, 0.0, 0.0}, "H2O und N (-70",
            lines({equator, QStringLiteral("Temp.: 15,1\u00b0C"), "Windgeschw.: 2 km/h"}), "12");
        row("Omicron Theta, highest", 2, {kHigh, kHigh, kHigh, kHigh, kHigh}, "H2O und N (-110",
            lines({equator, QStringLiteral("Temp.: 30,9\u00b0C"), "Windgeschw.: 12 km/h"}), "18");
        row("Omicron Theta, poles, temperature, wind, surface", 2, {0.5, 0.0, kHigh, 0.5, kHigh},
            "H2O und N (-90",
            lines({equator, QStringLiteral("Temp.: 15,9\u00b0C"), "Windgeschw.: 7 km/h"}), "18");
        row("Lamda Pass, lowest", 3, {0.0, 0.0, 0.0}, "CO2 und N (-130",
            lines({equator, methane, "9000 Teile pro Millionen"}), "-140");
        row("Lamda Pass, highest", 3, {kHigh, kHigh, kHigh}, "CO2 und N (-190",
            lines({equator, methane, "200000 Teile pro Millionen"}), "-180");
        row("Lamenda Prime, lowest", 5, {0.0, 0.0}, "H2O (-12", volcanic, "19");
        row("Lamenda Prime, highest", 5, {kHigh, kHigh}, "H2O (-30", volcanic, "25");
    }
    void planetPanelTexts() {
        QFETCH(int, object);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, labels);
        // The fixed name, first text and rotation of every planet.
        static const std::map<int, std::array<const char*, 4>> fixed{
            {1, {"Delta Vega", "Erhöhte Vulkanische und Tektonische Aktivität", "14,6", "26.4"}},
            {2, {"Omicron Theta", "Siedlung der Föderation", "1,6", "1.8"}},
            {3, {"Lamda Pass", "Asteroid der Klasse K", "0,3", "0.8"}},
            {5, {"Lamenda Prime", "Raumhafen der Föderation", "1,6", "1.2"}}};
        const auto& f = fixed.at(object);
        ScriptedRandom random(std::vector<double>(draws.begin(), draws.end()));
        const auto texts = planet::panelTexts(object, random);
        QVERIFY(texts.has_value());
        QCOMPARE(texts->name, QString::fromUtf8(f[0]));
        QVERIFY(texts->label[0].isEmpty());
        QCOMPARE(texts->label[1], QString::fromUtf8(f[1]));
        QCOMPARE(QStringList(texts->label.begin() + 2, texts->label.begin() + 5), labels);
        QCOMPARE(texts->label[5],
                 lines({QStringLiteral("Eine Rotation dauert %1 Tage").arg(QLatin1String(f[2])),
                        QStringLiteral("Eine Sonnenumkreisung dauert %1 Jahre")
                            .arg(QLatin1String(f[3]))}));
        // One draw per value, none more.
        QCOMPARE(random.used(), draws.size());
    }

    // Omicron Theta word for word, the others by their measured values
    // ("n:text" lies in label n), at both ends of their ranges.
    void zoomViewTexts_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("values");
        const auto row = [](const char* name, int object, QList<double> draws, const char* title,
                            QStringList values) {
            QTest::newRow(name) << object << draws << QString::fromUtf8(title) << values;
        };
        const auto low = [](int n) { return QList<double>(n, 0.0); };
        const auto high = [](int n) { return QList<double>(n, kHigh); };
        row("Omicron Theta, lowest", 2, low(6), "Omicron Theta [Klasse M]",
            {"70", "15", "1", "2", "12", "1300"});
        row("Omicron Theta, highest", 2, high(6), "Omicron Theta [Klasse M]",
            {"110", "30", "9", "12", "18", "1600"});
        row("Omicron Theta, in reading order", 2, {0.0, kHigh, 0.0, kHigh, 0.0, kHigh},
            "Omicron Theta [Klasse M]", {"70", "30", "1", "12", "12", "1600"});
        row("Delta Vega, lowest", 1, low(4), "Delta Vega [Klasse L]",
            {"2:Stickstoff (-130°C)", "3:um die 200 km/h", "4:Durchschnittlich -110°C",
             "7:Kerns: 750 °C\nZustand: Leicht instabil"});
        row("Delta Vega, highest", 1, high(4), "Delta Vega [Klasse L]",
            {"2:Stickstoff (-180°C)", "3:um die 400 km/h", "4:Durchschnittlich -130°C",
             "7:Kerns: 850 °C"});
        row("Lamda Pass, lowest", 3, low(5), "Lamda Pass [Klasse K]",
            {"2:CO2 und N (-130°C)", "3:begrenzt): 9000 Teile", "4:Durchschnittlich -140°C",
             "6:bis zu 200 km/h", "7:Kerns: 650 °C\nZustand: Instabil"});
        row("Lamda Pass, highest", 3, high(5), "Lamda Pass [Klasse K]",
            {"2:CO2 und N (-190°C)", "3:begrenzt): 200000 Teile", "4:Durchschnittlich -180°C",
             "6:bis zu 320 km/h", "7:Kerns: 800 °C"});
        row("Lamenda Prime, lowest", 5, low(5), "Lamenda Prime [Klasse M]",
            {"2:H2O (-12°C)", "2:(bis zu 120 km/h)", "4:Durchschnittlich 19°C", "6:bis zu 40 km/h",
             "7:Kerns: 1600 °C\nZustand: Stabil"});
        row("Lamenda Prime, highest", 5, high(5), "Lamenda Prime [Klasse M]",
            {"2:H2O (-30°C)", "2:(bis zu 150 km/h)", "4:Durchschnittlich 25°C", "6:bis zu 100 km/h",
             "7:Kerns: 1900 °C"});
    }
    void zoomViewTexts() {
        QFETCH(int, object);
        QFETCH(QList<double>, draws);
        QFETCH(QString, name);
        QFETCH(QStringList, values);
        ScriptedRandom random(std::vector<double>(draws.begin(), draws.end()));
        const auto texts = zoom::zoomTexts(object, random);
        QVERIFY(texts.has_value());
        QCOMPARE(texts->name, name);
        QVERIFY(texts->label[0].isEmpty());
        if (object == 2) {
            for (std::size_t i = 1; i <= 7; ++i) {
                QCOMPARE(texts->label[i], fill(QString::fromUtf8(kOmicronTheta[i - 1]), values));
            }
        }
        for (const QString& v : values.filter(QStringLiteral(":"))) {
            const QString part = fill(v.mid(2), {});
            QVERIFY2(texts->label[v.left(1).toUInt()].contains(part), qPrintable(v));
        }
        // One draw per value, none more.
        QCOMPARE(random.used(), values.size());
    }

    void objectsWithoutAPanelOrZoomGiveNothingAndDrawNothing() {
        // 4 is the telescope station, with panels of its own.
        for (const int object : {-1, 0, 4, 6}) {
            ScriptedRandom random({0.5});
            QVERIFY(!planet::panelTexts(object, random).has_value());
            QVERIFY(!zoom::zoomTexts(object, random).has_value());
            QCOMPARE(random.used(), 0);
        }
    }

    void theTelescopesGrowingTextsGainALinePerPoint() {
        using zoom::telescopeLabel4;
        using zoom::telescopeLabel5;
        const QString joints = QStringLiteral("Servogelenke zum Ausrichten des Teleskops");
        const QString dock = QString::fromUtf8(
            "Andockschleuse (Standardmodell für alle Shuttles incl. Danube-Klasse)");
        const QString reactor = QStringLiteral("Fusionsreaktor (80 Gigawatt / Mark IV)");
        const QString power = QStringLiteral("Notenergie - SIF-Generatoren - EPS-Verteiler");
        const QString computer = QStringLiteral("Hauptcomputer (100 Teraquads) - SR Transceiver");
        QCOMPARE((QStringList{telescopeLabel4(0), telescopeLabel4(1), telescopeLabel4(2)}),
                 (QStringList{QString(), joints, lines({joints, dock})}));
        QCOMPARE(
            (QStringList{telescopeLabel5(0), telescopeLabel5(1), telescopeLabel5(2),
                         telescopeLabel5(3), telescopeLabel5(4)}),
            (QStringList{QString(), reactor, lines({reactor, power}),
                         lines({reactor, power, computer}), lines({reactor, power, computer})}));
    }

    void everyInfoLabelTypesItselfOutInStages() {
        for (int object = 1; object <= 5; ++object) {
            ScriptedRandom random({0.5});
            const QStringList chain{
                sector::infoStageText(object, 1), sector::infoStageText(object, 2),
                sector::infoStageText(object, 3), sector::infoFullText(object), QString()};
            QString text;
            int tick = 0;
            for (const QString& next : chain) {
                const sector::InfoStep step = sector::infoLabelStep(object, text, tick, random);
                QCOMPARE(step.text, next);
                QCOMPARE(step.infoTick, ++tick);
                text = step.text;
            }
            // Typing draws nothing but the interval.
            QCOMPARE(random.used(), int(chain.size()));
        }
    }

    void eachInfoTickFollowsFromTheTextAndTheCounter() {
        // With every draw at 0 each number group reads " 100. 100. 100".
        const QString group = QStringLiteral(" 100. 100. 100");
        const QString none;
        // Text and counter before, then after.
        const std::vector<std::tuple<QString, int, QString, int>> ticks{
            // At start the label shows the full text with the counter at 0:
            // the first tick empties it and the number run follows.
            {sector::infoFullText(3), 0, none, 1},
            {none, 0, sector::infoStageText(3, 1), 1},
            {none, 1, group, 2},
            {group.repeated(3), 8, group.repeated(4), 9},
            {group.repeated(4), 9, none, 0},
            {none, 9, none, 0},
            // Foreign text is treated as a number run.
            {QStringLiteral("Lamda"), 2, QStringLiteral("Lamda") + group, 3}};
        for (const auto& [text, before, expected, after] : ticks) {
            ScriptedRandom random({0.0});
            const sector::InfoStep step = sector::infoLabelStep(3, text, before, random);
            QCOMPARE(step.text, expected);
            QCOMPARE(step.infoTick, after);
        }
    }

    void infoNumbersAreDrawnBeforeAnIntervalOf200To1600() {
        ScriptedRandom random({0.0, 0.5, kHigh, 0.5});
        const auto step = sector::infoLabelStep(2, QStringLiteral(" 321. 654. 987"), 3, random);
        QCOMPARE(step.text, QStringLiteral(" 321. 654. 987 100. 550. 999"));
        QCOMPARE(step.nextIntervalMs, 900);
        QCOMPARE(random.used(), 4);
        // Typing and number runs alike; a faulty 1 is still the highest.
        for (const auto& [r, interval] :
             {std::pair{0.0, 200}, std::pair{kHigh, 1600}, std::pair{1.0, 1600}}) {
            for (const int tick : {0, 4}) {
                ScriptedRandom one({r});
                QCOMPARE(sector::infoLabelStep(4, QString(), tick, one).nextIntervalMs, interval);
            }
        }
    }

    void anInfoCounterPastTenStillEndsTheNumberRun() {
        ScriptedRandom random({0.0});
        // Stage text handed over late in the cycle: typing goes on, the
        // counter runs past 10, and the first number group empties the label
        // and restarts the cycle.
        sector::InfoStep step{sector::infoStageText(5, 3), 10, 0};
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            step = sector::infoLabelStep(5, step.text, step.infoTick, random);
            seen << step.text + QStringLiteral("@%1").arg(step.infoTick);
        }
        QCOMPARE(seen, (QStringList{sector::infoFullText(5) + "@11", "@12", "@0",
                                    sector::infoStageText(5, 1) + "@1"}));
    }

    void infoLabelsOfUnknownObjectsAreLeftAlone() {
        ScriptedRandom random({0.0});
        const auto step = sector::infoLabelStep(6, QStringLiteral("anything"), 3, random);
        QCOMPARE(step.text, QStringLiteral("anything"));
        QCOMPARE(step.infoTick, 3);
        QCOMPARE(step.nextIntervalMs, 200);
        QCOMPARE(random.used(), 1);
    }

    // Start, target, passes to the end, where the frame stops.
    void scannerFlights_data() {
        using scanner::kParking;
        using scanner::kTargets;
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<QPointF>("target");
        QTest::addColumn<int>("passes");
        QTest::addColumn<QPointF>("end");
        const auto row = [](const char* name, QPointF start, QPointF target, int passes,
                            QPointF end) {
            QTest::newRow(name) << start << target << passes << end;
        };
        // Down and right by 500 each: the down move also steps off Y = 500.
        row("pure diagonal down and right", {0, 0}, {500, 500}, 7, {500, 600});
        row("pure diagonal up and left", {500, 500}, {0, 0}, 6, {0, 0});
        row("left and up, uneven, overshoots both", {1000, 900}, {750, 420}, 6, {700, 400});
        row("right and down, uneven, overshoots both", {0, 0}, {250, 130}, 4, {300, 200});
        row("straight up", {300, 800}, {300, 300}, 6, {300, 300});
        row("straight down, one step past the target", {300, 300}, {300, 800}, 7, {300, 900});
        // Downwards also moves while level, so no flight is ever purely horizontal.
        row("level to the left, still one step down", {900, 40}, {400, 40}, 6, {400, 140});
        row("left and just above the target, one step up past it", {900, 50}, {400, 40}, 6,
            {400, -50});
        // Standing on its target it still takes two passes and ends one step lower.
        const QPointF still(kTargets[1].x, kTargets[1].y);
        row("to where it stands", still, still, 2, still + QPointF(0, 100));
        // Left and up together for 34 passes, then 78 straight left and one
        // more to mark X done: it lands on X but overshoots Y.
        row("from the lower right corner to Lamda Pass", {kParking[4].x, kParking[4].y},
            {kTargets[3].x, kTargets[3].y}, 113, {100, 3600});
        row("from a ship's fractional position", {1234.5, 987.25}, {1000, 1000}, 4,
            {934.5, 1087.25});
    }
    void scannerFlights() {
        QFETCH(QPointF, start);
        QFETCH(QPointF, target);
        QFETCH(int, passes);
        QFETCH(QPointF, end);
        scanner::Flight flight({start.x(), start.y()},
                               scanner::Frame{target.x(), target.y(), 1000});
        QCOMPARE(flyToEnd(flight), passes);
        QCOMPARE(flight.position().bracketLeft, end.x());
        QCOMPARE(flight.position().bracketTop, end.y());
    }

    void everyFlightFromEveryCornerEndsWithinAStepOfItsObject() {
        using scanner::kParking;
        using scanner::kTargets;
        for (std::size_t k = 1; k < kParking.size(); ++k) {
            for (std::size_t n = 1; n < kTargets.size(); ++n) {
                scanner::Flight flight({kParking[k].x, kParking[k].y}, kTargets[n]);
                QVERIFY(flyToEnd(flight) > 0);
                // The snap on arrival puts the last step right.
                QVERIFY(std::abs(flight.position().bracketLeft - kTargets[n].x) < 100);
                QVERIFY(std::abs(flight.position().bracketTop - kTargets[n].y) <= 100);
            }
        }
    }
};

QTEST_GUILESS_MAIN(SceneRulesTest)
#include "scene_rules_test.moc"
