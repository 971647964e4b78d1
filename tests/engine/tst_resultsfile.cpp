#include "FakeSearchView.h"
#include "engine/Misc1.h"
#include "engine/runs/ResultsFile.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray headerBytes()
{
    return QByteArray("--------------------\r\n Tarnwick Results File\r\n\r\nVisit ") + "https://www.tarnwick.org/"
        + "\r\n--------------------\r\n";
}
} // namespace

class TestResultsFile : public QObject {
    Q_OBJECT
private slots:
    void createEmptiesAndAppendAdds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Tarnwick.txt");
        QVERIFY(!WriteResultLine(path, "a.com : FREE", false));   // append needs an existing file
        QVERIFY(!QFile::exists(path));
        QVERIFY(WriteResultLine(path, "a.com : FREE", true));
        QVERIFY(WriteResultLine(path, "b.com : TAKEN", false));
        QCOMPARE(readAll(path), QByteArray("a.com : FREE\r\nb.com : TAKEN\r\n"));
        QVERIFY(WriteResultLine(path, "c.com : ERROR", true));
        QCOMPARE(readAll(path), QByteArray("c.com : ERROR\r\n"));
    }

    void headerCreatesOrAppends()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Tarnwick.txt");
        QVERIFY(WriteResultsHeader(path));
        QVERIFY(WriteResultLine(path, "a.com : FREE", false));
        QVERIFY(WriteResultsHeader(path));
        QVERIFY(WriteResultLine(path, "b.com : TAKEN", false));
        QCOMPARE(readAll(path), headerBytes() + "a.com : FREE\r\n" + headerBytes() + "b.com : TAKEN\r\n");
    }

    void unwritablePlacesFail_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << "no/such/folder/Tarnwick.txt";
        QTest::newRow("read-only folder") << "ro/Tarnwick.txt";
    }
    void unwritablePlacesFail()
    {
        if (geteuid() == 0 && QByteArray(QTest::currentDataTag()) == "read-only folder")
            QSKIP("root writes into read-only folders");
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("ro");
        QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QVERIFY(!WriteResultsHeader(dir.filePath(relative)));
        QVERIFY(!WriteResultLine(dir.filePath(relative), "x", true));
        QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void countersGoByTheFirstLetter()
    {
        TMisc1 engine;
        FakeSearchView view;
        engine.setView(&view);
        for (const char* status : {"FREE", "TAKEN", "Error, Try using another server for this domain extension !",
                                   "ERROR", "E", "free", ""})
            engine.UpdateMultipleCount(QString::fromLatin1(status));
        QCOMPARE(view.counterText, QString("7 checked, 1 taken, 1 free, 3 errors"));
        engine.ResetCounters();
        engine.UpdateMultipleCount("E");
        QCOMPARE(view.counterText, QString("1 checked, 0 taken, 0 free, 1 errors"));
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
