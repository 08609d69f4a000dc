#include "windows/info_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>

#include "console/frame_elements.h"
#include "platform/random_source.h"
#include "platform/screen_rules.h"
#include "platform/sound/sound_effects.h"
#include "platform/texts.h"
#include "windows/info_texts.h"

namespace ovant {

using info::Page;

InfoWindow::InfoWindow(Twips twips, const PictureStore* pictures, Setup setup, QWidget* parent)
    : ElementWindow(twips, pictures, parent), setup_(std::move(setup)) {
    setWindowTitle(QString::fromUtf8(texts::kInfoTitle));
    const Twips& t = tree().twips();
    resize(t.toPixels(info::kClientWidth), t.toPixels(info::kClientHeight));
    root().setBox(0, 0, info::kClientWidth, info::kClientHeight);
    root().setBackColor(Qt::black);
    elements_ = buildInfoElements(tree());

    InfoPages::Services services;
    services.sounds = setup_.sounds;
    services.aniSpeed = setup_.aniSpeed;
    services.repaint = [this] { flush(); };
    pages_ = std::make_unique<InfoPages>(elements_, std::move(services));

    for (std::size_t i = 0; i < info::kColumn.size(); ++i) {
        const int index = static_cast<int>(i);
        elements_.buttons[i]->onClick([this, index] { command(index); });
        elements_.captions[i]->onClick([this, index] { command(index); });
    }

    initInfo_.setObjectName(QStringLiteral("InitInfo"));
    initInfo_.setSingleShot(true);
    initInfo_.setInterval(kInitInfoMs);
    connect(&initInfo_, &QTimer::timeout, this, [this] { pages_->showFirstPage(); });
}

InfoWindow::~InfoWindow() = default;

void InfoWindow::load() {
    pages_->setButtonColours(Page::About);
    if (setup_.random != nullptr) {
        elements_.cornerCaption->setText(texts::signedNumber(randomNumber(*setup_.random)));
    }
    const QString version =
        texts::versionLine(OVANT_VERSION_MAJOR, OVANT_VERSION_MINOR, OVANT_VERSION_PATCH);
    elements_.lblProg2->setText(version);
    tree().find(QStringLiteral("lblCopy2"))->setText(info::texts::rightsNotice(version));
    place();
    // Paint now: this also hands the window's pending changes to its frame
    // clock, which a fresh element tree does not do by itself.
    flush();
    initInfo_.start();
}

void InfoWindow::place() {
    const Twips& t = tree().twips();
    if (setup_.opening == Opening::Alone) {
        // An ordinary window of the designed size in the top-left corner.
        setFixedSize(t.toPixels(info::kClientWidth), t.toPixels(info::kClientHeight));
        setWindowState(Qt::WindowNoState);
        move(setup_.screen.topLeft());
        show();
        raise();
        activateWindow();
        return;
    }
    coverScreen(setup_.screen);
    const double screenWidth = t.fromPixels(setup_.screen.width());
    const double screenHeight = t.fromPixels(setup_.screen.height());
    elements_.picInfoMain->move(screenWidth / 2 - info::kPicInfoMain.width / 2,
                                screenHeight / 2 - info::kPicInfoMain.height / 2 + 10);
    if (screenTakesWideBars(setup_.screen.size())) {
        setInfoOVANTBars();
    }
    showFullScreen();
    raise();
    activateWindow();
}

void InfoWindow::setInfoOVANTBars() {
    layOutScreenBars(tree(), setup_.screen.size());
}

void InfoWindow::command(int columnIndex) {
    // Once leaving has begun, the window only finishes that.
    if (leaving_ || columnIndex < 0 || columnIndex >= static_cast<int>(info::kColumn.size())) {
        return;
    }
    const Page page = info::kColumn[static_cast<std::size_t>(columnIndex)].opens;
    if (page == Page::None) {
        leave(true);
        return;
    }
    pages_->openPage(page);
}

void InfoWindow::leave(bool withSound) {
    if (leaving_) {
        return;
    }
    leaving_ = true;
    initInfo_.stop();
    if (withSound) {
        setup_.sounds->playSound(QStringLiteral("1.wav"));
    }
    const QPointer<InfoWindow> self(this);
    pages_->takeDown();
    if (self.isNull()) {
        return;
    }
    finish();
}

void InfoWindow::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    initInfo_.stop();
    // A build-up still paused under this call wakes to find its turn gone.
    pages_->stopAll();
    if (setup_.opening == Opening::FromConsole) {
        setup_.sounds->setSoundOn(true);
    }
    close();
    Q_EMIT left();
    if (setup_.opening == Opening::Alone && setup_.endProgram) {
        setup_.endProgram();
    }
}

void InfoWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        leave(false);
        return;
    }
    ElementWindow::keyPressEvent(event);
}

void InfoWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    // Closed by other means (the window's close button): leave at once.
    leaving_ = true;
    finish();
}

}  // namespace ovant
