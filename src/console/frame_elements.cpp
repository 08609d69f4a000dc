#include "console/frame_elements.h"

#include "console/frame_layout.h"
#include "console/palette.h"
#include "elements/element_factory.h"
#include "platform/texts.h"

namespace ovant {

namespace {

constexpr FontSpec kCaptionFont{FontFace::Monitor, 15.75};

struct CaptionSpec {
    int member;
    int holder;  // 1..5 ButtonOben, 11..15 ButtonUnten 1..5, 20 ShapeOben
    Box box;
    const char* text;
};

// Caption boxes in twips inside their buttons; number captions get their
// numbers during the start.
constexpr CaptionSpec kCaptions[] = {
    {11, 1, {1035, 960, 435, 435}, "E&xit"},
    {13, 20, {900, 0, 570, 435}, ""},
    {12, 11, {375, 1140, 1110, 435}, "&Red Alert"},
    {14, 12, {1065, 60, 420, 435}, "Shi&p"},
    {0, 2, {1140, 210, 600, 435}, ""},
    {9, 3, {1305, 210, 435, 435}, "Info"},
    {10, 5, {1170, 210, 570, 435}, ""},
    {8, 4, {600, 210, 1155, 435}, "Auto Scan"},
    {16, 13, {300, 60, 1185, 435}, "Scan Ships"},
    {15, 14, {480, 60, 1020, 435}, "&End Scan"},
    {17, 15, {120, 30, 1365, 1155}, ""},
};

struct ColumnSpec {
    double left;
    double width;
};

constexpr ColumnSpec kColumns[NumberElements::kColumns + 1] = {
    {0, 0},      {30, 495},   {520, 375},  {940, 495},  {1480, 255}, {1850, 255},
    {2200, 255}, {2520, 495}, {3050, 255}, {3400, 255}, {3760, 375}, {4240, 900},
};

}  // namespace

void buildScreenBars(ElementTree& tree) {
    // The screen-wide bars lie on the window itself, hidden until laid out.
    const Box bar{0, 0, 0, frame::kBarHeight};
    for (const char* name : {"BarUp", "BarDown"}) {
        Element* b = makeLabel(tree, nullptr, QString::fromLatin1(name), bar, FontSpec{});
        b->setOpaque(true);
        b->setBackColor(palette::kBarGrey);
        b->hide();
    }
    const char* caps[][2] = {{"shpLeftUp", "Cap_left"},
                             {"shpRightUp", "Cap_right"},
                             {"shpLeftDown", "Cap_left"},
                             {"shpRightDown", "Cap_right"}};
    for (const auto& cap : caps) {
        makeImage(tree, nullptr, QString::fromLatin1(cap[0]), frame::kCapDesign,
                  QString::fromLatin1(cap[1]))
            ->hide();
    }
}

void layOutScreenBars(ElementTree& tree, QSize screenPixels) {
    const Twips& t = tree.twips();
    Element* leftUp = tree.find(QStringLiteral("shpLeftUp"));
    Element* rightUp = tree.find(QStringLiteral("shpRightUp"));
    Element* barUp = tree.find(QStringLiteral("BarUp"));
    Element* leftDown = tree.find(QStringLiteral("shpLeftDown"));
    Element* rightDown = tree.find(QStringLiteral("shpRightDown"));
    Element* barDown = tree.find(QStringLiteral("BarDown"));
    if (!leftUp || !rightUp || !barUp || !leftDown || !rightDown || !barDown) {
        return;
    }
    const frame::BarsLayout bars =
        frame::layoutBars(t.fromPixels(screenPixels.width()), t.fromPixels(screenPixels.height()),
                          leftUp->width(), leftUp->height(), barUp->height());
    auto place = [](Element* e, const Box& b) { e->setBox(b.left, b.top, b.width, b.height); };
    place(leftUp, bars.leftUp);
    place(rightUp, bars.rightUp);
    place(barUp, bars.barUp);
    place(leftDown, bars.leftDown);
    place(rightDown, bars.rightDown);
    place(barDown, bars.barDown);
    for (Element* e : {rightUp, leftUp, barUp, rightDown, leftDown, barDown}) {
        e->show();
    }
}

FrameElements buildFrame(ElementTree& tree) {
    FrameElements f;
    f.picMain = makePicture(tree, nullptr, QStringLiteral("PicMain"), frame::kPicMain);
    Element* main = f.picMain;

    f.buttonOben[1] = makePicture(tree, main, QStringLiteral("ButtonOben1"), frame::kButtonOben1);
    f.shapeOben = makePicture(tree, main, QStringLiteral("ShapeOben"), frame::kShapeOben);
    f.shapeUnten = makePicture(tree, main, QStringLiteral("ShapeUnten"), frame::kShapeUnten);
    for (int i = 1; i <= 6; ++i) {
        f.trennOben[i] =
            makePicture(tree, main, QStringLiteral("TrennOben%1").arg(i), frame::trennOben(i));
        f.trennUnten[i] =
            makePicture(tree, main, QStringLiteral("TrennUnten%1").arg(i), frame::trennUnten(i));
    }
    for (int i = 2; i <= 5; ++i) {
        f.buttonOben[i] =
            makePicture(tree, main, QStringLiteral("ButtonOben%1").arg(i), frame::kPills[i - 2]);
    }
    for (int i = 1; i <= 5; ++i) {
        f.buttonUnten[i] = makePicture(tree, main, QStringLiteral("ButtonUnten%1").arg(i),
                                       frame::kSideButtons[i - 1]);
    }

    for (const CaptionSpec& c : kCaptions) {
        Element* holder = c.holder == 20   ? f.shapeOben
                          : c.holder >= 11 ? f.buttonUnten[c.holder - 10]
                                           : f.buttonOben[c.holder];
        Element* label = makeLabel(tree, holder, indexedName("Label1", c.member), c.box,
                                   kCaptionFont, Qt::AlignRight, true);
        label->setForeColor(Qt::black);
        label->setText(QString::fromLatin1(c.text));
        f.captions[c.member] = label;
    }

    f.lblCaption = makeLabel(tree, main, QStringLiteral("lblCaption"), frame::kCaption,
                             FontSpec{FontFace::Monitor, 32.25}, Qt::AlignRight, false);
    f.lblCaption->setText(QString::fromLatin1(texts::kFieldProbe));

    buildScreenBars(tree);
    f.barUp = tree.find(QStringLiteral("BarUp"));
    f.barDown = tree.find(QStringLiteral("BarDown"));
    f.shpLeftUp = tree.find(QStringLiteral("shpLeftUp"));
    f.shpRightUp = tree.find(QStringLiteral("shpRightUp"));
    f.shpLeftDown = tree.find(QStringLiteral("shpLeftDown"));
    f.shpRightDown = tree.find(QStringLiteral("shpRightDown"));
    return f;
}

NumberElements buildNumberPanel(ElementTree& tree, Element* picMain) {
    NumberElements n;
    n.picNum = makePicture(tree, picMain, QStringLiteral("PicNum"), Box{2100, 450, 5145, 1680});
    for (int column = 1; column <= NumberElements::kColumns; ++column) {
        const QByteArray group = "Label" + QByteArray::number(column);
        for (int row = 1; row <= NumberElements::kRows; ++row) {
            const double left = column == 11 && row == 1 ? 4245 : kColumns[column].left;
            Element* field = makeLabel(tree, n.picNum, indexedName(group.constData(), row),
                                       Box{left, 240.0 * (row - 1), kColumns[column].width, 255},
                                       FontSpec{FontFace::Monitor, 8.25},
                                       column == 11 ? Qt::AlignLeft : Qt::AlignRight, false);
            field->setOpaque(true);
            field->setBackColor(Qt::black);
            field->setForeColor(Qt::white);
            n.field[column][row] = field;
        }
    }
    return n;
}

}  // namespace ovant
