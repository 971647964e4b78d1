#include "engine/Misc1.h"
#include "platform/ProgramFolder.h"
#include "platform/ShellOpen.h"
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

    // 3. The main window: defaults, saved options, dictionary, status line.
    TMainForm mainForm(engine);
    mainForm.setHelpSystem(&help);
    mainForm.setShellLauncher(&launcher);
    // Call point: loading english.dat, then loading or building Soundex.dat
    //   mainForm.setDictionaryLoader([&engine] { return engine.LoadDictionary() && engine.LoadOrBuildSoundex(); });
    //   mainForm.setDictionaryReleaser([&engine] { engine.ReleaseDictionary(); });
    mainForm.FormCreate();
    QObject::connect(&mainForm, &TMainForm::closed, &app, &QCoreApplication::quit);

    // 4. Call point: the advanced dialog. Its creation builds the server tree,
    //    TLDInfoList and the TLD box, and then, in this order:
    //      mainForm.setQuickTicksFromTLDInfoList();   (ticks from entries 0..3, binds DomainCheckClickCheck)
    //      mainForm.selectSavedTLD();
    //      mainForm.DomainCheckClickCheck();
    //      WarnAboutProxy
    //    and the "Advanced" button shows it:
    //      mainForm.setAdvancedDialogHook([&advanced] { advanced.show(); });

    // 5. The message loop.
    mainForm.show();
    return app.exec();
}
