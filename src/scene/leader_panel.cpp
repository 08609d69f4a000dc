#include "scene/leader_panel.h"

#include "app/sound/sound_effects.h"
#include "console/console_ops.h"
#include "console/console_state.h"
#include "console/pacing.h"

namespace ovant {

namespace {

constexpr double kGrowStep = 100;

LeaderPanelLayout layoutFor(ElementTree& tree, const QString& prefix, const char* panel,
                            double resetTop, double finalTop, double finalHeight,
                            std::array<double, 6> widths) {
    LeaderPanelLayout s;
    s.panel = tree.find(QString::fromLatin1(panel));
    s.title = tree.find(prefix + QStringLiteral("LabelName"));
    s.vertical = tree.find(prefix + QStringLiteral("Line1_1"));
    s.resetTop = resetTop;
    s.finalTop = finalTop;
    s.finalHeight = finalHeight;
    s.horizontal[1] = tree.find(prefix + QStringLiteral("Line1_2"));
    for (int i = 2; i <= 5; ++i) {
        s.horizontal[i] = tree.find(prefix + QStringLiteral("Line%1").arg(i));
    }
    s.finalWidth = widths;
    for (int i = 1; i <= 5; ++i) {
        s.dot[i] = tree.find(prefix + QStringLiteral("Dot%1").arg(i));
        s.label[i] = tree.find(prefix + QStringLiteral("Label%1").arg(i));
    }
    return s;
}

}  // namespace

LeaderPanelLayout planetPanelLayout(ElementTree& tree) {
    return layoutFor(tree, QStringLiteral("plnt"), "PicScanInfo", 840, 130, 740,
                     {0, 2050, 1035, 1750, 975, 1335});
}

LeaderPanelLayout telescopePanelLayout(ElementTree& tree) {
    return layoutFor(tree, QStringLiteral("SRT"), "PicSRTele", 810, 80, 760,
                     {0, 1925, 1065, 1725, 975, 1335});
}

LeaderPanel::LeaderPanel(LeaderPanelLayout layout, Element* picNum, ConsoleState& state,
                         Pacer& pacer, SoundEffects& sounds, ConsoleOps& ops)
    : layout_(layout), picNum_(picNum), state_(state), pacer_(pacer), sounds_(sounds), ops_(ops) {}

void LeaderPanel::grow(Element* leader, double finalLength, bool vertical) {
    leader->show();
    if (vertical) {
        while (leader->height() < finalLength) {
            leader->setBox(leader->left(), leader->top() - kGrowStep, leader->width(),
                           leader->height() + kGrowStep);
            pacer_.pause(state_.aniSpeed);
        }
        leader->setBox(leader->left(), layout_.finalTop, leader->width(), finalLength);
    } else {
        while (leader->width() < finalLength) {
            leader->setWidth(leader->width() + kGrowStep);
            pacer_.pause(state_.aniSpeed);
        }
        leader->setWidth(finalLength);
    }
}

void LeaderPanel::show() {
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

    grow(layout_.vertical, layout_.finalHeight, true);
    for (int i = 1; i <= 5; ++i) {
        grow(layout_.horizontal[i], layout_.finalWidth[i], false);
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
        if (i < 5) {
            pacer_.aniWait();
        }
    }
    layout_.title->show();
    state_.panelBusy = false;
}

void LeaderPanel::hide() {
    if (!layout_.panel->visible()) {
        return;
    }
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
        pacer_.aniWait();
    }
    layout_.panel->hide();
    picNum_->show();
    state_.panelBusy = false;
}

}  // namespace ovant
