#include "scene/info_label_texts.h"

#include <array>

namespace ovant::sector {

namespace {

struct InfoTexts {
    const char* stage1;
    const char* stage2;
    const char* stage3;
    const char* full;
};

constexpr std::array<InfoTexts, 6> kInfoTexts{{
    {"", "", "", ""},
    {"Delta Vega", "Delta Vega    Klasse L", "Delta Vega    Klasse L       Sektor A2",
     "Delta Vega    Klasse L       Sektor A2    326.021.254"},
    {"Omicron Theta", "Omicron Theta Klasse M", "Omicron Theta Klasse M       Sektor B4",
     "Omicron Theta Klasse M       Sektor B4    215.207.065"},
    {"Lamda Pass", "Lamda Pass    Klasse K", "Lamda Pass    Klasse K       Sektor C1",
     "Lamda Pass    Klasse K       Sektor C1    452.050.352"},
    {"Argus VII", "Argus VII        SR-Teleskop", "Argus VII        SR-Teleskop   Sektor C3",
     "Argus VII        SR-Teleskop   Sektor C3   365.004.362"},
    {"Lamenda Prime", "Lamenda Prime Klasse M", "Lamenda Prime Klasse M       Sektor A4",
     "Lamenda Prime Klasse M       Sektor A4    865.215.012"},
}};

bool valid(int object) {
    return object >= 1 && object <= 5;
}

}  // namespace

QString infoFullText(int object) {
    return valid(object) ? QString::fromLatin1(kInfoTexts[object].full) : QString();
}

QString infoStageText(int object, int stage) {
    if (!valid(object)) {
        return {};
    }
    const InfoTexts& t = kInfoTexts[object];
    switch (stage) {
        case 1:
            return QString::fromLatin1(t.stage1);
        case 2:
            return QString::fromLatin1(t.stage2);
        case 3:
            return QString::fromLatin1(t.stage3);
        default:
            return {};
    }
}

}  // namespace ovant::sector
