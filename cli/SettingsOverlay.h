#pragma once
#include "cli/CommandLine.h"
#include "platform/FileLocations.h"
#include "settings/IniFile.h"

// Settings.dat as this run reads it: the file's bytes (or, when there is no file, the
// main window's first-start options) with the --set values written over them, all in
// memory. The document has no path, so nothing can ever save it back.
struct SettingsOverlay {
    IniFile settings;
    bool fileExists = false;   // Settings.dat was there: options load with the file's defaults
    bool fileReadable = false; // ... and could be read; otherwise every key reads as its default
    QString error;             // one line naming a --set key the file cannot hold

    static SettingsOverlay Load(const FileLocations& locations, const QList<SettingOverride>& overrides);
};

// Whether Settings.dat has a place for this key (names compare without regard to case).
bool IsSettingsKey(const QString& section, const QString& key);
