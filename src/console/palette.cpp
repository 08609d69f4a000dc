#include "console/palette.h"

namespace ovant {

QColor changeColor(int index, int mode) {
    static const QColor normal[] = {palette::kSalmon, palette::kPeach, palette::kOrange,
                                    palette::kLilac};
    static const QColor red[] = {palette::kAlertDark, palette::kAlertRed, palette::kAlertDeep,
                                 palette::kAlertBright};
    if (index < 1 || index > 4) {
        return Qt::black;
    }
    if (mode == 1) {
        return normal[index - 1];
    }
    if (mode == 2) {
        return red[index - 1];
    }
    return Qt::black;
}

QColor numberTone(Scheme scheme, int tone) {
    if (scheme == Scheme::RedAlert) {
        return tone == 1 ? palette::kAlertText : palette::kWhite;
    }
    return tone == 1 ? palette::kNumberLavender : palette::kNumberOrange;
}

QColor objectMarkerColour(Scheme scheme) {
    return scheme == Scheme::RedAlert ? palette::kWhite : palette::kOrange;
}

QColor objectLabelColour(Scheme scheme) {
    return scheme == Scheme::RedAlert ? palette::kAlertText : palette::kLilac;
}

QColor shipInfoColour(Scheme scheme) {
    return scheme == Scheme::RedAlert ? palette::kAlertText : palette::kMauve;
}

namespace {

QString name(const char* text) {
    return QString::fromUtf8(text);
}

std::vector<QString> names(std::initializer_list<const char*> list) {
    std::vector<QString> out;
    for (const char* n : list) {
        out.push_back(name(n));
    }
    return out;
}

SchemeRow colourRow(std::initializer_list<const char*> elements, SchemeProperty property,
                    QColor normal, QColor red) {
    return SchemeRow{names(elements), property, normal, red, QString(), QString()};
}

SchemeRow pictureRow(const char* element, const char* normal, const char* red) {
    return SchemeRow{names({element}), SchemeProperty::Picture,
                     QColor(),         QColor(),
                     name(normal),     red != nullptr ? name(red) : QString()};
}

std::vector<SchemeRow> buildTable() {
    using P = SchemeProperty;
    using namespace palette;
    const QColor white = kWhite;
    const QColor red = kAlertRed;
    const QColor mauve = kMauve;
    const QColor peach = kPeach;
    const QColor itemRed = kAlertText;
    std::vector<SchemeRow> t;
    t.push_back(colourRow({"lblCaption"}, P::Text, palette::kOrange, white));
    t.push_back(pictureRow("ShapeOben", "Shape_oben", "Shape_oben_rot"));
    const QColor trennOben[] = {kLilac, kAmber, kSalmon, kMauve, kMauve, kSalmon};
    const char* trennObenNames[] = {"TrennOben1", "TrennOben2", "TrennOben3",
                                    "TrennOben4", "TrennOben5", "TrennOben6"};
    for (int i = 0; i < 6; ++i) {
        t.push_back(colourRow({trennObenNames[i]}, P::Background, trennOben[i], red));
    }
    t.push_back(pictureRow("ShapeUnten", "Shape_unten", "Shape_unten_rot"));
    const QColor trennUnten[] = {kSalmon, kSand, kAmber, kMauve, kMauve, kAmber};
    const char* trennUntenNames[] = {"TrennUnten1", "TrennUnten2", "TrennUnten3",
                                     "TrennUnten4", "TrennUnten5", "TrennUnten6"};
    for (int i = 0; i < 6; ++i) {
        t.push_back(colourRow({trennUntenNames[i]}, P::Background, trennUnten[i], red));
    }
    t.push_back(colourRow({"ButtonOben1"}, P::Background, kMauveBlock, red));
    t.push_back(pictureRow("ButtonOben2", "Button_rot", "Button_dunkelrot"));
    t.push_back(pictureRow("ButtonOben3", "Button_lila", "Button_wei\u00df"));
    t.push_back(pictureRow("ButtonOben4", "Button_blau", "Button_rot1"));
    t.push_back(pictureRow("ButtonOben5", "Button_gelb", "Button_wei\u00df"));

    t.push_back(colourRow({"lblScanner(0)", "lblScanner(1)"}, P::Text, peach, white));
    t.push_back(colourRow({"LineScan(0)", "LineScan(1)"}, P::LineColour, peach, white));

    // Each panel point after the other (dot, its rules, its text), then the title.
    struct Panel {
        std::initializer_list<const char*> dots;
        std::initializer_list<const char*> rules;
        std::initializer_list<const char*> texts;
        const char* title;
    };
    const Panel panels[] = {
        {{"SRTDot1", "SRTDot2", "SRTDot3", "SRTDot4", "SRTDot5"},
         {"SRTLine1_1", "SRTLine1_2", "SRTLine2", "SRTLine3", "SRTLine4", "SRTLine5"},
         {"SRTLabel1", "SRTLabel2", "SRTLabel3", "SRTLabel4", "SRTLabel5"},
         "SRTLabelName"},
        {{"plntDot1", "plntDot2", "plntDot3", "plntDot4", "plntDot5"},
         {"plntLine1_1", "plntLine1_2", "plntLine2", "plntLine3", "plntLine4", "plntLine5"},
         {"plntLabel1", "plntLabel2", "plntLabel3", "plntLabel4", "plntLabel5"},
         "plntLabelName"},
        {{"SRTZoomDot1", "SRTZoomDot2", "SRTZoomDot3", "SRTZoomDot4_1", "SRTZoomDot4_2",
          "SRTZoomDot5_1", "SRTZoomDot5_2", "SRTZoomDot5_3", "SRTZoomDot6"},
         {"SRTZoomLine1_1", "SRTZoomLine1_2", "SRTZoomLine2_1", "SRTZoomLine2_2", "SRTZoomLine3",
          "SRTZoomLine4_1", "SRTZoomLine4_2", "SRTZoomLine4_3", "SRTZoomLine4_4", "SRTZoomLine5_1",
          "SRTZoomLine5_2", "SRTZoomLine5_3", "SRTZoomLine5_4", "SRTZoomLine5_5", "SRTZoomLine5_6",
          "SRTZoomLine6"},
         {"SRTZoomLabel1", "SRTZoomLabel2", "SRTZoomLabel3", "SRTZoomLabel4", "SRTZoomLabel5",
          "SRTZoomLabel6"},
         "SRTZoomLabelName"},
        {{"StarZoomDot1", "StarZoomDot2", "StarZoomDot3", "StarZoomDot4", "StarZoomDot5",
          "StarZoomDot6", "StarZoomDot7"},
         {"StarZoomLine1_1", "StarZoomLine1_2", "StarZoomLine2_1", "StarZoomLine2_2",
          "StarZoomLine3", "StarZoomLine4_1", "StarZoomLine4_2", "StarZoomLine5_1",
          "StarZoomLine5_2", "StarZoomLine6", "StarZoomLine7_1", "StarZoomLine7_2"},
         {"StarZoomLabel1", "StarZoomLabel2", "StarZoomLabel3", "StarZoomLabel4", "StarZoomLabel5",
          "StarZoomLabel6", "StarZoomLabel7"},
         "lblStarName"},
    };
    for (const Panel& p : panels) {
        t.push_back(colourRow(p.dots, P::Fill, mauve, white));
        t.push_back(colourRow(p.rules, P::Background, mauve, white));
        t.push_back(colourRow(p.texts, P::Text, peach, itemRed));
        t.push_back(colourRow({p.title}, P::Text, palette::kLilac, white));
    }
    t.push_back(colourRow({"lblShipName"}, P::Text, palette::kLilac, white));
    t.push_back(pictureRow("PicZoomOff", "Back", nullptr));
    t.push_back(pictureRow("PicStarZoomOff", "Back", nullptr));
    const QColor side[] = {kSalmon, kSalmon, kOrange, kOrange, kPeach};
    const char* sideNames[] = {"ButtonUnten1", "ButtonUnten2", "ButtonUnten3", "ButtonUnten4",
                               "ButtonUnten5"};
    for (int i = 0; i < 5; ++i) {
        t.push_back(colourRow({sideNames[i]}, P::Background, side[i], red));
    }
    return t;
}

}  // namespace

const std::vector<SchemeRow>& schemeTable() {
    static const std::vector<SchemeRow> table = buildTable();
    return table;
}

}  // namespace ovant

#include "elements/element_tree.h"

namespace ovant {

void applyScheme(ElementTree& tree, Scheme scheme) {
    const bool red = scheme == Scheme::RedAlert;
    for (const SchemeRow& row : schemeTable()) {
        for (const QString& elementName : row.elements) {
            Element* e = tree.find(elementName);
            if (e == nullptr) {
                continue;
            }
            const QColor colour = red ? row.red : row.normal;
            switch (row.property) {
                case SchemeProperty::Text:
                    e->setForeColor(colour);
                    break;
                case SchemeProperty::Background:
                case SchemeProperty::Fill:
                    e->setBackColor(colour);
                    break;
                case SchemeProperty::LineColour:
                    e->setBorderColor(colour);
                    break;
                case SchemeProperty::Picture: {
                    const QString& picture = red ? row.redPicture : row.normalPicture;
                    if (!picture.isEmpty()) {
                        e->setPicture(picture);
                    }
                    break;
                }
            }
        }
    }
}

}  // namespace ovant
