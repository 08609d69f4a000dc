#include "scene/planet_texts.h"

#include "platform/texts.h"

namespace ovant::planet {

QString measure(RandomSource& random, int span, int low) {
    return QString::number(random.between(low, low + span - 1));
}

namespace {

const QString& equator() {
    static const QString text = QStringLiteral("\u00c4quatorbereich");
    return text;
}

QString poles(const QString& what, const QString& degrees) {
    return QStringLiteral("Pole bestehen aus ") + what + QStringLiteral(" (-") + degrees +
           QStringLiteral("\u00b0C)");
}

QString wind(const QString& speed) {
    return QStringLiteral("Windgeschw.: ") + speed + QStringLiteral(" km/h");
}

// The sign is part of the fixed text: a cold world reads "Durchschnittlich -120°C",
// a warm one "Durchschnittlich 15°C".
QString surface(const QString& sign, const QString& degrees) {
    return QStringLiteral("Oberfl\u00e4chentemp.: Durchschnittlich ") + sign + degrees +
           QStringLiteral("\u00b0C");
}

QString orbit(const char* rotationDays, const char* yearLength) {
    return texts::lines({QStringLiteral("Eine Rotation dauert ") +
                             QString::fromLatin1(rotationDays) + QStringLiteral(" Tage"),
                         QStringLiteral("Eine Sonnenumkreisung dauert ") +
                             QString::fromLatin1(yearLength) + QStringLiteral(" Jahre")});
}

PanelTexts deltaVega(RandomSource& random) {
    PanelTexts t;
    t.name = QStringLiteral("Delta Vega");
    t.label[1] = QStringLiteral("Erh\u00f6hte Vulkanische und Tektonische Aktivit\u00e4t");
    t.label[2] = poles(QStringLiteral("Stickstoff"), measure(random, 51, 130));
    t.label[3] = texts::lines(
        {equator(), QStringLiteral("Starke Wolkenbildung"), wind(measure(random, 201, 200))});
    t.label[4] = surface(QStringLiteral("-"), measure(random, 21, 110));
    // The rotation uses a decimal comma and the year a decimal point; both are
    // shown as written.
    t.label[5] = orbit("14,6", "26.4");
    return t;
}

PanelTexts omicronTheta(RandomSource& random) {
    PanelTexts t;
    t.name = QStringLiteral("Omicron Theta");
    t.label[1] = QStringLiteral("Siedlung der F\u00f6deration");
    t.label[2] = poles(QStringLiteral("H2O und N"), measure(random, 41, 70));
    // Whole degrees and the tenth are separate draws; the tenth is never 0.
    const QString whole = measure(random, 16, 15);
    const QString tenth = measure(random, 9, 1);
    const QString temperature =
        QStringLiteral("Temp.: ") + whole + QLatin1Char(',') + tenth + QStringLiteral("\u00b0C");
    t.label[3] = texts::lines({equator(), temperature, wind(measure(random, 11, 2))});
    t.label[4] = surface(QString(), measure(random, 7, 12));
    t.label[5] = orbit("1,6", "1.8");
    return t;
}

PanelTexts lamdaPass(RandomSource& random) {
    PanelTexts t;
    t.name = QStringLiteral("Lamda Pass");
    t.label[1] = QStringLiteral("Asteroid der Klasse K");
    t.label[2] = poles(QStringLiteral("CO2 und N"), measure(random, 61, 130));
    t.label[3] =
        texts::lines({equator(), QStringLiteral("Hohe Methankonzentration in der Atmosph\u00e4re"),
                      measure(random, 191001, 9000) + QStringLiteral(" Teile pro Millionen")});
    t.label[4] = surface(QStringLiteral("-"), measure(random, 41, 140));
    t.label[5] = orbit("0,3", "0.8");
    return t;
}

PanelTexts lamendaPrime(RandomSource& random) {
    PanelTexts t;
    t.name = QStringLiteral("Lamenda Prime");
    t.label[1] = QStringLiteral("Raumhafen der F\u00f6deration");
    t.label[2] = poles(QStringLiteral("H2O"), measure(random, 19, 12));
    t.label[3] = texts::lines({equator(), QStringLiteral("Erh\u00f6hte Vulkanische und"),
                               QStringLiteral("Tektonische Aktivit\u00e4t")});
    t.label[4] = surface(QString(), measure(random, 7, 19));
    t.label[5] = orbit("1,6", "1.2");
    return t;
}

}  // namespace

std::optional<PanelTexts> panelTexts(int object, RandomSource& random) {
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

}  // namespace ovant::planet
