#pragma once

#include <QString>
#include <QStringList>

namespace ovant {

enum class ScanMode { Normal, ScreenSaver, ShowInfo };

// The arguments as one text, compared as a whole: exactly "Mode:ScrSav" or
// "Mode:ShowInfo", case and blanks included; anything else is the normal start.
QString commandLineText(const QStringList& arguments);
ScanMode scanMode(const QString& commandLine);

// The entry of OVANT-Scan: one instance per user, the screen-size refusal,
// then the info window alone or the splash window and the console.
int runScan(int argc, char** argv);

}  // namespace ovant
