#include "engine/MainOptions.h"
#include "engine/Misc1.h"
#include "platform/ProgramFolder.h"
#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void trailingSeparatorIsDropped_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("results");
        QTest::newRow("plain") << "/opt/tarnwick" << "/opt/tarnwick/Tarnwick.txt";
        QTest::newRow("trailing slash") << "/opt/tarnwick/" << "/opt/tarnwick/Tarnwick.txt";
        QTest::newRow("trailing backslash") << "/opt/tarnwick\\" << "/opt/tarnwick/Tarnwick.txt";
    }
    void trailingSeparatorIsDropped()
    {
        QFETCH(QString, given);
        QFETCH(QString, results);
        TMisc1 engine;
        engine.setProgramFolder(given);
        QCOMPARE(engine.programFile(QStringLiteral("Tarnwick.txt")), results);
        QCOMPARE(FirstStartOptions(engine.programFolder()).AutoSaveEdit, results);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
