#include "tests/support/DictionaryFixture.h"
#include "engine/names/ZlibStream.h"
#include "engine/names/ImportList.h"
#include "engine/names/NameNormalisation.h"
#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

// The dictionary file, its letter runs, and the zlib helpers it is read with.
class TestDictionary : public QObject {
    Q_OBJECT

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void realFileMatchesTheLetterRuns()
    {
        DictionaryFixture fx;
        QVERIFY(fx.loaded());
        const TMisc1& e = fx.engine;
        QSet<QString> seen;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const int first = e.GetIndexFor(QChar(letter));
            const int last = std::min(Dictionary::LastIndexOfRun(QChar(letter)), int(Dictionary::LastWordIndex));
            QString previous;
            for (int i = first; i <= last; ++i) {
                const QString word = e.GetDictWord(i);
                QVERIFY2(word.startsWith(QChar(letter)), qPrintable(word));
                QVERIFY2(previous.isEmpty() || previous < word, qPrintable(previous + " " + word));
                QVERIFY2(!seen.contains(word), qPrintable(word));
                for (const QChar c : word)
                    QVERIFY2(c >= u'A' && c <= u'Z', qPrintable(word));
                seen.insert(word);
                previous = word;
            }
        }
        QCOMPARE(seen.size(), Dictionary::WordCount);
        for (const char* example : {"CAT", "CAD", "COT", "DOG"})
            QVERIFY(seen.contains(QLatin1String(example)));
        // The Z run holds 188 words, 77575..77762.
        QCOMPARE(e.GetIndexFor(u'Z'), 77575);
        QVERIFY(e.GetDictWord(77762).startsWith(u'Z'));
        QCOMPARE(e.GetDictWord(77763), QString());
    }

    void tableLookups_data()
    {
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<int>("first");
        QTest::newRow("A") << QChar(u'A') << 0;
        QTest::newRow("digit") << QChar(u'5') << 0;
        QTest::newRow("lower case") << QChar(u'a') << 0;
        QTest::newRow("lower b") << QChar(u'b') << 0;
        QTest::newRow("B") << QChar(u'B') << 4055;
        QTest::newRow("X") << QChar(u'X') << 77265;
        QTest::newRow("Y") << QChar(u'Y') << 77320;
        QTest::newRow("after Z") << QChar(u'[') << 0;
    }
    void tableLookups()
    {
        QFETCH(QChar, letter);
        QFETCH(int, first);
        QCOMPARE(Dictionary::GetIndexFor(letter), first);
        if (first > 0 || letter == u'A')
            QCOMPARE(Dictionary::GetInitialFor(first), QString(letter));
    }

    void initialsAtTheEdges()
    {
        QCOMPARE(Dictionary::GetInitialFor(0), QStringLiteral("A"));
        QCOMPARE(Dictionary::GetInitialFor(4054), QStringLiteral("A"));
        QCOMPARE(Dictionary::GetInitialFor(4055), QStringLiteral("B"));
        QCOMPARE(Dictionary::GetInitialFor(77763), QStringLiteral("Z"));
        QCOMPARE(Dictionary::GetInitialFor(77764), QString(QChar(0)));
        QCOMPARE(Dictionary::GetInitialFor(-1), QString(QChar(0)));
        QCOMPARE(Dictionary::LastIndexOfRun(u'Z'), 77763);
        QCOMPARE(Dictionary::LastIndexOfRun(u'1'), -1);
    }

    void linesEndAtAnyBreak()
    {
        Dictionary d;
        d.LoadText("\r\nAT\rOG\nX Y\r\n");
        QCOMPARE(d.Count(), 4);
        QCOMPARE(d.GetDictWord(0), QStringLiteral("A"));
        QCOMPARE(d.GetDictWord(1), QStringLiteral("AAT"));
        QCOMPARE(d.GetDictWord(3), QStringLiteral("AX Y"));
        d.LoadText("ONE\nTWO");
        QCOMPARE(d.Count(), 2);
        QCOMPARE(d.GetDictWord(1), QStringLiteral("ATWO"));
    }

    // A file of millions of empty lines inflates small enough to pass, but would make the
    // entry tables gigabytes: only the entries an index can reach are kept.
    void linesNoIndexReachesAreDropped()
    {
        Dictionary d;
        QByteArray text = QByteArray("\n").repeated(Dictionary::MaxEntries - 1) + "ZZZ\nBEYOND\n";
        text += QByteArray("\r\n").repeated(3'000'000);
        d.LoadText(text);
        QCOMPARE(d.Count(), Dictionary::MaxEntries);
        QCOMPARE(d.GetDictWord(Dictionary::MaxEntries - 1), QStringLiteral("ZZZZ"));
        QCOMPARE(d.GetDictWord(Dictionary::MaxEntries), QString());
    }

    void badFilesAreReportedNotLoaded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const QByteArray good = CompressBytes("AT\r\nX\r\n");
        QTest::newRow("good") << good << true;
        QTest::newRow("plain text") << QByteArray("AT\r\nX\r\n") << false;
        QTest::newRow("truncated") << good.left(good.size() - 3) << false;
        QTest::newRow("header only") << good.left(2) << false;
        QTest::newRow("flipped byte") << QByteArray(good).replace(4, 1, "\xff") << false;
        QTest::newRow("empty file") << QByteArray() << true;
    }
    void badFilesAreReportedNotLoaded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        TMisc1 e;
        e.setProgramFolder(dir.path());
        writeFile(e.shippedDataFile("english.dat"), bytes);
        QCOMPARE(e.LoadDictionary(), loads);
        QCOMPARE(e.DictionaryPresent, loads);
        if (!loads)
            QCOMPARE(e.dictionary().Count(), 0);
    }

    void missingFileIsReported()
    {
        QTemporaryDir dir;
        TMisc1 e;
        e.setProgramFolder(dir.path());
        QVERIFY(!e.LoadDictionary());
    }

    void streamsRoundTrip()
    {
        QByteArray text;
        for (int i = 0; i < 5000; ++i)
            text += QByteArray::number(i * 7919) + "\r\n";
        QBuffer source(&text), packed, inflated;
        source.open(QIODevice::ReadOnly);
        packed.open(QIODevice::ReadWrite);
        inflated.open(QIODevice::ReadWrite);
        source.seek(100);   // compression always reads the whole source
        QVERIFY(CompressStream(source, packed));
        QCOMPARE(packed.data().at(0), char(0x78));
        QCOMPARE(packed.data().at(1), char(0xDA));   // level 9
        packed.seek(0);
        QVERIFY(DecompressStream(packed, inflated));
        QCOMPARE(inflated.pos(), 0);
        QCOMPARE(inflated.data(), text);

        // Nothing left to read: nothing written, destination rewound.
        QBuffer more;
        more.open(QIODevice::ReadWrite);
        more.write("kept");
        QVERIFY(DecompressStream(packed, more));
        QCOMPARE(more.data(), QByteArray("kept"));
        QCOMPARE(more.pos(), 0);
    }

    void readersSurviveAnyBytes()
    {
        // Random bytes and randomly damaged streams: no crash, no hang, sane results.
        QRandomGenerator random(4711);
        QByteArray text;
        for (int i = 0; i < 2000; ++i)
            text += QByteArray::number(random.generate()) + (i % 3 ? "\r\n" : ",\"x\";\n");
        const QByteArray packed = CompressBytes(text);
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes = round % 2 ? packed : QByteArray(int(random.bounded(4000)), Qt::Uninitialized);
            for (char& c : bytes)
                if (round % 2 == 0 || random.bounded(500) == 0)
                    c = char(random.bounded(256));
            QByteArray inflated;
            if (DecompressBytes(bytes, inflated))
                QVERIFY(inflated.size() <= MaxInflatedSize);
            Dictionary d;
            d.LoadText(bytes);
            for (int i = 0; i < d.Count(); ++i)
                QVERIFY(d.GetDictWord(i).size() == d.Entry(i).size() + 1);
            for (const char separator : {'\0', ',', ';'}) {
                ImportListReader reader(separator, [](QStringView name) {
                    for (const QChar c : name)
                        QVERIFY(NameCharFor(c.unicode()) == c.unicode());   // only what a name keeps
                });
                reader.Feed(QString::fromLatin1(bytes));
                reader.Finish();
            }
        }
    }

    void inflationIsBounded()
    {
        const QByteArray zeros(1 << 20, '\0');
        QByteArray out;
        QVERIFY(!DecompressBytes(CompressBytes(zeros), out, 1000));
        QVERIFY(out.isEmpty());
        QVERIFY(DecompressBytes(CompressBytes(zeros), out));
        QCOMPARE(out, zeros);
    }
};

QTEST_GUILESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
