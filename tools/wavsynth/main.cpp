// Writes the console's ten sounds, 1.wav ... 10.wav, into the folder named on
// the command line: 16-bit PCM, mono, 22050 Hz. The output is the same on every
// run, so the build only rewrites the files when this tool changes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Every sound is scaled to this peak (-3 dBFS), which leaves room for the
// rounding to 16 bits and keeps the loudest sample well under -1 dBFS.
constexpr double kPeak = 0.7079;

using Signal = std::vector<double>;

// A tone with a harmonic "edge": 0 is a pure sine, 1 a square wave built from
// odd harmonics. Only harmonics below 0.45 x the sample rate are summed, so a
// bright tone does not alias into a hiss.
double voice(double phase, double frequency, double edge) {
    double value = std::sin(phase);
    for (int harmonic = 3; harmonic <= 15; harmonic += 2) {
        if (frequency * harmonic >= 0.45 * kRate)
            break;
        value += edge * std::sin(harmonic * phase) / harmonic;
    }
    return value;
}

struct Tone {
    double seconds = 0.1;
    std::function<double(double)> frequency;  // of the fraction 0..1 of the tone
    double edge = 0.0;
    double attack = 0.005;
    double release = 0.02;
    double gain = 1.0;
};

// Appends one tone; the phase runs on from the previous one, so two tones
// joined without a gap do not click.
void addTone(Signal& out, double& phase, const Tone& tone) {
    const int count = static_cast<int>(std::lround(tone.seconds * kRate));
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double fraction = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        const double frequency = tone.frequency(fraction);
        double envelope = 1.0;
        if (t < tone.attack)
            envelope = t / tone.attack;
        const double left = tone.seconds - t;
        if (left < tone.release)
            envelope = std::min(envelope, left / tone.release);
        // A raised-cosine shape softens the corners of the linear ramps.
        envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(envelope, 0.0, 1.0));
        out.push_back(tone.gain * envelope * voice(phase, frequency, tone.edge));
        phase = std::fmod(phase + kTwoPi * frequency / kRate, kTwoPi);
    }
}

void addSilence(Signal& out, double seconds) {
    out.insert(out.end(), static_cast<std::size_t>(std::lround(seconds * kRate)), 0.0);
}

std::function<double(double)> steady(double hz) {
    return [hz](double) { return hz; };
}

// Exponential glide, which the ear hears as an even sweep.
std::function<double(double)> glide(double fromHz, double toHz) {
    return [fromHz, toHz](double x) { return fromHz * std::pow(toHz / fromHz, x); };
}

Signal accept() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {0.12, glide(1100.0, 2000.0), 0.25, 0.004, 0.03});
    return s;
}

Signal leaving() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {1.2, glide(1500.0, 180.0), 0.35, 0.01, 0.25});
    return s;
}

Signal ready() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {0.27, steady(660.0), 0.3, 0.005, 0.03});
    addSilence(s, 0.04);
    phase = 0.0;
    addTone(s, phase, {0.29, steady(990.0), 0.3, 0.005, 0.08});
    return s;
}

Signal shipPanel() {
    // A short data warble: the pitch steps between two values 25 times a second.
    Signal s;
    double phase = 0.0;
    const auto warble = [](double x) {
        return static_cast<int>(x * 10.0) % 2 == 0 ? 1000.0 : 1500.0;
    };
    addTone(s, phase, {0.4, warble, 0.2, 0.005, 0.05, 0.9});
    return s;
}

Signal panelComplete() {
    Signal s;
    double phase = 0.0;
    for (const double hz : {880.0, 1109.0, 1319.0}) {
        addTone(s, phase, {0.105, steady(hz), 0.15, 0.004, 0.02});
        addSilence(s, 0.012);
    }
    return s;
}

Signal zoomComplete() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {0.25, glide(400.0, 1600.0), 0.2, 0.01, 0.0});
    addTone(s, phase, {0.2, steady(1600.0), 0.2, 0.0, 0.08});
    return s;
}

Signal refuse() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {0.12, steady(196.0), 0.8, 0.004, 0.02});
    addSilence(s, 0.06);
    phase = 0.0;
    addTone(s, phase, {0.12, steady(196.0), 0.8, 0.004, 0.03});
    return s;
}

Signal buildingStarts() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {0.3, glide(300.0, 900.0), 0.5, 0.005, 0.06, 0.9});
    return s;
}

Signal arrival() {
    Signal s;
    double phase = 0.0;
    addTone(s, phase, {0.11, steady(1760.0), 0.1, 0.004, 0.01});
    addTone(s, phase, {0.14, steady(1319.0), 0.1, 0.0, 0.05});
    return s;
}

Signal alarm() {
    // Four whoops of half a second, each a rising sweep cut off at its top.
    Signal s;
    double phase = 0.0;
    for (int i = 0; i < 4; ++i) addTone(s, phase, {0.5, glide(420.0, 920.0), 0.7, 0.01, 0.04});
    return s;
}

std::vector<std::uint8_t> encodeWave(const Signal& signal) {
    double loudest = 0.0;
    for (const double v : signal) loudest = std::max(loudest, std::abs(v));
    const double scale = loudest > 0.0 ? kPeak / loudest : 0.0;

    const auto dataBytes = static_cast<std::uint32_t>(signal.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    const auto put16 = [&out](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xff));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
    };
    const auto put32 = [&put16](std::uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    const auto putTag = [&out](const char* tag) {
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<std::uint8_t>(tag[i]));
        }
    };

    putTag("RIFF");
    put32(36 + dataBytes);
    putTag("WAVE");
    putTag("fmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    putTag("data");
    put32(dataBytes);
    for (const double v : signal) {
        const long sample = std::clamp(std::lround(v * scale * 32767.0), -32767L, 32767L);
        put16(static_cast<std::uint32_t>(
            static_cast<std::uint16_t>(static_cast<std::int16_t>(sample))));
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argc > 0 ? argv[0] : "ovant_wavsynth");
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<std::function<Signal()>> sounds = {
        accept,       leaving, ready,          shipPanel, panelComplete,
        zoomComplete, refuse,  buildingStarts, arrival,   alarm,
    };
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const std::string path = folder + "/" + std::to_string(i + 1) + ".wav";
        if (!writeFile(path, encodeWave(sounds[i]()))) {
            std::fprintf(stderr, "ovant_wavsynth: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
