#pragma once

#include <QString>

namespace ovant {

// What the screen-saver mechanism asks of the module.
enum class SchirmMode {
    Run,        // "/s": run the console as screen saver and live as long as it
    Configure,  // "/c", "/c:<window>" or nothing: the settings window
    Nothing,    // preview, password and anything else: end at once
};

// The arguments as one text, the way the system hands them over: "/p 4711".
QString schirmCommandLine(int argc, const char* const* argv);

// Only the first two characters of the trimmed, lower-cased text decide, so
// " /S " runs and "/c:1234" configures.
SchirmMode schirmMode(const QString& commandLine);

}  // namespace ovant
