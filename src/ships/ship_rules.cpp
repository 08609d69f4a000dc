#include "ships/ship_rules.h"

#include <QStringList>

#include "platform/random_source.h"
#include "platform/texts.h"

namespace ovant::ships {

namespace {

const QChar kCr(13);

// Entry points just outside the sector picture, 9315 x 5055 twips.
constexpr int kSectorWidth = 9315;
constexpr int kSectorHeight = 5055;

// floor(r * m): 0 to m - 1.
int below(RandomSource& random, int m) {
    return random.draw(m) - 1;
}

}  // namespace

const std::array<ShipClass, kCatalogueSize + 1>& catalogue() {
    static const std::array<ShipClass, kCatalogueSize + 1> ships{{
        {"", nullptr, "", ""},
        {"U.S.S. Enterprise", "NCC 1701-E", "Sovereign-Klasse", "Sovereign"},
        {"U.S.S. Galaxy", "NCC 76037", "Galaxy-Klasse", "Galaxy"},
        {"U.S.S. Defiant", "NX 74205", "Defiant-Klasse", "Defiant"},
        {"U.S.S. Repulse", "NCC 2544", "Excelsior-Klasse", "Excelsior"},
        {"U.S.S. Hood", "NCC 422296", "Excelsior-Klasse", "Excelsior"},
        {"U.S.S. Phoenix", "NCC 65420", "Nebula-Klasse", "Nebula"},
        {"U.S.S. Intrepid", "NCC 76125", "Intrepid-Klasse", "Intrepid"},
        {"Runabout", nullptr, "Danube-Klasse", "Runabout"},
        {"Shuttle", nullptr, "Typ 6", "ShuttleTyp6"},
    }};
    return ships;
}

namespace {
QStringList fields(const ShipClass& ship) {
    QStringList parts{QString::fromUtf8(ship.name)};
    if (ship.registry != nullptr) {
        parts << QString::fromUtf8(ship.registry);
    }
    parts << QString::fromUtf8(ship.shipClass);
    return parts;
}
}  // namespace

QString infoLines(const ShipClass& ship) {
    return fields(ship).join(kCr);
}

QString panelCaption(const ShipClass& ship) {
    return fields(ship).join(QStringLiteral(" - "));
}

QString activityLine(int draw) {
    static const char* const activities[] = {"",
                                             "Scannt Sektor...",
                                             "Sammelt Proben...",
                                             "Scannt Planeten...",
                                             "Patrouilliert...",
                                             "Passiert Sektor..."};
    if (draw < 1 || draw > kActivities) {
        return QString();
    }
    return kCr + QString::fromUtf8(activities[draw]);
}

QString leavingMessage(int warp, int course, int courseTenth) {
    return QStringLiteral("Das Schiff hat den Sektor verlassen.") + kCr +
           QStringLiteral("Speed: Warp ") + texts::signedNumber(warp) + kCr +
           QStringLiteral("Kurs: ") + texts::signedNumber(course) + QStringLiteral(".") +
           texts::signedNumber(courseTenth);
}

Leaving drawLeaving(RandomSource& random) {
    Leaving l{};
    l.warp = random.draw(8);
    l.course = below(random, 361);
    l.courseTenth = below(random, 361);
    return l;
}

Point drawTarget(RandomSource& random) {
    const int x = below(random, 7741) + 10;
    const int y = below(random, 5031) + 10;
    return {x, y};
}

Point drawEntry(RandomSource& random) {
    switch (random.draw(4)) {
        case 1:
            return {-1000, below(random, kSectorHeight)};
        case 2:
            return {9815, below(random, kSectorHeight)};
        case 3:
            return {below(random, kSectorWidth), -700};
        default:
            return {below(random, kSectorWidth), 5060};
    }
}

Heading headingFrom(Point start) {
    return {start.x > 0 ? Horizontal::Left : Horizontal::Right,
            start.y > 0 ? Vertical::Up : Vertical::Down};
}

Step step(Point position, Point target, Heading heading) {
    Step s{position, true, true};
    if (heading.x == Horizontal::Left ? position.x > target.x : position.x < target.x) {
        s.position.x += heading.x == Horizontal::Left ? -kStepTwips : kStepTwips;
        s.xDone = false;
    }
    if (heading.y == Vertical::Up ? position.y > target.y : position.y < target.y) {
        s.position.y += heading.y == Vertical::Up ? -kStepTwips : kStepTwips;
        s.yDone = false;
    }
    return s;
}

}  // namespace ovant::ships
