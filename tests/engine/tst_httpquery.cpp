#include "engine/Misc1.h"
#include "engine/lookup/UrlTemplate.h"
#include "tests/support/FreePort.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/TestCertificate.h"
#include <QHostAddress>
#include <QNetworkCookieJar>
#include <QRegularExpression>
#include <QtTest>

// URL templates and the HTTP query against a web server the test runs on 127.0.0.1.
class TestHttpQuery : public QObject {
    Q_OBJECT

    LoopbackHttpServer* server = nullptr;
    TMisc1* engine = nullptr;

    QString at(const QByteArray& pathAndQuery) const { return QString::fromLatin1(server->origin() + pathAndQuery); }

private slots:
    void init()
    {
        server = new LoopbackHttpServer(this);
        QVERIFY(server->listen());
        engine = new TMisc1(this);
        engine->Http.IdleTimeoutMs = 5000;
    }
    void cleanup()
    {
        delete engine;
        delete server;
    }

    void templateIsFilled_data()
    {
        QTest::addColumn<QString>("urlTemplate");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("url");
        QTest::newRow("com") << "http://h/q?domain=<shortname>&tld=.<ext>" << "example.com"
                             << "http://h/q?domain=example&tld=.com";
        QTest::newRow("co.uk") << "http://h/q?domain=<shortname>&tld=.<ext>" << "example.co.uk"
                               << "http://h/q?domain=example.co&tld=.uk";
        QTest::newRow("capitals are placeholders too") << "http://h/<NAME>/<ShortName>/<EXT>" << "a-b.net"
                                                       << "http://h/a-b.net/a-b/net";
        QTest::newRow("every occurrence") << "http://h/<name>?again=<name>" << "x.org" << "http://h/x.org?again=x.org";
        QTest::newRow("no dot: empty parts") << "http://h/<shortname>|<ext>|<name>" << "nodot" << "http://h/||nodot";
        QTest::newRow("near misses stay") << "http://h/<names>/<ext >/name" << "x.com" << "http://h/<names>/<ext >/name";
        QTest::newRow("capital false address stays when alone") << "http://h/?ip=<FALSEIP>" << "x.com"
                                                                 << "http://h/?ip=<FALSEIP>";
        QTest::newRow("unsafe characters are encoded") << "http://h/?d=<name>" << "a&b=c d#e.com"
                                                       << "http://h/?d=a%26b%3Dc%20d%23e.com";
        QTest::newRow("a domain cannot smuggle a placeholder") << "http://h/?d=<name>&e=<ext>" << "<ext>.com"
                                                               << "http://h/?d=%3Cext%3E.com&e=com";
    }
    void templateIsFilled()
    {
        QFETCH(QString, urlTemplate);
        QFETCH(QString, domain);
        QFETCH(QString, url);
        QCOMPARE(FillUrlTemplate(urlTemplate, domain, *QRandomGenerator::global()), url);
    }

    void falseAddressIsOnePerQueryAndInRange()
    {
        static const QRegularExpression pattern(QStringLiteral("^ip=(\\d+)\\.(\\d+)\\.(\\d+)\\.(\\d+)&again=(.*)&caps=(.*)$"));
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) {
            const QString url = FillUrlTemplate(QStringLiteral("ip=<falseip>&again=<falseip>&caps=<FalseIP>"),
                                                QStringLiteral("x.com"), *QRandomGenerator::global());
            const QRegularExpressionMatch m = pattern.match(url);
            QVERIFY2(m.hasMatch(), qPrintable(url));
            const QString address = QStringLiteral("%1.%2.%3.%4").arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4));
            QCOMPARE(m.captured(5), address);
            QCOMPARE(m.captured(6), address);   // filled too, once a lower-case one is present
            QVERIFY(m.captured(1).toInt() >= 128 && m.captured(1).toInt() <= 254);
            for (int part = 2; part <= 4; ++part)
                QVERIFY(m.captured(part).toInt() >= 0 && m.captured(part).toInt() <= 254);
            seen.insert(address);
        }
        QVERIFY(seen.size() > 190);   // drawn afresh each time
    }

    void pageIsFetchedAndCutIntoLines()
    {
        server->route("/lookup", ScriptedReply::Page("<html>\r\nNo match for <b>example.com</b>\r\n</html>"));
        QStringList reply{"stale"};
        QVERIFY(engine->GetHTTPResults(at("/lookup?d=<shortname>&t=<ext>&all=<name>"), QStringLiteral("example.com"), reply));
        QCOMPARE(server->requests.size(), 1);
        QCOMPARE(server->requests.first().target, QByteArray("/lookup?d=example&t=com&all=example.com"));
        QCOMPARE(reply, (QStringList{"<html>", "", "No match for <b>example.com</b>", "", "</html>"}));
    }

    void redirectsAreFollowedAndCookiesKept()
    {
        server->route("/start", ScriptedReply::Redirect("/landing").withHeader("Set-Cookie", "session=abc123; Path=/"));
        server->route("/landing", ScriptedReply::Page("arrived"));
        QStringList reply;
        QVERIFY(engine->GetHTTPResults(at("/start?n=<name>"), QStringLiteral("a.com"), reply));
        QCOMPARE(reply, QStringList{"arrived"});
        QCOMPARE(server->requests.size(), 2);
        QCOMPARE(server->requests.at(1).path, QByteArray("/landing"));
        QCOMPARE(server->requests.at(1).header("Cookie"), QByteArray("session=abc123"));

        // A later lookup on the same site sends the cookie back.
        QVERIFY(engine->GetHTTPResults(at("/landing?n=<name>"), QStringLiteral("b.com"), reply));
        QCOMPARE(server->requests.last().header("Cookie"), QByteArray("session=abc123"));
    }

    void closedBeforeAnyAnswerIsAnEmptyPage()
    {
        server->route("/q", ScriptedReply::Hostile(ScriptedReply::Mode::CloseWithoutReply));
        QStringList reply{"stale"};
        QVERIFY(engine->GetHTTPResults(at("/q?<name>"), QStringLiteral("a.com"), reply));
        QVERIFY(reply.isEmpty());
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    void failuresListTheTemplate_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("error status") << 0;
        QTest::newRow("refused") << 1;
        QTest::newRow("closed in mid-body") << 2;
        QTest::newRow("accepts and never answers") << 3;
        QTest::newRow("streams past the cap") << 4;
        QTest::newRow("announces more than the cap") << 5;
        QTest::newRow("not a web address") << 6;
        QTest::newRow("authentication refused") << 7;
    }
    void failuresListTheTemplate()
    {
        QFETCH(int, kind);
        QString urlTemplate = at("/q?d=<name>");
        ScriptedReply r;
        switch (kind) {
        case 0: r = ScriptedReply::Page("gone", 500); break;
        case 1: urlTemplate = QStringLiteral("http://127.0.0.1:%1/q?d=<name>").arg(FreeLoopbackPort()); break;
        case 2: r = ScriptedReply::Hostile(ScriptedReply::Mode::CloseMidBody); break;
        case 3:
            r = ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer);
            engine->Http.IdleTimeoutMs = 300;
            break;
        case 4:
            r = ScriptedReply::Hostile(ScriptedReply::Mode::Stream);
            engine->Http.MaxPageBytes = 256 * 1024;
            r.streamBytes = 10 * 1024 * 1024;
            break;
        case 5:
            engine->Http.MaxPageBytes = 1024;
            r = ScriptedReply::Page(QByteArray(2048, 'x'));
            break;
        case 6: urlTemplate = QStringLiteral("httpx://127.0.0.1/<name>"); break;
        case 7: r = ScriptedReply::Page("who are you", 401).withHeader("WWW-Authenticate", "Basic realm=\"lookup\""); break;
        }
        server->route("/q", r);
        engine->Http.Username = QStringLiteral("user");   // offered once, then refused again
        engine->Http.Password = QStringLiteral("wrong");
        QStringList reply{"stale"};
        QVERIFY(!engine->GetHTTPResults(urlTemplate, QStringLiteral("a.com"), reply));
        QVERIFY(reply.isEmpty());
        QVERIFY(!engine->httpQuery().LastQueryStopped());
        QCOMPARE(engine->FailedServers.Entries(), QStringList{urlTemplate.toUpper()});
        QVERIFY(server->requests.size() <= 3);
    }

    void pageAtTheCapIsRead()
    {
        engine->Http.MaxPageBytes = 64 * 1024;
        ScriptedReply r = ScriptedReply::Hostile(ScriptedReply::Mode::Stream);
        r.streamBytes = engine->Http.MaxPageBytes;
        server->route("/q", r);
        QStringList reply;
        QVERIFY(engine->GetHTTPResults(at("/q"), QStringLiteral("a.com"), reply));
        QCOMPARE(reply.size(), 1);
        QCOMPARE(reply.first().size(), engine->Http.MaxPageBytes);
    }

    // A lookup page is cut into a list entry per line break, so it has a cap of its own
    // below the client's: four megabytes of line breaks would otherwise be millions of
    // entries.
    void lookupPagesHaveALowerCap()
    {
        QCOMPARE(engine->Http.MaxPageBytes, NetworkLimits::MaxPageBytes);
        ScriptedReply r = ScriptedReply::Hostile(ScriptedReply::Mode::Stream);
        r.streamBytes = NetworkLimits::MaxLookupPageBytes + 1;
        server->route("/q", r);
        QStringList reply;
        QVERIFY(!engine->GetHTTPResults(at("/q"), QStringLiteral("a.com"), reply));
        QVERIFY(reply.isEmpty());
    }

    void failureIsSharedByTemplateNotByHost()
    {
        server->route("/broken", ScriptedReply::Page("no", 503));
        server->route("/fine", ScriptedReply::Page("yes"));
        const QString broken = at("/broken?d=<name>");
        QStringList reply;
        QVERIFY(!engine->GetHTTPResults(broken, QStringLiteral("a.com"), reply));
        // A second TLD on the same template fails at once, without a request...
        QVERIFY(!engine->GetHTTPResults(broken, QStringLiteral("a.net"), reply));
        QCOMPARE(server->requests.size(), 1);
        // ...whatever the case of the template...
        QVERIFY(!engine->GetHTTPResults(broken.toLower().replace(QStringLiteral("<NAME>"), QStringLiteral("<name>")),
                                        QStringLiteral("a.org"), reply));
        QCOMPARE(server->requests.size(), 1);
        // ...while another template on the same host is still asked.
        QVERIFY(engine->GetHTTPResults(at("/fine?d=<name>"), QStringLiteral("a.com"), reply));
        QCOMPARE(server->requests.size(), 2);
    }

    // The user name and password are the proxy's (or a firewall's): a web server's
    // challenge is answered only over https and only by the lookup page's own host.
    void credentialsOnlyForTheLookupPagesSecureHost_data()
    {
        QTest::addColumn<bool>("secure");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("answered");
        QTest::newRow("https page") << true << QByteArray("/q") << true;
        QTest::newRow("redirect within its host") << true << QByteArray("/same") << true;
        QTest::newRow("plain http page") << false << QByteArray("/q") << false;
        QTest::newRow("redirect to another host") << true << QByteArray("/other") << false;
    }
    void credentialsOnlyForTheLookupPagesSecureHost()
    {
        QFETCH(bool, secure);
        QFETCH(QByteArray, path);
        QFETCH(bool, answered);
        LoopbackHttpServer site;
        if (secure) {
            QSslCertificate certificate;
            QString whyNot;
            if (!ServeOverTls(site, certificate, whyNot))
                QSKIP(qPrintable(whyNot));
            engine->Http.addTrustedCertificates({certificate});
        }
        QVERIFY(site.listen());
        const QByteArray authorised = "Basic " + QByteArray("jo:secret").toBase64();
        site.setHandler([&](const HttpRequestSeen& request) {
            if (request.path == "/same")
                return ScriptedReply::Redirect("/q");
            if (request.path == "/other")   // the same server under another host name
                return ScriptedReply::Redirect("https://localhost:" + QByteArray::number(site.port()) + "/q");
            if (request.header("Authorization") == authorised)
                return ScriptedReply::Page("welcome");
            return ScriptedReply::Page("who are you", 401).withHeader("WWW-Authenticate", "Basic realm=\"lookup\"");
        });
        engine->Http.Username = QStringLiteral("jo");
        engine->Http.Password = QStringLiteral("secret");
        QStringList reply;
        QCOMPARE(engine->GetHTTPResults(QString::fromLatin1(site.origin() + path + "?d=<name>"), QStringLiteral("a.com"), reply),
                 answered);
        const bool sent = std::any_of(site.requests.cbegin(), site.requests.cend(),
                                      [](const HttpRequestSeen& r) { return !r.header("Authorization").isEmpty(); });
        QCOMPARE(sent, answered);
        QVERIFY(site.requests.last().path == "/q");   // the redirects were followed
    }

    void stopEndsTheWaitWithoutBlamingTheServer()
    {
        server->route("/q", ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer));
        engine->Http.IdleTimeoutMs = 60'000;   // only Stop can end this wait
        connect(server, &LoopbackHttpServer::requestReceived, engine, &TMisc1::RequestStop);
        QStringList reply;
        QVERIFY(!engine->GetHTTPResults(at("/q?<name>"), QStringLiteral("a.com"), reply));
        QVERIFY(engine->httpQuery().LastQueryStopped());
        QCOMPARE(engine->FailedServers.Count(), 0);
        QVERIFY(!engine->Http.Busy());
    }

    void pseudoServerIsNoWebAddress()
    {
        QStringList reply;
        QVERIFY(!engine->GetHTTPResults(QStringLiteral("Cache Domains Taken List"), QStringLiteral("a.ie"), reply));
        QVERIFY(engine->FailedServers.Contains(QStringLiteral("cache domains taken list")));
    }

    void httpsWorks()
    {
        // A certificate for 127.0.0.1 made for this run, trusted by this client only.
        QSslCertificate certificate;
        QString whyNot;
        LoopbackHttpServer secure;
        if (!ServeOverTls(secure, certificate, whyNot))
            QSKIP(qPrintable(whyNot));
        QVERIFY(secure.listen());
        secure.route("/q", ScriptedReply::Page("secure no match"));
        const QString urlTemplate = QString::fromLatin1(secure.origin()) + QStringLiteral("/q?d=<name>");
        QStringList reply;
        engine->Http.addTrustedCertificates({certificate});
        QVERIFY(engine->GetHTTPResults(urlTemplate, QStringLiteral("a.com"), reply));
        QCOMPARE(reply, QStringList{"secure no match"});
        QCOMPARE(secure.requests.last().target, QByteArray("/q?d=a.com"));
    }
};

QTEST_GUILESS_MAIN(TestHttpQuery)
#include "tst_httpquery.moc"
