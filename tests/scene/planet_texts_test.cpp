#include <QtTest>

#include "platform/texts.h"
#include "scene/planet_texts.h"
#include "support/scripted_random.h"

using ovant::planet::panelTexts;
using ovant::testing::ScriptedRandom;

namespace {

constexpr double kHigh = 0.999999;

QString lines(std::initializer_list<QString> parts) {
    return ovant::texts::lines(parts);
}

QString equator() {
    return QStringLiteral("\u00c4quatorbereich");
}

}  // namespace

class PlanetTextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixedTextsOfEveryPlanet_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label1");
        QTest::addColumn<QString>("label5");
        QTest::newRow("Delta Vega")
            << 1 << "Delta Vega"
            << QStringLiteral("Erh\u00f6hte Vulkanische und Tektonische Aktivit\u00e4t")
            << lines({"Eine Rotation dauert 14,6 Tage", "Eine Sonnenumkreisung dauert 26.4 Jahre"});
        QTest::newRow("Omicron Theta")
            << 2 << "Omicron Theta" << QStringLiteral("Siedlung der F\u00f6deration")
            << lines({"Eine Rotation dauert 1,6 Tage", "Eine Sonnenumkreisung dauert 1.8 Jahre"});
        QTest::newRow("Lamda Pass")
            << 3 << "Lamda Pass" << QStringLiteral("Asteroid der Klasse K")
            << lines({"Eine Rotation dauert 0,3 Tage", "Eine Sonnenumkreisung dauert 0.8 Jahre"});
        QTest::newRow("Lamenda Prime")
            << 5 << "Lamenda Prime" << QStringLiteral("Raumhafen der F\u00f6deration")
            << lines({"Eine Rotation dauert 1,6 Tage", "Eine Sonnenumkreisung dauert 1.2 Jahre"});
    }
    void fixedTextsOfEveryPlanet() {
        QFETCH(int, object);
        QFETCH(QString, name);
        QFETCH(QString, label1);
        QFETCH(QString, label5);
        ScriptedRandom random({0.5});
        const auto texts = panelTexts(object, random);
        QVERIFY(texts.has_value());
        QCOMPARE(texts->name, name);
        QCOMPARE(texts->label[1], label1);
        QCOMPARE(texts->label[5], label5);
        QVERIFY(texts->label[0].isEmpty());
    }

    // Every measured value at the bottom (r = 0) and the top (r just below 1)
    // of its range, in the order the values are drawn.
    void measuredTextsAtBothEndsOfTheirRanges_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("label2");
        QTest::addColumn<QString>("label3");
        QTest::addColumn<QString>("label4");

        const QString surface = QStringLiteral("Oberfl\u00e4chentemp.: Durchschnittlich ");
        const QString clouds = QStringLiteral("Starke Wolkenbildung");
        const QString methane = QStringLiteral("Hohe Methankonzentration in der Atmosph\u00e4re");

        QTest::newRow("Delta Vega, lowest values")
            << 1 << 0.0 << 3 << QStringLiteral("Pole bestehen aus Stickstoff (-130\u00b0C)")
            << lines({equator(), clouds, "Windgeschw.: 200 km/h"})
            << surface + QStringLiteral("-110\u00b0C");
        QTest::newRow("Delta Vega, highest values")
            << 1 << kHigh << 3 << QStringLiteral("Pole bestehen aus Stickstoff (-180\u00b0C)")
            << lines({equator(), clouds, "Windgeschw.: 400 km/h"})
            << surface + QStringLiteral("-130\u00b0C");
        QTest::newRow("Omicron Theta, lowest values")
            << 2 << 0.0 << 5 << QStringLiteral("Pole bestehen aus H2O und N (-70\u00b0C)")
            << lines({equator(), QStringLiteral("Temp.: 15,1\u00b0C"), "Windgeschw.: 2 km/h"})
            << surface + QStringLiteral("12\u00b0C");
        QTest::newRow("Omicron Theta, highest values")
            << 2 << kHigh << 5 << QStringLiteral("Pole bestehen aus H2O und N (-110\u00b0C)")
            << lines({equator(), QStringLiteral("Temp.: 30,9\u00b0C"), "Windgeschw.: 12 km/h"})
            << surface + QStringLiteral("18\u00b0C");
        QTest::newRow("Lamda Pass, lowest values")
            << 3 << 0.0 << 3 << QStringLiteral("Pole bestehen aus CO2 und N (-130\u00b0C)")
            << lines({equator(), methane, "9000 Teile pro Millionen"})
            << surface + QStringLiteral("-140\u00b0C");
        QTest::newRow("Lamda Pass, highest values")
            << 3 << kHigh << 3 << QStringLiteral("Pole bestehen aus CO2 und N (-190\u00b0C)")
            << lines({equator(), methane, "200000 Teile pro Millionen"})
            << surface + QStringLiteral("-180\u00b0C");
        const QString volcanic = lines({equator(), QStringLiteral("Erh\u00f6hte Vulkanische und"),
                                        QStringLiteral("Tektonische Aktivit\u00e4t")});
        QTest::newRow("Lamenda Prime, lowest values")
            << 5 << 0.0 << 2 << QStringLiteral("Pole bestehen aus H2O (-12\u00b0C)") << volcanic
            << surface + QStringLiteral("19\u00b0C");
        QTest::newRow("Lamenda Prime, highest values")
            << 5 << kHigh << 2 << QStringLiteral("Pole bestehen aus H2O (-30\u00b0C)") << volcanic
            << surface + QStringLiteral("25\u00b0C");
    }
    void measuredTextsAtBothEndsOfTheirRanges() {
        QFETCH(int, object);
        QFETCH(double, r);
        QFETCH(int, draws);
        QFETCH(QString, label2);
        QFETCH(QString, label3);
        QFETCH(QString, label4);
        ScriptedRandom random({r});
        const auto texts = panelTexts(object, random);
        QVERIFY(texts.has_value());
        QCOMPARE(texts->label[2], label2);
        QCOMPARE(texts->label[3], label3);
        QCOMPARE(texts->label[4], label4);
        QCOMPARE(random.used(), draws);
    }

    // The values are drawn left to right through the panel, one draw each;
    // scripting a distinct value per draw shows which draw lands where.
    void omicronThetaDrawsPolesThenTemperatureThenWindThenSurface() {
        ScriptedRandom random({0.5, 0.0, kHigh, 0.5, kHigh});
        const auto texts = panelTexts(2, random);
        QVERIFY(texts.has_value());
        QCOMPARE(texts->label[2], QStringLiteral("Pole bestehen aus H2O und N (-90\u00b0C)"));
        QCOMPARE(texts->label[3], lines({equator(), QStringLiteral("Temp.: 15,9\u00b0C"),
                                         QStringLiteral("Windgeschw.: 7 km/h")}));
        QCOMPARE(texts->label[4],
                 QStringLiteral("Oberfl\u00e4chentemp.: Durchschnittlich 18\u00b0C"));
    }

    void objectsWithoutPlanetPanelGiveNothingAndDrawNothing_data() {
        QTest::addColumn<int>("object");
        QTest::newRow("no object") << 0;
        QTest::newRow("the telescope station") << 4;
        QTest::newRow("past the last object") << 6;
        QTest::newRow("negative") << -1;
    }
    void objectsWithoutPlanetPanelGiveNothingAndDrawNothing() {
        QFETCH(int, object);
        ScriptedRandom random({0.5});
        QVERIFY(!panelTexts(object, random).has_value());
        QCOMPARE(random.used(), 0);
    }
};

QTEST_GUILESS_MAIN(PlanetTextsTest)
#include "planet_texts_test.moc"
