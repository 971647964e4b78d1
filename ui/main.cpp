#include "engine/Misc1.h"
#include "engine/lookup/RdapBootstrapRefresh.h"
#include "platform/ProgramFolder.h"
#include "platform/ShellOpen.h"
#include "ui/AdvancedForm.h"
#include "ui/GuiMessageBoxes.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include <QApplication>

int main(int argc, char* argv[])
{
    // 1. The application and its title.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tarnwick"));
    // The main window ends the program when it closes, even while another window is open.
    QApplication::setQuitOnLastWindowClosed(false);

    // 2. The search engine, its data files beside the executable.
    TMisc1 engine;
    engine.setProgramFolder(ProgramFolderOfExecutable());
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

    // 4. The RDAP services: the copy refreshed from IANA (or the shipped one). The TLDs
    //    it names join the table of TLDs in use that the advanced dialog builds.
    UseBestRdapBootstrap(engine.RdapBootstrap, engine.TakenListCache.CacheFolder());

    // 5. The advanced dialog, created once and only shown and hidden afterwards. Its
    //    creation reads the advanced settings, builds the server tree, TLDInfoList and
    //    the TLD box, sets the quick ticks, selects the saved TLD, counts the ticks and
    //    warns about the proxy (showing the main window first).
    TAdvancedForm advanced(engine, mainForm, &mainForm);
    mainForm.setAdvancedDialogHook([&advanced] {
        advanced.show();
        advanced.raise();
        advanced.activateWindow();
    });

    // 6. A refresh of the RDAP services in the background, at most once a day, that no
    //    search waits for; the TLDs it adds are offered from the next start.
    TRdapBootstrapRefresh rdapRefresh(engine.RdapBootstrap, engine.Http, engine.TakenListCache.CacheFolder());
    rdapRefresh.StartIfDue();

    // 7. The message loop.
    mainForm.show();
    return app.exec();
}
