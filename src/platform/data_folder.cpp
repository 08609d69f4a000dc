#include "platform/data_folder.h"

#include <QDir>
#include <QFileInfo>

namespace ovant {

namespace {

bool holdsASound(const QDir& folder) {
    for (int number = 1; number <= 10; ++number) {
        if (QFileInfo(folder.filePath(QString::number(number) + QStringLiteral(".wav"))).isFile()) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString dataFolder(const QString& programFolder, const QString& installedFolder) {
    if (programFolder.isEmpty()) {
        return programFolder;
    }
    const QDir beside(programFolder);
    if (holdsASound(beside)) {
        return programFolder;
    }
    const QDir installed(QDir::cleanPath(beside.filePath(installedFolder)));
    if (!installedFolder.isEmpty() && holdsASound(installed)) {
        return installed.path();
    }
    return programFolder;
}

QString dataFolder(const QString& programFolder) {
    // Set by the build from the install layout: the data folder relative to
    // the folder the programs are installed in, such as "../share/ovant".
    return dataFolder(programFolder, QStringLiteral(OVANT_INSTALLED_DATA_FOLDER));
}

}  // namespace ovant
