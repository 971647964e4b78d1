#pragma once
#include "cli/CliMessageBoxes.h"
#include "cli/CliSearchView.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/ProgressLine.h"
#include "cli/SettingsOverlay.h"
#include "engine/Misc1.h"
#include "settings/AdvancedSettingsFile.h"

class CheckNames;

// One run of tarnwick-cli: the engine with the CLI's view and message boxes, set up
// from the program folder as the window's start-up sets it up, with the command line's
// overrides on top. Nothing here writes Settings.dat or Config.dat: the settings are
// read into memory once and the TLD table is built without the tick handler that
// would save the ticks. When standard output goes away, whatever runs is stopped.
class CliSession {
public:
    explicit CliSession(const CliArguments& arguments);

    // Reads the settings, the options and the TLD table and applies the command line.
    // Returns a one-line usage error, or an empty text when all is well.
    QString Open(bool loadDictionary);

    // The Start button's steps before a search, except that the options are not saved:
    // counters, lists and the failed servers emptied, the stop request cleared.
    void BeginSearch();
    // The progress line goes; the window would return to idle.
    void EndSearch();

    // The automated search over the name sources, or over the names of `check`, printed in
    // the chosen format; the counters come last. Returns the exit code.
    int RunAutomatedSearch(CheckNames* names = nullptr);

    TMisc1& engine() { return engine_; }
    CliSearchView& view() { return view_; }
    Console& console() { return console_; }
    const CliMessageBoxes& messageBoxes() const { return boxes_; }
    const CliArguments& arguments() const { return arguments_; }
    const MainOptions& options() const { return options_; }
    // The TLD box of the single search: every TLD of the server-assignment tree, in order.
    const QStringList& tldBoxItems() const { return tldBox_; }

private:
    void LoadOptions();
    void LoadDictionary();
    void NoteUnreadableImportList();
    void ApplyAdvancedSettings();
    void BuildTLDInfoList();
    QString UseRdapBootstrap();
    void ApplyServerOverrides();
    QString ApplyTickedTlds();

    const CliArguments& arguments_;
    Console console_;
    TMisc1 engine_;
    ProgressLine progress_{console_, engine_};
    CliSearchView view_{console_, progress_};
    CliMessageBoxes boxes_;
    SettingsOverlay settings_;
    AdvancedSettings advanced_;
    MainOptions options_;
    QStringList tldBox_;
};
