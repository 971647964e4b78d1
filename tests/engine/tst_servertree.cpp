#include "engine/lookup/ServerKind.h"
// The server-assignment tree: building it from the built-in tables and from Config.dat,
// turning it into TLDInfoList, and the editing behind the advanced dialog's pages.
// Situations are built through the tree's own operations, or from the first TLD,
// ".com", whose row holds six servers: five whois servers and one HTTP page last.
#include "engine/Misc1.h"
#include "settings/CheckStates.h"
#include "settings/ConfigFile.h"
#include "settings/IniFile.h"
#include "settings/ServerAssignment.h"
#include "../support/ScriptedMessageBoxes.h"
#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// One program folder with its engine, scripted message boxes and server assignment.
struct Program {
    QTemporaryDir dir;
    TMisc1 engine;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TServerAssignment> assignment;
    std::unique_ptr<QAbstractItemModelTester> tester;

    explicit Program(const QString& folder = QString())
    {
        engine.setProgramFolder(folder.isEmpty() ? dir.path() : folder);
        engine.setMessageBoxes(&boxes);
        assignment = std::make_unique<TServerAssignment>(engine);
        tester = std::make_unique<QAbstractItemModelTester>(&assignment->Tree(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    TServerTree& tree() { return assignment->Tree(); }
    QModelIndex tldIndex(int tld) { return tree().IndexOf({tld, -1}); }
    QModelIndex serverIndex(int tld, int server) { return tree().IndexOf({tld, server}); }
    QList<int> states(int tld)
    {
        QList<int> s;
        for (const auto& server : tree().TLDAt(tld).servers)
            s.append(server.stateIndex);
        return s;
    }
    QStringList names(int tld)
    {
        QStringList n;
        for (const auto& server : tree().TLDAt(tld).servers)
            n.append(server.text);
        return n;
    }
    // A domain of the user's own, added as the "Domains" page does: the tree's last TLD.
    int addDomain(const QString& typed)
    {
        return assignment->AddUserDomain(typed) ? tree().TLDCount() - 1 : -1;
    }
    void writeSettings(const QByteArray& bytes)
    {
        QFile f(engine.settingsFile("Settings.dat"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

const QString kUnassign = QStringLiteral("Are you sure you wish to unassign this server to this domain ?");

} // namespace

class TestServerTree : public QObject {
    Q_OBJECT
private slots:
    void initialiseTreeFollowsTheTables()
    {
        Program p;
        p.assignment->InitialiseTree();
        TServerTree& tree = p.tree();
        QCOMPARE(tree.TLDTexts(), p.assignment->DomainList());
        QCOMPARE(p.assignment->TLDBoxItems(), p.assignment->DomainList());
        QCOMPARE(tree.TLDAt(0).text, QString(".com"));
        QCOMPARE(p.states(0), (QList<int>{2, 1, 1, 1, 1, 3}));

        // Each TLD of the table: its servers in row order, the first the default, kinds by name.
        for (int t = 0; t < p.engine.TLDCount(); ++t) {
            const QStringList items = p.engine.GetTLDServerIndexes(t);
            QStringList expected;
            for (const QString& item : items) {
                bool ok = false;
                const int i = item.toInt(&ok);
                if (ok)
                    expected << p.engine.GetServerName(i);
            }
            QCOMPARE(p.names(t), expected);
            for (int s = 0; s < p.names(t).size(); ++s)
                QCOMPARE(tree.TLDAt(t).servers[s].stateIndex, ServerStateFor(p.names(t)[s], s == 0));
        }

        // One entry per TLD, the first ticked (no Settings.dat reads as "Q").
        const TTLDInfoList& list = p.engine.TLDInfoList;
        QCOMPARE(list.Count(), tree.TLDCount());
        const int first = p.engine.GetTLDServerIndexes(0).first().toInt();
        QCOMPARE(list.At(0).TLD, QString(".com"));
        QCOMPARE(list.At(0).Server, p.engine.GetServerName(first));
        QCOMPARE(list.At(0).MatchText, p.engine.GetServerMatchText(first));
        QCOMPARE(list.At(0).Checked, true);
        for (int i = 1; i < list.Count(); ++i)
            QCOMPARE(list.At(i).Checked, false);
    }

    void initialiseTreeReadsTheTicksAndAddsTheUsersDomains()
    {
        Program p;
        p.engine.NewDomainList = QStringList{".mine", ".com"};
        p.assignment->InitialiseTree();
        const TTLDInfoList& list = p.engine.TLDInfoList;
        QList<bool> ticks(list.Count(), false);
        ticks[5] = ticks.last() = true;
        p.writeSettings("[Checked]\r\nItem=" + PackCheckStates(ticks).toLatin1() + "\r\n");
        p.assignment->InitialiseTree();
        QCOMPARE(CheckStatesOf(list), ticks);
        // ".mine" is a TLD node after the table's rows without servers; ".com" is there already.
        const int mine = p.engine.TLDCount();
        QCOMPARE(p.tree().TLDAt(mine).text, QString(".mine"));
        QVERIFY(p.tree().TLDAt(mine).servers.isEmpty());
        QCOMPARE(p.assignment->TLDBoxItems().at(mine), QString(".mine"));
        QCOMPARE(list.IndexOf(".mine"), -1);
        QCOMPARE(p.tree().TLDCount(), p.assignment->DomainList().size() + 1);
    }

    void includeMakesTheFirstServerTheDefault_data()
    {
        QTest::addColumn<QStringList>("included");
        QTest::addColumn<QList<int>>("states");
        QTest::newRow("whois first") << QStringList{"whois.a.example", "http://b.example/<name>"} << QList<int>{2, 3};
        QTest::newRow("HTTP first") << QStringList{"http://b.example/<name>", "whois.a.example"} << QList<int>{4, 1};
        QTest::newRow("https is HTTP") << QStringList{"https://c.example/<name>", "https://d.example"} << QList<int>{4, 3};
        QTest::newRow("capital HTTP is whois") << QStringList{"HTTP://E.EXAMPLE", "whois.a.example"} << QList<int>{2, 1};
        QTest::newRow("cache marker is whois") << QStringList{"Cache Domains Taken List", "http://x"} << QList<int>{2, 3};
    }
    void includeMakesTheFirstServerTheDefault()
    {
        QFETCH(QStringList, included);
        QFETCH(QList<int>, states);
        Program p;
        p.assignment->InitialiseTree();
        const int tld = p.addDomain("empty");
        QVERIFY(tld >= 0);
        QSignalSpy inserted(&p.tree(), &QAbstractItemModel::rowsInserted);
        // The first goes in with the TLD node selected, the next with a server node selected.
        QModelIndex node = p.assignment->IncludeServer(p.tldIndex(tld), included[0]);
        QVERIFY(node.isValid());
        QCOMPARE(node.data().toString(), included[0]);
        QVERIFY(p.assignment->IncludeServer(node, included[1]).isValid());
        QCOMPARE(p.states(tld), states);
        QCOMPARE(p.names(tld), included);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(node.data(TServerTree::StateIndexRole).toInt(), states[0]);
    }

    void includeIsRefusedWithoutSelectionOrServer()
    {
        Program p;
        p.assignment->InitialiseTree();
        const QStringList before = p.names(0);
        QVERIFY(!p.assignment->IncludeServer(QModelIndex(), "whois.x.example").isValid());
        QVERIFY(!p.assignment->IncludeServer(p.tldIndex(0), QString()).isValid());
        QCOMPARE(p.names(0), before);
        QVERIFY(p.boxes.shown.isEmpty());
    }

    void unincludingTheDefaultOfThree()
    {
        Program p;
        p.assignment->InitialiseTree();
        const int tld = p.addDomain(".three");
        const QModelIndex first = p.assignment->IncludeServer(p.tldIndex(tld), "whois.one.example");
        p.assignment->IncludeServer(first, "http://two.example/<name>");
        p.assignment->IncludeServer(first, "whois.three.example");
        QCOMPARE(p.states(tld), (QList<int>{2, 3, 1}));

        p.boxes.answer(MbNo);
        QVERIFY(!p.assignment->UnincludeServer(p.serverIndex(tld, 0)));
        QCOMPARE(p.states(tld), (QList<int>{2, 3, 1}));

        p.boxes.answer(MbYes);
        QVERIFY(p.assignment->UnincludeServer(p.serverIndex(tld, 0)));
        QCOMPARE(p.names(tld), (QStringList{"http://two.example/<name>", "whois.three.example"}));
        QCOMPARE(p.states(tld), (QList<int>{4, 1}));
        QCOMPARE(p.boxes.texts(), (QStringList{kUnassign, kUnassign}));
        QCOMPARE(p.boxes.shown.last().kind, MessageKind::Question);
        QCOMPARE(p.boxes.shown.last().buttons, MbYes | MbNo);

        // An alternative goes without touching the default; a TLD node is no server.
        p.boxes.answer(MbYes);
        QVERIFY(p.assignment->UnincludeServer(p.serverIndex(tld, 1)));
        QCOMPARE(p.states(tld), (QList<int>{4}));
        QVERIFY(!p.assignment->UnincludeServer(p.tldIndex(tld)));
        QCOMPARE(p.boxes.shown.size(), 3);
    }

    // The committed list is the one the next start builds, so the ticks kept by position
    // stay with their TLDs.
    void unincludingEveryServerDropsTheTLDAtOnce()
    {
        Program p;
        p.assignment->InitialiseTree();
        const int count = p.engine.TLDInfoList.Count();
        while (!p.tree().TLDAt(0).servers.isEmpty()) {
            p.boxes.answer(MbYes);
            QVERIFY(p.assignment->UnincludeServer(p.serverIndex(0, 0)));
        }
        p.assignment->CommitToTLDInfoList();
        QCOMPARE(p.engine.TLDInfoList.Count(), count - 1);
        QCOMPARE(p.engine.TLDInfoList.IndexOf(".com"), -1);
        QVERIFY(p.assignment->SaveTreeview());

        Program second(p.dir.path());
        second.assignment->BuildAtStartup();
        QCOMPARE(second.engine.TLDInfoList.Count(), count - 1);
        QCOMPARE(second.engine.TLDInfoList.IndexOf(".com"), -1);
        QCOMPARE(second.assignment->TLDBoxItems().first(), QString(".com"));
    }

    void settingTheDefaultAcrossKinds()
    {
        Program p;
        p.assignment->InitialiseTree();
        const int http = 5;   // the HTTP alternative of ".com"
        QSignalSpy changed(&p.tree(), &QAbstractItemModel::dataChanged);
        p.assignment->SetDefaultServer(p.serverIndex(0, http));
        QCOMPARE(p.states(0), (QList<int>{1, 1, 1, 1, 1, 4}));
        QCOMPARE(changed.count(), 2);

        p.assignment->SetDefaultServer(p.serverIndex(0, http));   // already the default
        p.assignment->SetDefaultServer(p.tldIndex(0));            // a TLD node
        QCOMPARE(p.states(0), (QList<int>{1, 1, 1, 1, 1, 4}));
        QCOMPARE(changed.count(), 2);

        p.assignment->SetDefaultServer(p.serverIndex(0, 2));
        QCOMPARE(p.states(0), (QList<int>{1, 1, 2, 1, 1, 3}));

        const QString chosen = p.names(0)[2];
        p.assignment->CommitToTLDInfoList();
        QCOMPARE(p.engine.TLDInfoList.At(0).Server, chosen);
        QCOMPARE(p.engine.TLDInfoList.At(0).MatchText, p.engine.FindMatchTextForServer(chosen));
    }

    void addingServersCleansTheirNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("http");
        QTest::addColumn<QString>("stored");
        QTest::newRow("whois with capitals and spaces") << " Whois.My Server.COM " << false << "whois.myserver.com";
        QTest::newRow("whois gets no prefix") << "Nic.Example" << false << "nic.example";
        QTest::newRow("http without scheme") << "Look.Example/Q?D=<name>" << true << "http://look.example/q?d=<name>";
        QTest::newRow("https kept") << "HTTPS://Secure.Example/<name>" << true << "https://secure.example/<name>";
        QTest::newRow("http kept") << "http://plain.example" << true << "http://plain.example";
        QTest::newRow("only A to Z lowered") << QString::fromUtf8("ÉCOLE.example\t") << false << QString::fromUtf8("École.example");
    }
    void addingServersCleansTheirNames()
    {
        QFETCH(QString, typed);
        QFETCH(bool, http);
        QFETCH(QString, stored);
        Program p;
        p.assignment->GetAllServersSorted();
        QVERIFY(p.assignment->AddUserServer(typed, http, "Nothing Here"));
        QCOMPARE(p.engine.NewServerList, QStringList{stored});
        QCOMPARE(p.engine.NewMatchList, QStringList{"Nothing Here"});
        QVERIFY(p.assignment->SortedServerList().contains(stored));
        QCOMPARE(p.boxes.texts(), QStringList{"This new server has been added.\r\rYou may now assign it for searching a domain."});
        QCOMPARE(p.boxes.shown.first().kind, MessageKind::Information);
        QCOMPARE(p.engine.FindMatchTextForServer(stored), QString("Nothing Here"));
    }

    void addingServersIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("matchText");
        QTest::addColumn<QString>("message");
        const QString invalid = "Invalid Server Name\r\rPlease enter a valid server name";
        const QString exists = "Server Name already exists\r\rThe server has already been added";
        QTest::newRow("empty") << "" << "x" << invalid;
        QTest::newRow("blanks only") << "   " << "x" << invalid;
        QTest::newRow("user server again") << "WHOIS.Mine.Example" << "x" << exists;
        QTest::newRow("no match text") << "whois.other.example" << ""
                                       << "Search Text not specified\r\rPlease enter the text the server returns that specifies a free domain";
    }
    void addingServersIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, matchText);
        QFETCH(QString, message);
        Program p;
        p.engine.NewServerList = QStringList{"whois.mine.example"};
        p.engine.NewMatchList = QStringList{"No Match"};
        QVERIFY(!p.assignment->AddUserServer(typed, false, matchText));
        QCOMPARE(p.boxes.texts(), QStringList{message});
        QCOMPARE(p.boxes.shown.first().kind, MessageKind::Error);
        QCOMPARE(p.engine.NewServerList, QStringList{"whois.mine.example"});
    }

    void builtInServersCannotBeAddedAgain()
    {
        Program p;
        const QString builtIn = p.assignment->ServerList().first();
        QVERIFY(!p.assignment->AddUserServer(builtIn.toUpper(), IsHttpServer(builtIn), "x"));
        QCOMPARE(p.boxes.texts(), QStringList{"Server Name already exists\r\rThe server has already been added"});
        QVERIFY(!p.assignment->ServerList().contains("Cache Domains Taken List"));
        QVERIFY(!p.assignment->ServerList().contains(QString()));
    }

    void deletingAUserServerAssignedToSeveralTLDs()
    {
        Program p;
        p.assignment->InitialiseTree();
        p.assignment->GetAllServersSorted();
        QVERIFY(p.assignment->AddUserServer("Whois.Mine.Example", false, "free here"));
        QVERIFY(p.assignment->AddUserServer("whois.keep.example", false, "kept"));
        const QString mine = "whois.mine.example";
        const int only = p.addDomain(".only");     // mine is its one server
        const int pair = p.addDomain(".pair");     // mine is the default of two
        p.assignment->IncludeServer(p.tldIndex(only), mine);
        p.assignment->IncludeServer(p.tldIndex(pair), mine);
        p.assignment->IncludeServer(p.tldIndex(pair), "http://other.example/<name>");
        p.assignment->IncludeServer(p.tldIndex(0), mine);  // an alternative of ".com"
        const QList<int> comStates = p.states(0);

        p.boxes.answer(MbNo);
        QVERIFY(!p.assignment->DeleteUserServer(0));
        QCOMPARE(p.engine.NewServerList.size(), 2);

        p.boxes.answer(MbYes);
        QVERIFY(!p.assignment->DeleteUserServer(-1));
        QCOMPARE(p.boxes.texts().last(), QString("No Server selected\r\rPlease select the server you wish to delete"));

        p.boxes.answer(MbYes);
        QVERIFY(p.assignment->DeleteUserServer(0));
        QCOMPARE(p.engine.NewServerList, QStringList{"whois.keep.example"});
        QCOMPARE(p.engine.NewMatchList, QStringList{"kept"});
        QVERIFY(!p.assignment->SortedServerList().contains(mine));
        QVERIFY(p.names(only).isEmpty());
        QCOMPARE(p.names(pair), QStringList{"http://other.example/<name>"});
        QCOMPARE(p.states(pair), QList<int>{4});
        QVERIFY(!p.names(0).contains(mine));
        QCOMPARE(comStates.size(), 7);
        QCOMPARE(p.states(0), comStates.mid(0, 6));
        QCOMPARE(p.boxes.texts().first(), QString("This new server has been added.\r\rYou may now assign it for searching a domain."));
        QCOMPARE(p.boxes.texts()[2], QString("Are you sure you want to delete this server ?"));
    }

    void addingAndDeletingDomains()
    {
        Program p;
        p.assignment->InitialiseTree();
        const int tlds = p.tree().TLDCount();
        QVERIFY(p.assignment->AddUserDomain("My Dom"));
        QCOMPARE(p.engine.NewDomainList, QStringList{".mydom"});
        QCOMPARE(p.tree().TLDCount(), tlds + 1);
        QCOMPARE(p.tree().TLDAt(tlds).text, QString(".mydom"));

        const QString exists = "Domain Name already exists\r\rThe Domain name has already been added";
        QVERIFY(!p.assignment->AddUserDomain("COM"));       // a built-in TLD typed without its dot
        QVERIFY(!p.assignment->AddUserDomain(".MyDom"));
        QVERIFY(!p.assignment->AddUserDomain("  "));
        QCOMPARE(p.boxes.texts(), (QStringList{exists, exists, "Invalid Domain Name\r\rPlease enter a valid domain name"}));
        QCOMPARE(p.tree().TLDCount(), tlds + 1);

        p.assignment->IncludeServer(p.tldIndex(tlds), "whois.x.example");
        p.boxes.shown.clear();
        p.boxes.answer(MbNo);
        QVERIFY(!p.assignment->DeleteUserDomain(0));
        p.boxes.answer(MbYes);
        QVERIFY(!p.assignment->DeleteUserDomain(1));
        p.boxes.answer(MbYes);
        QVERIFY(p.assignment->DeleteUserDomain(0));
        QCOMPARE(p.boxes.texts(), (QStringList{"Are you sure you want to delete this domain ?",
                                               "Are you sure you want to delete this domain ?",
                                               "No Domain selected\r\rPlease select the domain name you wish to delete",
                                               "Are you sure you want to delete this domain ?"}));
        QVERIFY(p.engine.NewDomainList.isEmpty());
        QCOMPARE(p.tree().TLDCount(), tlds);
        QCOMPARE(p.tree().FindTLD(".mydom"), -1);
    }

    void aUsersDomainJoinsTLDInfoListWhenItGainsADefault()
    {
        Program p;
        p.assignment->InitialiseTree();
        const int count = p.engine.TLDInfoList.Count();
        const int tld = p.addDomain("mine");
        p.assignment->CommitToTLDInfoList();
        QCOMPARE(p.engine.TLDInfoList.Count(), count);   // no default yet

        QVERIFY(p.assignment->AddUserServer("whois.mine.example", false, "Free!"));
        p.assignment->IncludeServer(p.tldIndex(tld), "whois.mine.example");
        p.assignment->CommitToTLDInfoList();
        p.assignment->CommitToTLDInfoList();
        QCOMPARE(p.engine.TLDInfoList.Count(), count + 1);
        const TLDInfo& added = p.engine.TLDInfoList.At(count);
        QCOMPARE(added.TLD, QString(".mine"));
        QCOMPARE(added.Server, QString("whois.mine.example"));
        QCOMPARE(added.MatchText, QString("Free!"));
        QCOMPARE(added.Checked, false);

        // The next start finds it at the same place.
        QVERIFY(p.assignment->SaveTreeview());
        Program second(p.dir.path());
        second.engine.NewServerList = p.engine.NewServerList;
        second.engine.NewMatchList = p.engine.NewMatchList;
        second.assignment->BuildAtStartup();
        QCOMPARE(second.engine.TLDInfoList.IndexOf(".mine"), count);
        QCOMPARE(second.engine.TLDInfoList.At(count).MatchText, QString("Free!"));
    }

    void commitKeepsRepeatedTLDsApart()
    {
        Program p;
        p.tree().SetTLDs({{".dup", {{"whois.a.example", 2}, {"whois.b.example", 1}}},
                          {".dup", {{"whois.c.example", 2}, {"whois.d.example", 1}}}});
        QVERIFY(p.assignment->SaveTreeview());
        QVERIFY(p.assignment->BuildFromConfigFile());
        QCOMPARE(p.engine.TLDInfoList.IndexOf(".dup"), 0);
        QCOMPARE(p.engine.TLDInfoList.At(1).TLD, QString(".dup"));
        p.assignment->SetDefaultServer(p.serverIndex(0, 1));
        p.assignment->CommitToTLDInfoList();
        QCOMPARE(p.engine.TLDInfoList.At(0).Server, QString("whois.b.example"));
        QCOMPARE(p.engine.TLDInfoList.At(1).Server, QString("whois.c.example"));
    }

    void aSecondStartGivesTheSameTLDInfoList()
    {
        Program first;
        first.writeSettings("[Checked]\r\nItem=QD!\r\n");
        first.assignment->InitialiseTree();
        QVERIFY(first.assignment->SaveTreeview());
        QVERIFY(QFile::exists(first.engine.settingsFile("Config.dat")));

        Program second(first.dir.path());
        second.assignment->BuildAtStartup();
        const TTLDInfoList& a = first.engine.TLDInfoList;
        const TTLDInfoList& b = second.engine.TLDInfoList;
        QCOMPARE(b.Count(), a.Count());
        QCOMPARE(second.assignment->TLDBoxItems(), first.assignment->TLDBoxItems());
        for (int i = 0; i < a.Count(); ++i) {
            QCOMPARE(b.At(i).TLD, a.At(i).TLD);
            QCOMPARE(b.At(i).Server, a.At(i).Server);
            QCOMPARE(b.At(i).Checked, a.At(i).Checked);
            // A server that more than one line of the table can stand for may settle on another phrase.
            int lines = 0;
            for (int s = 0; s < first.engine.ServerCount(); ++s)
                if (first.engine.GetServerName(s).startsWith(a.At(i).Server, Qt::CaseInsensitive))
                    ++lines;
            if (lines == 1)
                QCOMPARE(b.At(i).MatchText, a.At(i).MatchText);
        }
        QCOMPARE(second.tree().Nodes(), first.tree().Nodes());
    }

    void theLastTicksSurviveTheNextStart_data()
    {
        QTest::addColumn<bool>("fromConfigFile");
        QTest::newRow("built from the tables") << false;
        QTest::newRow("built from Config.dat") << true;
    }
    void theLastTicksSurviveTheNextStart()
    {
        QFETCH(bool, fromConfigFile);
        Program first;
        first.engine.NewDomainList = QStringList{".mine", ".yours"};
        first.assignment->InitialiseTree();
        TTLDInfoList& list = first.engine.TLDInfoList;
        for (int i = 0; i < list.Count(); ++i)
            list.At(i).Checked = i == 1 || i >= list.Count() - 4;
        QVERIFY(SaveCheckStates(first.engine.settingsFile("Settings.dat"), list));
        if (fromConfigFile)
            QVERIFY(first.assignment->SaveTreeview());

        Program second(first.dir.path());
        second.engine.NewDomainList = first.engine.NewDomainList;
        second.assignment->BuildAtStartup();
        QCOMPARE(CheckStatesOf(second.engine.TLDInfoList), CheckStatesOf(list));
    }

    void aCorruptConfigFileLoadsWhatIsSound_data()
    {
        QTest::addColumn<int>("cut");   // bytes kept of the packed file; -1 for garbage
        QTest::newRow("garbage") << -1;
        QTest::newRow("empty") << 0;
        QTest::newRow("header only") << 2;
        QTest::newRow("half") << 50;
    }
    void aCorruptConfigFileLoadsWhatIsSound()
    {
        QFETCH(int, cut);
        Program first;
        first.assignment->InitialiseTree();
        const QByteArray packed = PackConfig(SerialiseTreeNodes(first.tree().Nodes()));
        QFile f(first.engine.settingsFile("Config.dat"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(cut < 0 ? QByteArray("this is not a tree at all\r\n.com\r\n\twhois.example\r\n")
                        : packed.left(packed.size() * cut / 100));
        f.close();

        Program second(first.dir.path());
        second.assignment->BuildAtStartup();
        const TServerTree& tree = second.tree();
        QVERIFY(tree.TLDCount() < first.tree().TLDCount());
        QCOMPARE(second.engine.TLDInfoList.Count(), [&] {
            int withDefault = 0;
            for (int t = 0; t < tree.TLDCount(); ++t)
                withDefault += tree.DefaultServer(t) >= 0 ? 1 : 0;
            return withDefault;
        }());
        // What was read is a true beginning of the tree.
        const TreeNodeList read = tree.Nodes();
        QCOMPARE(read, first.tree().Nodes().mid(0, read.size()));
        QVERIFY(second.boxes.shown.isEmpty());
    }

    void serverComboListsWhatTheTLDLacks()
    {
        Program p;
        p.assignment->InitialiseTree();
        p.assignment->GetAllServersSorted();
        QVERIFY(!p.assignment->UpdateServerCombo(QModelIndex()).has_value());

        const QStringList all = p.assignment->SortedServerList();
        QCOMPARE(all.size(), p.assignment->ServerList().size());
        for (int i = 1; i < all.size(); ++i)
            QVERIFY(all[i - 1].compare(all[i], Qt::CaseInsensitive) <= 0);

        const auto forTLD = p.assignment->UpdateServerCombo(p.tldIndex(0));
        const auto forServer = p.assignment->UpdateServerCombo(p.serverIndex(0, 3));
        QVERIFY(forTLD && forServer);
        QCOMPARE(*forServer, *forTLD);
        QCOMPARE(forTLD->size(), all.size() - 6);
        QStringList expected = all;
        for (const QString& name : p.names(0))
            expected.removeAt(expected.indexOf(name));
        QCOMPARE(*forTLD, expected);

        QVERIFY(p.assignment->AddUserServer("aaa.first.example", false, "x"));
        QCOMPARE(p.assignment->UpdateServerCombo(p.tldIndex(0))->first(), QString("aaa.first.example"));
        p.assignment->IncludeServer(p.tldIndex(0), "aaa.first.example");
        QVERIFY(!p.assignment->UpdateServerCombo(p.tldIndex(0))->contains("aaa.first.example"));
    }

    void aServerListedTwiceStaysOfferedOnce()
    {
        Program p;
        p.assignment->GetAllServersSorted();
        const QStringList& servers = p.assignment->ServerList();
        QString twice;
        for (const QString& s : servers)
            if (servers.count(s) == 2)
                twice = s;
        if (twice.isEmpty())
            QSKIP("no server is listed twice in the table");
        const int tld = p.addDomain(".twice");
        p.assignment->IncludeServer(p.tldIndex(tld), twice);
        QCOMPARE(p.assignment->UpdateServerCombo(p.tldIndex(tld))->count(twice), 1);
    }

    void modelShowsStatesAndPictures()
    {
        Program p;
        p.assignment->InitialiseTree();
        TServerTree& tree = p.tree();
        QCOMPARE(tree.rowCount(), tree.TLDCount());
        QCOMPARE(tree.rowCount(p.tldIndex(0)), 6);
        QCOMPARE(p.tldIndex(0).data().toString(), QString(".com"));
        QCOMPARE(p.tldIndex(0).data(TServerTree::StateIndexRole).toInt(), -1);
        QCOMPARE(p.serverIndex(0, 5).parent(), p.tldIndex(0));
        QCOMPARE(tree.RefOf(p.serverIndex(0, 5)).server, 5);
        QVERIFY(!p.serverIndex(0, 5).data(Qt::DecorationRole).isValid());
        QVERIFY(tree.flags(p.serverIndex(0, 1)) & Qt::ItemIsSelectable);
        QVERIFY(!(tree.flags(p.serverIndex(0, 1)) & Qt::ItemIsEditable));

        QSignalSpy changed(&tree, &QAbstractItemModel::dataChanged);
        tree.setStatePictures({QVariant(), "whois alternative", "whois default", "http alternative", "http default"});
        QVERIFY(changed.count() > 0);
        QCOMPARE(p.serverIndex(0, 0).data(Qt::DecorationRole).toString(), QString("whois default"));
        QCOMPARE(p.serverIndex(0, 5).data(Qt::DecorationRole).toString(), QString("http alternative"));
        QVERIFY(!p.tldIndex(0).data(Qt::DecorationRole).isValid());

        // An index from before the tree was rebuilt no longer stands for a node.
        const QModelIndex stale = p.serverIndex(0, 5);
        tree.Clear();
        QVERIFY(!tree.RefOf(stale).isValid());
        QVERIFY(!p.assignment->IncludeServer(stale, "whois.x").isValid());

        // Rows out of range change nothing.
        tree.SetTLDs({{".x", {{"whois.a", 2}}}});
        const TreeNodeList before = tree.Nodes();
        QCOMPARE(tree.AppendServer(1, "whois.b", 1), -1);
        QCOMPARE(tree.IncludeServer(-1, "whois.b"), -1);
        tree.MakeDefault(0, 1);
        tree.UnincludeServer(0, -1);
        tree.SetServerState(3, 0, 4);
        tree.RemoveServer(0, 5);
        tree.RemoveTLD(2);
        QCOMPARE(tree.DefaultServer(9), -1);
        QCOMPARE(tree.Nodes(), before);
    }
};

QTEST_GUILESS_MAIN(TestServerTree)
#include "tst_servertree.moc"
