#include "SearchRunHarness.h"
#include <QtTest>

// The single search against loopback servers: what it shows, what it asks, and when it
// looks nothing up.
namespace {
const QString kProxyNotice = QStringLiteral(
    "Proxy settings have been set up for Internet Explorer that\rdo not match those in Tarnwick.\r\r"
    "If you are behind a firewall, you can set the proxy settings under\r'Advanced' to match that of "
    "Internet Explorer and only use\rHTTP servers for searching.\r\r"
    "See the help file for more info on using Tarnwick with firewalls.\r\r");
} // namespace

class TestSingleSearch : public QObject {
    Q_OBJECT

private slots:
    void emptyNameWarnsAndKeepsTheResults()
    {
        SearchRunHarness h;
        h.addWhoisTLD(".com");
        h.view.singleResults = QStringList{"from before"};
        h.view.opts.TLDComboText = QStringLiteral(".com");
        h.runSingle();

        QCOMPARE(h.boxes.texts(), QStringList{"Enter an address to check. "});
        QCOMPARE(h.boxes.shown.first().kind, MessageKind::Warning);
        QCOMPARE(h.boxes.shown.first().buttons, int(MbOk));
        QCOMPARE(h.view.focusCount, 1);
        QCOMPARE(h.view.singleResults, QStringList{"from before"});
        QCOMPARE(h.whois.connections, 0);
    }

    void kavrelUnderTheFirstEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tld");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("lookedUp");
        QTest::newRow("first entry") << "kavrel" << ".com" << 0 << false;
        QTest::newRow("any case") << "KaVReL" << ".com" << 0 << false;
        QTest::newRow("another entry") << "kavrel" << ".net" << 1 << true;
        QTest::newRow("typed by hand, no entry selected") << "kavrel" << ".com" << -1 << true;
        QTest::newRow("another name") << "kavrels" << ".com" << 0 << true;
    }
    void kavrelUnderTheFirstEntry()
    {
        QFETCH(QString, name);
        QFETCH(QString, tld);
        QFETCH(int, index);
        QFETCH(bool, lookedUp);
        SearchRunHarness h;
        h.addWhoisTLD(".com");
        h.addWhoisTLD(".net");
        h.view.singleResults = QStringList{"from before"};
        h.view.opts.SingleEdit = name;
        h.view.opts.TLDComboText = tld;
        h.view.opts.TLDComboIndex = index;
        h.runSingle();

        QCOMPARE(h.whois.connections, lookedUp ? 1 : 0);
        if (lookedUp)
            QCOMPARE(h.whois.queries, QList<QByteArray>{(name.toLower() + tld).toLatin1()});
        else
            QCOMPARE(h.view.singleResults, QStringList{"This one's taken, try again"});
    }

    void replyIsShownLineByLine_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("shown");
        // A reply shows as the server sent it: one line per CR LF, blank lines kept.
        QTest::newRow("CR LF lines, blank line kept")
            << QByteArray("Domain: X\r\n\r\nStatus: active") << QStringList{"Domain: X", "", "Status: active"};
        QTest::newRow("LF lines") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        // No bytes at all is how some registries turn a client away: asked again, then an error.
        QTest::newRow("empty reply") << QByteArray()
                                     << QStringList{"An error occurred looking up 'Example.com'",
                                                    "Reason: refused by the registry (asked 3 times): an empty reply"};
    }
    void replyIsShownLineByLine()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, shown);
        SearchRunHarness h;
        h.addWhoisTLD(".com");
        h.whois.setResponder([&](const QByteArray&) { return reply; });
        h.view.singleResults = QStringList{"from before"};
        h.view.opts.SingleEdit = QStringLiteral("Example");
        h.view.opts.TLDComboText = QStringLiteral(".com");
        h.runSingle();

        QCOMPARE(h.view.singleResults, shown);
        QVERIFY(h.boxes.shown.isEmpty());
    }

    // The line above the reply: whom the search waits for, then the verdict of the route
    // that answered, RDAP's where it answered; a TLD in its own script finds its service.
    void verdictLineFollowsTheLookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tld");
        QTest::addColumn<bool>("rdap");   // an RDAP service that answers 404, where whois says taken
        QTest::addColumn<QString>("verdict");
        QTest::newRow("whois") << "taken" << ".com" << false << "taken.com is registered";
        QTest::newRow("RDAP before whois") << "taken" << ".com" << true << "taken.com is free";
        QTest::newRow("TLD in its own script") << "taken" << QStringLiteral(".рф") << true << QStringLiteral("taken.рф is free");
        QTest::newRow("the name carries it") << QStringLiteral("taken.рф") << "" << true << QStringLiteral("taken.рф is free");
    }
    void verdictLineFollowsTheLookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, tld);
        QFETCH(bool, rdap);
        QFETCH(QString, verdict);
        SearchRunHarness h;
        h.addWhoisTLD(".com");
        h.addWhoisTLD(".xn--p1ai");
        if (rdap) {
            const QString base = QString::fromLatin1(h.http.origin()) + "/rdap/";
            h.engine.RdapEnabled = true;
            h.engine.RdapBootstrap.Use({{QStringLiteral("com"), base}, {QStringLiteral("xn--p1ai"), base}}, {});
            h.http.setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page(R"({"errorCode":404})", 404); });
        }
        h.view.opts.SingleEdit = name;
        h.view.opts.TLDComboText = tld;
        h.runSingle();
        QCOMPARE(h.view.singleStates, (QStringList{QStringLiteral("Asking 127.0.0.1 ..."), verdict}));
    }

    void theTakenListCacheIsNeverUsed()
    {
        SearchRunHarness h;
        h.addTLD(".ie", QStringLiteral("Cache Domains Taken List"));
        h.view.opts.SingleEdit = QStringLiteral("example");
        h.view.opts.TLDComboText = QStringLiteral(".ie");
        h.runSingle();
        // The pseudo-server is tried as a whois host, which does not exist.
        QCOMPARE(h.view.singleResults, (QStringList{"An error occurred looking up 'example.ie'",
                                                    "Reason: 'Cache Domains Taken List' is not a host name"}));
        QVERIFY(!QDir(h.dir.filePath(QStringLiteral("Cache"))).exists());
    }

    void failedLookupIsReported_data()
    {
        QTest::addColumn<QString>("server");   // "whois" (refusing), "http" (status 500) or "none"
        QTest::addColumn<bool>("proxiesDiffer");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("reason");   // the beginning of the line that follows
        const QString plain = QStringLiteral("An error occurred looking up 'FailMe.com'");
        QTest::newRow("whois, proxies differ") << "whois" << true << QStringList{} << kProxyNotice + "\r" + plain
                                               << "Reason: unreachable: ";
        QTest::newRow("whois, proxies agree") << "whois" << false << QStringList{} << plain << "Reason: unreachable: ";
        QTest::newRow("HTTP, proxies differ") << "http" << true << QStringList{} << plain << "Reason: ";
        QTest::newRow("no server for the TLD") << "none" << true << QStringList{"A server to use could not be found."}
                                               << plain << "Reason: no server is assigned to .com";
    }
    void failedLookupIsReported()
    {
        QFETCH(QString, server);
        QFETCH(bool, proxiesDiffer);
        QFETCH(QStringList, boxes);
        QFETCH(QString, shown);
        QFETCH(QString, reason);
        SearchRunHarness h;
        if (server == "whois")
            h.addTLD(".com", SearchRunHarness::RefusingWhoisHost());
        else if (server == "http")
            h.addHttpTLD(".com");
        if (proxiesDiffer)
            h.setDifferingSystemProxy();
        h.view.opts.SingleEdit = QStringLiteral("FailMe");
        h.view.opts.TLDComboText = QStringLiteral(".com");
        h.runSingle();

        QCOMPARE(h.view.singleResults.size(), 2);
        QCOMPARE(h.view.singleResults.first(), shown);
        QVERIFY2(h.view.singleResults.last().startsWith(reason), qPrintable(h.view.singleResults.last()));
        QCOMPARE(h.boxes.texts(), boxes);
    }

    // A lookup the user stopped is no failure: no error line, no firewall notice.
    void stopIsNoFailure_data()
    {
        QTest::addColumn<bool>("http");
        QTest::newRow("whois") << false;
        QTest::newRow("HTTP") << true;
    }
    void stopIsNoFailure()
    {
        QFETCH(bool, http);
        SearchRunHarness h;
        if (http) {
            h.addHttpTLD(".com");
            h.http.setHandler([](const HttpRequestSeen&) { return ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer); });
            QObject::connect(&h.http, &LoopbackHttpServer::requestReceived, &h.engine, &TMisc1::RequestStop);
        } else {
            h.addWhoisTLD(".com");
            h.whois.setMode(LoopbackWhoisServer::Mode::NeverAnswer);
            QObject::connect(&h.whois, &LoopbackWhoisServer::queryReceived, &h.engine, &TMisc1::RequestStop);
        }
        h.setDifferingSystemProxy();
        h.view.singleResults = QStringList{"from before"};
        h.view.opts.SingleEdit = QStringLiteral("name");
        h.view.opts.TLDComboText = QStringLiteral(".com");
        h.runSingle();
        QVERIFY(h.engine.LastLookupStopped());
        QCOMPARE(h.view.singleStates.constLast(), QStringLiteral("Stopped"));
        QCOMPARE(h.view.singleResults, QStringList());
        QVERIFY(h.boxes.shown.isEmpty());
    }

    void proxyEntriesThatMatchTheSystemGiveThePlainReport()
    {
        SearchRunHarness h;
        h.addTLD(".com", SearchRunHarness::RefusingWhoisHost());
        h.setDifferingSystemProxy();
        h.engine.ProxyEntries.Server = QStringLiteral("proxy.example");
        h.engine.ProxyEntries.Port = QStringLiteral("8080");
        h.view.opts.SingleEdit = QStringLiteral("name");
        h.view.opts.TLDComboText = QStringLiteral(".com");
        h.runSingle();
        QCOMPARE(h.view.singleResults.value(0), QStringLiteral("An error occurred looking up 'name.com'"));
    }
};

QTEST_GUILESS_MAIN(TestSingleSearch)
#include "tst_singlesearch.moc"
