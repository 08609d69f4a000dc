#pragma once

// Builds wave files byte by byte, so that tests can make both good files and
// precisely damaged ones.

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace wavebytes {

inline QByteArray le16(quint16 v) {
    QByteArray out(2, '\0');
    qToLittleEndian(v, out.data());
    return out;
}

inline QByteArray le32(quint32 v) {
    QByteArray out(4, '\0');
    qToLittleEndian(v, out.data());
    return out;
}

// One chunk; the declared size may differ from the body to make damaged files.
inline QByteArray chunk(const char* tag, const QByteArray& body, qint64 declaredSize = -1) {
    const auto size =
        declaredSize >= 0 ? static_cast<quint32>(declaredSize) : static_cast<quint32>(body.size());
    QByteArray out = QByteArray(tag, 4) + le32(size) + body;
    if (declaredSize < 0 && body.size() % 2 != 0)
        out += '\0';
    return out;
}

inline QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le32(static_cast<quint32>(4 + chunks.size())) + "WAVE" + chunks;
}

inline QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const auto blockAlign = static_cast<quint16>(channels * (bits / 8));
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign) +
           le16(bits);
}

inline QByteArray pcmSubFormat() {
    return QByteArray::fromHex("0100000000001000800000aa00389b71");
}

inline QByteArray extensibleFmtBody(quint16 channels, quint32 rate, quint16 bits,
                                    const QByteArray& subFormat) {
    return fmtBody(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) +
           le32(channels == 2 ? 3 : 4) + subFormat;
}

inline QByteArray wave(quint16 channels, quint32 rate, quint16 bits, const QByteArray& pcm) {
    return riff(chunk("fmt ", fmtBody(1, channels, rate, bits)) + chunk("data", pcm));
}

// A 16-bit mono sine tone.
inline QByteArray tone(double hz, int ms, int rate, double amplitude) {
    const int count = rate * ms / 1000;
    QByteArray pcm;
    for (int i = 0; i < count; ++i) {
        const double v = amplitude * std::sin(2.0 * std::numbers::pi * hz * i / rate);
        pcm += le16(static_cast<quint16>(static_cast<qint16>(std::lround(v))));
    }
    return pcm;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline int sample16(const QByteArray& pcm, qsizetype i) {
    return qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
}

}  // namespace wavebytes
