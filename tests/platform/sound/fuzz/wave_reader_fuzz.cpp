// Any bytes at all go to the wave reader: the sanitizers catch every read
// outside the input and every overflow, and what the reader accepts must be
// whole frames of a format the player can take.
#include "platform/sound/wave_reader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<ovant::WaveData> wave = ovant::readWave(bytes);
    if (!wave)
        return 0;
    const bool rateOk = wave->sampleRate >= 8000 && wave->sampleRate <= 96000;
    const bool formatOk = (wave->channels == 1 || wave->channels == 2) &&
                          (wave->bitsPerSample == 8 || wave->bitsPerSample == 16);
    const int frame = wave->channels * wave->bitsPerSample / 8;
    if (!rateOk || !formatOk || frame <= 0 || wave->pcm.size() % frame != 0 ||
        wave->pcm.size() > bytes.size())
        __builtin_trap();
    return 0;
}
