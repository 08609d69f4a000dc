#pragma once

#include <QString>

#include "platform/process_launch.h"

// The module's own texts: its window, its captions and its messages. A line
// break inside a text is the caption line break (character 13).
namespace ovant::schirm_texts {

inline constexpr const char* kWindowTitle = "OVANT-Feldtaster - Bildschirmschoner";
inline constexpr const char* kHeading = "OVANT-Feldtaster-Bildschirmschoner";

QString pathUnknownTitle();
// The console cannot be started for the screen saver.
QString pathUnknownText();
// The info window cannot be started: the system's reason first.
QString infoFailedText(const StartFailure& failure);

// The message box shows a caption line break as a new line.
QString forDisplay(QString text);

}  // namespace ovant::schirm_texts
