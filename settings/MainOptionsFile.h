#pragma once
#include "engine/MainOptions.h"
#include "engine/SearchView.h"
#include <QString>

class IniFile;

// The main window's search options in Settings.dat (sections Options, Wordlist, Dict,
// Number, Soundex and CustomList).

// Writes every option key, in the file's fixed order. Failures end it quietly.
void SaveMainOptions(const QString& settingsPath, const MainOptions& options);

// Puts every option key into `settings` (in memory; nothing is saved).
void WriteMainOptions(IniFile& settings, const MainOptions& options);

// When the file exists, reads every option key with its load default into `options`
// and returns true; when it does not, leaves `options` as it is and returns false.
bool LoadMainOptions(const QString& settingsPath, const QString& resultsFolder, MainOptions& options);
// Reads every option key of an INI document already in memory, each with its load default.
void LoadMainOptions(const IniFile& settings, const QString& resultsFolder, MainOptions& options);

// The values the Defaults button puts back; the word list builder's tick is left as it is.
MainOptions RestoreMainDefaults(const MainOptions& current, const QString& resultsFolder);

// The same through the options seam, on Settings.dat in `programFolder`: the view's
// applyOptions() puts the values into the controls and runs their handlers.
void SaveMainOptions(const ISearchView& view, const QString& programFolder);
void LoadMainOptions(ISearchView& view, const QString& programFolder);   // nothing when the file is missing
void RestoreMainDefaults(ISearchView& view, const QString& programFolder);
