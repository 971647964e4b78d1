#include "engine/Misc1.h"
#include "settings/ProxySettings.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/TestCertificate.h"
#include "tests/support/TinyproxyProcess.h"
#include <QtTest>

// Lookup pages fetched through a real HTTP proxy (Debian's tinyproxy, started here on
// 127.0.0.1 with BasicAuth), with the proxy applied the way the advanced dialog does.
class TestHttpProxy : public QObject {
    Q_OBJECT

    TinyproxyProcess proxy;
    LoopbackHttpServer* site = nullptr;

    ProxyBoxes boxes(const QString& user, const QString& password) const
    {
        ProxyBoxes b;
        b.Username = user;
        b.Password = password;
        b.Server = QStringLiteral("127.0.0.1");
        b.Port = QString::number(proxy.port());
        b.Enabled = true;
        return b;
    }

private slots:
    void initTestCase()
    {
        if (TinyproxyProcess::Executable().isEmpty())
            QSKIP("tinyproxy is not installed (scripts/setup installs it)");
        QString error;
        QVERIFY2(proxy.Start(QStringLiteral("jo"), QStringLiteral("s3cret"), error), qPrintable(error));
    }
    void init()
    {
        site = new LoopbackHttpServer(this);
        QVERIFY(site->listen());
        site->route("/q", ScriptedReply::Page("No match for this one"));
    }
    void cleanup() { delete site; }

    void credentialsGetThroughTheProxy()
    {
        TMisc1 engine;
        engine.Http.IdleTimeoutMs = 10'000;
        ApplyProxySettings(boxes(QStringLiteral("jo"), QStringLiteral("s3cret")), engine.Http);
        QStringList reply;
        QVERIFY2(engine.GetHTTPResults(QString::fromLatin1(site->origin()) + QStringLiteral("/q?d=<name>"),
                                       QStringLiteral("example.com"), reply),
                 qPrintable(proxy.Log()));
        QCOMPARE(reply, QStringList{"No match for this one"});
        QCOMPARE(site->requests.size(), 1);
        QVERIFY(site->requests.first().header("Via").contains("tinyproxy"));   // it did go through the proxy
        QCOMPARE(site->requests.first().target, QByteArray("/q?d=example.com"));
    }

    void proxyRefusesWrongOrMissingCredentials_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << "jo" << "guess";
        QTest::newRow("none") << "" << "";
    }
    void proxyRefusesWrongOrMissingCredentials()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        TMisc1 engine;
        engine.Http.IdleTimeoutMs = 10'000;
        ApplyProxySettings(boxes(user, password), engine.Http);
        QStringList reply;
        const QString urlTemplate = QString::fromLatin1(site->origin()) + QStringLiteral("/q?d=<name>");
        QVERIFY(!engine.GetHTTPResults(urlTemplate, QStringLiteral("example.com"), reply));
        QVERIFY(engine.FailedServers.Contains(urlTemplate));
        QCOMPARE(site->requests.size(), 0);
    }

    // Behind the proxy the user name and password answer its challenge, never the web
    // server's, even over https.
    void webServerChallengeIsNotAnsweredBehindTheProxy()
    {
        QSslCertificate certificate;
        QString whyNot;
        LoopbackHttpServer secure;
        if (!ServeOverTls(secure, certificate, whyNot))
            QSKIP(qPrintable(whyNot));
        QVERIFY(secure.listen());
        secure.route("/q", ScriptedReply::Page("who are you", 401).withHeader("WWW-Authenticate", "Basic realm=\"lookup\""));
        TMisc1 engine;
        engine.Http.IdleTimeoutMs = 10'000;
        engine.Http.addTrustedCertificates({certificate});
        ApplyProxySettings(boxes(QStringLiteral("jo"), QStringLiteral("s3cret")), engine.Http);
        QStringList reply;
        QVERIFY(!engine.GetHTTPResults(QString::fromLatin1(secure.origin()) + QStringLiteral("/q?d=<name>"),
                                       QStringLiteral("example.com"), reply));
        QVERIFY2(!secure.requests.isEmpty(), qPrintable(proxy.Log()));   // through the proxy, its challenge answered
        for (const HttpRequestSeen& request : secure.requests)
            QVERIFY(request.header("Authorization").isEmpty());
    }

    void disabledProxyIsNotUsed()
    {
        TMisc1 engine;
        ProxyBoxes b = boxes(QStringLiteral("jo"), QStringLiteral("s3cret"));
        b.Enabled = false;
        ApplyProxySettings(b, engine.Http);
        QVERIFY(engine.Http.ProxyHost.isEmpty());
        QStringList reply;
        QVERIFY(engine.GetHTTPResults(QString::fromLatin1(site->origin()) + QStringLiteral("/q"), QStringLiteral("a.com"), reply));
        QVERIFY(site->requests.first().header("Via").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHttpProxy)
#include "tst_httpproxy.moc"
