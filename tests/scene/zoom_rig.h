#pragma once

#include "console/console_state.h"
#include "console/frame_elements.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"
#include "scene/scene_elements.h"
#include "scene/zoom_views.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

namespace ovant::testing {

// The two zoom views over the sector picture, without a window: the real
// elements and sequences, recorded sounds and operations, scripted draws.
struct ZoomRig {
    ElementTree tree{Twips(), nullptr};
    FrameElements frame = buildFrame(tree);
    NumberElements numbers = buildNumberPanel(tree, frame.picMain);
    SceneElements scene = buildScene(tree, frame.picMain);
    ScriptedRandom random{{0.5}};
    ConsoleState state;
    Pacer pacer{40};
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    RecordingOps ops;
    Lane zoomArea{pacer};
    ZoomViews zoom{scene, frame.lblCaption, zoomArea, state, pacer, sounds, random, ops};
};

}  // namespace ovant::testing
