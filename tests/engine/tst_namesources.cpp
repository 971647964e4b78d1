#include "tests/support/NameSourcesFixture.h"
#include "engine/names/ImportList.h"
#include "engine/names/TextFileDecoder.h"
#include "engine/names/WordListBuilder.h"
#include "engine/names/ZlibStream.h"
#include <QBuffer>
#include <QSet>
#include <QStringEncoder>
#include <QtTest>

// The numbers, word-list builder, dictionary and import-list sources, each run alone
// through PrepareList.
class TestNameSources : public QObject {
    Q_OBJECT

    // An engine with the real dictionary, a view with every source unticked, and a
    // temporary folder for import files.
    struct Setup : NameSourcesFixture {
        QStringList run()
        {
            engine.PrepareList();
            return names();
        }
    };

    static QByteArray Utf16WithMark(QStringView text, bool bigEndian)
    {
        QStringEncoder encode(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                              QStringConverter::Flag::WriteBom);
        return encode(text);
    }

    static QStringList numbers(int from, int to, const QString& prefix = {}, const QString& suffix = {})
    {
        QStringList names;
        for (int n = from; n <= to; ++n)
            names.append(prefix + QString::number(n) + suffix);
        return names;
    }

private slots:
    void numbers_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("prefixOn");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("suffixOn");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("prefixStaysTicked");
        QTest::newRow("0 to 9") << 0 << 9 << false << "" << false << "" << numbers(0, 9) << false;
        QTest::newRow("reversed") << 12 << 10 << false << "" << false << "" << numbers(10, 12) << false;
        QTest::newRow("prefix web") << 0 << 9 << true << "web" << false << "" << numbers(0, 9, "WEB") << true;
        QTest::newRow("empty prefix is unticked") << 0 << 2 << true << "" << false << "" << numbers(0, 2) << false;
        QTest::newRow("blank prefix is unticked") << 0 << 2 << true << "   " << false << "" << numbers(0, 2) << false;
        QTest::newRow("spaces removed, suffix") << 7 << 8 << true << "a b" << true << " x " << numbers(7, 8, "AB", "X") << true;
        // Numbered names are not normalised later: the prefix and suffix are cleaned here.
        QTest::newRow("pasted punctuation dropped") << 7 << 8 << true << "my.shop!" << true << "_x"
                                                    << numbers(7, 8, "MYSHOP", "X") << true;
        QTest::newRow("punctuation only is unticked") << 0 << 1 << true << ".!?" << false << "" << numbers(0, 1) << false;
        QTest::newRow("unticked text ignored") << 1 << 1 << false << "web" << true << "net" << numbers(1, 1, "", "NET") << false;
        QTest::newRow("upper limit") << 9999999 << 9999998 << false << "" << false << "" << numbers(9999998, 9999999) << false;
    }
    void numbers()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, prefixOn);
        QFETCH(QString, prefix);
        QFETCH(bool, suffixOn);
        QFETCH(QString, suffix);
        QFETCH(QStringList, expected);
        QFETCH(bool, prefixStaysTicked);
        Setup s;
        s.view.opts.NumbersCheck = true;
        s.view.opts.NumberFrom = from;
        s.view.opts.NumberTo = to;
        s.view.opts.RangeCheck1 = prefixOn;
        s.view.opts.RangePre = prefix;
        s.view.opts.RangeCheck2 = suffixOn;
        s.view.opts.RangeSuf = suffix;
        QCOMPARE(s.run(), expected);
        QCOMPARE(s.view.opts.RangeCheck1, prefixStaysTicked);
    }

    void patternTableIsComplete()
    {
        QSet<QString> seen;
        QSet<QString> sequences;
        for (const QStringView p : Wordlist) {
            QVERIFY(!seen.contains(p.toString()));
            seen.insert(p.toString());
            QString letters = p.toString();
            letters.remove(u'-');
            QVERIFY(!letters.contains(u'A') || letters.count(u'A') == 1);
            sequences.insert(letters);
            QVERIFY(!p.startsWith(u'-') && !p.endsWith(u'-') && !p.contains(u"--"));
        }
        QCOMPARE(seen.size(), 316);
        QCOMPARE(sequences.size(), 64);
        QCOMPARE(Wordlist.front(), u"A");
        QCOMPARE(Wordlist.back(), u"D-C-B-A");
        // Two spots where the variants are not in the plain counting order.
        QCOMPARE(Wordlist[35], u"A-CB-D");
        QCOMPARE(Wordlist[88], u"B-A-CD");
    }

    void wordListBuilder_data()
    {
        QTest::addColumn<bool>("minus");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no minus") << false << QStringList{"RED", "REDCAR", "CAR", "CARRED"};
        // Empty boxes C and D leave their hyphens; each name once, in table order.
        QTest::newRow("minus") << true << QStringList{
            "RED", "REDCAR", "RED-CAR", "REDCAR-", "RED-CAR-", "REDCAR--", "RED-CAR--", "RED-",
            "RED--CAR", "RED--CAR-", "RED--", "RED---CAR", "CAR", "CARRED", "CAR-RED", "CARRED-",
            "CAR-RED-", "CARRED--", "CAR-RED--", "CAR-", "CAR--RED", "CAR--RED-", "CAR--", "CAR---RED",
            "-RED", "-REDCAR", "-RED-CAR", "-REDCAR-", "-RED-CAR-", "-RED-", "-RED--CAR", "-CAR",
            "-CARRED", "-CAR-RED", "-CARRED-", "-CAR-RED-", "-CAR-", "-CAR--RED", "-", "--RED",
            "--REDCAR", "--RED-CAR", "--CAR", "--CARRED", "--CAR-RED"};
    }
    void wordListBuilder()
    {
        QFETCH(bool, minus);
        QFETCH(QStringList, expected);
        Setup s;
        s.view.opts.WordlistCheck = true;
        s.view.opts.Wordlist[0] = "red";
        s.view.opts.Wordlist[1] = "car";
        s.view.opts.WordMinusCheck = minus;
        QCOMPARE(s.run(), expected);
    }

    void dictionaryAll()
    {
        Setup s;
        QVERIFY(s.loaded());
        s.view.opts.DictCheck = true;
        const QStringList names = s.run();
        QCOMPARE(names.size(), Dictionary::WordCount);
        QCOMPARE(names.first(), s.engine.GetDictWord(0));
        QCOMPARE(names.last(), s.engine.GetDictWord(Dictionary::LastWordIndex));

        // "All" is every word, whatever the greyed-out range boxes still hold.
        s.view.opts.DictFromEdit = "SEA";
        s.view.opts.DictToEdit = "SKY";
        QCOMPARE(s.run(), names);
        s.view.opts.DictFromEdit = s.view.opts.DictToEdit = "CAT";
        QCOMPARE(s.run(), names);
    }

    void dictionaryRange_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("CAT to DOG") << "CAT" << "DOG";
        QTest::newRow("lower case texts") << "cat" << "dog";
        QTest::newRow("within one letter") << "CAT" << "CZ";
        QTest::newRow("To not a letter") << "X" << "9";
        QTest::newRow("From not a letter") << "-" << "AB";
    }
    void dictionaryRange()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        Setup s;
        s.view.opts.DictCheck = true;
        s.view.opts.DictRadio1 = false;
        s.view.opts.DictFromEdit = from;
        s.view.opts.DictToEdit = to;
        QStringList expected;
        for (int i = 0; i < Dictionary::WordCount; ++i) {
            const QString w = s.engine.GetDictWord(i);
            if (w >= from.toUpper() && w <= to.toUpper())
                expected.append(w);
        }
        QCOMPARE(s.run(), expected);
        if (from == "CAT")
            QCOMPARE(expected.first(), QStringLiteral("CAT"));
    }

    void dictionarySingleWordAndFilters()
    {
        Setup s;
        s.view.opts.DictCheck = true;
        s.view.opts.DictRadio1 = false;
        s.view.opts.DictFromEdit = "CAT";
        s.view.opts.DictToEdit = "cat";
        QCOMPARE(s.run(), QStringList{"CAT"});

        // Length limits over the whole dictionary.
        s.view.opts.DictRadio1 = true;
        s.view.opts.WordLengthCheck = true;
        s.view.opts.WordLength1 = 21;
        s.view.opts.WordLength2 = 22;
        const QStringList longWords = s.run();
        QVERIFY(!longWords.isEmpty());
        for (const QString& w : longWords)
            QVERIFY(w.size() == 21 || w.size() == 22);

        // A range that ends before it begins: its start word is examined and ends the scan.
        s.view.opts.WordLengthCheck = false;
        s.view.opts.DictRadio1 = false;
        s.view.opts.DictFromEdit = "Z";
        s.view.opts.DictToEdit = "A";
        QCOMPARE(s.run(), QStringList());
    }

    void dictionarySpacesAndRepeats()
    {
        // A small dictionary of multi-word entries in the A run.
        Setup s;
        const QString path = s.engine.shippedDataFile("english.dat");
        QFile::remove(path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(CompressBytes("ND SO\r\nNDSO\r\nT ALL\r\n"));
        f.close();
        QVERIFY(s.engine.LoadDictionary());
        s.view.opts.DictCheck = true;
        QCOMPARE(s.run(), (QStringList{"ANDSO", "ATALL"}));
        s.view.opts.MinusCheck = true;
        QCOMPARE(s.run(), (QStringList{"AND-SO", "ANDSO", "AT-ALL"}));
        // Sounds-like over the three entries stays inside them.
        s.view.opts.DictCheck = false;
        s.view.opts.SoundexCheck = true;
        s.view.opts.SoundexEdit = "ZOO";
        QCOMPARE(s.run(), QStringList());
    }

    void importList_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("separator");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("comma joins across lines") << QByteArray("a,b\nc,d") << 1 << QStringList{"A", "BC", "D"};
        QTest::newRow("newline") << QByteArray("a,b\r\nc;d\r\r\nwww.e\n") << 0 << QStringList{"AB", "CD", "E"};
        QTest::newRow("semicolon") << QByteArray("one;two,three;") << 2 << QStringList{"ONE", "TWOTHREE"};
        QTest::newRow("quoted separator") << QByteArray("\"a,b\",c,\r\n\"d\"\"e,f\"") << 1
                                          << QStringList{"AB", "C", "DEF"};
        QTest::newRow("no separator") << QByteArray("a b\nc") << 1 << QStringList{"ABC"};
        QTest::newRow("duplicates and empties") << QByteArray("x,,X, x ,\"\",y") << 1 << QStringList{"X", "Y"};
        QTest::newRow("unterminated quote") << QByteArray("a,\"b,c") << 1 << QStringList{"A", "BC"};
        QTest::newRow("binary bytes") << QByteArray("\xff\x01" "a\0b\nc", 7) << 0 << QStringList{QString::fromUtf8("\u0178AB"), "C"};
        // Read as text in its encoding: a mark is no part of the first field, and letters
        // beyond ASCII (here Cyrillic "дом", Greek "ωμέγα") are kept as they are, upper-cased.
        QTest::newRow("UTF-8 mark, quoted first field") << QByteArray("\xEF\xBB\xBF\"a,b\",c") << 1 << QStringList{"AB", "C"};
        QTest::newRow("UTF-16LE with mark") << Utf16WithMark(u"alpha\r\n\u0434\u043E\u043C\r\nbeta\r\n", false) << 0
                                            << QStringList{"ALPHA", QString::fromUtf8("\u0414\u041E\u041C"), "BETA"};
        QTest::newRow("UTF-16BE with mark, comma") << Utf16WithMark(u"\"a,b\",\u03C9\u03BC\u03AD\u03B3\u03B1,c", true) << 1
                                                   << QStringList{"AB", QString::fromUtf8("\u03A9\u039C\u0388\u0393\u0391"), "C"};
        QTest::newRow("UTF-8 without mark") << QString::fromUtf8("caf\u00E9,\u0434\u043E\u043Cx").toUtf8() << 1
                                            << QStringList{QString::fromUtf8("CAF\u00C9"), QString::fromUtf8("\u0414\u041E\u041CX")};
        QTest::newRow("local 8-bit") << QByteArray("caf\xE9\n\xC0la\n") << 0
                                     << QStringList{QString::fromUtf8("CAF\u00C9"), QString::fromUtf8("\u00C0LA")};
        // A file with no separator at all is not held whole as one name.
        const qsizetype kept = ImportListReader::MaxKeptNameLength;
        QTest::newRow("endless name") << QByteArray(3 * kept, 'q') + "\nshort" << 0
                                      << QStringList{QString(kept, QLatin1Char('Q')), "SHORT"};
        QTest::newRow("endless quoted name") << "\"" + QByteArray(3 * kept, 'q') + "\",short" << 1
                                             << QStringList{QString(kept, QLatin1Char('Q')), "SHORT"};
    }
    void importList()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, separator);
        QFETCH(QStringList, expected);
        Setup s;
        s.view.opts.CustomListCheck = true;
        s.view.opts.SepCombo = separator;
        s.view.opts.UseList = s.importFile(text);
        QCOMPARE(s.run(), expected);

        // Decoded and fed one byte at a time, the reader cuts the same names.
        QBuffer file(&text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::optional<TextFileDecoder> decoder = TextFileDecoder::ForFile(file);
        QVERIFY(decoder);
        QStringList names;
        ImportListReader reader(SeparatorForChoice(separator), [&](QStringView n) {
            if (!names.contains(n.toString()))
                names.append(n.toString());
        });
        for (const char c : text)
            reader.Feed(decoder->Decode(QByteArrayView(&c, 1)));
        reader.Feed(decoder->Finish());
        reader.Finish();
        QCOMPARE(names, expected);
    }
};

QTEST_GUILESS_MAIN(TestNameSources)
#include "tst_namesources.moc"
