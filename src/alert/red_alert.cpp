#include "alert/red_alert.h"

#include <QTimer>

#include "alert/chase_light.h"
#include "console/console_state.h"
#include "console/frame_elements.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "platform/random_source.h"
#include "platform/sound/sound_effects.h"

namespace ovant {

namespace alert {

bool randomStartHits(RandomSource& random) {
    return random.draw(kRandomStartOdds) == kRandomStartHit;
}

int randomLengthSeconds(RandomSource& random) {
    return random.between(kRandomShortestSeconds, kRandomLongestSeconds);
}

SaverAlertMode saverAlertMode(SwitchValue redAlert, SwitchValue random) {
    if (redAlert == SwitchValue::Off) {
        return SaverAlertMode::None;
    }
    if (redAlert != SwitchValue::On || random == SwitchValue::Neither) {
        return SaverAlertMode::Unchanged;
    }
    return random == SwitchValue::On ? SaverAlertMode::Random : SaverAlertMode::Permanent;
}

}  // namespace alert

namespace {
const QString kShapeObenRed = QStringLiteral("Shape_oben_rot");
const QString kShapeUntenRed = QStringLiteral("Shape_unten_rot");
const QString kShapeObenWhite = QStringLiteral("Shape_oben_wei\u00df");
const QString kShapeUntenWhite = QStringLiteral("Shape_unten_wei\u00df");
}  // namespace

RedAlert::RedAlert(ConsoleState& state, FrameElements& frame, NumberPanel& numbers,
                   ElementTree& tree, RandomSource& random, SoundEffects& sounds,
                   RedAlertTimers timers, RedAlertColours colours)
    : state_(state),
      frame_(frame),
      numbers_(numbers),
      tree_(tree),
      random_(random),
      sounds_(sounds),
      timers_(timers),
      colours_(std::move(colours)) {}

void RedAlert::initRedAlert() {
    sounds_.playSound10();
    numbers_.initColours(Scheme::RedAlert);
    if (colours_.initStarsRedAlert) {
        colours_.initStarsRedAlert();
    }
    // Hidden panels too, so one that opens later is already red.
    applyScheme(tree_, Scheme::RedAlert);
    timers_.chase->start();
}

void RedAlert::start() {
    state_.redAlertActive = true;
    initRedAlert();
}

void RedAlert::end() {
    state_.redAlertActive = false;
    timers_.chase->stop();
    // The normal scheme puts back everything the light left white as well.
    if (colours_.initColors) {
        colours_.initColors();
    }
}

void RedAlert::confirm() {
    if (sounds_.soundOn()) {
        sounds_.playSound(QStringLiteral("1.wav"));
    }
}

void RedAlert::flip() {
    if (state_.redAlertActive) {
        end();
    } else {
        start();
    }
}

void RedAlert::toggle() {
    confirm();
    flip();
}

void RedAlert::selectScreenSaverMode(const SettingsStore& settings) {
    switch (alert::saverAlertMode(settings.getSwitch(settings::kScrRedAlert),
                                  settings.getSwitch(settings::kScrRedAlertRnd))) {
        case alert::SaverAlertMode::Permanent:
            timers_.randomStart->stop();
            start();
            break;
        case alert::SaverAlertMode::Random:
            state_.redAlertActive = false;
            timers_.randomStart->start();
            break;
        case alert::SaverAlertMode::None:
            timers_.randomStart->stop();
            state_.redAlertActive = false;
            break;
        case alert::SaverAlertMode::Unchanged:
            break;
    }
}

void RedAlert::screenSaverKey(const SettingsStore& settings) {
    confirm();
    const bool randomMode = settings.getSwitch(settings::kScrRedAlert) == SwitchValue::On &&
                            settings.getSwitch(settings::kScrRedAlertRnd) == SwitchValue::On;
    if (!randomMode) {
        flip();
    } else if (state_.redAlertActive) {
        endRandom();
    } else {
        beginRandom();
    }
}

void RedAlert::chaseTick() {
    if (!state_.redAlertActive) {
        return;
    }
    step_ = alert::nextChaseStep(step_);
    for (const alert::ChaseChange& change : alert::chaseStep(step_)) {
        paint(change);
    }
}

void RedAlert::paint(const alert::ChaseChange& change) {
    const bool white = change.paint == alert::ChasePaint::White;
    if (change.part == alert::ChasePart::FrameShapes) {
        frame_.shapeOben->setPicture(white ? kShapeObenWhite : kShapeObenRed);
        frame_.shapeUnten->setPicture(white ? kShapeUntenWhite : kShapeUntenRed);
        return;
    }
    const QColor colour = change.paint == alert::ChasePaint::RandomRed
                              ? alert::randomRedTone(random_)
                              : (white ? palette::kWhite : palette::kAlertRed);
    const auto n = static_cast<std::size_t>(change.number);
    if (change.part == alert::ChasePart::SeparatorPair) {
        frame_.trennOben[n]->setBackColor(colour);
        frame_.trennUnten[n]->setBackColor(colour);
    } else if (change.part == alert::ChasePart::SideButton) {
        frame_.buttonUnten[n]->setBackColor(colour);
    } else {
        frame_.buttonOben[1]->setBackColor(colour);
    }
}

void RedAlert::beginRandom() {
    start();
    randomSeconds_ = 0;
    randomDuration_ = alert::randomLengthSeconds(random_);
    timers_.randomStop->start();
    timers_.randomStart->stop();
}

void RedAlert::endRandom() {
    timers_.randomStop->stop();
    timers_.randomStart->start();
    end();
}

void RedAlert::randomStartTick() {
    if (alert::randomStartHits(random_) && !state_.redAlertActive) {
        beginRandom();
    }
}

void RedAlert::randomStopTick() {
    ++randomSeconds_;
    // Reached exactly in the normal course; past it only if the length was
    // changed under a running alert, which must still end.
    if (randomSeconds_ >= randomDuration_) {
        endRandom();
    }
}

}  // namespace ovant
