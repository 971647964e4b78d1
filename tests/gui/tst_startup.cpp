// Start-up as the program runs it: the main window first, then the tree, TLDInfoList,
// the TLD box and the quick ticks, from the files of a temporary program folder.
#include "engine/Misc1.h"
#include "settings/CheckStates.h"
#include "settings/IniFile.h"
#include "settings/MainOptionsFile.h"
#include "settings/ServerAssignment.h"
#include "ScriptedMessageBoxes.h"
#include "ui/ApplicationSetup.h"
#include "ui/MainForm.h"
#include "ui/StartupTLDs.h"
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

// What the advanced dialog's signals have the main window do once TLDInfoList is built.
static void ShowTLDs(TMainForm& form, TServerAssignment& assignment)
{
    form.setTLDComboItems(assignment.TLDBoxItems());
    form.setQuickTicksFromTLDInfoList();
    form.selectSavedTLD();
    form.DomainCheckClickCheck();
}

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void tldsAndQuickTicksFollowTheSavedChecks()
    {
        QTemporaryDir dir;
        const QString settingsPath = dir.filePath(QStringLiteral("Settings.dat"));
        {
            // Entries 1 and the last ticked, a domain of the user's own, the third TLD chosen.
            MainOptions options = FirstStartOptions(dir.path());
            options.TLDComboIndex = 2;
            SaveMainOptions(settingsPath, options);
            IniFile ini(settingsPath);
            ini.WriteString(QStringLiteral("NewDomain"), QStringLiteral("Item0"), QStringLiteral(".example"));
            QVERIFY(ini.Save());
        }
        ScriptedMessageBoxes boxes;
        TMisc1 engine;
        engine.setProgramFolder(dir.path());
        engine.setMessageBoxes(&boxes);
        TMainForm form(engine);
        form.FormCreate();

        AdvancedSettings advanced;
        LoadAdvancedSettingsAtStartup(engine, advanced);
        QCOMPARE(engine.NewDomainList, QStringList{QStringLiteral(".example")});

        // A first build writes Checked; tick entries 1 and 4 in it and build again.
        TServerAssignment assignment(engine);
        BuildTLDsAtStartup(engine, assignment);
        ShowTLDs(form, assignment);
        const int count = engine.TLDInfoList.Count();
        QVERIFY(count > 4);
        QList<bool> flags(count, false);
        flags[1] = true;
        flags[4] = true;
        {
            IniFile ini(settingsPath);
            ini.WriteString(QStringLiteral("Checked"), QStringLiteral("Item"), PackCheckStates(flags));
            QVERIFY(ini.Save());
        }
        TServerAssignment again(engine);
        BuildTLDsAtStartup(engine, again);
        ShowTLDs(form, again);

        auto* combo = form.findChild<QComboBox*>(QStringLiteral("TLDCombo"));
        QCOMPARE(combo->count(), again.TLDBoxItems().size());
        QVERIFY(again.TLDBoxItems().contains(QStringLiteral(".example")));
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(CheckStatesOf(engine.TLDInfoList), flags);
        auto* ticks = form.findChild<QListWidget*>(QStringLiteral("DomainCheck"));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ticks->item(i)->checkState() == Qt::Checked, flags[i]);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("DomainCountLbl"))->text(), QStringLiteral("(2)"));
        QVERIFY(form.domainCheckHandlerAttached());

        // The quick ticks are live: a tick is counted and written at once.
        ticks->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("DomainCountLbl"))->text(), QStringLiteral("(3)"));
        IniFile saved(settingsPath);
        QList<bool> written(count, false);
        UnpackCheckStates(saved, written, QStringLiteral("Checked"));
        QVERIFY(written[0] && written[1] && written[4]);
        QVERIFY(boxes.shown.isEmpty());
    }

    // Window titles are the windows' own captions ("Advanced", "Select TLDs"): the program
    // gives itself no display name, which window systems would append to every title.
    void titlesGetNoApplicationSuffix()
    {
        SetUpApplication();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tarnwick"));
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));   // no name of its own
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
