#include "engine/lookup/HttpClient.h"
#include "platform/EnvironmentProxySource.h"
#include "platform/LinuxSystemProxySource.h"
#include "settings/ProxySettings.h"
#include "tests/support/FakeSystemProxySource.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include <QtTest>

Q_DECLARE_METATYPE(ProxyValue)

// Reading the system's proxy, comparing it with the advanced dialog's boxes, and the
// Retrieve, Blank and apply rules.
class TestProxySettings : public QObject {
    Q_OBJECT

    static FakeSystemProxySource source(const ProxyValue& server, const ProxyValue& enable)
    {
        FakeSystemProxySource s;
        s.set(QStringLiteral("ProxyServer"), server);
        s.set(QStringLiteral("ProxyEnable"), enable);
        return s;
    }

private slots:
    void systemProxyIsRead_data()
    {
        QTest::addColumn<ProxyValue>("server");
        QTest::addColumn<ProxyValue>("enable");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("enabled");
        const ProxyValue missing;
        const ProxyValue server = ProxyValue::String(QStringLiteral("proxy.lan:8080"));
        QTest::newRow("host and port") << server << missing << true << "proxy.lan" << 8080 << true;
        QTest::newRow("no colon: port 80") << ProxyValue::String("proxy.lan") << missing << true << "proxy.lan" << 80 << true;
        QTest::newRow("port not a number") << ProxyValue::String("proxy.lan:http") << missing << true << "proxy.lan" << 80 << true;
        QTest::newRow("empty port") << ProxyValue::String("proxy.lan:") << missing << true << "proxy.lan" << 80 << true;
        QTest::newRow("per-protocol value is not split")
            << ProxyValue::String("http=p1:3128;https=p2:3129") << missing << true << "http=p1" << 80 << true;
        QTest::newRow("expandable string") << ProxyValue::ExpandableString("p:1") << missing << true << "p" << 1 << true;
        QTest::newRow("no server") << missing << ProxyValue::Integer(1) << false << "untouched" << -7 << true;
        QTest::newRow("empty server") << ProxyValue::String("") << missing << false << "untouched" << -7 << false;
        QTest::newRow("server of another type") << ProxyValue::Integer(5) << missing << false << "untouched" << -7 << false;
        QTest::newRow("enable integer 0") << server << ProxyValue::Integer(0) << true << "proxy.lan" << 8080 << false;
        QTest::newRow("enable integer 2") << server << ProxyValue::Integer(2) << true << "proxy.lan" << 8080 << true;
        QTest::newRow("enable text Enabled") << server << ProxyValue::String("Enabled") << true << "proxy.lan" << 8080 << true;
        QTest::newRow("enable text off is in neither list")
            << server << ProxyValue::String("off") << true << "proxy.lan" << 8080 << true;
        QTest::newRow("enable text FALSE") << server << ProxyValue::String("FALSE") << true << "proxy.lan" << 8080 << false;
        QTest::newRow("enable text none") << server << ProxyValue::ExpandableString("none") << true << "proxy.lan" << 8080 << false;
        QTest::newRow("enable text 0") << server << ProxyValue::String("0") << true << "proxy.lan" << 8080 << false;
        QTest::newRow("enable binary 0") << server << ProxyValue::Binary(QByteArray(1, '\0')) << true << "proxy.lan" << 8080 << false;
        QTest::newRow("enable binary 1 0") << server << ProxyValue::Binary(QByteArray("\x01\x00", 2)) << true << "proxy.lan" << 8080 << true;
        QTest::newRow("enable of another type keeps it")
            << server << ProxyValue::OtherType() << true << "proxy.lan" << 8080 << true;
        QTest::newRow("enable yes without a server") << missing << ProxyValue::String("yes") << false << "untouched" << -7 << true;
    }
    void systemProxyIsRead()
    {
        QFETCH(ProxyValue, server);
        QFETCH(ProxyValue, enable);
        QFETCH(bool, found);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(bool, enabled);
        const FakeSystemProxySource s = source(server, enable);
        QString readHost = QStringLiteral("untouched");
        int readPort = -7;
        bool readEnabled = !enabled;
        QCOMPARE(ReadIEProxySettings(s, readHost, readPort, readEnabled), found);
        QCOMPARE(readHost, host);
        QCOMPARE(readPort, port);
        QCOMPARE(readEnabled, enabled);
    }

    void differenceFromTheBoxes_data()
    {
        QTest::addColumn<ProxyValue>("enable");
        QTest::addColumn<QString>("serverBox");
        QTest::addColumn<QString>("portBox");
        QTest::addColumn<bool>("differ");
        const ProxyValue missing;
        QTest::newRow("matching") << missing << "proxy.lan" << "8080" << false;
        QTest::newRow("other server") << missing << "other" << "8080" << true;
        QTest::newRow("server differs in case") << missing << "Proxy.lan" << "8080" << true;
        QTest::newRow("other port") << missing << "proxy.lan" << "3128" << true;
        QTest::newRow("blank port box") << missing << "proxy.lan" << "" << true;
        QTest::newRow("leading zero in the box") << missing << "proxy.lan" << "08080" << true;
        QTest::newRow("disabled: never a difference") << ProxyValue::Integer(0) << "anything" << "" << false;
    }
    void differenceFromTheBoxes()
    {
        QFETCH(ProxyValue, enable);
        QFETCH(QString, serverBox);
        QFETCH(QString, portBox);
        QFETCH(bool, differ);
        const FakeSystemProxySource s = source(ProxyValue::String(QStringLiteral("proxy.lan:8080")), enable);
        QCOMPARE(ProxySettingsDiffer(s, serverBox, portBox), differ);
    }

    void noSystemProxyIsNoDifference()
    {
        FakeSystemProxySource none;
        QVERIFY(!ProxySettingsDiffer(none, QStringLiteral("x"), QStringLiteral("1")));
    }

    void warningShowsTheWindowFirst()
    {
        const FakeSystemProxySource s = source(ProxyValue::String(QStringLiteral("proxy.lan:8080")), {});
        ScriptedMessageBoxes boxes;
        QStringList events;
        ProxyBoxes mine;
        QVERIFY(WarnAboutProxy(s, mine, boxes, [&] { events << "window shown, boxes " + QString::number(boxes.shown.size()); }));
        QCOMPARE(events, QStringList{"window shown, boxes 0"});
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().kind, MessageKind::Information);
        QCOMPARE(boxes.shown.first().buttons, int(MbOk));
        QVERIFY(boxes.shown.first().text.startsWith("Proxy settings have been set up for Internet Explorer that\rdo not match"));
        QVERIFY(boxes.shown.first().text.endsWith("See the help file for more info on using Tarnwick with firewalls."));

        mine.Server = QStringLiteral("proxy.lan");
        mine.Port = QStringLiteral("8080");
        QVERIFY(!WarnAboutProxy(s, mine, boxes, [&] { events << "again"; }));
        QCOMPARE(events.size(), 1);
        QCOMPARE(boxes.shown.size(), 1);
    }

    void retrieveFillsTheBoxesOrComplains()
    {
        ScriptedMessageBoxes messages;
        ProxyBoxes boxes;
        boxes.Username = QStringLiteral("kept");
        boxes.Enabled = true;
        const FakeSystemProxySource disabled = source(ProxyValue::String(QStringLiteral("p.lan:3128")), ProxyValue::Integer(0));
        QVERIFY(RetrieveProxySettings(disabled, boxes, messages));
        QCOMPARE(boxes.Server, QStringLiteral("p.lan"));
        QCOMPARE(boxes.Port, QStringLiteral("3128"));
        QCOMPARE(boxes.Enabled, false);
        QCOMPARE(boxes.Username, QStringLiteral("kept"));
        QVERIFY(messages.shown.isEmpty());

        FakeSystemProxySource none;
        QVERIFY(!RetrieveProxySettings(none, boxes, messages));
        QCOMPARE(boxes.Server, QStringLiteral("p.lan"));
        QCOMPARE(messages.texts(), QStringList{"There was an error retrieving the \rproxy settings from Internet Explorer."
                                               "\r\rThese may have to be set manually."});
        QCOMPARE(messages.shown.first().kind, MessageKind::Error);
    }

    void blankEmptiesEveryBox()
    {
        ProxyBoxes boxes{QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("s"), QStringLiteral("1"), true};
        BlankProxySettings(boxes);
        QVERIFY(boxes.Username.isEmpty() && boxes.Password.isEmpty() && boxes.Server.isEmpty() && boxes.Port.isEmpty());
        QVERIFY(!boxes.Enabled);
    }

    void boxesAreAppliedToTheClient_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("portBox");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("enabled") << true << "3128" << "p.lan" << 3128;
        QTest::newRow("empty port box keeps the port") << true << "" << "p.lan" << 9999;
        QTest::newRow("port out of range keeps the port") << true << "70000" << "p.lan" << 9999;
        QTest::newRow("disabled") << false << "3128" << "" << 80;
    }
    void boxesAreAppliedToTheClient()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, portBox);
        QFETCH(QString, host);
        QFETCH(int, port);
        THttpClient http;
        http.ProxyHost = QStringLiteral("old");
        http.ProxyPort = 9999;
        ApplyProxySettings({QStringLiteral("jo"), QStringLiteral("pw"), QStringLiteral("p.lan"), portBox, enabled}, http);
        QCOMPARE(http.ProxyHost, host);
        QCOMPARE(http.ProxyPort, port);
        QCOMPARE(http.Username, QStringLiteral("jo"));   // credentials whether or not the proxy is on
        QCOMPARE(http.Password, QStringLiteral("pw"));
    }

    void environmentVariableGivesTheProxy_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("server");
        QTest::newRow("full form") << "http://jo:pw@proxy.lan:3128/" << "" << "proxy.lan:3128";
        QTest::newRow("no scheme") << "proxy.lan:8080" << "" << "proxy.lan:8080";
        QTest::newRow("no port") << "http://proxy.lan/" << "" << "proxy.lan";
        QTest::newRow("upper-case variable") << "" << "http://up.lan:1/" << "up.lan:1";
        QTest::newRow("lower-case wins") << "http://low.lan:2" << "http://up.lan:1" << "low.lan:2";
        QTest::newRow("unset") << "" << "" << "";
        QTest::newRow("garbage") << "http://:80" << "" << "";
    }
    void environmentVariableGivesTheProxy()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, server);
        QProcessEnvironment environment;
        if (!lower.isEmpty())
            environment.insert(QStringLiteral("http_proxy"), lower);
        if (!upper.isEmpty())
            environment.insert(QStringLiteral("HTTP_PROXY"), upper);
        const EnvironmentProxySource source(environment);
        const ProxyValue value = source.Value(QStringLiteral("ProxyServer"));
        const ProxyValue enable = source.Value(QStringLiteral("ProxyEnable"));
        if (server.isEmpty()) {
            QCOMPARE(value.type, ProxyValueType::Missing);
            QCOMPARE(enable.type, ProxyValueType::Missing);
        } else {
            QCOMPARE(value.type, ProxyValueType::String);
            QCOMPARE(value.text, server);
            QCOMPARE(enable.type, ProxyValueType::Integer);
            QCOMPARE(enable.number, 1);
        }
    }
    // The desktops' own settings, read by the real readers: gsettings on a keyfile
    // backend in a folder of the test's, and a kioslaverc of the test's.
    void desktopSettingGivesTheProxy_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("server");   // empty: no value at all
        QTest::addColumn<int>("enable");
        const QByteArray gnomeHttp = "[system/proxy/http]\nhost='proxy.lan'\nport=3128\n";
        QTest::newRow("GNOME manual") << "gnome" << "[system/proxy]\nmode='manual'\n" + gnomeHttp << "proxy.lan:3128" << 1;
        QTest::newRow("GNOME filled in, mode none") << "gnome" << "[system/proxy]\nmode='none'\n" + gnomeHttp << "proxy.lan:3128" << 0;
        QTest::newRow("GNOME automatic") << "gnome" << "[system/proxy]\nmode='auto'\n" + gnomeHttp << "proxy.lan:3128" << 0;
        QTest::newRow("GNOME port 0") << "gnome" << QByteArray("[system/proxy]\nmode='manual'\n[system/proxy/http]\nhost='p.lan'\nport=0\n")
                                       << "p.lan" << 1;
        QTest::newRow("GNOME no host") << "gnome" << QByteArray("[system/proxy]\nmode='manual'\n") << "" << 0;
        QTest::newRow("KDE manual") << "kde" << QByteArray("[Proxy Settings]\nProxyType=1\nhttpProxy=http://proxy.lan:3128\n")
                                    << "proxy.lan:3128" << 1;
        QTest::newRow("KDE older form with a blank")
            << "kde" << QByteArray("[Proxy Settings]\nProxyType=1\nhttpProxy=http://proxy.lan 8080\n") << "proxy.lan:8080" << 1;
        QTest::newRow("KDE key with flags") << "kde" << QByteArray("[Proxy Settings]\nProxyType=1\nhttpProxy[$e]=p.lan:1\n")
                                            << "p.lan:1" << 1;
        QTest::newRow("KDE filled in, no proxy")
            << "kde" << QByteArray("[Proxy Settings]\nProxyType=0\nhttpProxy=http://proxy.lan:3128\n") << "proxy.lan:3128" << 0;
        QTest::newRow("KDE from the environment")
            << "kde" << QByteArray("[Proxy Settings]\nProxyType=4\nhttpProxy=http_proxy\n") << "" << 0;
        QTest::newRow("KDE other group") << "kde" << QByteArray("[Other]\nProxyType=1\nhttpProxy=http://p.lan:1\n") << "" << 0;
    }
    void desktopSettingGivesTheProxy()
    {
        QFETCH(QString, desktop);
        QFETCH(QByteArray, file);
        QFETCH(QString, server);
        QFETCH(int, enable);
        QTemporaryDir config;
        const QString path = config.filePath(desktop == "gnome" ? "glib-2.0/settings/keyfile" : "kioslaverc");
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        f.close();

        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("HOME"), config.path());
        const GnomeProxySource gnome(QStringLiteral("gsettings"), environment);
        const KdeProxySource kde(path);
        const ISystemProxySource& source = desktop == "gnome" ? static_cast<const ISystemProxySource&>(gnome) : kde;

        // Behind the environment's variable, which is unset here.
        const EnvironmentProxySource noVariable{QProcessEnvironment()};
        const FirstProxySource system({&noVariable, &source});
        const ProxyValue value = system.Value(QStringLiteral("ProxyServer"));
        if (server.isEmpty()) {
            QCOMPARE(value.type, ProxyValueType::Missing);
            QCOMPARE(system.Value(QStringLiteral("ProxyEnable")).type, ProxyValueType::Missing);
            return;
        }
        QCOMPARE(value.text, server);
        QCOMPARE(system.Value(QStringLiteral("ProxyEnable")).number, enable);

        // The variable, when set, wins over the desktop.
        QProcessEnvironment variable;
        variable.insert(QStringLiteral("http_proxy"), QStringLiteral("http://env.lan:9/"));
        const EnvironmentProxySource withVariable(variable);
        QCOMPARE(FirstProxySource({&withVariable, &source}).Value(QStringLiteral("ProxyServer")).text, QStringLiteral("env.lan:9"));
    }

    void gsettingsThatHangsIsGivenUp()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("gsettings"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexec sleep 60\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(GnomeProxySource(program, QProcessEnvironment::systemEnvironment(), 300).Value("ProxyServer").type,
                 ProxyValueType::Missing);
        QVERIFY(clock.elapsed() < 30000);
        QCOMPARE(GnomeProxySource(dir.filePath("missing")).Value("ProxyServer").type, ProxyValueType::Missing);
    }
};

QTEST_GUILESS_MAIN(TestProxySettings)
#include "tst_proxysettings.moc"
