#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ovant {

// The sound of one wave file, ready to hand to an audio converter.
struct WaveData {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;  // 8 (unsigned samples) or 16 (signed)
    QByteArray pcm;         // little-endian, interleaved, whole frames only
};

// Larger files are refused unread: the console's sounds are a few seconds long.
inline constexpr qint64 kMaxWaveFileBytes = 16 * 1024 * 1024;

// Reads uncompressed PCM waves (8 or 16 bits, mono or stereo, 8000-96000 Hz).
// Anything else, and any damaged or truncated file, gives no value; no input
// makes these throw or read outside the bytes given.
std::optional<WaveData> readWave(const QByteArray& fileBytes);
std::optional<WaveData> readWaveFile(const QString& path);

}  // namespace ovant
