#include "saver_module/settings_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include "platform/random_source.h"
#include "platform/settings_store.h"
#include "platform/texts.h"
#include "saver_module/frame_piece.h"
#include "saver_module/schirm_texts.h"

namespace ovant {

namespace L = options_layout;

namespace {

QString checkBoxStyle(QColor color) {
    // A disabled box keeps its colour's hue at half the light, so its mark
    // still reads.
    const QColor dim(color.red() / 2, color.green() / 2, color.blue() / 2);
    return QStringLiteral(
               "QCheckBox { color: %1; background: transparent; spacing: 8px; }"
               "QCheckBox:disabled { color: %2; }"
               "QCheckBox::indicator { width: 9px; height: 9px; padding: 2px;"
               " border: 2px solid %1; background: black; background-clip: content; }"
               "QCheckBox::indicator:checked { background: %1; }"
               "QCheckBox::indicator:disabled { border-color: %2; }"
               "QCheckBox::indicator:checked:disabled { background: %2; }")
        .arg(color.name(), dim.name());
}

}  // namespace

SettingsWindow::SettingsWindow(SchirmServices services, Twips twips)
    : QWidget(nullptr, Qt::Dialog), services_(std::move(services)), twips_(twips) {
    setWindowTitle(QString::fromUtf8(schirm_texts::kWindowTitle));
    setFixedSize(twips_.toPixels(L::kClientWidth), twips_.toPixels(L::kClientHeight));
    setFocusPolicy(Qt::StrongFocus);

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(kWaitForMs);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] {
        waitBusy_ = false;
        timer1_.stop();
    });
    initInfos_.setObjectName(QStringLiteral("InitInfos"));
    initInfos_.setInterval(kInitInfosMs);
    initInfos_.setSingleShot(true);
    connect(&initInfos_, &QTimer::timeout, this, &SettingsWindow::showOpt);

    build();
}

QRect SettingsWindow::px(const L::TwipBox& box) const {
    return {twips_.toPixels(box.left), twips_.toPixels(box.top), twips_.toPixels(box.width),
            twips_.toPixels(box.height)};
}

void SettingsWindow::build() {
    picRegMain_ = new QWidget(this);
    picRegMain_->setObjectName(QStringLiteral("PicRegMain"));
    picRegMain_->setGeometry(px(L::kPicRegMain));

    const QFont captionFace = captionFont(L::kCaptionPixels);
    for (const L::ButtonSpec& row : L::kButtons) {
        auto* button =
            new FramePiece(picRegMain_, QString::fromLatin1(row.name), row.color.color());
        button->setGeometry(px({L::kColumnLeft, row.top, L::kColumnWidth, row.height}));
        label1_[row.captionMember] = button->addCaption(
            QStringLiteral("Label1(%1)").arg(row.captionMember), px(L::captionBox(row.height)),
            captionFace, QString::fromLatin1(row.caption));
        const L::Command command = row.command;
        connect(button, &FramePiece::clicked, this, [this, command] { runCommand(command); });
    }

    auto* shapeOben =
        new FramePiece(picRegMain_, QStringLiteral("ShapeOben"), L::kShapeObenColor.color());
    shapeOben->setGeometry(px(L::kShapeOben));
    shapeOben->setElbow({twips_.toPixels(L::kColumnWidth), twips_.toPixels(L::kElbowArmHeight),
                         twips_.toPixels(L::kElbowOuterRadius),
                         twips_.toPixels(L::kElbowInnerRadius)});
    label1_[13] = shapeOben->addCaption(QStringLiteral("Label1(13)"), px(L::kNumberOnShape),
                                        captionFace, QString());

    auto* trennOben1 =
        new FramePiece(picRegMain_, QStringLiteral("TrennOben1"), L::kTrennOben1Color.color());
    trennOben1->setGeometry(px(L::kTrennOben1));

    picOpt_ = new QWidget(picRegMain_);
    picOpt_->setObjectName(QStringLiteral("PicOpt"));
    picOpt_->setGeometry(px(L::kPicOpt));
    picOpt_->hide();

    lblOpt1_ = new QLabel(QString::fromUtf8(schirm_texts::kHeading), picOpt_);
    lblOpt1_->setObjectName(QStringLiteral("lblOpt1"));
    lblOpt1_->setGeometry(px(L::kHeading));
    lblOpt1_->setFont(captionFont(L::kHeadingPixels));
    lblOpt1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblOpt1_->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(L::kHeadingColor.color().name()));
    lblOpt1_->hide();

    const QFont checkFace = captionFont(L::kCheckPixels);
    for (int i = 0; i < L::kSwitches; ++i) {
        const L::CheckSpec& row = L::kChecks[i];
        auto* box = new QCheckBox(QString::fromUtf8(row.caption), picOpt_);
        box->setObjectName(QString::fromLatin1(row.name));
        box->setGeometry(px(row.box));
        box->setFont(checkFace);
        box->setStyleSheet(checkBoxStyle(row.color.color()));
        box->hide();
        boxes_[i] = box;
    }
    for (const L::Dependent& d : L::kDependents) {
        connect(boxes_[d.leader], &QCheckBox::toggled, this, [this] { followLeaders(); });
    }
}

void SettingsWindow::followLeaders() {
    // A disabled box keeps its mark; OK stores it as it is.
    for (const L::Dependent& d : L::kDependents) {
        boxes_[d.follower]->setEnabled(boxes_[d.leader]->isChecked());
    }
}

void SettingsWindow::open() {
    closing_ = false;
    waitBusy_ = false;
    ended_ = false;
    SettingsStore& store = *services_.settings;
    // The window has no speed control; every opening resets the saver's speed.
    store.saveDecimal(settings::kScrAniSpeed, settings::kDefaultAniSpeed);
    store.saveWhole(settings::kScrAniSpeedStep, 3);
    // Only "1" checks a box: a stored text that is no switch reads as off.
    for (const L::Switch which : L::kReadOrder) {
        boxes_[which]->setChecked(store.getSwitch(L::kChecks[which].key) == SwitchValue::On);
    }
    followLeaders();
    for (const int member : {16, 15, 13}) {
        label1_[member]->setText(texts::signedNumber(randomNumber(*services_.random)));
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    showNormal();
    raise();
    activateWindow();
    setFocus();
    initInfos_.start();
}

void SettingsWindow::runCommand(L::Command command) {
    switch (command) {
        case L::Command::Options:
            optionsButton();
            break;
        case L::Command::Info:
            info();
            break;
        case L::Command::Ok:
            ok();
            break;
        case L::Command::Cancel:
            cancel();
            break;
        case L::Command::None:
            break;
    }
}

void SettingsWindow::ok() {
    leave(true);
}

void SettingsWindow::cancel() {
    leave(false);
}

void SettingsWindow::leave(bool save) {
    if (closing_) {
        return;
    }
    closing_ = true;
    // Pressed before the panel began to build: it must not begin afterwards.
    initInfos_.stop();
    services_.playSound(QStringLiteral("1.wav"));
    if (save) {
        for (const L::Switch which : L::kSaveOrder) {
            services_.settings->saveSwitch(L::kChecks[which].key, boxes_[which]->isChecked());
        }
    }
    const QPointer<SettingsWindow> self(this);
    hideOpt();
    if (!self || ended_) {
        return;
    }
    ended_ = true;
    close();
    Q_EMIT finished();
}

void SettingsWindow::optionsButton() {
    services_.playSound(QStringLiteral("7.wav"));
}

std::optional<StartFailure> SettingsWindow::startInfo() {
    services_.playSound(QStringLiteral("1.wav"));
    return services_.startDetached(consoleProgram(services_.settings->getText(settings::kPath)),
                                   {QStringLiteral("Mode:ShowInfo")});
}

void SettingsWindow::info() {
    if (const auto failure = startInfo()) {
        services_.showMessage(schirm_texts::pathUnknownTitle(),
                              schirm_texts::infoFailedText(*failure));
    }
}

void SettingsWindow::infoQuietly() {
    (void)startInfo();
}

void SettingsWindow::showOpt() {
    if (closing_ || ended_) {
        return;
    }
    picOpt_->hide();
    lblOpt1_->hide();
    for (QCheckBox* b : boxes_) {
        b->hide();
    }
    picOpt_->show();
    if (!waitFor()) {
        return;
    }
    lblOpt1_->show();
    if (!waitFor()) {
        return;
    }
    for (int i = 0; i < L::kSwitches; ++i) {
        boxes_[i]->show();
        if (i + 1 < L::kSwitches && !waitFor()) {
            return;
        }
    }
}

void SettingsWindow::hideOpt() {
    for (int i = L::kSwitches - 1; i >= 0; --i) {
        boxes_[i]->hide();
        if (!waitFor()) {
            return;
        }
    }
    lblOpt1_->hide();
    if (!waitFor()) {
        return;
    }
    picOpt_->hide();
}

bool SettingsWindow::waitFor() {
    const QPointer<SettingsWindow> self(this);
    waitBusy_ = true;
    if (!timer1_.isActive()) {
        timer1_.start();
    }
    while (self && self->waitBusy_) {
        QEventLoop loop;
        connect(&timer1_, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
        // A quitting program leaves every loop at once and refuses new ones:
        // go no further than that.
        if (loop.exec() != 0) {
            return false;
        }
    }
    return self && !self->ended_;
}

bool SettingsWindow::handleKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ok();
            return true;
        case Qt::Key_Escape:
            cancel();
            return true;
        case Qt::Key_F1:
            infoQuietly();
            return true;
        default:
            break;
    }
    if (event.text() == QLatin1String("?")) {
        infoQuietly();
        return true;
    }
    return false;
}

// A focused box lets Enter, Escape, F1 and "?" pass on to its window, so
// they arrive here wherever the focus is.
void SettingsWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(*event)) {
        QWidget::keyPressEvent(event);
    }
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // The title bar's close button is a Cancel: the panel comes down and
    // nothing is stored. It runs after this close has been refused, because
    // a close requested inside a close event is dropped.
    event->ignore();
    QMetaObject::invokeMethod(this, &SettingsWindow::cancel, Qt::QueuedConnection);
}

void SettingsWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

}  // namespace ovant
