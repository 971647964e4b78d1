// The table operations on small tables of our own, where each case can be made exactly.
#include "engine/Misc1.h"
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/ServerKind.h"
#include <QtTest>

namespace {

const QStringList Phrases = {
    "\"Not found!\"", "\"not found\"", "  \"padded\"  ", "unquoted", "\"\"", "\"NO MATCH\"", "\"phrase seven\"",
};

BuiltinTables TablesWith(const QStringList& servers, const QStringList& tlds = {})
{
    return BuiltinTables(servers, tlds, Phrases);
}

} // namespace

class TestTableOperations : public QObject {
    Q_OBJECT
private slots:
    void serverNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::newRow("whois short, number") << "@nic.example,7" << "whois.nic.example";
        QTest::newRow("http short, number") << "#www.example.org/check?d=<name>,5" << "http://www.example.org/check?d=<name>";
        QTest::newRow("https in full") << "https://secure.example/w?q=<name>,3" << "https://secure.example/w?q=<name>";
        QTest::newRow("no comma") << "@nic.example" << "whois.nic.example";
        QTest::newRow("comma, no number") << "@nic.example," << "whois.nic.example";
        QTest::newRow("host in full") << "whois2.example.net" << "whois2.example.net";
        QTest::newRow("pseudo-server") << "Cache Domains Taken List" << "Cache Domains Taken List";
        QTest::newRow("@ inside is kept") << "rs@example.net,1" << "rs@example.net";
        QTest::newRow("empty") << "" << "";
    }
    void serverNames()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QCOMPARE(TablesWith({line}).GetServerName(0), name);
    }

    void matchTexts_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("match");
        QTest::newRow("number") << "@nic.example,7" << "phrase seven";
        QTest::newRow("blanks after the number") << "@nic.example,1   " << "Not found!";
        QTest::newRow("blanks around the number") << "@nic.example, 2 " << "not found";
        QTest::newRow("comma, no number") << "@nic.example," << "No Match";
        QTest::newRow("comma, blanks") << "@nic.example,   " << "No Match";
        QTest::newRow("no comma") << "@nic.example" << "No Match";
        QTest::newRow("not a number") << "@nic.example,seven" << "No Match";
        QTest::newRow("quotes trimmed with blanks") << "@nic.example,3" << "padded";
        QTest::newRow("phrase without quotes") << "@nic.example,4" << "unquoted";
        QTest::newRow("empty phrase") << "@nic.example,5" << "";
        // A number naming no phrase is quietly the default phrase.
        QTest::newRow("zero") << "@nic.example,0" << "No Match";
        QTest::newRow("past the end") << "@nic.example,8" << "No Match";
        QTest::newRow("negative") << "@nic.example,-1" << "No Match";
        QTest::newRow("empty line") << "" << "";
    }
    void matchTexts()
    {
        QFETCH(QString, line);
        QFETCH(QString, match);
        QCOMPARE(TablesWith({line}).GetServerMatchText(0), match);
    }

    void indexesOutOfRangeGiveEmptyTexts()
    {
        const BuiltinTables tables = TablesWith({"@nic.example,1"}, {"com=0"});
        for (int index : {-1, 1, 1000}) {
            QCOMPARE(tables.GetServerName(index), QString());
            QCOMPARE(tables.GetServerMatchText(index), QString());
            QCOMPARE(tables.GetTLDName(index), QString());
            QCOMPARE(tables.GetTLDServerIndexes(index), QStringList());
        }
    }

    void tldLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("indexes");
        QTest::newRow("two letters") << "ca=1,2,3" << "ca" << QStringList{"1", "2", "3"};
        QTest::newRow("several labels") << "school.za=12" << "school.za" << QStringList{"12"};
        QTest::newRow("blanks around items") << "co.uk= 5 , 6" << "co.uk" << QStringList{"5", "6"};
        QTest::newRow("not a number kept") << "tv=x,4" << "tv" << QStringList{"x", "4"};
        QTest::newRow("nothing after =") << "an=" << "an" << QStringList{};
        QTest::newRow("second = belongs to the items") << "a=1=2" << "a" << QStringList{"1=2"};
        QTest::newRow("no =") << "broken" << "broken" << QStringList{};
    }
    void tldLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, key);
        QFETCH(QStringList, indexes);
        const BuiltinTables tables = TablesWith({}, {line});
        QCOMPARE(tables.GetTLDName(0), key);
        QCOMPARE(tables.GetTLDServerIndexes(0), indexes);
    }

    void findMatch_data()
    {
        QTest::addColumn<QStringList>("servers");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("match");
        const QStringList table = {"@nic.example,1", "#www.Example.org/Check?d=<name>,2", "https://secure.example/w?q=<name>,7",
                                   "@nic.fi,6", "@nic.ficora.fi", "@plain.example   ", "whois2.example.net,2"};
        QTest::newRow("whois short") << table << "whois.nic.example" << "Not found!";
        QTest::newRow("name in capitals") << table << "WHOIS.NIC.EXAMPLE" << "Not found!";
        QTest::newRow("template with capitals") << table << "http://www.example.org/check?d=<name>" << "not found";
        QTest::newRow("https in full") << table << "https://secure.example/w?q=<name>" << "phrase seven";
        QTest::newRow("host in full") << table << "whois2.example.net" << "not found";
        QTest::newRow("blanks after the line") << table << "whois.plain.example" << "No Match";
        // A name that begins another is not that other: "whois.nic.fi" keeps its own phrase.
        QTest::newRow("longer name later") << table << "whois.nic.fi" << "NO MATCH";
        QTest::newRow("name that is only a beginning") << table << "whois.nic" << "No Match";
        QTest::newRow("unknown") << table << "whois.unknown.example" << "No Match";
        QTest::newRow("empty") << table << "" << "No Match";
        QTest::newRow("later line wins") << QStringList{"#www.example.org/w?<name>,1", "@other", "#www.example.org/w?<name>,2"}
                                         << "http://www.example.org/w?<name>" << "not found";
        QTest::newRow("later line without number wins") << QStringList{"@nic.example,1", "@nic.example"}
                                                        << "whois.nic.example" << "No Match";
    }
    void findMatch()
    {
        QFETCH(QStringList, servers);
        QFETCH(QString, name);
        QFETCH(QString, match);
        QCOMPARE(TablesWith(servers).FindMatchTextForServer(name, {}, {}), match);
    }

    void userServersComeFirst()
    {
        const BuiltinTables tables = TablesWith({"@nic.example,1"});
        const QStringList users = {"whois.other.example", "whois.nic.example"};
        const QStringList matches = {"other phrase", "user phrase"};
        QCOMPARE(tables.FindMatchTextForServer("whois.nic.example", users, matches), QStringLiteral("user phrase"));
        QCOMPARE(tables.FindMatchTextForServer("Whois.Nic.Example", users, matches), QStringLiteral("user phrase"));
        QCOMPARE(tables.FindMatchTextForServer("whois.other.example", users, matches), QStringLiteral("other phrase"));
        // A user server whose phrase list lags behind gets the default phrase, not a crash.
        QCOMPARE(tables.FindMatchTextForServer("whois.nic.example", users, {"other phrase"}), QStringLiteral("No Match"));
    }

    void engineConsultsTheUsersServers()
    {
        TMisc1 engine;
        const QString verisign = QStringLiteral("whois.verisign-grs.com");
        QCOMPARE(engine.FindMatchTextForServer(verisign), QStringLiteral("No Match"));
        engine.NewServerList = QStringList{verisign};
        engine.NewMatchList = QStringList{QStringLiteral("No match for")};
        QCOMPARE(engine.FindMatchTextForServer(verisign), QStringLiteral("No match for"));
        QCOMPARE(engine.FindMatchTextForServer(QStringLiteral("whois.networksolutions.com")), QStringLiteral("Not found!"));
        QCOMPARE(engine.GetTLDName(0), QStringLiteral("com"));
        QCOMPARE(engine.GetServerName(engine.GetTLDServerIndexes(0).first().toInt()), verisign);
        QCOMPARE(engine.GetServerMatchText(0), QStringLiteral("Not found!"));
    }

    void serverKinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("http");
        QTest::newRow("http") << "http://www.example.org/?d=<name>" << true;
        QTest::newRow("https") << "https://www.example.org/?d=<name>" << true;
        QTest::newRow("only the four letters") << "http" << true;
        QTest::newRow("capitals are whois") << "HTTP://www.example.org/?d=<name>" << false;
        QTest::newRow("mixed case is whois") << "Http://www.example.org/" << false;
        QTest::newRow("whois host") << "whois.nic.example" << false;
        QTest::newRow("host beginning htt") << "htt.example" << false;
        QTest::newRow("leading blank") << " http://www.example.org/" << false;
        QTest::newRow("pseudo-server") << "Cache Domains Taken List" << false;
        QTest::newRow("empty") << "" << false;
    }
    void serverKinds()
    {
        QFETCH(QString, name);
        QFETCH(bool, http);
        QCOMPARE(IsHttpServer(name), http);
    }
};

QTEST_GUILESS_MAIN(TestTableOperations)
#include "tst_tableoperations.moc"
