#include "settings/IniFile.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readsWhatAWindowsWriterWrote()
    {
        IniFile ini;
        ini.FromBytes("; written elsewhere\r\n\r\n[OPTIONS]\r\nDictCheck = 1\r\n  singlesearch=  my name  \r\n"
                      "Empty=\r\nQuoted=\"a b\"\r\n\r\n[Number]\r\nNumberFrom=12abc\r\nNumberTo=-5\r\n");
        QCOMPARE(ini.ReadBool("Options", "DictCheck", false), true);
        QCOMPARE(ini.ReadString("options", "SingleSearch", "x"), QString("my name"));
        QCOMPARE(ini.ReadString("Options", "Empty", "default"), QString());
        QCOMPARE(ini.ReadString("Options", "Missing", "default"), QString("default"));
        QCOMPARE(ini.ReadString("Options", "Quoted", ""), QString("a b"));
        QCOMPARE(ini.ReadInteger("Number", "NumberFrom", 7), 7);
        QCOMPARE(ini.ReadInteger("Number", "NumberTo", 7), -5);
        QCOMPARE(ini.ReadString("Nowhere", "NumberTo", "d"), QString("d"));
    }

    void writingKeepsForeignLinesAndOrder()
    {
        IniFile ini;
        ini.FromBytes("; comment\n[A]\nx=1\n\n[B]\ny=2\n");
        ini.WriteString("a", "X", "9");
        ini.WriteString("A", "z", "3");
        ini.WriteString("C", "w", "4");
        QCOMPARE(ini.ToBytes(), QByteArray("; comment\r\n[A]\r\nx=9\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n"));
    }

    void eraseSectionRemovesEveryCopy()
    {
        IniFile ini;
        ini.FromBytes("[Proxy]\nServer=a\n[Cache]\nIECache=3\n[proxy]\nPort=8\n");
        ini.EraseSection("PROXY");
        QVERIFY(!ini.SectionExists("Proxy"));
        QCOMPARE(ini.ReadInteger("Cache", "IECache", 7), 3);
    }

    void valueCannotBreakTheFile()
    {
        IniFile ini;
        ini.WriteString("S", "k", "one\r\n[Evil]\r\nk=2");
        QVERIFY(!ini.SectionExists("Evil"));
        QCOMPARE(ini.Keys("S"), QStringList{"k"});
    }

    void failedSaveLeavesThePreviousFile_data()
    {
        QTest::addColumn<QString>("failingStep");
        QTest::newRow("open") << "open";
        QTest::newRow("write") << "write";
        QTest::newRow("commit") << "commit";
    }
    void failedSaveLeavesThePreviousFile()
    {
        QFETCH(QString, failingStep);
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        {
            IniFile ini(path);
            ini.WriteString("Options", "SingleSearch", "before");
            QVERIFY(ini.Save());
        }
        IniFile ini(path);
        ini.WriteString("Options", "SingleSearch", "after");
        IniFile::setFaultHook([&](const char* step) { return failingStep != QLatin1String(step); });
        QVERIFY(!ini.Save());
        IniFile::setFaultHook({});
        IniFile reread(path);
        QCOMPARE(reread.ReadString("Options", "SingleSearch", ""), QString("before"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Settings.dat"});
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
