#include "windows/info_elements.h"

#include "console/frame_elements.h"
#include "console/palette.h"
#include "elements/element_factory.h"
#include "windows/info_texts.h"

namespace ovant {

namespace {

using info::Page;

constexpr FontSpec kCaptionFont{FontFace::Monitor, 15.75};
constexpr FontSpec kHeadingFont{FontFace::Monitor, 26.25};
constexpr FontSpec kHelpFont{FontFace::Narrow, 9.75};

struct PageLabel {
    const char* name;
    Box box;
    double points;
    const QColor& colour;
    QString (*text)();
    Qt::Alignment align = Qt::AlignLeft;
};

QString noText() {
    return {};
}

// Headings at the page's right edge end there, whatever the face's width.
const PageLabel kAboutLabels[] = {
    {"lblProg1", {3300, 60, 3855, 720}, 26.25, palette::kPeach, &info::texts::title},
    // As wide as the title above it: the whole version line does not fit
    // the narrower box in our faces, and nothing lies beside it.
    {"lblProg2", {3300, 840, 3855, 510}, 18, palette::kPeach, &noText},
    {"lblProg3", {30, 2280, 7095, 3645}, 14.25, palette::kOrange, &info::texts::description},
    {"lblProg4", {30, 6000, 6825, 375}, 14.25, palette::kLilac, &info::texts::greeting},
};
const PageLabel kConceptLabels[] = {
    {"lblOVANT1",
     {5940, 0, 1215, 720},
     26.25,
     palette::kOrange,
     &info::texts::conceptHeading,
     Qt::AlignRight},
    {"lblOVANT2", {60, 1050, 7065, 4935}, 15.75, palette::kLilac, &info::texts::conceptText},
};
const PageLabel kCreditsLabels[] = {
    {"lblCred1",
     {5880, 0, 1260, 720},
     26.25,
     palette::kOrange,
     &info::texts::creditsHeading,
     Qt::AlignRight},
    {"lblCred2", {30, 960, 6825, 975}, 18, palette::kLilac, &info::texts::thanksTesters},
    {"lblCred3", {30, 2100, 6825, 1575}, 18, palette::kSalmon, &info::texts::thanksProgrammers},
    {"lblCred4", {30, 3750, 6825, 1035}, 18, palette::kPeach, &info::texts::thanksSystems},
    {"lblCred5", {30, 4890, 6825, 1035}, 18, palette::kOrange, &info::texts::thanksLook},
};
const PageLabel kCopyrightLabels[] = {
    {"lblCopy1",
     {5310, 0, 1845, 720},
     26.25,
     palette::kOrange,
     &info::texts::copyrightsHeading,
     Qt::AlignRight},
    {"lblCopy2", {30, 960, 6945, 1545}, 18, palette::kSalmon, &noText},
    {"lblCopy3", {30, 2670, 6825, 1995}, 18, palette::kLilac, &info::texts::licence},
    {"lblCopy4", {30, 4890, 6825, 555}, 18, palette::kPeach, &info::texts::furtherRights},
};

Element* makePage(ElementTree& tree, Element* main, const char* name) {
    Element* page = makePicture(tree, main, QString::fromLatin1(name), info::kPage);
    page->hide();
    return page;
}

template <std::size_t N>
void addLabels(ElementTree& tree, InfoPageElements& page, const PageLabel (&labels)[N]) {
    for (const PageLabel& l : labels) {
        Element* e = makeLabel(tree, page.page, QString::fromLatin1(l.name), l.box,
                               FontSpec{FontFace::Monitor, l.points}, l.align, true);
        e->setForeColor(l.colour);
        e->setText(l.text());
        e->hide();
        page.steps.push_back(e);
    }
}

void buildColumn(ElementTree& tree, InfoElements& e) {
    for (std::size_t i = 0; i < info::kColumn.size(); ++i) {
        const info::ColumnButton& b = info::kColumn[i];
        e.buttons[i] = makePicture(tree, e.picInfoMain, QString::fromLatin1(b.name), b.box);
        // At the bottom right of the button; the about button's long caption
        // wraps onto two rows there.
        const double rows = b.box.height >= 1500 ? 2 : 1;
        const double height = rows * info::kCaptionRow;
        const Box box{info::kCaptionInset / 2, b.box.height - height - 30,
                      b.box.width - info::kCaptionInset, height};
        Element* caption = makeLabel(tree, e.buttons[i], indexedName("Label1", b.captionMember),
                                     box, kCaptionFont, Qt::AlignRight, true);
        caption->setForeColor(Qt::black);
        caption->setText(QString::fromUtf8(b.caption));
        e.captions[i] = caption;
    }
    e.shapeOben = makePicture(tree, e.picInfoMain, QStringLiteral("ShapeOben"), info::kShapeOben);
    e.shapeOben->setPicture(QStringLiteral("InfoShape"));
    e.cornerCaption = makeLabel(tree, e.shapeOben, indexedName("Label1", 13), info::kCornerCaption,
                                kCaptionFont, Qt::AlignRight, false);
    e.cornerCaption->setForeColor(Qt::black);
    e.trennOben1 = makePicture(tree, e.picInfoMain, QStringLiteral("TrennOben1"), info::kTrennOben1,
                               palette::kSalmon);
}

void buildHelp(ElementTree& tree, InfoElements& e) {
    InfoPageElements& help = e.page(Page::Help);
    help.page = makePage(tree, e.picInfoMain, "PicHelp");
    e.lblHelp1 = makeLabel(tree, help.page, QStringLiteral("lblHelp1"), {6285, 0, 870, 720},
                           kHeadingFont, Qt::AlignRight, false);
    e.lblHelp1->setForeColor(palette::kOrange);
    e.lblHelp1->setText(info::texts::helpHeading());
    e.lblHelp1->hide();
    e.picHelpInt = makePicture(tree, help.page, QStringLiteral("PicHelpInt"), info::kPicHelpInt);
    e.picHelpInt->setPicture(QStringLiteral("InfoConsole"));
    e.picHelpInt->hide();
    help.steps = {e.lblHelp1, e.picHelpInt};

    // The help marks are red lines and dots on the picture, text in white.
    const QColor& red = palette::kAlertText;
    for (std::size_t i = 0; i < info::kHelpItems.size(); ++i) {
        const info::HelpItem& item = info::kHelpItems[i];
        HelpItemElements& h = e.help[i];
        h.design = &item;
        h.dot = makeCircle(tree, e.picHelpInt, QStringLiteral("hlpDot%1").arg(item.number),
                           Box{item.dotLeft, item.dotTop, info::kHelpDot, info::kHelpDot}, 1);
        h.dot->setBackColor(red);
        h.dot->setBorderColor(red);
        h.dot->hide();
        for (std::size_t l = 0; l < item.lines.size(); ++l) {
            const info::HelpLine& line = item.lines[l];
            if (line.name[0] == '\0') {
                continue;
            }
            const Box box = line.vertical
                                ? Box{line.left, line.top, info::kHelpLineWide, line.length}
                                : Box{line.left, line.top, line.length, info::kHelpLineThick};
            h.lines[l] = makePicture(tree, e.picHelpInt, QString::fromLatin1(line.name), box, red);
            h.lines[l]->hide();
        }
        h.label = makeLabel(tree, e.picHelpInt, QStringLiteral("hlpLabel%1").arg(item.number),
                            item.label, kHelpFont, Qt::AlignLeft, true);
        h.label->setForeColor(palette::kWhite);
        h.label->setText(QString::fromUtf8(item.text));
        h.label->hide();
    }
}

}  // namespace

int columnIndexOf(info::Page page) {
    for (std::size_t i = 0; i < info::kColumn.size(); ++i) {
        if (info::kColumn[i].opens == page) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

InfoElements buildInfoElements(ElementTree& tree) {
    InfoElements e;
    e.picInfoMain = makePicture(tree, nullptr, QStringLiteral("PicInfoMain"), info::kPicInfoMain);
    buildColumn(tree, e);

    InfoPageElements& about = e.page(Page::About);
    about.page = makePage(tree, e.picInfoMain, "PicInfo");
    Element* photo = makePicture(tree, about.page, QStringLiteral("picProg"), {0, 0, 3000, 2130});
    photo->setPicture(QStringLiteral("InfoPhoto"));
    photo->hide();
    about.steps.push_back(photo);
    addLabels(tree, about, kAboutLabels);
    e.lblProg2 = about.steps[2];

    InfoPageElements& conceptPage = e.page(Page::Concept);
    conceptPage.page = makePage(tree, e.picInfoMain, "PicOVANT");
    addLabels(tree, conceptPage, kConceptLabels);

    InfoPageElements& credits = e.page(Page::Credits);
    credits.page = makePage(tree, e.picInfoMain, "PicCred");
    addLabels(tree, credits, kCreditsLabels);

    InfoPageElements& copyrights = e.page(Page::Copyrights);
    copyrights.page = makePage(tree, e.picInfoMain, "PicCopy");
    addLabels(tree, copyrights, kCopyrightLabels);

    buildHelp(tree, e);
    buildScreenBars(tree);
    return e;
}

}  // namespace ovant
