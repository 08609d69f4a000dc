#pragma once

// SDL's headers give the types and constants only: the programs are not
// linked to SDL. SDL maps a score of sound and display libraries the moment it
// is loaded, which a console that stays silent has no use for, so the library
// is opened when the first sound plays.
#include <SDL.h>

#include <QString>

#include <optional>

namespace ovant {

// The SDL functions the sound player calls, taken from the library at run time.
struct SdlFunctions {
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_SetHintWithPriority) SetHintWithPriority;
    decltype(&SDL_ResetHint) ResetHint;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_Delay) Delay;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
    decltype(&SDL_QueueAudio) QueueAudio;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize;
    decltype(&SDL_ClearQueuedAudio) ClearQueuedAudio;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

// SDL's functions, the library opened by the first call and kept for the
// life of the process. Null when the library is missing or lacks one of the
// functions; `error` (if given) then says why. Later calls answer the same
// without trying again.
const SdlFunctions* sdlFunctions(QString* error = nullptr);

// Opens the library `name` (as QLibrary names it, with its major `version`,
// or none if negative) and takes SDL's functions from it; no value and the
// reason in `error` when the library or any one function is missing. The
// library is never unloaded.
std::optional<SdlFunctions> loadSdlFunctions(const QString& name, int version, QString* error);

}  // namespace ovant
