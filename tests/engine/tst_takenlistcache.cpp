#include "engine/Misc1.h"
#include "settings/IniFile.h"
#include "tests/support/LoopbackHttpServer.h"
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// The taken-domain lists: which page is fetched for a name, the markers, the cache folder
// and its index, and freshness. The four registries are served from 127.0.0.1.
class TestTakenListCache : public QObject {
    Q_OBJECT

    LoopbackHttpServer* registry = nullptr;
    QTemporaryDir* folder = nullptr;
    TMisc1* engine = nullptr;
    QDate today{2024, 3, 10};
    int cacheDays = 7;

    TMisc1* makeEngine()
    {
        auto* e = new TMisc1(this);
        e->setProgramFolder(folder->path());
        e->Http.IdleTimeoutMs = 3000;
        for (const char* tld : {"IE", "FI", "MC", "HU"})
            e->TakenListCache.RegistryHosts[QLatin1String(tld)] = QString::fromLatin1(registry->hostAndPort());
        e->TakenListCache.Today = [this] { return today; };
        e->TakenListCache.CacheDays = [this] { return cacheDays; };
        return e;
    }

    bool check(const QString& name, const QString& tld, bool& error)
    {
        error = false;
        return engine->CheckTakenList(name, tld, error);
    }

    QString indexValue(const QString& tld, const QString& key) const
    {
        return IniFile(engine->TakenListCache.IndexFile()).ReadString(tld, key, QStringLiteral("<none>"));
    }

private slots:
    void init()
    {
        registry = new LoopbackHttpServer(this);
        QVERIFY(registry->listen());
        folder = new QTemporaryDir;
        today = QDate(2024, 3, 10);
        cacheDays = 7;
        engine = makeEngine();
    }
    void cleanup()
    {
        delete engine;
        delete registry;
        delete folder;
        QLocale::setDefault(QLocale::system());
    }

    void eachRegistryIsAskedAndJudged_data()
    {
        QTest::addColumn<QString>("tld");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("free");
        QTest::newRow("IE listed") << "IE" << "Shop" << QByteArray("/statistics/s-doms.html") << "S"
                                   << QByteArray("<p>shop.ie<br>\nshoes.ie<br>") << false;
        QTest::newRow("IE ends a longer listed name") << "IE" << "shop" << QByteArray("/statistics/s-doms.html") << "S"
                                                      << QByteArray("<p>workshop.ie<br>") << false;
        QTest::newRow("IE not listed") << "IE" << "shop" << QByteArray("/statistics/s-doms.html") << "S"
                                       << QByteArray("<p>shops.ie<br>") << true;
        QTest::newRow("IE digit") << "IE" << "7up" << QByteArray("/statistics/0-9-doms.html") << "7"
                                  << QByteArray("7UP.IE<BR>") << false;
        QTest::newRow("MC listed") << "MC" << "casino" << QByteArray("/listemc/alphabetique/mcNicListeMc-C.html") << "C"
                                   << QByteArray("<a>www.casino.mc</a>") << false;
        QTest::newRow("MC bounded on the left") << "MC" << "casino" << QByteArray("/listemc/alphabetique/mcNicListeMc-C.html")
                                                << "C" << QByteArray("<a>www.bigcasino.mc</a>") << true;
        QTest::newRow("FI listed") << "FI" << "sauna" << QByteArray("/html/edomains.htm") << "A"
                                   << QByteArray("<br>sauna.fi\n<br>sisu.fi") << false;
        QTest::newRow("FI bounded on the right") << "FI" << "sauna" << QByteArray("/html/edomains.htm") << "A"
                                                 << QByteArray("<br>saunas.fi") << true;
        QTest::newRow("HU listed") << "HU" << "gulyas" << QByteArray("/domainsearch/dsearch.cgi?list=hu") << "A"
                                   << QByteArray("<a href=x>gulyas.hu</a>") << false;
        QTest::newRow("HU marker cannot span lines") << "HU" << "gulyas" << QByteArray("/domainsearch/dsearch.cgi?list=hu")
                                                     << "A" << QByteArray("<a href=x>gulyas\r\n.hu</a><a>tokaj.hu</a>") << true;
    }
    void eachRegistryIsAskedAndJudged()
    {
        QFETCH(QString, tld);
        QFETCH(QString, name);
        QFETCH(QByteArray, target);
        QFETCH(QString, letter);
        QFETCH(QByteArray, page);
        QFETCH(bool, free);
        registry->setHandler([&](const HttpRequestSeen&) { return ScriptedReply::Page(page); });
        bool error = true;
        QCOMPARE(check(name, tld, error), free);
        QVERIFY(!error);
        QCOMPARE(registry->requests.size(), 1);
        QCOMPARE(registry->requests.first().target, target);

        // Stored upper-cased with CR LF line ends, dated in the index.
        QFile list(engine->TakenListCache.ListFile(tld, letter));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), TTakenListCache::ToCacheText(page));
        QCOMPARE(indexValue(tld, letter + "-LastChecked"), QStringLiteral("2024-03-10"));
        QVERIFY(engine->IsTakenListFresh(name, tld));

        // Asked again: answered from the cache.
        QCOMPARE(check(name, tld, error), free);
        QCOMPARE(registry->requests.size(), 1);
    }

    void cacheTextIsUpperCaseCrLfLines()
    {
        QCOMPARE(TTakenListCache::ToCacheText("a\nb\r\nc\rd"), QByteArray("A\r\nB\r\nC\r\nD\r\n"));
        QCOMPARE(TTakenListCache::ToCacheText("x\r\n"), QByteArray("X\r\n"));
        QCOMPARE(TTakenListCache::ToCacheText(""), QByteArray());
    }

    void oneListServesAWholeTldOrLetter()
    {
        registry->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page("<br>a.fi\n<br>b.fi\n1.ie<br>"); });
        bool error = false;
        QVERIFY(!check("a", "FI", error));
        QVERIFY(!check("b", "FI", error));
        QVERIFY(check("zzz", "FI", error));
        QCOMPARE(registry->requests.size(), 1);

        // Every IE name with a digit comes from the one page, but each digit has its own file.
        QVERIFY(!check("1", "IE", error));
        QVERIFY(check("2", "IE", error));
        QCOMPARE(registry->requests.size(), 3);
        QCOMPARE(registry->requests.at(1).path, QByteArray("/statistics/0-9-doms.html"));
        QCOMPARE(registry->requests.at(2).path, QByteArray("/statistics/0-9-doms.html"));
        QVERIFY(QFile::exists(engine->TakenListCache.ListFile("IE", "1")));
        QVERIFY(QFile::exists(engine->TakenListCache.ListFile("IE", "2")));
    }

    void freshnessEndsAfterTheLimit_data()
    {
        QTest::addColumn<int>("daysLater");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("fresh");
        QTest::newRow("same day") << 0 << 7 << true;
        QTest::newRow("limit day") << 7 << 7 << true;
        QTest::newRow("day after the limit") << 8 << 7 << false;
        QTest::newRow("limit 1, next day") << 1 << 1 << true;
        QTest::newRow("limit 1, two days") << 2 << 1 << false;
        QTest::newRow("limit 120") << 120 << 120 << true;
        QTest::newRow("limit out of range counts as 120") << 121 << 500 << false;
    }
    void freshnessEndsAfterTheLimit()
    {
        QFETCH(int, daysLater);
        QFETCH(int, limit);
        QFETCH(bool, fresh);
        registry->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page("<br>x.fi"); });
        bool error = false;
        check("x", "FI", error);
        today = today.addDays(daysLater);
        cacheDays = limit;   // read at every check
        QCOMPARE(engine->IsTakenListFresh("x", "FI"), fresh);
        check("x", "FI", error);
        QCOMPARE(registry->requests.size(), fresh ? 1 : 2);
    }

    void cacheOutlivesTheProgramRun()
    {
        registry->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page("<a>www.kept.mc.</a>"); });
        bool error = false;
        QVERIFY(!check("kept", "MC", error));
        delete engine;
        engine = makeEngine();
        QVERIFY(!check("kept", "MC", error));
        QVERIFY(!error);
        QCOMPARE(registry->requests.size(), 1);
    }

    void failedDownloadStoresNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("closed before any answer") << 0;
        QTest::newRow("empty page") << 1;
        QTest::newRow("error status") << 2;
        QTest::newRow("closed in mid-page") << 3;
    }
    void failedDownloadStoresNothing()
    {
        QFETCH(int, kind);
        registry->setHandler([kind](const HttpRequestSeen&) {
            switch (kind) {
            case 0: return ScriptedReply::Hostile(ScriptedReply::Mode::CloseWithoutReply);
            case 1: return ScriptedReply::Page("");
            case 2: return ScriptedReply::Page("busy", 503);
            default: return ScriptedReply::Hostile(ScriptedReply::Mode::CloseMidBody);
            }
        });
        bool error = false;
        check("abc", "IE", error);
        QVERIFY(error);
        QVERIFY(!QFile::exists(engine->TakenListCache.ListFile("IE", "A")));
        QCOMPARE(indexValue("IE", "A-LastChecked"), QStringLiteral("<none>"));
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    void staleListIsNoFallback()
    {
        bool up = true;
        registry->setHandler([&up](const HttpRequestSeen&) {
            return up ? ScriptedReply::Page("abc.ie<br>") : ScriptedReply::Page("down", 503);
        });
        bool error = false;
        QVERIFY(!check("abc", "IE", error));
        up = false;
        today = today.addDays(8);
        check("abc", "IE", error);
        QVERIFY(error);
        // The old list and its date stay for a later successful download to replace.
        QCOMPARE(indexValue("IE", "A-LastChecked"), QStringLiteral("2024-03-10"));
    }

    // A page served as a success that lists no name (a home page, an error page) is no
    // list: it is not stored, and the rest of the search does not fetch it again.
    void pageListingNoNameIsNoList_data()
    {
        QTest::addColumn<QString>("tld");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("IE home page") << "IE" << QByteArray("<html><body>Welcome to .ie<br>Search</body></html>");
        QTest::newRow("MC error page") << "MC" << QByteArray("<h1>Service unavailable</h1><a href=/>Home</a>");
        QTest::newRow("FI moved page") << "FI" << QByteArray("<p>This page has moved.<br> See traficom.fi</p>");
        QTest::newRow("HU login page") << "HU" << QByteArray("<form>Log in to domain.hu</form>");
    }
    void pageListingNoNameIsNoList()
    {
        QFETCH(QString, tld);
        QFETCH(QByteArray, page);
        registry->setHandler([&](const HttpRequestSeen&) { return ScriptedReply::Page(page); });
        bool error = false;
        check("abc", tld, error);
        QVERIFY(error);
        QVERIFY(!QFile::exists(engine->TakenListCache.ListFile(tld, "A")));
        QCOMPARE(indexValue(tld, "A-LastChecked"), QStringLiteral("<none>"));
        check("abd", tld, error);
        QVERIFY(error);
        QCOMPARE(registry->requests.size(), 1);
        QVERIFY(engine->TakenListCache.LastFailure().startsWith(QStringLiteral("taken list missing")));

        engine->ForgetFailures();   // the next search asks again
        check("abd", tld, error);
        QCOMPARE(registry->requests.size(), 2);
    }

    void storingFailureIsAnErrorButTheListStillAnswers()
    {
        QFile blocker(engine->TakenListCache.CacheFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));   // a file where the folder should be
        blocker.close();
        registry->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page("abc.ie<br>"); });
        bool error = false;
        QVERIFY(!check("abc", "IE", error));
        QVERIFY(error);
        QVERIFY(check("abd", "IE", error));
        QVERIFY(error);
    }

    void indexDatesInOtherForms_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("fresh");
        QTest::newRow("ISO") << "C" << "2024-03-08" << true;
        QTest::newRow("US short date, two-digit year") << "en_US" << "3/8/24" << true;
        QTest::newRow("German short date") << "de_DE" << "08.03.24" << true;
        QTest::newRow("short date of another locale") << "en_US" << "08.03.24" << false;
        QTest::newRow("old ISO date") << "C" << "2024-03-01" << false;
        QTest::newRow("garbage") << "C" << "yesterday" << false;
        QTest::newRow("empty") << "C" << "" << false;
    }
    void indexDatesInOtherForms()
    {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(bool, fresh);
        QLocale::setDefault(QLocale(locale));
        QVERIFY(QDir().mkpath(engine->TakenListCache.CacheFolder() + "/IE"));
        QFile list(engine->TakenListCache.ListFile("IE", "A"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("ABC.IE<BR>\r\n");
        list.close();
        IniFile index(engine->TakenListCache.IndexFile());
        index.WriteString("IE", "A-LastChecked", stored);
        QVERIFY(index.Save());
        QCOMPARE(engine->IsTakenListFresh("abc", "IE"), fresh);
    }

    void listWithoutItsFileIsNotFresh()
    {
        IniFile index(engine->TakenListCache.IndexFile());
        QVERIFY(QDir().mkpath(engine->TakenListCache.CacheFolder()));
        index.WriteString("FI", "A-LastChecked", "2024-03-10");
        QVERIFY(index.Save());
        QVERIFY(!engine->IsTakenListFresh("x", "FI"));
    }

    void unusableNamesAskNobody_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tld");
        QTest::newRow("empty name") << "" << "IE";
        QTest::newRow("dot as first character") << ".." << "IE";
        QTest::newRow("slash as first character") << "/etc" << "MC";
        QTest::newRow("TLD without a list") << "abc" << "DE";
    }
    void unusableNamesAskNobody()
    {
        QFETCH(QString, name);
        QFETCH(QString, tld);
        bool error = false;
        QVERIFY(check(name, tld, error));
        QVERIFY(error);
        QCOMPARE(registry->requests.size(), 0);
        QVERIFY(!QDir(engine->TakenListCache.CacheFolder()).exists());
    }

    void noTldMeansFree()
    {
        bool error = true;
        QVERIFY(engine->CheckTakenList("abc", QString(), error));
        QCOMPARE(registry->requests.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTakenListCache)
#include "tst_takenlistcache.moc"
