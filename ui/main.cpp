#include "engine/Misc1.h"
#include "engine/lookup/RdapBootstrapRefresh.h"
#include "engine/ProjectInfo.h"
#include "platform/FileLocations.h"
#include "platform/ProgramFolder.h"
#include "platform/SignalNotifier.h"
#include "platform/ShellOpen.h"
#include "ui/AdvancedForm.h"
#include "ui/ApplicationSetup.h"
#include "ui/GuiMessageBoxes.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include "ui/WindowWiring.h"
#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // 1. The application and its title.
    QApplication app(argc, argv);
    SetUpApplication();
    // The desktop matches the window to its menu entry and icon by this id.
    QGuiApplication::setDesktopFileName(ProjectInfo::AppId());
    QApplication::setWindowIcon(QIcon::fromTheme(ProjectInfo::AppId()));
    // The session ending (SIGTERM) closes the main window as the user would, options
    // saved; caught from here on, acted upon once the message loop runs.
    SignalNotifier terminate(SIGTERM);

    // 2. The search engine, its data files beside the executable, or in the user's
    //    folders when the executable is installed.
    TMisc1 engine;
    const FileLocations locations = FileLocations::ForExecutable(ProgramFolderOfExecutable());
    locations.MakeWritableFolders();
    engine.setFileLocations(locations);
    GuiMessageBoxes boxes;
    engine.setMessageBoxes(&boxes);
    HelpWindow help(boxes);
    XdgOpenLauncher launcher;

    // 3. The main window: defaults, saved options, dictionary, status line, folding.
    TMainForm mainForm(engine);
    engine.setView(&mainForm);   // the searches read the options and write the results here
    mainForm.setHelpSystem(&help);
    mainForm.setShellLauncher(&launcher);
    // The dictionary, then its Soundex codes (loaded, or built and written when missing
    // or damaged). A Soundex.dat that cannot be written leaves the codes in memory.
    mainForm.setDictionaryLoader([&engine] {
        if (!engine.LoadDictionary())
            return false;
        engine.LoadOrBuildSoundexFile();
        return true;
    });
    mainForm.setDictionaryReleaser([&engine] { engine.ReleaseDictionary(); });
    mainForm.FormCreate();
    QObject::connect(&mainForm, &TMainForm::closed, &app, &QCoreApplication::quit);
    QObject::connect(&terminate, &SignalNotifier::received, &mainForm, &TMainForm::closeWithoutAsking);

    // 4. The RDAP services: the copy refreshed from IANA (or the shipped one). The TLDs
    //    it names join the table of TLDs in use that the advanced dialog builds.
    UseBestRdapBootstrap(engine.RdapBootstrap, engine.TakenListCache.CacheFolder());

    // 5. The advanced dialog, created once and only shown and hidden afterwards. Its
    //    creation reads the advanced settings, builds the server tree, TLDInfoList and
    //    the TLD box, sets the quick ticks, selects the saved TLD, counts the ticks and
    //    warns about the proxy (showing the main window first).
    const std::unique_ptr<TAdvancedForm> advanced = CreateAdvancedDialog(engine, mainForm);
    mainForm.setAdvancedDialogHook([dialog = advanced.get()] {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });

    // 6. A refresh of the RDAP services in the background, at most once a day, that no
    //    search waits for; the TLDs it adds are offered from the next start.
    TRdapBootstrapRefresh rdapRefresh(engine.RdapBootstrap, engine.Http, engine.TakenListCache.CacheFolder());
    rdapRefresh.StartIfDue();

    // 7. The message loop.
    mainForm.show();
    return app.exec();
}
