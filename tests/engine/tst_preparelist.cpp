#include "tests/support/NameSourcesFixture.h"
#include <QtTest>

// Building the search list from several sources: their order, the duplicate rule
// across them, the status lines and the Stop request.
class TestPrepareList : public QObject {
    Q_OBJECT

    struct Setup : NameSourcesFixture {
        bool resultListsEmpty() const
        {
            for (const QStringList& l : view.lists)
                if (!l.isEmpty())
                    return false;
            return true;
        }
    };

private slots:
    void nothingTickedGivesNothing()
    {
        Setup s;
        s.engine.SearchList.AddItem(u"left over");
        s.engine.PrepareList();
        QVERIFY(s.engine.SearchList.isEmpty());
        QVERIFY(s.resultListsEmpty());
        QVERIFY(s.view.displayCalls.isEmpty());
    }

    void statusLineShowsWhileBuilding()
    {
        Setup s;
        s.view.opts.NumbersCheck = true;
        s.view.lists[0] = QStringList{"old result"};
        QList<QStringList> seen;
        s.engine.pump().setHook([&] {
            if (seen.isEmpty())
                for (const QStringList& l : s.view.lists)
                    seen.append(l);
        });
        s.engine.PrepareList();
        QCOMPARE(seen.size(), 4);
        for (const QStringList& l : seen)
            QCOMPARE(l, QStringList{"Building list of domain names to check..."});
        QVERIFY(s.resultListsEmpty());
    }

    void sourcesComeInFixedOrderWithTheDuplicateRule()
    {
        Setup s;
        QVERIFY(s.loaded());
        QVERIFY(s.engine.LoadOrBuildSoundexFile());
        MainOptions& o = s.view.opts;
        o.NumbersCheck = true;             // 0..9
        o.WordlistCheck = true;
        o.Wordlist[0] = "cat";
        o.Wordlist[1] = "zebra";           // also in the import file: listed once
        o.DictCheck = true;
        o.DictRadio1 = false;
        o.DictFromEdit = "DOG";
        o.DictToEdit = "DOGE";
        o.SoundexCheck = true;
        o.SoundexEdit = "DOG";             // its matches from the dictionary range are dropped
        o.CustomListCheck = true;
        o.UseList = s.importFile("5\nzebra\nDOG\nnew name\n");
        s.engine.PrepareList();

        const QStringList names = s.names();
        QStringList expected = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                "CAT", "CATZEBRA", "ZEBRA", "ZEBRACAT"};
        QStringList range;
        for (int i = s.engine.GetIndexFor(u'D'); i <= Dictionary::LastIndexOfRun(u'D'); ++i) {
            const QString w = s.engine.GetDictWord(i);
            if (w >= "DOG" && w <= "DOGE")
                range.append(w);
        }
        QVERIFY(range.contains("DOG"));
        expected += range;
        QCOMPARE(names.mid(0, expected.size()), expected);
        const QStringList rest = names.mid(expected.size());
        QVERIFY(!rest.isEmpty());
        QCOMPARE(rest.last(), QStringLiteral("NEWNAME"));   // 5, ZEBRA and DOG were listed already
        for (const QString& w : rest.mid(0, rest.size() - 1)) {
            QVERIFY2(w.startsWith(u'D') && !range.contains(w), qPrintable(w));
        }
        QVERIFY(s.resultListsEmpty());
    }

    void dictionaryWordFromTheWordListIsListedTwice()
    {
        Setup s;
        s.view.opts.WordlistCheck = true;
        s.view.opts.Wordlist[0] = "cat";
        s.view.opts.DictCheck = true;
        s.view.opts.DictRadio1 = false;
        s.view.opts.DictFromEdit = "CAT";
        s.view.opts.DictToEdit = "CATS";
        s.engine.PrepareList();
        QCOMPARE(s.names().count("CAT"), 2);
    }

    void eachSourceReadsItsOptionsWhenItsTurnComes()
    {
        Setup s;
        s.view.opts.NumbersCheck = true;
        s.view.opts.NumberTo = 1;
        int calls = 0;
        s.engine.pump().setHook([&] {
            // After the numbers, the word list's texts change before its turn.
            if (++calls == 3) {
                s.view.opts.WordlistCheck = true;
                s.view.opts.Wordlist[0] = "late";
            }
        });
        s.engine.PrepareList();
        QCOMPARE(s.names(), (QStringList{"0", "1", "LATE"}));
    }

    void stopDuringTheDictionaryScan()
    {
        Setup s;
        s.view.opts.NumbersCheck = true;
        s.view.opts.WordlistCheck = true;
        s.view.opts.Wordlist[0] = "red";
        s.view.opts.DictCheck = true;
        s.view.opts.CustomListCheck = true;
        s.view.opts.UseList = s.importFile("imported\n");
        s.view.running = true;
        int calls = 0;
        bool inDictionary = false;
        s.engine.pump().setHook([&] {
            ++calls;
            // 1 at the start, 10 numbers, 316 patterns, then the dictionary.
            if (calls == 1 + 10 + 316 + 100) {
                inDictionary = true;
                s.engine.RequestStop();
            }
        });
        s.engine.PrepareList();
        QVERIFY(inDictionary);
        QCOMPARE(calls, 1 + 10 + 316 + 100);   // returned at once
        QCOMPARE(s.names(), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "RED"}));
        QVERIFY(s.resultListsEmpty());
        QCOMPARE(s.view.displayCalls, QList<bool>{false});
        QVERIFY(!s.view.running);
    }

    void stopDuringTheWordListAndSoundsLike_data()
    {
        QTest::addColumn<bool>("soundsLike");
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("word list, second pattern") << false << 3 << QStringList{"RED"};
        QTest::newRow("sounds like, after the fetch") << true << 2 << QStringList{};
    }
    void stopDuringTheWordListAndSoundsLike()
    {
        QFETCH(bool, soundsLike);
        QFETCH(int, stopAt);
        QFETCH(QStringList, kept);
        Setup s;
        s.view.opts.WordlistCheck = !soundsLike;
        s.view.opts.Wordlist[0] = "red";
        s.view.opts.Wordlist[1] = "car";
        s.view.opts.SoundexCheck = soundsLike;
        s.view.opts.SoundexEdit = "AAH";
        int calls = 0;
        s.engine.pump().setHook([&] {
            if (++calls == stopAt)
                s.engine.RequestStop();
        });
        s.engine.PrepareList();
        QCOMPARE(calls, stopAt);
        QCOMPARE(s.names(), kept);
        QVERIFY(s.resultListsEmpty());
        QCOMPARE(s.view.displayCalls, QList<bool>{false});
    }

    void missingImportFileKeepsEarlierNames()
    {
        Setup s;
        s.view.opts.NumbersCheck = true;
        s.view.opts.NumberTo = 2;
        s.view.opts.CustomListCheck = true;
        s.view.opts.UseList = s.folder.filePath("nowhere.txt");
        s.engine.PrepareList();
        QCOMPARE(s.names(), (QStringList{"0", "1", "2"}));
        QVERIFY(s.resultListsEmpty());
        QVERIFY(s.view.displayCalls.isEmpty());

        s.view.opts.UseList = s.folder.path();   // a folder is not an import file
        s.engine.PrepareList();
        QCOMPARE(s.names(), (QStringList{"0", "1", "2"}));
    }

    void noViewBuildsNothing()
    {
        TMisc1 engine;
        engine.SearchList.AddItem(u"x");
        engine.PrepareList();
        QVERIFY(engine.SearchList.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPrepareList)
#include "tst_preparelist.moc"
