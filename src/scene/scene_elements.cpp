#include "scene/scene_elements.h"

#include <functional>

#include "console/palette.h"
#include "elements/element_factory.h"
#include "scene/info_label_texts.h"
#include "scene/sector_table.h"
#include "scene/telescope_texts.h"

namespace ovant {

namespace {

constexpr FontSpec kSmallNarrow{FontFace::Narrow, 8.25};
constexpr FontSpec kZoomNarrow{FontFace::Narrow, 9.75};
constexpr FontSpec kPanelTitle{FontFace::Monitor, 14.25};
constexpr FontSpec kZoomTitle{FontFace::Monitor, 15.75};
constexpr double kDot = 135;

struct GridLine {
    const char* name;
    bool edge;  // the columns' lines are lighter than the rows'
    double x1, y1, x2, y2;
};

constexpr GridLine kGrid[] = {
    {"Line3", false, 0, 0, 9270, 0},         {"Line1", false, 0, 1685, 9270, 1685},
    {"Line2", false, 0, 3370, 9270, 3370},   {"Line4", false, 0, 5000, 9270, 5000},
    {"Line8", true, 0, -30, 0, 5000},       {"Line5", true, 2329, -30, 2329, 5000},
    {"Line6", true, 4665, -30, 4665, 5000}, {"Line7", true, 6986, -30, 6986, 5000},
    {"Line9", true, 9270, -30, 9270, 5010},
};

struct GridCaption {
    const char* name;
    const char* text;
    Box box;
};

constexpr GridCaption kGridCaptions[] = {
    {"Label12", "A1", {90, 0, 150, 270}},    {"Label13", "B1", {90, 1710, 135, 270}},
    {"Label14", "C1", {90, 3390, 135, 270}}, {"Label15", "2", {2430, 0, 75, 270}},
    {"Label16", "3", {4770, 0, 75, 270}},    {"Label17", "4", {7080, 0, 75, 270}},
};

// A leader rule: a thin picture of one colour, at its final geometry.
struct Rule {
    const char* name;
    Box box;
};

struct Point {
    const char* dot;
    double left, top;
};

struct TextBox {
    const char* name;
    Box box;
};

Element* rule(ElementTree& tree, Element* parent, const Rule& r) {
    Element* e = makePicture(tree, parent, QString::fromLatin1(r.name), r.box);
    e->hide();
    return e;
}

Element* dot(ElementTree& tree, Element* parent, const Point& p) {
    Element* e =
        makeCircle(tree, parent, QString::fromLatin1(p.dot), Box{p.left, p.top, kDot, kDot});
    e->hide();
    return e;
}

Element* hiddenLabel(ElementTree& tree, Element* parent, const TextBox& t, FontSpec font) {
    Element* e = makeLabel(tree, parent, QString::fromLatin1(t.name), t.box, font);
    e->hide();
    return e;
}

Element* hiddenAutoLabel(ElementTree& tree, Element* parent, const char* name, double left,
                         double top, FontSpec font, const QString& text = QString()) {
    Element* e = makeAutoLabel(tree, parent, QString::fromLatin1(name), left, top, font, text);
    e->hide();
    return e;
}

SectorElements buildSector(ElementTree& tree, Element* picMain) {
    SectorElements s;
    s.starsScan = makePicture(tree, picMain, QStringLiteral("StarsScan"), sector::kStarsScan);
    for (const GridLine& g : kGrid) {
        makeLine(tree, s.starsScan, QString::fromLatin1(g.name), g.x1, g.y1, g.x2, g.y2,
                 g.edge ? palette::kGridEdge : palette::kGridLine);
    }
    for (const GridCaption& c : kGridCaptions) {
        Element* label = makeLabel(tree, s.starsScan, QString::fromLatin1(c.name), c.box,
                                   FontSpec{FontFace::Monitor, 9.75}, Qt::AlignLeft, false);
        label->setForeColor(palette::kGridCaption);
        label->setText(QString::fromLatin1(c.text));
    }
    for (int n = 1; n <= sector::kObjects; ++n) {
        const sector::SectorObject& o = sector::kObjectTable[n];
        s.marker[n] =
            makeCircle(tree, s.starsScan, QStringLiteral("shpStar%1").arg(n), o.marker, 3);
        s.infoLabel[n] = makeLabel(tree, s.starsScan, QStringLiteral("lblStar%1Info").arg(n),
                                   o.infoLabel, kSmallNarrow, Qt::AlignLeft, true);
        s.infoLabel[n]->setText(sector::infoFullText(n));
    }
    const Box brackets[2] = {{6000, 3270, 195, 1260}, {6690, 3270, 195, 1260}};
    const char* bracketText[2] = {"[", "]"};
    for (int i = 0; i < 2; ++i) {
        Element* b = makeLabel(tree, s.starsScan, indexedName("lblScanner", i), brackets[i],
                               FontSpec{FontFace::Narrow, 60}, Qt::AlignLeft, false);
        b->setText(QString::fromLatin1(bracketText[i]));
        // A bracket reaches from the top of its box to the bottom, whatever
        // the face draws: the frame's lines are placed by the box.
        b->setTextSpansHeight(true);
        b->hide();
        s.lblScanner[i] = b;
    }
    s.lineScan[0] =
        makeLine(tree, s.starsScan, indexedName("LineScan", 0), 6060, 3960, -3300, 3960, Qt::white);
    s.lineScan[1] =
        makeLine(tree, s.starsScan, indexedName("LineScan", 1), 6900, 3960, 16170, 3960, Qt::white);
    s.lineScan[0]->hide();
    s.lineScan[1]->hide();
    return s;
}

// Builds a leader panel's elements at their final geometry from one table and
// reads the lengths the build-up grows to from the elements themselves.
struct LeaderPanelTable {
    const char* picture;
    const char* pictureName;
    Box box;
    const char* prefix;
    double resetTop;
    std::array<Point, 5> dots;  // dot names are filled in from the prefix
    std::array<Box, 6> rules;   // Line1_1 (vertical), Line1_2, Line2 .. Line5
    std::array<TextBox, 5> labels;
    double titleLeft, titleTop;
};

LeaderPanelLayout buildLeaderPanel(ElementTree& tree, Element* picMain, const LeaderPanelTable& t,
                                   const std::function<void(int, Element*)>& label) {
    LeaderPanelLayout p;
    const QString prefix = QString::fromLatin1(t.prefix);
    p.panel = makePicture(tree, picMain, QString::fromLatin1(t.picture), t.box);
    p.panel->setPicture(QString::fromLatin1(t.pictureName));
    p.panel->hide();
    for (int i = 1; i <= 5; ++i) {
        const Point& d = t.dots[static_cast<std::size_t>(i - 1)];
        p.dot[i] = makeCircle(tree, p.panel, prefix + QStringLiteral("Dot%1").arg(i),
                              Box{d.left, d.top, kDot, kDot});
        p.dot[i]->hide();
    }
    const auto ruleName = [&prefix](int i) {
        if (i == 0) {
            return prefix + QStringLiteral("Line1_1");
        }
        return i == 1 ? prefix + QStringLiteral("Line1_2")
                      : prefix + QStringLiteral("Line%1").arg(i);
    };
    for (int i = 0; i <= 5; ++i) {
        Element* e = makePicture(tree, p.panel, ruleName(i), t.rules[static_cast<std::size_t>(i)]);
        e->hide();
        if (i == 0) {
            p.vertical = e;
            p.finalTop = e->top();
            p.finalHeight = e->height();
        } else {
            p.horizontal[i] = e;
            p.finalWidth[i] = e->width();
        }
    }
    p.resetTop = t.resetTop;
    for (int i = 1; i <= 5; ++i) {
        const TextBox& box = t.labels[static_cast<std::size_t>(i - 1)];
        const QString name = prefix + QStringLiteral("Label%1").arg(i);
        // A label without a width sizes itself to its text.
        p.label[i] = box.box.width > 0 ? makeLabel(tree, p.panel, name, box.box, kSmallNarrow)
                                       : makeAutoLabel(tree, p.panel, name, box.box.left,
                                                       box.box.top, kSmallNarrow, QString());
        p.label[i]->hide();
        label(i, p.label[i]);
    }
    p.title = hiddenAutoLabel(tree, p.panel, (QByteArray(t.prefix) + "LabelName").constData(),
                              t.titleLeft, t.titleTop, kPanelTitle);
    return p;
}

// The planet panel's labels except the third size themselves to their text.
constexpr LeaderPanelTable kPlanetPanel{
    "PicScanInfo",
    "PlanetPanel",
    {2100, 330, 4995, 1875},
    "plnt",
    840,
    {{{"", 180, 820}, {"", 1140, 315}, {"", 420, 615}, {"", 1200, 1185}, {"", 840, 1395}}},
    {{{240, 130, 15, 740},
      {240, 120, 2050, 15},
      {1260, 375, 1035, 15},
      {540, 670, 1750, 15},
      {1320, 1245, 975, 15},
      {960, 1455, 1335, 15}}},
    {{{"", {2370, 20, 0, 0}},
      {"", {2370, 275, 0, 0}},
      {"", {2370, 570, 2505, 600}},
      {"", {2370, 1145, 0, 0}},
      {"", {2370, 1355, 0, 0}}}},
    90,
    1530};

constexpr LeaderPanelTable kTelescopePanel{
    "PicSRTele",
    "TelescopePanel",
    {2100, 390, 5145, 1845},
    "SRT",
    810,
    {{{"", 160, 810}, {"", 960, 330}, {"", 300, 540}, {"", 1050, 1110}, {"", 690, 1320}}},
    {{{220, 80, 15, 760},
      {220, 60, 1925, 15},
      {1080, 390, 1065, 15},
      {420, 600, 1725, 15},
      {1170, 1170, 975, 15},
      {810, 1380, 1335, 15}}},
    {{{"", {2220, -40, 2550, 180}},
      {"", {2220, 290, 900, 180}},
      {"", {2220, 500, 1440, 570}},
      {"", {2220, 1070, 900, 180}},
      {"", {2220, 1275, 2535, 210}}}},
    90,
    1470};

LeaderPanelLayout buildPlanetPanel(ElementTree& tree, Element* picMain) {
    // The planet's texts are filled in anew for every scan.
    return buildLeaderPanel(tree, picMain, kPlanetPanel, [](int, Element*) {});
}

LeaderPanelLayout buildTelescopePanel(ElementTree& tree, Element* picMain) {
    LeaderPanelLayout p =
        buildLeaderPanel(tree, picMain, kTelescopePanel,
                         [](int i, Element* label) { label->setText(telescope::panelLabel(i)); });
    p.title->setText(QString::fromLatin1(telescope::kStationName));
    return p;
}

Element* closeButton(ElementTree& tree, Element* parent, const char* name) {
    Element* e = makePicture(tree, parent, QString::fromLatin1(name), Box{7470, 4620, 1860, 405});
    e->setPicture(QStringLiteral("Back"));
    e->hide();
    return e;
}

SchematicElements buildStarZoom(ElementTree& tree, Element* picMain) {
    SchematicElements z;
    z.picture =
        makePicture(tree, picMain, QStringLiteral("PicStarZoom"), Box{2130, 3090, 9345, 5025});
    z.picture->setPicture(QStringLiteral("StarZoom"));
    z.picture->hide();
    const Point dots[] = {{"StarZoomDot1", 595, 2250},  {"StarZoomDot2", 3270, 1200},
                          {"StarZoomDot3", 1530, 1520}, {"StarZoomDot4", 1770, 3420},
                          {"StarZoomDot5", 3210, 3480}, {"StarZoomDot6", 4170, 2925},
                          {"StarZoomDot7", 1260, 2190}};
    for (const Point& p : dots) {
        z.dots.push_back(dot(tree, z.picture, p));
    }
    const Rule rules[] = {
        {"StarZoomLine1_1", {640, 135, 30, 2190}},   {"StarZoomLine1_2", {645, 120, 4950, 20}},
        {"StarZoomLine2_1", {3330, 390, 30, 825}},   {"StarZoomLine2_2", {3330, 370, 2265, 20}},
        {"StarZoomLine3", {1650, 1570, 3945, 20}},   {"StarZoomLine4_1", {1830, 2290, 30, 1145}},
        {"StarZoomLine4_2", {1830, 2290, 3770, 20}}, {"StarZoomLine5_1", {3270, 2520, 30, 1005}},
        {"StarZoomLine5_2", {3300, 2520, 2295, 20}}, {"StarZoomLine6", {4290, 2985, 1305, 20}},
        {"StarZoomLine7_1", {1315, 2310, 30, 1815}}, {"StarZoomLine7_2", {1320, 4110, 4245, 20}}};
    for (const Rule& r : rules) {
        z.leaders.push_back(rule(tree, z.picture, r));
    }
    const TextBox labels[] = {
        {"StarZoomLabel1", {5670, 15, 3585, 240}},   {"StarZoomLabel2", {5670, 270, 3630, 1065}},
        {"StarZoomLabel3", {5670, 1470, 3630, 720}}, {"StarZoomLabel4", {5670, 2190, 3630, 255}},
        {"StarZoomLabel5", {5670, 2415, 3630, 495}}, {"StarZoomLabel6", {5670, 2880, 3630, 1080}},
        {"StarZoomLabel7", {5670, 3990, 3630, 525}}};
    for (const TextBox& t : labels) {
        z.labels.push_back(hiddenLabel(tree, z.picture, t, kZoomNarrow));
    }
    z.labelName = hiddenAutoLabel(tree, z.picture, "lblStarName", 0, 4590, kZoomTitle);
    z.closeButton = closeButton(tree, z.picture, "PicStarZoomOff");
    return z;
}

SchematicElements buildTelescopeZoom(ElementTree& tree, Element* picMain) {
    SchematicElements z;
    z.picture =
        makePicture(tree, picMain, QStringLiteral("PicSRTZoom"), Box{2130, 3090, 9345, 5025});
    z.picture->setPicture(QStringLiteral("TelescopeZoom"));
    z.picture->hide();
    const Rule rules[] = {
        {"SRTZoomLine1_1", {640, 140, 30, 2845}},   {"SRTZoomLine1_2", {645, 120, 4950, 20}},
        {"SRTZoomLine2_1", {3330, 390, 30, 825}},   {"SRTZoomLine2_2", {3330, 370, 2265, 20}},
        {"SRTZoomLine3", {1650, 1570, 3945, 20}},   {"SRTZoomLine4_1", {3300, 2290, 30, 1145}},
        {"SRTZoomLine4_2", {3330, 2290, 2280, 20}}, {"SRTZoomLine4_3", {3690, 2520, 30, 1005}},
        {"SRTZoomLine4_4", {3720, 2520, 1870, 20}}, {"SRTZoomLine6", {4410, 3080, 1185, 20}},
        {"SRTZoomLine5_1", {720, 3750, 30, 285}},   {"SRTZoomLine5_2", {720, 3735, 4875, 20}},
        {"SRTZoomLine5_3", {1620, 3950, 30, 355}},  {"SRTZoomLine5_4", {1620, 3950, 3975, 20}},
        {"SRTZoomLine5_5", {2340, 4150, 30, 365}},  {"SRTZoomLine5_6", {2340, 4150, 3255, 20}}};
    for (const Rule& r : rules) {
        z.leaders.push_back(rule(tree, z.picture, r));
    }
    const Point dots[] = {{"SRTZoomDot1", 590, 2940},    {"SRTZoomDot2", 3270, 1200},
                          {"SRTZoomDot3", 1530, 1520},   {"SRTZoomDot4_1", 3240, 3420},
                          {"SRTZoomDot4_2", 3650, 3480}, {"SRTZoomDot6", 4290, 3010},
                          {"SRTZoomDot5_1", 670, 3960},  {"SRTZoomDot5_2", 1560, 4230},
                          {"SRTZoomDot5_3", 2280, 4440}};
    for (const Point& p : dots) {
        z.dots.push_back(dot(tree, z.picture, p));
    }
    const TextBox labels[] = {
        {"SRTZoomLabel1", {5670, 15, 3585, 240}},   {"SRTZoomLabel2", {5670, 300, 3630, 1065}},
        {"SRTZoomLabel3", {5670, 1455, 3630, 510}}, {"SRTZoomLabel4", {5670, 2190, 3630, 645}},
        {"SRTZoomLabel6", {5670, 2970, 3630, 270}}, {"SRTZoomLabel5", {5670, 3630, 3630, 960}}};
    for (const TextBox& t : labels) {
        Element* label = hiddenLabel(tree, z.picture, t, kZoomNarrow);
        const int point = QByteArray(t.name).right(1).toInt();
        label->setText(telescope::zoomLabel(point));
        z.labels.push_back(label);
    }
    z.labelName = hiddenAutoLabel(tree, z.picture, "SRTZoomLabelName", 0, 4590, kZoomTitle,
                                  QString::fromLatin1(telescope::kStationName));
    z.closeButton = closeButton(tree, z.picture, "PicZoomOff");
    return z;
}

}  // namespace

SceneElements buildScene(ElementTree& tree, Element* picMain) {
    SceneElements s;
    s.sector = buildSector(tree, picMain);
    s.planetPanel = buildPlanetPanel(tree, picMain);
    s.telescopePanel = buildTelescopePanel(tree, picMain);
    s.starZoom = buildStarZoom(tree, picMain);
    s.telescopeZoom = buildTelescopeZoom(tree, picMain);
    return s;
}

}  // namespace ovant
