// RDAP first, where the bootstrap knows a TLD's service: a loopback RDAP server of the
// test's own answers 404, a domain object, 429, errors and hostile bodies; the TLD's
// assigned server (a loopback whois server) answers when RDAP cannot. Also the bootstrap's
// longest-label rule, the single search's record, names in any script, and the whole
// route through tarnwick-cli.
#include "LoopbackHttpServer.h"
#include "LoopbackWhoisServer.h"
#include "engine/Misc1.h"
#include "engine/lookup/RdapReply.h"
#include "engine/names/NameNormalisation.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(LookupVerdict)
Q_DECLARE_METATYPE(LookupRoute)

namespace {

const QString kCli = QStringLiteral(TARNWICK_PROGRAM_DIR "/tarnwick-cli");

QByteArray DomainObject(const QByteArray& name)
{
    return R"({"objectClassName":"domain","ldhName":")" + name + R"(","status":["active","client transfer prohibited"],)"
           R"("entities":[{"objectClassName":"entity","roles":["registrar"],)"
           R"("vcardArray":["vcard",[["version",{},"text","4.0"],["fn",{},"text","Example Registrar, Inc."]]]}],)"
           R"("events":[{"eventAction":"registration","eventDate":"1995-08-14T04:00:00Z"},)"
           R"({"eventAction":"expiration","eventDate":"2030-08-13T04:00:00Z"}],)"
           R"("nameservers":[{"objectClassName":"nameserver","ldhName":"A.IANA-SERVERS.NET"}]})";
}

// What the RDAP server does with a row's name.
enum class Rdap { NotFound, Domain, TooManyThenDomain, ServerError, Forbidden, Entity, Html, Huge, RedirectLoop };

ScriptedReply RdapReply(Rdap kind, const HttpRequestSeen& request, int seen)
{
    const QByteArray name = request.path.mid(request.path.lastIndexOf('/') + 1);
    switch (kind) {
    case Rdap::NotFound:
        return ScriptedReply::Page(R"({"errorCode":404,"title":"Not Found","description":["Domain not found"]})", 404)
            .withHeader("Content-Type", "application/rdap+json");
    case Rdap::Domain: return ScriptedReply::Page(DomainObject(name)).withHeader("Content-Type", "application/rdap+json");
    case Rdap::TooManyThenDomain:
        return seen <= 2 ? ScriptedReply::Page("", 429).withHeader("Retry-After", "0") : RdapReply(Rdap::Domain, request, seen);
    case Rdap::ServerError: return ScriptedReply::Page("Internal error", 500);
    case Rdap::Forbidden: return ScriptedReply::Page("blocked", 403);
    case Rdap::Entity: return ScriptedReply::Page(R"({"objectClassName":"entity","handle":"X"})");
    case Rdap::Html: return ScriptedReply::Page("<html><body>Welcome</body></html>");
    case Rdap::Huge: return ScriptedReply::Page("{\"objectClassName\":\"domain\",\"x\":\"" + QByteArray(1100 * 1024, 'a') + "\"}");
    case Rdap::RedirectLoop: return ScriptedReply::Redirect(request.path);
    }
    return ScriptedReply::Page("", 500);
}

} // namespace

class TestRdap : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<LoopbackHttpServer> rdap;
    std::unique_ptr<LoopbackWhoisServer> whois;
    std::unique_ptr<TMisc1> engine;

    QString base() const { return QString::fromLatin1(rdap->origin()) + QStringLiteral("/rdap/"); }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        rdap = std::make_unique<LoopbackHttpServer>();
        QVERIFY(rdap->listen());
        whois = std::make_unique<LoopbackWhoisServer>();
        QVERIFY(whois->listen());
        whois->setReply("No match for domain\r\n");
        engine = std::make_unique<TMisc1>();
        engine->setProgramFolder(dir->path());
        engine->Whois1.Port = whois->port();
        engine->Http.IdleTimeoutMs = 3000;
        engine->RdapRetries.firstMs = 20;
        engine->RdapEnabled = true;
        engine->RdapBootstrap.Use({{QStringLiteral("com"), base()}, {QStringLiteral("co.uk"), base() + "couk/"}}, {});
        engine->TLDInfoList.Add(QStringLiteral(".com"), QStringLiteral("127.0.0.1"), QStringLiteral("No match"), true);
    }
    void cleanup()
    {
        engine.reset();
        whois.reset();
        rdap.reset();
        dir.reset();
    }

    void answersDecideOrHandOver_data()
    {
        QTest::addColumn<Rdap>("kind");
        QTest::addColumn<bool>("whoisUp");
        QTest::addColumn<LookupVerdict>("verdict");
        QTest::addColumn<LookupRoute>("route");
        QTest::addColumn<int>("rdapRequests");
        QTest::addColumn<QString>("reason");   // what the reason begins with
        using V = LookupVerdict;
        using R = LookupRoute;
        QTest::newRow("404: free") << Rdap::NotFound << true << V::Free << R::Rdap << 1 << "not found (RDAP 404)";
        QTest::newRow("domain object: taken") << Rdap::Domain << true << V::Taken << R::Rdap << 1 << "registered";
        QTest::newRow("429 twice, then the object") << Rdap::TooManyThenDomain << true << V::Taken << R::Rdap << 3 << "registered";
        QTest::newRow("500: whois answers") << Rdap::ServerError << true << V::Free << R::Whois << 1 << "the reply holds";
        QTest::newRow("500, whois down: error") << Rdap::ServerError << false << V::LookupFailed << R::Whois << 1
                                                << "RDAP answered HTTP 500; then unreachable";
        QTest::newRow("403: whois answers") << Rdap::Forbidden << true << V::Free << R::Whois << 1 << "the reply holds";
        QTest::newRow("another object class") << Rdap::Entity << true << V::Free << R::Whois << 1 << "the reply holds";
        QTest::newRow("HTML") << Rdap::Html << true << V::Free << R::Whois << 1 << "the reply holds";
        QTest::newRow("body past 1 MiB, whois down") << Rdap::Huge << false << V::LookupFailed << R::Whois << 1
                                                     << "RDAP: the page is too long; then";
        QTest::newRow("redirect loop, whois down") << Rdap::RedirectLoop << false << V::LookupFailed << R::Whois << 21
                                                   << "RDAP answered HTTP 302; then";
    }
    void answersDecideOrHandOver()
    {
        QFETCH(Rdap, kind);
        QFETCH(bool, whoisUp);
        QFETCH(LookupVerdict, verdict);
        QFETCH(LookupRoute, route);
        QFETCH(int, rdapRequests);
        QFETCH(QString, reason);
        int seen = 0;
        rdap->setHandler([&](const HttpRequestSeen& request) { return RdapReply(kind, request, ++seen); });
        if (!whoisUp)
            whois->close();

        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("example"), *engine->TLDInfoList.Find(QStringLiteral(".com")), isWhois, &details),
                 verdict);
        QCOMPARE(details.Reason.Route, route);
        QVERIFY2(details.Reason.Text.startsWith(reason), qPrintable(details.Reason.Text));
        QVERIFY2(rdap->requests.size() >= rdapRequests, qPrintable(QString::number(rdap->requests.size())));
        QCOMPARE(rdap->requests.first().target, QByteArray("/rdap/domain/example.com"));
        for (const HttpRequestSeen& request : rdap->requests)
            QCOMPARE(request.header("Accept"), QByteArray("application/rdap+json"));
        QCOMPARE(whois->queries.size(), route == LookupRoute::Whois && whoisUp ? 1 : 0);
    }

    // Replies of every kind through the verdict code: .com asks RDAP first (then whois
    // when RDAP gives no verdict), .net has no RDAP service and asks whois alone.
    void repliesJudged_data()
    {
        QTest::addColumn<QString>("tld");
        QTest::addColumn<int>("status");   // of the RDAP answer
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("whoisReply");
        QTest::addColumn<QString>("match");
        QTest::addColumn<LookupVerdict>("verdict");
        QTest::addColumn<QString>("reason");   // what the reason begins with
        using V = LookupVerdict;
        const QByteArray taken = "Domain Name: EXAMPLE\r\nRegistrar: X\r\n# Queries may be blocked. All rights reserved.\r\n";
        const QByteArray free = "No match for EXAMPLE\r\n";
        const QString noMatch = QStringLiteral("No match");
        QTest::newRow("RDAP 404, terms that say reserved and blocked")
            << ".com" << 404
            << QByteArray(R"({"errorCode":404,"title":"Not Found","notices":[{"title":"Terms of Use",)"
                          R"("description":["Abusers are blocked. All rights reserved."]}]})")
            << taken << noMatch << V::Free << "not found (RDAP 404)";
        QTest::newRow("RDAP 404, not available for registration")
            << ".com" << 404
            << QByteArray(R"({"errorCode":404,"title":"Not Found","description":["Domain not found",)"
                          R"("This name is not available for registration: Registry Reserved"]})")
            << free << noMatch << V::Reserved << "This name is not available for registration: Registry Reserved";
        QTest::newRow("RDAP 404, blocked in a notice")
            << ".com" << 404
            << QByteArray(R"({"errorCode":404,"notices":[{"title":"Name status","description":"Blocked by the registry"}]})")
            << free << noMatch << V::Reserved << "Blocked by the registry";
        QTest::newRow("RDAP 200 error object, premium")
            << ".com" << 200 << QByteArray(R"({"errorCode":400,"title":"Premium name held by the registry"})") << free
            << noMatch << V::Reserved << "Premium name held by the registry";
        QTest::newRow("RDAP object, trailing dot and capitals")
            << ".com" << 200 << DomainObject("EXAMPLE.COM.") << free << noMatch << V::Taken << "registered";
        QTest::newRow("RDAP object without a name")
            << ".com" << 200 << QByteArray(R"({"objectClassName":"domain","status":["active"]})") << free << noMatch
            << V::Taken << "registered";
        QTest::newRow("RDAP object for another domain: whois says free")
            << ".com" << 200 << DomainObject("other.com") << free << noMatch << V::Free << "the reply holds";
        QTest::newRow("RDAP object for another domain: whois says taken")
            << ".com" << 200 << DomainObject("example.net") << taken << noMatch << V::Taken << "the reply lacks";
        QTest::newRow("whois: phrase across a TAB")
            << ".net" << 0 << QByteArray() << QByteArray("Domain: example.net\r\nStatus:\tAVAILABLE\r\n")
            << "Status: AVAILABLE" << V::Free << "the reply holds";
        QTest::newRow("whois: thirteen blanks match one")
            << ".net" << 0 << QByteArray() << QByteArray("Status: AVAILABLE\r\n") << "Status:             AVAILABLE"
            << V::Free << "the reply holds";
        QTest::newRow("whois: NOT AVAILABLE across tabs")
            << ".net" << 0 << QByteArray() << QByteArray("Status:\t\tNOT AVAILABLE\r\n") << "Status: AVAILABLE" << V::Taken
            << "the reply lacks";
        QTest::newRow("whois: reserved ahead of the free phrase")
            << ".net" << 0 << QByteArray() << QByteArray("%% NOT FOUND\r\n%% The name is  reserved by the registry\r\n")
            << "%% NOT FOUND" << V::Reserved << "%% The name is reserved by the registry";
        QTest::newRow("whois: Status TAB reserved")
            << ".net" << 0 << QByteArray() << QByteArray("Domain: example.net\nStatus:\treserved\n") << noMatch
            << V::Reserved << "Status: reserved";
        QTest::newRow("whois: terms that say reserved and blocked") << ".net" << 0 << QByteArray() << taken << noMatch
                                                                     << V::Taken << "the reply lacks";
    }
    void repliesJudged()
    {
        QFETCH(QString, tld);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, whoisReply);
        QFETCH(QString, match);
        QFETCH(LookupVerdict, verdict);
        QFETCH(QString, reason);
        rdap->setHandler([&](const HttpRequestSeen&) { return ScriptedReply::Page(body, status); });
        whois->setReply(whoisReply);
        engine->TLDInfoList.Find(QStringLiteral(".com"))->MatchText = match;
        engine->TLDInfoList.Add(QStringLiteral(".net"), QStringLiteral("127.0.0.1"), match, true);

        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("example"), *engine->TLDInfoList.Find(tld), isWhois, &details), verdict);
        QVERIFY2(details.Reason.Text.startsWith(reason), qPrintable(details.Reason.Text));
        QCOMPARE(rdap->requests.size(), tld == ".com" ? 1 : 0);
    }

    // RDAP off, a pinned TLD, or a TLD without a service: exactly the assigned server.
    void assignedServerWhereRdapDoesNotApply_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("RDAP off") << "off";
        QTest::newRow("TLD pinned") << "pinned";
        QTest::newRow("no service for the TLD") << "unknown";
    }
    void assignedServerWhereRdapDoesNotApply()
    {
        QFETCH(QString, how);
        QString tld = QStringLiteral(".com");
        if (how == "off")
            engine->RdapEnabled = false;
        else if (how == "pinned")
            engine->RdapPinnedTlds.insert(tld);
        else
            engine->TLDInfoList.Add(tld = QStringLiteral(".net"), QStringLiteral("127.0.0.1"), QStringLiteral("No match"), true);
        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("example"), *engine->TLDInfoList.Find(tld), isWhois, &details),
                 LookupVerdict::Free);
        QCOMPARE(details.Reason.Route, LookupRoute::Whois);
        QVERIFY(rdap->requests.isEmpty());
        QVERIFY(isWhois);
    }

    void longestLabelWinsAndOverridesWin()
    {
        TRdapBootstrap bootstrap;
        QHash<QString, QString> iana;
        const QByteArray file = R"({"services":[[["uk","CO.UK"],["http://a.example/","https://b.example/rdap"]],)"
                                R"([["de"],["ftp://nope/"]], "junk", [["x"]]]})";
        QVERIFY(TRdapBootstrap::ParseIana(file, iana));
        bootstrap.Use(iana, TRdapBootstrap::ParseOverrides("de\thttps://rdap.denic.example/\tsource\nbroken line\n"));
        QCOMPARE(bootstrap.BaseUrlForDomain(QStringLiteral("name.co.uk")), QStringLiteral("https://b.example/rdap/"));
        QCOMPARE(bootstrap.BaseUrlForDomain(QStringLiteral("name.org.uk")), QStringLiteral("https://b.example/rdap/"));
        QCOMPARE(bootstrap.BaseUrlForTld(QStringLiteral(".CO.UK")), QStringLiteral("https://b.example/rdap/"));
        QCOMPARE(bootstrap.BaseUrlForTld(QStringLiteral(".de")), QStringLiteral("https://rdap.denic.example/"));
        QCOMPARE(bootstrap.BaseUrlForTld(QStringLiteral(".fr")), QString());
        QVERIFY(!TRdapBootstrap::ParseIana("<html>", iana));
        QVERIFY(!TRdapBootstrap::ParseIana(R"({"services":[]})", iana));
    }

    // The single search shows the record one fact a line, or the server's "not found".
    void singleSearchShowsTheRecord()
    {
        bool notFound = false;
        rdap->setHandler([&](const HttpRequestSeen& request) {
            return RdapReply(notFound ? Rdap::NotFound : Rdap::Domain, request, 1);
        });
        QStringList reply;
        bool isWhois = true, takenListError = false;
        QVERIFY(engine->LookUpAddress(QStringLiteral("Example"), QStringLiteral(".com"), reply, isWhois, true, takenListError));
        QCOMPARE(reply, (QStringList{"Domain: EXAMPLE.COM", "Status: active, client transfer prohibited",
                                     "Registrar: Example Registrar, Inc.", "Created: 1995-08-14T04:00:00Z",
                                     "Expires: 2030-08-13T04:00:00Z", "Name server: A.IANA-SERVERS.NET"}));
        QVERIFY(!isWhois);
        notFound = true;
        QVERIFY(engine->LookUpAddress(QStringLiteral("Example"), QStringLiteral(".com"), reply, isWhois, true, takenListError));
        QCOMPARE(reply, (QStringList{"Not Found", "Domain not found"}));
    }

    // A name in another script keeps its letters and is asked by its A-label on every route.
    void namesInAnyScriptAreAskedByTheirALabel()
    {
        rdap->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page("", 503); });
        QStringList reply;
        bool isWhois = false, takenListError = false;
        QVERIFY(engine->LookUpAddress(QStringLiteral("BÜCHER"), QStringLiteral(".com"), reply, isWhois, true, takenListError));
        QCOMPARE(rdap->requests.first().target, QByteArray("/rdap/domain/xn--bcher-kva.com"));
        QCOMPARE(whois->queries, QList<QByteArray>{"xn--bcher-kva.com"});
        QCOMPARE(NormaliseName(u"bücher-ÿ 7!"), QStringLiteral("BÜCHER-Ÿ7"));
    }

    // The whole route through tarnwick-cli with a bootstrap file of the test's own.
    void cliRunAsksRdap()
    {
        QFile bootstrap(dir->filePath(QStringLiteral("dns.json")));
        QVERIFY(bootstrap.open(QIODevice::WriteOnly));
        bootstrap.write(R"({"services":[[["com"],[")" + base().toLatin1() + R"("]]]})");
        bootstrap.close();
        QFile names(dir->filePath(QStringLiteral("names.txt")));
        QVERIFY(names.open(QIODevice::WriteOnly));
        names.write("freeone\r\ntakentwo\r\nbusythree\r\n");
        names.close();
        QHash<QByteArray, int> asked;
        rdap->setHandler([&](const HttpRequestSeen& request) {
            const QByteArray name = request.path.mid(request.path.lastIndexOf('/') + 1);
            const int seen = ++asked[name];
            if (name.startsWith("free"))
                return RdapReply(Rdap::NotFound, request, seen);
            if (name.startsWith("busy") && seen <= 2)
                return ScriptedReply::Page("", 429).withHeader("Retry-After", "1");
            return RdapReply(Rdap::Domain, request, seen);
        });

        QProcess cli;
        cli.start(kCli, {"--program-folder", dir->path(), "--rdap-bootstrap", bootstrap.fileName(), "--set",
                         "Options/DictCheck=0", "--set", "Options/CustomListCheck=1", "--set",
                         "CustomList/UseList=" + names.fileName(), "--set", "Options/AutoSave=0", "--set",
                         "Lookup/DNSPrecheck=0", "--tlds", ".com", "auto"});
        QTRY_VERIFY_WITH_TIMEOUT(cli.state() == QProcess::NotRunning, 30'000);
        const QStringList out = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(out.mid(0, 3), (QStringList{"FREEONE.com : FREE, Click on the Register Domain button now !",
                                             "TAKENTWO.com : Registered", "BUSYTHREE.com : Registered"}));
        QCOMPARE(asked.value("busythree.com"), 3);
        QCOMPARE(cli.exitCode(), 0);

        // The routes: .com to the file's service; pinned by --server, or RDAP off, to whois.
        cli.start(kCli, {"--program-folder", dir->path(), "--rdap-bootstrap", bootstrap.fileName(), "routes"});
        QVERIFY(cli.waitForFinished(10'000));
        QVERIFY(cli.readAllStandardOutput().startsWith(".com\trdap\t" + base().toLatin1() + "\n"));
        cli.start(kCli, {"--program-folder", dir->path(), "--set", "Lookup/RDAP=0", "routes"});
        QVERIFY(cli.waitForFinished(10'000));
        QVERIFY(!cli.readAllStandardOutput().contains("\trdap\t"));
    }
};

QTEST_GUILESS_MAIN(TestRdap)
#include "tst_rdap.moc"
