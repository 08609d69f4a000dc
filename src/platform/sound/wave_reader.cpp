#include "platform/sound/wave_reader.h"

#include "platform/regular_file.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace ovant {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

// KSDATAFORMAT_SUBTYPE_PCM as it is stored in the file.
constexpr std::array<unsigned char, 16> kPcmSubFormat = {
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Bounds-checked little-endian access. Offsets and lengths are 64-bit, and the
// input is at most kMaxWaveFileBytes long, so no sum below can overflow.
class ByteView {
public:
    explicit ByteView(const QByteArray& bytes)
        : m_data(reinterpret_cast<const unsigned char*>(bytes.constData())),
          m_size(static_cast<std::uint64_t>(bytes.size())) {}

    std::uint64_t size() const { return m_size; }
    bool has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_size && length <= m_size - offset;
    }
    std::uint16_t u16(std::uint64_t offset) const {
        if (!has(offset, 2))
            return 0;
        return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
    }
    std::uint32_t u32(std::uint64_t offset) const {
        if (!has(offset, 4))
            return 0;
        return static_cast<std::uint32_t>(u16(offset)) |
               (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
    }
    bool tagIs(std::uint64_t offset, const char (&tag)[5]) const {
        return has(offset, 4) && std::memcmp(m_data + offset, tag, 4) == 0;
    }
    bool equals(std::uint64_t offset, const std::array<unsigned char, 16>& expected) const {
        return has(offset, expected.size()) &&
               std::memcmp(m_data + offset, expected.data(), expected.size()) == 0;
    }

private:
    const unsigned char* m_data;
    std::uint64_t m_size;
};

struct Format {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
};

std::optional<Format> parseFormat(const ByteView& bytes, std::uint64_t body, std::uint32_t length) {
    if (length < 16)
        return std::nullopt;
    const std::uint16_t tag = bytes.u16(body);
    const std::uint16_t channels = bytes.u16(body + 2);
    const std::uint32_t sampleRate = bytes.u32(body + 4);
    const std::uint16_t blockAlign = bytes.u16(body + 12);
    const std::uint16_t bits = bytes.u16(body + 14);

    if (tag == kFormatExtensible) {
        // cbSize (22), valid bits, channel mask and the sub-format GUID follow.
        if (length < 40 || bytes.u16(body + 16) < 22 || !bytes.equals(body + 24, kPcmSubFormat))
            return std::nullopt;
        if (bytes.u16(body + 18) > bits)
            return std::nullopt;
    } else if (tag != kFormatPcm) {
        return std::nullopt;
    }

    if (channels != 1 && channels != 2)
        return std::nullopt;
    if (bits != 8 && bits != 16)
        return std::nullopt;
    if (sampleRate < 8000 || sampleRate > 96000)
        return std::nullopt;
    // A frame size that disagrees with the channels and bits leaves the sample
    // layout ambiguous; playing it would only produce noise.
    if (blockAlign != channels * (bits / 8))
        return std::nullopt;
    return Format{static_cast<int>(sampleRate), channels, bits};
}

}  // namespace

std::optional<WaveData> readWave(const QByteArray& fileBytes) {
    if (fileBytes.size() > kMaxWaveFileBytes)
        return std::nullopt;
    const ByteView bytes(fileBytes);
    if (!bytes.tagIs(0, "RIFF") || !bytes.tagIs(8, "WAVE"))
        return std::nullopt;

    // The RIFF length is often wrong in files from careless writers, so the
    // chunks are walked to the end of the bytes actually present.
    std::optional<Format> format;
    std::optional<std::pair<std::uint64_t, std::uint32_t>> data;  // offset, length
    std::uint64_t offset = 12;
    while (bytes.has(offset, 8) && !(format && data)) {
        const std::uint32_t length = bytes.u32(offset + 4);
        const std::uint64_t body = offset + 8;
        if (!bytes.has(body, length))
            return std::nullopt;  // truncated: a cut-off sound is not played at all
        if (bytes.tagIs(offset, "fmt ") && !format) {
            format = parseFormat(bytes, body, length);
            if (!format)
                return std::nullopt;
        } else if (bytes.tagIs(offset, "data") && !data) {
            data = std::make_pair(body, length);
        }
        // Chunks of odd length are followed by one pad byte.
        offset = body + length + (length & 1U);
    }
    if (!format || !data)
        return std::nullopt;

    const std::uint64_t frameBytes =
        static_cast<std::uint64_t>(format->channels) * (format->bitsPerSample / 8);
    const std::uint64_t wholeFrames = data->second / frameBytes * frameBytes;
    WaveData wave;
    wave.sampleRate = format->sampleRate;
    wave.channels = format->channels;
    wave.bitsPerSample = format->bitsPerSample;
    wave.pcm =
        fileBytes.mid(static_cast<qsizetype>(data->first), static_cast<qsizetype>(wholeFrames));
    return wave;
}

std::optional<WaveData> readWaveFile(const QString& path) {
    // Only a regular file is read, opened without blocking: a FIFO or a device
    // named like a sound would otherwise hold the console still at a click.
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxWaveFileBytes);
    if (!bytes)
        return std::nullopt;
    return readWave(*bytes);
}

}  // namespace ovant
