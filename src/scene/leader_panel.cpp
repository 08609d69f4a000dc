#include "scene/leader_panel.h"

#include "console/console_state.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"

namespace ovant {

namespace {
constexpr double kGrowStep = 100;
}

LeaderPanel::LeaderPanel(LeaderPanelLayout layout, Element* picNum, Lane& panelArea,
                         ConsoleState& state, Pacer& pacer, SoundEffects& sounds)
    : layout_(layout),
      picNum_(picNum),
      lane_(panelArea),
      state_(state),
      pacer_(pacer),
      sounds_(sounds) {}

bool LeaderPanel::grow(Element* leader, double finalLength, bool vertical, const Turn& turn) {
    leader->show();
    if (vertical) {
        while (leader->height() < finalLength) {
            leader->setBox(leader->left(), leader->top() - kGrowStep, leader->width(),
                           leader->height() + kGrowStep);
            if (!pacer_.pause(state_.aniSpeed, turn)) {
                return false;
            }
        }
        leader->setBox(leader->left(), layout_.finalTop, leader->width(), finalLength);
    } else {
        while (leader->width() < finalLength) {
            leader->setWidth(leader->width() + kGrowStep);
            if (!pacer_.pause(state_.aniSpeed, turn)) {
                return false;
            }
        }
        leader->setWidth(finalLength);
    }
    return true;
}

void LeaderPanel::show() {
    const Turn turn = lane_.take();
    state_.panelBusy = true;
    picNum_->hide();
    layout_.panel->show();

    layout_.vertical->setBox(layout_.vertical->left(), layout_.resetTop, layout_.vertical->width(),
                             0);
    for (int i = 1; i <= 5; ++i) {
        layout_.horizontal[i]->setWidth(0);
    }
    if (sounds_.soundOn()) {
        sounds_.playSound(QStringLiteral("8.wav"));
    }

    if (!grow(layout_.vertical, layout_.finalHeight, true, turn)) {
        return;
    }
    for (int i = 1; i <= 5; ++i) {
        if (!grow(layout_.horizontal[i], layout_.finalWidth[i], false, turn)) {
            return;
        }
    }

    if (sounds_.soundOn()) {
        sounds_.playSound9();
        if (sounds_.soundOn()) {
            sounds_.playSound(QStringLiteral("5.wav"));
        }
    }
    for (int i = 1; i <= 5; ++i) {
        layout_.dot[i]->show();
        layout_.label[i]->show();
        if (i < 5 && !pacer_.aniWait(turn)) {
            return;
        }
    }
    layout_.title->show();
    state_.panelBusy = false;
}

void LeaderPanel::hide() {
    if (!layout_.panel->visible()) {
        return;
    }
    const Turn turn = lane_.take();
    state_.panelBusy = true;
    for (int i = 5; i >= 1; --i) {
        layout_.dot[i]->hide();
        layout_.label[i]->hide();
        layout_.horizontal[i]->hide();
        if (i == 5) {
            layout_.title->hide();
        }
        if (i == 1) {
            layout_.vertical->hide();
        }
        if (!pacer_.aniWait(turn)) {
            return;
        }
    }
    layout_.panel->hide();
    picNum_->show();
    state_.panelBusy = false;
}

void LeaderPanel::clear() {
    layout_.title->hide();
    layout_.vertical->hide();
    for (int i = 1; i <= 5; ++i) {
        layout_.dot[i]->hide();
        layout_.label[i]->hide();
        layout_.horizontal[i]->hide();
    }
    layout_.panel->hide();
}

}  // namespace ovant
