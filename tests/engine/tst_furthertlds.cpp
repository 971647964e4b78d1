// Today's TLDs after the built-in table's rows: which are offered and in what order,
// ticks that stay with their TLDs across starts whatever the list gained or lost, and
// the whole route through tarnwick-cli with a loopback RDAP server.
#include "LoopbackHttpServer.h"
#include "engine/Misc1.h"
#include "engine/lookup/FurtherTLDs.h"
#include "settings/CheckStates.h"
#include "settings/ConfigFile.h"
#include "settings/ServerAssignment.h"
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString kCli = QStringLiteral(TARNWICK_PROGRAM_DIR "/tarnwick-cli");

// One start of the program in `folder`, with a bootstrap that names `labels`: the tree
// and TLDInfoList built as the advanced dialog's creation builds them.
struct Start {
    TMisc1 engine;
    std::unique_ptr<TServerAssignment> assignment;

    Start(const QString& folder, const QStringList& labels)
    {
        engine.setProgramFolder(folder);
        QHash<QString, QString> services;
        for (const QString& label : labels)
            services.insert(label, QStringLiteral("https://rdap.example/"));
        engine.RdapBootstrap.Use(services, {});
        assignment = std::make_unique<TServerAssignment>(engine);
        assignment->BuildAtStartup();
    }
    QStringList ticked() const
    {
        QStringList tlds;
        for (int i = 0; i < engine.TLDInfoList.Count(); ++i)
            if (engine.TLDInfoList.At(i).Checked)
                tlds.append(engine.TLDInfoList.At(i).TLD);
        return tlds;
    }
};

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestFurtherTLDs : public QObject {
    Q_OBJECT
private slots:
    void offeredOnceInAFixedOrder_data()
    {
        QTest::addColumn<QStringList>("shipped");
        QTest::addColumn<QStringList>("bootstrap");
        QTest::addColumn<QStringList>("expected");
        const QStringList shipped{"app=whois.nic.app", "co=whois.registry.co", "com=whois.nic.com", "shop=whois.nic.shop"};
        QTest::newRow("shipped, less the table's keys") << shipped << QStringList{}
                                                        << QStringList{".app whois.nic.app", ".co whois.registry.co",
                                                                       ".shop whois.nic.shop"};
        QTest::newRow("the bootstrap's own come after, sorted")
            << shipped << QStringList{"zz", "shop", "blog", "COM", "net"}
            << QStringList{".app whois.nic.app", ".co whois.registry.co", ".shop whois.nic.shop", ".blog whois.nic.blog",
                           ".zz whois.nic.zz"};
        QTest::newRow("no host names, arpa, broken lines")
            << QStringList{"=whois.nic.x", "bad line", "a,b=whois.x", "dev=", "xn--p1ai=whois.tcinet.ru"}
            << QStringList{"arpa", "-x", "a b", "x.", "", QString(64, 'a'), "xn--80asehdb"}
            << QStringList{".xn--p1ai whois.tcinet.ru", ".xn--80asehdb whois.nic.xn--80asehdb"};
    }
    void offeredOnceInAFixedOrder()
    {
        QFETCH(QStringList, shipped);
        QFETCH(QStringList, bootstrap);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const FurtherTLD& further : FurtherTLDs(shipped, {"com", "net", "co.uk"}, bootstrap))
            got.append(further.TLD + ' ' + further.Server);
        QCOMPARE(got, expected);
    }

    // Two starts of the program: the first writes the ticks (as a version before this
    // change did, or as this one does), the second builds the list anew, perhaps from
    // another bootstrap, and must tick the same TLDs.
    void ticksStayWithTheirTLDs_data()
    {
        QTest::addColumn<QString>("written");      // "before": packed ticks only; "now": as SaveCheckStates writes
        QTest::addColumn<QString>("config");       // "none", "before" (a tree without today's TLDs) or "saved"
        QTest::addColumn<QStringList>("first");    // the bootstrap's labels at each start
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("ticked");
        QTest::newRow("457 ticks written before") << "before" << "none" << QStringList{} << QStringList{}
                                                  << QStringList{".com", ".org", ".co.uk", ".ac.zm"};
        QTest::newRow("Config.dat and a user's domain from before")
            << "before" << "before" << QStringList{} << QStringList{} << QStringList{".net", ".mine"};
        QTest::newRow("the bootstrap drops a TLD") << "now" << "none" << QStringList{"zzalpha", "zzbeta"}
                                                   << QStringList{"zzbeta"} << QStringList{".com", ".app", ".zzbeta"};
        QTest::newRow("the bootstrap adds a TLD before one") << "now" << "none" << QStringList{"zzbeta"}
                                                             << QStringList{"zzalpha", "zzbeta"}
                                                             << QStringList{".shop", ".xn--p1ai", ".zzbeta"};
        QTest::newRow("a saved tree gets the bootstrap's new TLD at its end")
            << "now" << "saved" << QStringList{"zzbeta"} << QStringList{"zzalpha", "zzbeta"}
            << QStringList{".dev", ".zzbeta"};
    }
    void ticksStayWithTheirTLDs()
    {
        QFETCH(QString, written);
        QFETCH(QString, config);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, ticked);
        QTemporaryDir dir;
        const QString settingsPath = dir.filePath(QStringLiteral("Settings.dat"));
        {
            Start start(dir.path(), first);
            TTLDInfoList& list = start.engine.TLDInfoList;
            if (config == "before" || written == "before") {
                // What a version without today's TLDs made: the table's rows, a domain of the
                // user's own with a server after them, and the ticks packed over that list.
                QList<TServerTree::TLD> tree = start.assignment->Tree().TLDs().mid(0, start.engine.TLDCount());
                if (config == "before") {
                    tree.append({".mine", {{"whois.mine.example", ServerState::WhoisDefault}}});
                    TServerTree saved;
                    saved.SetTLDs(tree);
                    QVERIFY(SaveTreeview(saved, dir.filePath(QStringLiteral("Config.dat"))));
                }
                QList<bool> flags;
                for (const TServerTree::TLD& tld : tree)
                    flags.append(ticked.contains(tld.text));
                QVERIFY(WriteFile(settingsPath, "[Checked]\r\nItem=" + PackCheckStates(flags).toLatin1() + "\r\n"));
            } else {
                for (int i = 0; i < list.Count(); ++i)
                    list.At(i).Checked = ticked.contains(list.At(i).TLD);
                QVERIFY(SaveCheckStates(settingsPath, list));
                if (config == "saved")
                    QVERIFY(start.assignment->SaveTreeview());
            }
        }

        Start again(dir.path(), second);
        const TTLDInfoList& list = again.engine.TLDInfoList;
        QCOMPARE(again.ticked(), ticked);
        // The table's rows first, unchanged; today's TLDs after them.
        QVERIFY(list.Count() >= 1500);
        TTLDInfoList table;
        BuildDefaultTLDInfoList(again.engine.builtinTables(), table, {});
        for (int i = 0; i < table.Count(); ++i)
            QCOMPARE(list.At(i).TLD + list.At(i).Server, table.At(i).TLD + table.At(i).Server);
        if (config == "before")
            QCOMPARE(list.IndexOf(".mine"), table.Count());   // the user's domain keeps its place
        if (config == "saved")
            QCOMPARE(list.At(list.Count() - 1).TLD, QStringLiteral(".zzalpha"));
        const TLDInfo* app = list.Find(".app");
        QVERIFY(app);
        QCOMPARE(app->Server + '/' + app->MatchText, QStringLiteral("whois.nic.app/Domain Not Found"));
        const int appNode = again.assignment->Tree().FindTLD(".app");
        QCOMPARE(again.assignment->Tree().TLDAt(appNode).servers.size(), 1);
        QCOMPARE(again.assignment->Tree().TLDAt(appNode).servers[0].stateIndex, ServerState::WhoisDefault);
    }

    // tarnwick-cli: the table, the routes, and names under .app checked over RDAP.
    void cliOffersAndChecksToday()
    {
        QTemporaryDir dir;
        TMisc1 engine;
        TTLDInfoList table;
        BuildDefaultTLDInfoList(engine.builtinTables(), table, {});

        QProcess cli;
        cli.start(kCli, {"--program-folder", dir.path(), "tlds"});
        QVERIFY(cli.waitForFinished(30'000));
        QStringList rows = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(rows.size() >= 1500);
        for (int i = 0; i < table.Count(); ++i)
            QCOMPARE(rows[i], table.At(i).TLD + '\t' + table.At(i).Server + '\t' + table.At(i).MatchText + '\t'
                                  + (i == 0 ? '1' : '0'));
        QVERIFY(rows.contains(".xyz\twhois.nic.xyz\tDomain Not Found\t0"));
        cli.start(kCli, {"--program-folder", dir.path(), "routes"});
        QVERIFY(cli.waitForFinished(30'000));
        rows = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        for (const QString tld : {".app", ".dev", ".xyz", ".shop", ".online", ".tech"}) {
            const qsizetype at = rows.indexOf(QRegularExpression('^' + QRegularExpression::escape(tld) + "\\trdap\\thttps://.*"));
            QVERIFY2(at >= table.Count(), qPrintable(tld));
        }

        LoopbackHttpServer rdap;
        QVERIFY(rdap.listen());
        rdap.setHandler([](const HttpRequestSeen& request) {
            const QByteArray name = request.path.mid(request.path.lastIndexOf('/') + 1);
            if (name.startsWith("free"))
                return ScriptedReply::Page("{\"errorCode\":404}", 404);
            return ScriptedReply::Page("{\"objectClassName\":\"domain\",\"ldhName\":\"" + name + "\"}");
        });
        const QString bootstrap = dir.filePath("dns.json");
        QVERIFY(WriteFile(bootstrap, R"({"services":[[["app"],[")" + rdap.origin() + R"(/rdap/"]]]})"));
        const QString names = dir.filePath("names.txt");
        QVERIFY(WriteFile(names, "freeone\r\ntakentwo\r\n"));
        cli.start(kCli, {"--program-folder", dir.path(), "--rdap-bootstrap", bootstrap, "--set", "Options/DictCheck=0",
                         "--set", "Options/CustomListCheck=1", "--set", "CustomList/UseList=" + names, "--set",
                         "Options/AutoSave=0", "--set", "Lookup/DNSPrecheck=0", "--set", "Lookup/SelfCheck=0", "--tlds", ".app", "auto"});
        QTRY_VERIFY_WITH_TIMEOUT(cli.state() == QProcess::NotRunning, 30'000);   // the server answers meanwhile
        rows = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.mid(0, 2), (QStringList{"FREEONE.app : FREE, Click on the Register Domain button now !",
                                              "TAKENTWO.app : Registered"}));
        QCOMPARE(rdap.requests.size(), 2);
        QCOMPARE(rdap.requests.first().target, QByteArray("/rdap/domain/freeone.app"));
        QCOMPARE(cli.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestFurtherTLDs)
#include "tst_furthertlds.moc"
