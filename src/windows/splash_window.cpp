#include "windows/splash_window.h"

#include "console/frame_elements.h"
#include "console/frame_layout.h"
#include "console/palette.h"
#include "elements/element_factory.h"
#include "platform/mouse_cursor.h"
#include "platform/random_source.h"
#include "platform/screen_rules.h"
#include "platform/texts.h"

namespace ovant {

namespace {
constexpr FontSpec kCaptionFont{FontFace::Monitor, 15.75};
constexpr const char* kPublisher = "OVANT";
}  // namespace

SplashWindow::SplashWindow(Twips twips, const PictureStore* pictures, RandomSource& random,
                           QRect screen)
    : ElementWindow(twips, pictures), random_(random), screen_(screen) {
    // Named after the program, so that it is not taken for the console itself.
    setWindowTitle(QStringLiteral("OVANT-Scan"));
    const Twips& t = tree().twips();
    resize(t.toPixels(11775), t.toPixels(9270));
    root().setBox(0, 0, 11775, 9270);
    build();
}

void SplashWindow::build() {
    ElementTree& t = tree();
    picSplashMain_ = makePicture(t, nullptr, QStringLiteral("PicSplashMain"), frame::kPicMain);
    Element* main = picSplashMain_;
    picture1_ = makePicture(t, main, QStringLiteral("Picture1"), Box{2130, 3120, 9345, 4995});
    image1_ = makeImage(t, picture1_, QStringLiteral("Image1"), Box{0, 0, 4500, 3375},
                        QStringLiteral("Splash"));

    Element* buttonOben1 = makePicture(t, main, QStringLiteral("ButtonOben1"), frame::kButtonOben1);
    Element* shapeOben = makePicture(t, main, QStringLiteral("ShapeOben"), frame::kShapeOben);
    makePicture(t, main, QStringLiteral("ShapeUnten"), frame::kShapeUnten);
    for (int i = 1; i <= 6; ++i) {
        makePicture(t, main, QStringLiteral("TrennOben%1").arg(i), frame::trennOben(i));
        makePicture(t, main, QStringLiteral("TrennUnten%1").arg(i), frame::trennUnten(i));
    }
    Element* side[6] = {};
    for (int i = 1; i <= 5; ++i) {
        side[i] = makePicture(t, main, QStringLiteral("ButtonUnten%1").arg(i),
                              frame::kSideButtons[i - 1]);
    }

    lblInitInfo_ = makeLabel(t, main, QStringLiteral("lblInitInfo"), Box{2100, 150, 4995, 2055},
                             FontSpec{FontFace::Monitor, 14.25}, Qt::AlignLeft, true);
    Element* caption = makeLabel(t, main, QStringLiteral("lblCaption"), frame::kCaption,
                                 FontSpec{FontFace::Monitor, 32.25}, Qt::AlignRight, false);
    caption->setText(QString::fromLatin1(texts::kFieldProbe));
    lblProgVer_ = makeAutoLabel(t, main, QStringLiteral("lblProgVer"), 9435, 750,
                                FontSpec{FontFace::Monitor, 24}, QString());

    auto autoCaption = [&](Element* holder, int member, double left, double top,
                           const QString& text) {
        Element* e =
            makeAutoLabel(t, holder, indexedName("Label1", member), left, top, kCaptionFont, text);
        e->setForeColor(Qt::black);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    autoCaption(buttonOben1, 11, 360, 960, QString::fromLatin1(kPublisher));
    autoCaption(shapeOben, 13, 495, 0, QStringLiteral("Presents"));
    Element* numbers = makeLabel(t, side[1], indexedName("Label1", 12), Box{45, 60, 1440, 1515},
                                 kCaptionFont, Qt::AlignRight, true);
    numbers->setForeColor(Qt::black);
    autoCaption(side[2], 14, 900, 60, QString());
    autoCaption(side[3], 16, 870, 60, QString());
    autoCaption(side[4], 15, 900, 60, QString());
    autoCaption(side[5], 17, 900, 30, QString());

    buildScreenBars(t);
}

void SplashWindow::load() {
    ElementTree& t = tree();
    move(0, 0);
    raise();
    MouseCursor::hide();

    applyScheme(t, Scheme::Normal);
    t.find(QStringLiteral("lblCaption"))->setForeColor(palette::kOrange);
    lblProgVer_->setForeColor(palette::kOrange);
    lblInitInfo_->setForeColor(palette::kLilac);

    Element* numbers = t.find(QStringLiteral("Label1(12)"));
    numbers->setText(QString(21, QLatin1Char(' ')) + texts::signedNumber(randomNumber(random_)));
    numbers->setTop(270);
    for (int member : {14, 16, 15, 17}) {
        t.find(indexedName("Label1", member))->setText(texts::signedNumber(randomNumber(random_)));
    }
    lblProgVer_->setText(
        texts::versionLine(OVANT_VERSION_MAJOR, OVANT_VERSION_MINOR, OVANT_VERSION_PATCH));

    coverScreen(screen_);
    const Twips& tw = t.twips();
    const auto [left, top] = frame::centredWithShift(
        tw.fromPixels(screen_.width()), tw.fromPixels(screen_.height()), frame::kPicMain);
    picSplashMain_->move(left, top);
    image1_->move(picture1_->width() / 2 - image1_->width() / 2,
                  picture1_->height() / 2 - image1_->height() / 2);
    if (screenTakesWideBars(screen_.size())) {
        layOutScreenBars(t, screen_.size());
    }
    showFullScreen();
    flush();
}

void SplashWindow::setStatus(const QString& text) {
    lblInitInfo_->setText(text);
    flush();
}

void SplashWindow::appendStatus(const QString& text) {
    setStatus(lblInitInfo_->text() + text);
}

void SplashWindow::finish() {
    hide();
    // The splash never shows again: give its native window and screen-sized
    // buffer back now, rather than keep them for the whole run.
    destroy();
}

}  // namespace ovant
