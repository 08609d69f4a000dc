#pragma once

#include <QString>
#include <initializer_list>

namespace ovant::texts {

// The carriage return that separates lines inside one caption.
inline constexpr QChar kLineBreak = QChar(13);

// A number as a caption shows it: with one leading blank in place of a plus
// sign, so 75142 reads " 75142".
QString signedNumber(long long value);

// Lines joined by the caption line break.
QString lines(std::initializer_list<QString> parts);

// The refusal on a screen that is too small.
QString screenTooSmallTitle();
QString screenTooSmallText();

// "Version 1.0 (1.0.01)": major, minor, then minor again with ".0" and the revision.
QString versionLine(int major, int minor, int revision);

inline constexpr const char* kConsoleTitle = "OVANT-Feldtaster";
inline constexpr const char* kInfoTitle = "OVANT-Feldtaster [Infos und Hilfe]";
inline constexpr const char* kFieldProbe = "Field Probe 76421";

}  // namespace ovant::texts
