#include "platform/sound/sdl_sound_player.h"

#include "platform/sound/sdl_library.h"
#include "platform/sound/wave_reader.h"

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <cstring>
#include <limits>

namespace ovant {
namespace {

// Every sound is converted to this one format, so the device is always
// opened the same way.
constexpr int kDeviceRate = 44100;
constexpr SDL_AudioFormat kDeviceFormat = AUDIO_S16SYS;
constexpr Uint8 kDeviceChannels = 1;
// About 46 ms: a cut is still heard at once, and SDL's thread wakes half as
// often as with 1024.
constexpr Uint16 kDeviceSamples = 2048;
constexpr qint64 kDeviceBytesPerSecond = qint64{kDeviceRate} * 2 * kDeviceChannels;

// The wave in the device's format; no value if SDL cannot convert it.
// SDL_AudioCVT converts the whole sound in one go. SDL 2.26's SDL_AudioStream
// was tried first: it drops about 512 input frames from the end of a sound
// given in one piece, and drifts in pitch when fed in small pieces.
std::optional<QByteArray> toDeviceFormat(const SdlFunctions& sdl, const WaveData& wave) {
    const SDL_AudioFormat source = wave.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioCVT cvt;
    if (sdl.BuildAudioCVT(&cvt, source, static_cast<Uint8>(wave.channels), wave.sampleRate,
                          kDeviceFormat, kDeviceChannels, kDeviceRate) < 0)
        return std::nullopt;
    if (cvt.needed == 0 || wave.pcm.isEmpty())
        return wave.pcm;
    // The conversion works in place and needs len_mult times the input's room.
    const qint64 room = qint64{wave.pcm.size()} * cvt.len_mult;
    if (cvt.len_mult <= 0 || room > std::numeric_limits<int>::max())
        return std::nullopt;
    QByteArray converted(static_cast<qsizetype>(room), Qt::Uninitialized);
    std::memcpy(converted.data(), wave.pcm.constData(), static_cast<std::size_t>(wave.pcm.size()));
    cvt.buf = reinterpret_cast<Uint8*>(converted.data());
    cvt.len = static_cast<int>(wave.pcm.size());
    if (sdl.ConvertAudio(&cvt) != 0 || cvt.len_cvt < 0 || cvt.len_cvt > room)
        return std::nullopt;
    converted.truncate(cvt.len_cvt);
    return converted;
}

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(int quietCloseMs) : m_quietCloseMs(quietCloseMs) {
    m_quiet.setSingleShot(true);
    QObject::connect(&m_quiet, &QTimer::timeout, &m_quiet, [this] { closeWhenQuiet(); });
}

SdlSoundPlayer::~SdlSoundPlayer() {
    m_quiet.stop();
    closeDevice();
    if (m_audioInitialised)
        m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundPlayer::playAsync(const QString& path) {
    replaceQueued(path);
}

void SdlSoundPlayer::playSync(const QString& path) {
    const std::optional<int> lengthMs = replaceQueued(path);
    if (!lengthMs || *lengthMs == 0)
        return;
    // A sound server that stops reading would leave the queue full for ever;
    // the console must not hang on it, so give up well after the sound's end.
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + std::chrono::milliseconds(2 * *lengthMs + 2000);
    while (m_sdl->GetQueuedAudioSize(m_device) > 0) {
        // A device that was unplugged stops and never drains its queue.
        if (m_sdl->GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING || Clock::now() > giveUp) {
            m_sdl->ClearQueuedAudio(m_device);
            return;
        }
        m_sdl->Delay(5);
    }
    // The queue empties as the device takes its last block, which then still
    // has to play.
    m_sdl->Delay(static_cast<Uint32>(m_bufferMs + 5));
}

std::optional<int> SdlSoundPlayer::replaceQueued(const QString& path) {
    // The file is read before the device is touched, so a file that cannot be
    // played does not cut the sound that is playing.
    const std::optional<WaveData> wave = readWaveFile(path);
    if (!wave)
        return std::nullopt;
    if (!loadLibrary())
        return std::nullopt;
    const std::optional<QByteArray> pcm = toDeviceFormat(*m_sdl, *wave);
    if (!pcm || !ensureDevice())
        return std::nullopt;

    m_sdl->LockAudioDevice(m_device);
    m_sdl->ClearQueuedAudio(m_device);
    const bool queued = pcm->isEmpty() || m_sdl->QueueAudio(m_device, pcm->constData(),
                                                            static_cast<Uint32>(pcm->size())) == 0;
    m_sdl->UnlockAudioDevice(m_device);
    if (!queued)
        return std::nullopt;
    const int lengthMs = static_cast<int>(pcm->size() * 1000 / kDeviceBytesPerSecond);
    m_quiet.start(lengthMs + m_bufferMs + m_quietCloseMs);
    return lengthMs;
}

void SdlSoundPlayer::closeWhenQuiet() {
    if (m_device == 0)
        return;
    // A sound queued while SDL's thread was held up may still be playing.
    if (m_sdl->GetQueuedAudioSize(m_device) > 0) {
        m_quiet.start(m_bufferMs + m_quietCloseMs);
        return;
    }
    closeDevice();
}

void SdlSoundPlayer::closeDevice() {
    if (m_device != 0)
        m_sdl->CloseAudioDevice(m_device);
    m_device = 0;
}

bool SdlSoundPlayer::loadLibrary() {
    if (m_sdl != nullptr)
        return true;
    if (m_triedToLoad)
        return false;
    m_triedToLoad = true;
    QString error;
    m_sdl = sdlFunctions(&error);
    if (m_sdl == nullptr)
        qWarning("No audio output, the console is silent: %s", qPrintable(error));
    return m_sdl != nullptr;
}

bool SdlSoundPlayer::ensureDevice() {
    if (m_device != 0)
        return true;
    // Once a driver has worked it is kept; the device opens again on it.
    if (m_audioInitialised)
        return openDevice();
    if (m_triedToOpen)
        return false;
    m_triedToOpen = true;
    if (startAudio() && openDevice())
        return true;

    // Without a sound card SDL may start a driver and then fail to open it.
    // The dummy driver keeps the console's timing (a synchronous sound still
    // takes its length) without a card. The hint overrides SDL_AUDIODRIVER
    // only while the subsystem starts.
    const QByteArray firstError = m_sdl->GetError();
    if (m_audioInitialised) {
        m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
        m_audioInitialised = false;
    }
    m_sdl->SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool opened = startAudio() && openDevice();
    m_sdl->ResetHint(SDL_HINT_AUDIODRIVER);
    if (!opened) {
        qWarning("No audio output, the console is silent: %s; %s", firstError.constData(),
                 m_sdl->GetError());
        if (m_audioInitialised) {
            m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
            m_audioInitialised = false;
        }
    }
    return opened;
}

bool SdlSoundPlayer::startAudio() {
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into
    // events nobody reads, so the console could no longer be stopped.
    m_sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (m_sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    m_audioInitialised = true;
    return true;
}

bool SdlSoundPlayer::openDevice() {
    SDL_AudioSpec wanted{};
    wanted.freq = kDeviceRate;
    wanted.format = kDeviceFormat;
    wanted.channels = kDeviceChannels;
    wanted.samples = kDeviceSamples;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants, and our
    // queue stays in the one format the sounds were converted to.
    m_device = m_sdl->OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_device == 0)
        return false;
    m_bufferMs = static_cast<int>(qint64{obtained.samples} * 1000 / kDeviceRate) + 1;
    m_sdl->PauseAudioDevice(m_device, 0);
    return true;
}

}  // namespace ovant
