#include "settings/IniFile.h"
#include <QFile>
#include <QRandomGenerator>
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

    void everyWrittenValueReadsBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "plain text";
        QTest::newRow("blanks at both ends") << "  padded  ";
        QTest::newRow("in double quotes") << "\"quoted\"";
        QTest::newRow("in single quotes") << "'quoted'";
        QTest::newRow("one quote") << "\"";
        QTest::newRow("quotes inside") << "a \"b\" c";
        QTest::newRow("commas and equals") << "a,b=c;d";
        QTest::newRow("brackets") << "[NotASection]";
        QTest::newRow("non-ASCII") << QString::fromUtf8("domain név még nincs regisztrálva");
        QTest::newRow("empty") << "";
    }
    void everyWrittenValueReadsBack()
    {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        IniFile ini(path);
        ini.WriteString("S", "k", value);
        ini.WriteString("S", "after", "x");
        QVERIFY(ini.Save());
        IniFile reread(path);
        QCOMPARE(reread.ReadString("S", "k", "missing"), value);
        QCOMPARE(reread.ReadString("S", "after", ""), QString("x"));
        QCOMPARE(reread.Keys("S"), (QStringList{"k", "after"}));
    }

    void singleQuotesAreDroppedAsWindowsDoes()
    {
        IniFile ini;
        ini.FromBytes("[S]\nk= 'a b' \nmixed='a\"\n");
        QCOMPARE(ini.ReadString("S", "k", ""), QString("a b"));
        QCOMPARE(ini.ReadString("S", "mixed", ""), QString("'a\""));
    }

    void readsOtherEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n");
        QTest::newRow("ANSI") << QByteArray("[S]\r\nk=caf\xE9\r\n");
        QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0c\0a\0f\0\xE9\0", 24);
    }
    void readsOtherEncodings()
    {
        QFETCH(QByteArray, bytes);
        IniFile ini;
        ini.FromBytes(bytes);
        QCOMPARE(ini.ReadString("S", "k", ""), QString::fromUtf8("caf\xC3\xA9"));
    }

    void savesWithTheGivenPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Index.ini");
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const auto everyoneReads = ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        IniFile ini(path);
        ini.WriteString("S", "k", "v");
        QVERIFY(ini.Save(ownerOnly));
        QCOMPARE(QFile::permissions(path) & 0xF0FF, ownerOnly);
        QVERIFY(ini.Save(everyoneReads));
        QCOMPARE(QFile::permissions(path) & 0xF0FF, everyoneReads);
    }

    void survivesAnyBytes()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes(random.bounded(200), Qt::Uninitialized);
            for (char& c : bytes)
                c = "[]=;\"' \r\nAbc\x00\xFF\xC3"[random.bounded(14)];
            IniFile ini;
            ini.FromBytes(bytes);
            ini.ReadString("a", "b", "");
            ini.WriteString("A", "b", "c");
            ini.EraseSection("bc");
            IniFile again;
            again.FromBytes(ini.ToBytes());
            QCOMPARE(again.ReadString("A", "b", ""), ini.ReadString("A", "b", ""));
        }
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
