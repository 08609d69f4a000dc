#pragma once

#include <QString>

namespace ovant {

// The folder that holds the ten sound files "1.wav" ... "10.wav", for a
// program that lives in `programFolder`.
//
// Run from the build folder, the sounds lie beside the program. Installed,
// the programs live in <prefix>/bin and their sounds in <prefix>/share/ovant,
// which `installedFolder` names relative to the program's folder. The folder
// beside the program wins whenever it holds a sound, so a user who puts
// replacement files there hears them. When neither holds one, the folder
// beside the program is given all the same: the sounds are then silently
// missing, as they would be anywhere else.
//
// An empty `programFolder` (no folder known yet) stays empty, so that nothing
// is looked up relative to the working folder.
QString dataFolder(const QString& programFolder, const QString& installedFolder);

// The same, with the installed layout this build was configured for.
QString dataFolder(const QString& programFolder);

}  // namespace ovant
