#include "engine/Misc1.h"
#include "platform/ProgramFolder.h"
#include "platform/ShellOpen.h"
#include "settings/ServerAssignment.h"
#include "ui/GuiMessageBoxes.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include "ui/StartupTLDs.h"
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
    mainForm.setHelpSystem(&help);
    mainForm.setShellLauncher(&launcher);
    // CALL POINT (dictionary): loading english.dat, then loading or building Soundex.dat.
    // Without a loader the window takes english.dat as present and loaded. For example:
    //   mainForm.setDictionaryLoader([&engine] { return engine.LoadDictionary() && engine.LoadOrBuildSoundexFile(); });
    //   mainForm.setDictionaryReleaser([&engine] { engine.ReleaseDictionary(); });
    mainForm.FormCreate();
    QObject::connect(&mainForm, &TMainForm::closed, &app, &QCoreApplication::quit);

    // 4. CALL POINT (advanced dialog): create TAdvancedForm here, once; its FormCreate
    //    runs the three steps below in this order (after filling its own lists and
    //    boxes), and the "Advanced" button shows it:
    //      TAdvancedForm advanced(engine, mainForm, help);
    //      mainForm.setAdvancedDialogHook([&advanced] { advanced.show(); });
    //    Until the dialog exists the steps run here, so the program starts complete.
    AdvancedSettings advancedSettings;
    LoadAdvancedSettingsAtStartup(engine, advancedSettings);
    TServerAssignment assignment(engine);
    BuildTLDsAtStartup(engine, assignment, mainForm);
    WarnAboutProxyAtStartup(engine, advancedSettings, mainForm);

    // 5. The message loop.
    mainForm.show();
    return app.exec();
}
