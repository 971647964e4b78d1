// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileLocations.h"
#include "platform/ProgramFolder.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSubfolder = QStringLiteral("tarnwick");

QString Join(const QString& folder, const QString& fileName)
{
    return folder + QLatin1Char('/') + fileName;
}

// The user's documents folder (XDG_DOCUMENTS_DIR, usually ~/Documents) when it exists,
// else the home folder.
QString DocumentsOrHome()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return NormaliseProgramFolder(documents);
    return NormaliseProgramFolder(QDir::homePath());
}

} // namespace

FileLocations FileLocations::InOneFolder(const QString& folder, const QString& installedDataFolder)
{
    FileLocations l;
    l.programFolder = NormaliseProgramFolder(folder);
    l.settingsFolder = l.programFolder;
    l.cacheFolder = l.programFolder;
    l.resultsFolder = l.programFolder;
    l.installedDataFolder = installedDataFolder;
    return l;
}

FileLocations FileLocations::ForInstallation(const QString& executableFolder)
{
    FileLocations l;
    l.installed = true;
    l.programFolder = NormaliseProgramFolder(executableFolder);
    // $XDG_CONFIG_HOME (else ~/.config) and $XDG_CACHE_HOME (else ~/.cache).
    l.settingsFolder = Join(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), kSubfolder);
    l.cacheFolder = Join(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation), kSubfolder);
    l.resultsFolder = DocumentsOrHome();
    l.installedDataFolder = InstalledDataFolderOf(executableFolder);
    return l;
}

FileLocations FileLocations::ForExecutable(const QString& executableFolder)
{
    if (IsInstallation(executableFolder))
        return ForInstallation(executableFolder);
    return InOneFolder(executableFolder);
}

QString FileLocations::SettingsFile(const QString& fileName) const
{
    return Join(settingsFolder, fileName);
}

QString FileLocations::CacheFile(const QString& fileName) const
{
    return Join(cacheFolder, fileName);
}

QString FileLocations::DefaultResultsFile() const
{
    return Join(resultsFolder, QStringLiteral("Tarnwick.txt"));
}

QString FileLocations::ShippedDataFile(const QString& fileName) const
{
    const QString beside = Join(programFolder, fileName);
    if (installedDataFolder.isEmpty() || QFileInfo::exists(beside))
        return beside;
    const QString shipped = Join(installedDataFolder, fileName);
    return QFileInfo::exists(shipped) ? shipped : beside;
}

void FileLocations::MakeWritableFolders() const
{
    QDir().mkpath(settingsFolder);
    QDir().mkpath(cacheFolder);
}

QString InstalledDataFolderOf(const QString& executableFolder)
{
    // TARNWICK_DATA_FROM_BIN: the installed data folder relative to the installed bin folder.
    return QDir::cleanPath(Join(executableFolder, QStringLiteral(TARNWICK_DATA_FROM_BIN)));
}

bool IsInstallation(const QString& executableFolder)
{
    return !QFileInfo(executableFolder).isWritable() || QFileInfo(InstalledDataFolderOf(executableFolder)).isDir();
}
