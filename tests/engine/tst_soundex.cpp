#include "tests/support/DictionaryFixture.h"
#include "engine/names/PhoneticKey.h"
#include "engine/names/Soundex.h"
#include "engine/names/ZlibStream.h"
#include "tests/support/FakeSearchView.h"
#include <QtEndian>
#include <QtTest>

// Sounds-like codes, the "Soundex.dat" file and the sounds-like source.
class TestSoundex : public QObject {
    Q_OBJECT

    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void soundexCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("ROBERT") << "ROBERT" << "R163";
        QTest::newRow("H does not separate") << "ASHCRAFT" << "A261";
        QTest::newRow("TYMCZAK") << "TYMCZAK" << "T522";
        QTest::newRow("padded") << "AB" << "A100";
        QTest::newRow("lower case") << "robert" << "R163";
        QTest::newRow("first letter's group") << "PFISTER" << "P236";
        QTest::newRow("vowel separates") << "TATA" << "T300";
        QTest::newRow("digit separates") << "BOB1B" << "B110";
        QTest::newRow("W does not separate") << "SWS" << "S000";
        QTest::newRow("one letter") << "A" << "A000";
        QTest::newRow("empty") << "" << "";
    }
    void soundexCodes()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(SoundexCode(text, 4), code);
    }

    void phoneticKeys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("key");
        QTest::newRow("KNIGHT") << "KNIGHT" << 10 << "NKT";
        QTest::newRow("WHITE") << "WHITE" << 10 << "WT";
        QTest::newRow("XRAY") << "XRAY" << 10 << "SR";
        QTest::newRow("THOMAS") << "THOMAS" << 10 << "0MS";
        QTest::newRow("lower case, first word only") << "  knight rider " << 10 << "NKT";
        QTest::newRow("PH") << "PHONE" << 10 << "FN";
        QTest::newRow("soft C") << "CITY" << 10 << "ST";
        QTest::newRow("CH") << "CHURCH" << 10 << "XRX";
        QTest::newRow("doubled letters") << "BOTTLE" << 10 << "BTL";
        QTest::newRow("MB") << "LAMB" << 10 << "LM";
        QTest::newRow("TION") << "NATION" << 10 << "NXN";
        QTest::newRow("GNED") << "SIGNED" << 10 << "SNT";
        QTest::newRow("two-letter piece passes the maximum") << "ALEXANDER" << 3 << "ALKS";
        QTest::newRow("cut at the maximum") << "THOMAS" << 2 << "0M";
        QTest::newRow("empty") << "" << 10 << "";
    }
    void phoneticKeys()
    {
        QFETCH(QString, text);
        QFETCH(int, maximum);
        QFETCH(QString, key);
        QCOMPARE(PhoneticKey(text, maximum), key);
    }

    void soundexFileRoundTrip()
    {
        DictionaryFixture fx;
        QVERIFY(fx.loaded());
        TMisc1& e = fx.engine;
        const QString path = e.cacheFile("Soundex.dat");
        QVERIFY(!QFile::exists(path));
        QVERIFY(e.LoadOrBuildSoundexFile());
        QCOMPARE(e.DictSoundex().size(), Dictionary::WordCount);

        QByteArray stored;
        QVERIFY(DecompressBytes(readFile(path), stored));
        QCOMPARE(stored.size(), qsizetype(Dictionary::WordCount) * 4);
        for (const int i : {0, 4055, 14895, 53236, 77762}) {
            const QString code = SoundexCode(e.GetDictWord(i), 4);
            QCOMPARE(e.GetSoundexFor(i), code);
            const qint32 value = qFromLittleEndian<qint32>(stored.constData() + i * 4);
            QCOMPARE(value, QString(u'1' + code.mid(1)).toInt());
        }

        const QStringList built = e.DictSoundex();
        e.ReleaseDictionary();
        QVERIFY(e.LoadDictionary());
        QVERIFY(e.LoadOrBuildSoundexFile());
        QCOMPARE(e.DictSoundex(), built);
    }

    void damagedSoundexFileIsRebuilt_data()
    {
        QTest::addColumn<int>("keep");
        QTest::newRow("truncated") << 5000;
        QTest::newRow("header only") << 2;
        QTest::newRow("empty") << 0;
        QTest::newRow("garbage") << -1;
        QTest::newRow("numbers no code gives") << -2;
    }
    void damagedSoundexFileIsRebuilt()
    {
        QFETCH(int, keep);
        DictionaryFixture fx;
        TMisc1& e = fx.engine;
        const QString path = e.cacheFile("Soundex.dat");
        QVERIFY(e.BuildSoundexFile());
        const QByteArray good = readFile(path);
        const QStringList built = e.DictSoundex();
        if (keep == -2) {
            QByteArray stored;
            QVERIFY(DecompressBytes(good, stored));
            qToLittleEndian<qint32>(2000, stored.data() + 4 * 500);
            writeFile(path, CompressBytes(stored));
        } else {
            writeFile(path, keep < 0 ? QByteArray(4000, 'x') : good.left(keep));
        }

        QVERIFY(e.LoadOrBuildSoundexFile());
        QCOMPARE(e.DictSoundex(), built);
        QByteArray stored;
        QVERIFY(DecompressBytes(readFile(path), stored));
        QCOMPARE(stored.size(), qsizetype(Dictionary::WordCount) * 4);
    }

    void shortSoundexStream()
    {
        DictionaryFixture fx;
        TMisc1& e = fx.engine;
        const QString path = e.cacheFile("Soundex.dat");
        QByteArray stored(10 * 4 + 2, '\0');   // ten integers and a half
        for (int i = 0; i < 10; ++i)
            qToLittleEndian<qint32>(1999, stored.data() + i * 4);
        writeFile(path, CompressBytes(stored));

        // The codes it holds are read; later ones are computed when asked for.
        SoundexIndex index(e.dictionary());
        QVERIFY(index.Load(path));
        QVERIFY(!index.IsComplete());
        QCOMPARE(index.Count(), 10);
        QCOMPARE(index.GetSoundexFor(9), QStringLiteral("A999"));
        QCOMPARE(index.GetSoundexFor(10), SoundexCode(e.GetDictWord(10), 4));

        // The engine makes the file again.
        QVERIFY(e.LoadSoundexFile());
        QCOMPARE(e.DictSoundex().size(), Dictionary::WordCount);
        QCOMPARE(e.GetSoundexFor(9), SoundexCode(e.GetDictWord(9), 4));
        QVERIFY(DecompressBytes(readFile(path), stored));
        QCOMPARE(stored.size(), qsizetype(Dictionary::WordCount) * 4);
    }

    void unwritableFolderKeepsCodesInMemory()
    {
        DictionaryFixture fx;
        TMisc1& e = fx.engine;
        e.setProgramFolder(fx.folder.path() + "/missing/folder");
        QVERIFY(!e.BuildSoundexFile());
        QCOMPARE(e.DictSoundex().size(), Dictionary::WordCount);
    }

    void soundsLikeStaysInTheInitialsRun_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("CAT") << "cat" << 7907 << 14894;
        QTest::newRow("X") << "XYLEM" << 77265 << 77319;
        QTest::newRow("Y") << "YELLOW" << 77320 << 77574;
        QTest::newRow("Z") << "ZEBRA" << 77575 << 77762;
        QTest::newRow("A skips index 0") << "AAH" << 1 << 4054;
    }
    void soundsLikeStaysInTheInitialsRun()
    {
        QFETCH(QString, word);
        QFETCH(int, first);
        QFETCH(int, last);
        DictionaryFixture fx;
        TMisc1& e = fx.engine;
        QVERIFY(e.LoadOrBuildSoundexFile());
        FakeSearchView view;
        view.opts.SoundexCheck = true;
        view.opts.SoundexEdit = word;
        e.setView(&view);
        e.PrepareList();

        const QString upper = word.toUpper();
        const QString code = SoundexCode(upper, 4);
        const QString key = PhoneticKey(upper, 10);
        QStringList expected;
        for (int i = first; i <= last; ++i) {
            const QString w = e.GetDictWord(i);
            if (w != upper && (SoundexCode(w, 4) == code || PhoneticKey(w, 10) == key))
                expected.append(w);
        }
        QVERIFY(!expected.isEmpty());
        QCOMPARE(e.SearchList.toStringList(), expected);
        if (upper == "CAT") {
            QVERIFY(expected.contains("CAD"));
            QVERIFY(expected.contains("COT"));
            QVERIFY(!expected.contains("CAT"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSoundex)
#include "tst_soundex.moc"
