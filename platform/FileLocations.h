// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Where each of the program's files lives. Two arrangements:
// - one folder: a build folder, an unpacked portable folder or --program-folder; every
//   file is in that folder, as it always was;
// - an installation (the executable's folder is read-only, or share/tarnwick/ sits
//   beside it): the user's files go to the XDG folders of the user, and the files the
//   program ships are read from the installation's share/tarnwick/.
struct FileLocations {
    QString programFolder;      // the executable's folder, or the one named on the command line
    QString settingsFolder;     // Settings.dat, Config.dat
    QString cacheFolder;        // Soundex.dat, Cache/
    QString resultsFolder;      // the default results file
    QString installedDataFolder;   // the installation's share/tarnwick/; empty when none
    bool installed = false;

    // Every file in `folder`; shipped data missing there may come from `installedDataFolder`.
    static FileLocations InOneFolder(const QString& folder, const QString& installedDataFolder = {});
    // The installation's arrangement for an executable in `executableFolder`, with the XDG
    // folders of the current environment.
    static FileLocations ForInstallation(const QString& executableFolder);
    // The arrangement of an executable in `executableFolder`: an installation when
    // IsInstallation says so, else one folder.
    static FileLocations ForExecutable(const QString& executableFolder);

    QString SettingsFile(const QString& fileName) const;
    QString CacheFile(const QString& fileName) const;
    QString DefaultResultsFile() const;
    // Where a read-only file shipped with the program lives: the program folder when it
    // holds the file, else the installation's share/tarnwick/ when that holds it, else
    // the program folder (where it is then found missing, as it always was).
    QString ShippedDataFile(const QString& fileName) const;

    // Makes the settings and cache folders when missing (an installation's first start).
    void MakeWritableFolders() const;
};

// <prefix>/share/tarnwick for an executable in <prefix>/bin.
QString InstalledDataFolderOf(const QString& executableFolder);

// An executable's folder belongs to an installation when the program cannot write there,
// or when the installation's share/tarnwick/ sits beside it (a prefix the user may write
// to, such as ~/.local, or any prefix for root): settings then never land among programs.
bool IsInstallation(const QString& executableFolder);
