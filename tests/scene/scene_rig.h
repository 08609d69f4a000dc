#pragma once

// The console's elements without a window, with recorded sounds and
// operations and scripted draws: what the scan and zoom tests build on.
#include "console/console_state.h"
#include "console/frame_elements.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"
#include "scene/scene_elements.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

namespace ovant::testing {

struct SceneRig {
    ElementTree tree{Twips(), nullptr};
    FrameElements frame = buildFrame(tree);
    NumberElements numbers = buildNumberPanel(tree, frame.picMain);
    SceneElements scene = buildScene(tree, frame.picMain);
    ScriptedRandom random;
    ConsoleState state;
    Pacer pacer{40};
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    RecordingOps ops;

    // Sound on; flights and growth without waiting, unless a test wants pauses.
    explicit SceneRig(double draw) : random({draw}) {
        sounds.setSoundOn(true);
        state.aniSpeed = 0;
    }
};

}  // namespace ovant::testing
