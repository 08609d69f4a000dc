#pragma once

#include <QTimer>
#include <memory>

#include "app/main_form.h"
#include "console/startup_reporter.h"
#include "elements/picture_store.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

namespace ovant::testing {

// The console window built as the program builds it, with recorded sounds, a
// scripted random source and an end of the process that only counts. It is
// not started. By default its periodic clocks are stopped, so only the
// sequences a test runs change elements or draw numbers, and sound is on.
struct ConsoleRig {
    struct Setup {
        QRect screen{0, 0, 1024, 768};
        std::vector<double> draws{0.5};
        StartupReporter* reporter = nullptr;
        bool clocksRun = false;
        bool soundOn = true;
    };

    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    SettingsStore settings;
    ScriptedRandom random;
    PictureStore pictures;
    int ended = 0;
    std::unique_ptr<MainForm> form;

    ConsoleRig() : ConsoleRig(Setup{}) {}
    explicit ConsoleRig(const Setup& setup) : random(setup.draws) {
        ConsoleServices s;
        s.random = &random;
        s.settings = &settings;
        s.sounds = &sounds;
        s.pictures = &pictures;
        s.endProcess = [this] { ++ended; };
        s.executableFolder = QStringLiteral("/opt/ovant");
        s.screen = setup.screen;
        form = std::make_unique<MainForm>(s, setup.reporter);
        if (!setup.clocksRun) {
            const auto timers = form->findChildren<QTimer*>();
            for (QTimer* timer : timers) {
                timer->stop();
            }
        }
        if (setup.soundOn) {
            sounds.setSoundOn(true);
        }
    }

    const SceneElements& scene() const { return form->sceneElements(); }
    const LeaderPanelLayout& planet() const { return scene().planetPanel; }
    Element* picNum() const { return form->numberElements().picNum; }
    Element* bracket() const { return scene().sector.lblScanner[0]; }

    // Runs `action` inside the `n`-th pause (1 = first) that starts from now on.
    void inPause(int n, std::function<void()> action) {
        auto count = std::make_shared<int>(0);
        auto* context = new QObject(form.get());
        const auto run = [this, count, n, context, action] {
            if (++*count == n) {
                QTimer::singleShot(0, form.get(), action);
                context->deleteLater();
            }
        };
        QObject::connect(&form->pacer(), &Pacer::pauseStarted, context, run);
        QObject::connect(&form->pacer(), &Pacer::tickPauseStarted, context, run);
    }
};

}  // namespace ovant::testing
