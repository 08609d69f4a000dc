#include "platform/sound/sdl_library.h"

#include <QLibrary>

namespace ovant {
namespace {

// Takes `symbol` from `library` into `slot`; false if the library lacks it.
template <typename Function>
bool resolve(QLibrary& library, const char* symbol, Function& slot, QString* missing) {
    slot = reinterpret_cast<Function>(library.resolve(symbol));
    if (slot == nullptr && missing->isEmpty())
        *missing = QString::fromLatin1(symbol);
    return slot != nullptr;
}

}  // namespace

std::optional<SdlFunctions> loadSdlFunctions(const QString& name, int version, QString* error) {
    // QLibrary leaves the library loaded when it goes: SDL's device thread and
    // its drivers' libraries stay until the process ends, as they did when the
    // programs were linked to it.
    QLibrary library;
    if (version < 0)
        library.setFileName(name);
    else
        library.setFileNameAndVersion(name, version);
    if (!library.load()) {
        if (error)
            *error = library.errorString();
        return std::nullopt;
    }
    SdlFunctions functions{};
    QString missing;
    bool all = true;
#define OVANT_SDL_RESOLVE(function) \
    all &= resolve(library, "SDL_" #function, functions.function, &missing)
    OVANT_SDL_RESOLVE(InitSubSystem);
    OVANT_SDL_RESOLVE(QuitSubSystem);
    OVANT_SDL_RESOLVE(SetHint);
    OVANT_SDL_RESOLVE(SetHintWithPriority);
    OVANT_SDL_RESOLVE(ResetHint);
    OVANT_SDL_RESOLVE(GetError);
    OVANT_SDL_RESOLVE(Delay);
    OVANT_SDL_RESOLVE(OpenAudioDevice);
    OVANT_SDL_RESOLVE(CloseAudioDevice);
    OVANT_SDL_RESOLVE(PauseAudioDevice);
    OVANT_SDL_RESOLVE(GetAudioDeviceStatus);
    OVANT_SDL_RESOLVE(LockAudioDevice);
    OVANT_SDL_RESOLVE(UnlockAudioDevice);
    OVANT_SDL_RESOLVE(QueueAudio);
    OVANT_SDL_RESOLVE(GetQueuedAudioSize);
    OVANT_SDL_RESOLVE(ClearQueuedAudio);
    OVANT_SDL_RESOLVE(BuildAudioCVT);
    OVANT_SDL_RESOLVE(ConvertAudio);
#undef OVANT_SDL_RESOLVE
    if (!all) {
        // A library of that name without every function is not an SDL we can
        // drive; half a table would crash on the first call that is missing.
        if (error)
            *error = QStringLiteral("%1 lacks %2").arg(library.fileName(), missing);
        return std::nullopt;
    }
    return functions;
}

const SdlFunctions* sdlFunctions(QString* error) {
    struct Loaded {
        std::optional<SdlFunctions> functions;
        QString error;
    };
    // Opened once for the whole process, whichever player asks first.
    static const Loaded loaded = [] {
        Loaded result;
#ifdef Q_OS_WIN
        result.functions = loadSdlFunctions(QStringLiteral("SDL2"), -1, &result.error);
#else
        // The run-time name libSDL2-2.0.so.0, which the runtime package ships;
        // plain libSDL2.so comes only with the development files.
        result.functions = loadSdlFunctions(QStringLiteral("SDL2-2.0"), 0, &result.error);
#endif
        return result;
    }();
    if (error)
        *error = loaded.error;
    return loaded.functions ? &*loaded.functions : nullptr;
}

}  // namespace ovant
