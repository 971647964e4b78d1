// The help window over the shipped help file, opened from the main window's Help
// button and by the advanced dialog's command, and closed when the main window closes.
#include "engine/Misc1.h"
#include "ScriptedMessageBoxes.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

class TestHelpWindow : public QObject {
    Q_OBJECT

    const QString shipped_ = QStringLiteral(TARNWICK_PROGRAM_DIR "/Tarnwick.hlp");

private slots:
    void everyLinkOfTheGuideLeadsSomewhere()
    {
        QFile file(shipped_);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(shipped_));
        const QString html = QString::fromUtf8(file.readAll());
        QSet<QString> anchors;
        const QRegularExpression name(QStringLiteral("<a name=\"([^\"]+)\""));
        for (auto it = name.globalMatch(html); it.hasNext();)
            anchors.insert(it.next().captured(1));
        QVERIFY(anchors.contains(QStringLiteral("contents")));
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (auto it = link.globalMatch(html); it.hasNext(); ++links) {
            const QString target = it.next().captured(1);
            QVERIFY2(anchors.contains(target), qPrintable(target));
        }
        QVERIFY(links > 20);
    }

    void bothCommandsShowTheContents()
    {
        ScriptedMessageBoxes boxes;
        HelpWindow help(boxes);
        help.setHelpFile(shipped_);
        QVERIFY(help.Command(HelpCommand::Tab, -3));
        QVERIFY(help.isVisible());
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Server Assignment")));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("firewall")));
        help.Quit();
        QVERIFY(!help.isVisible());
        QVERIFY(help.Command(HelpCommand::Finder, 0));
        QVERIFY(help.isVisible());
        QVERIFY(boxes.shown.isEmpty());
        // Escape closes it, as it closes a dialog.
        help.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(help.browser(), Qt::Key_Escape);
        QVERIFY(!help.isVisible());
    }

    void missingFileIsReported()
    {
        ScriptedMessageBoxes boxes;
        HelpWindow help(boxes);
        help.setHelpFile(QStringLiteral("/nonexistent/Tarnwick.hlp"));
        QVERIFY(!help.Command(HelpCommand::Tab, -3));
        QVERIFY(!help.isVisible());
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown.at(0).text.contains(QStringLiteral("/nonexistent/Tarnwick.hlp")));
    }

    void mainWindowOpensAndClosesIt()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(shipped_, dir.filePath(QStringLiteral("Tarnwick.hlp"))));
        ScriptedMessageBoxes boxes;
        TMisc1 engine;
        engine.setProgramFolder(dir.path());
        engine.setMessageBoxes(&boxes);
        HelpWindow help(boxes);
        TMainForm form(engine);
        form.setHelpSystem(&help);
        form.FormCreate();
        form.show();
        QCOMPARE(help.helpFile(), dir.filePath(QStringLiteral("Tarnwick.hlp")));
        form.findChild<QPushButton*>(QStringLiteral("HelpBtn"))->click();
        QVERIFY(help.isVisible());
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Single Search")));
        QVERIFY(form.close());
        QVERIFY(!help.isVisible());
        QVERIFY(boxes.shown.isEmpty());
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
