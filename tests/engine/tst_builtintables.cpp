// Checks the tables compiled into the program against the layout the rest of the
// program relies on: counts, kinds, indexes, duplicates and the rows that tell.
// A data edit that breaks one of these fails here.
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/ServerKind.h"
#include <QMap>
#include <QSet>
#include <QtTest>
#include <algorithm>
#include <optional>

namespace {

const BuiltinTables& Tables()
{
    static const BuiltinTables tables;
    return tables;
}

// Kind of a TLD row's server, and its phrase number (0: none).
enum class Kind { Whois, HTTP, Cache };
struct Server {
    Kind kind;
    int phrase;
};

Kind KindOf(int index)
{
    const QString name = Tables().GetServerName(index);
    if (name == CacheServerName)
        return Kind::Cache;
    return IsHttpServer(name) ? Kind::HTTP : Kind::Whois;
}

// The phrase number of Servers line `index`, if it has one.
std::optional<int> PhraseNumber(int index)
{
    const QString line = Tables().ServerLine(index);
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    bool ok = false;
    const int number = line.mid(comma + 1).trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QString ServerText(int index)
{
    return Tables().ServerLine(index).section(u',', 0, 0).trimmed();
}

QList<int> RowOf(int tldLine)
{
    QList<int> row;
    for (const QString& item : Tables().GetTLDServerIndexes(tldLine))
        row.append(item.toInt());
    return row;
}

int TLDLineOf(const QString& key)
{
    for (int i = 0; i < Tables().TLDCount(); ++i)
        if (Tables().GetTLDName(i) == key)
            return i;
    return -1;
}

const char* const ExpectedKeys =
    "com net org edu gov mil aero biz coop info museum name pro ac ae co.ae org.ae gov.ae "
    "ac.ae net.ae sch.ae af ag com.ag net.ag ai com.ai off.ai net.ai org.ai com.al net.al am "
    "an ao aq ar as at co.at or.at com.au net.au asn.au edu.au org.au info.au id.au az ba bb "
    "be bf bg com.bh bi bm bn bo com.bo net.bo br bt bv by bz com.bz net.bz org.bz ca cc cd "
    "cf cg ch ci co.ck net.ck org.ck cl cm cn com.co net.co org.co cr cu cx cy cz de dj dk "
    "com.do net.do org.do art.do web.do dz com.ec net.ec org.ec pro.ec fin.ec ec ee com.eg "
    "net.eg org.eg es et fi com.fj biz.fj info.fj name.fj org.fj pro.fj fk fm fo fr com.fr "
    "org.fr asso.fr nom.fr tm.fr gb ge gf gg gh com.gh org.gh gi com.gi ltd.gi org.gi gl gm "
    "gn gp gq gr gs gt gu com.gu net.gu org.gu com.hk net.hk org.hk hm hr hu co.hu info.hu "
    "tm.hu co.id or.id net.id web.id ie co.il net.il org.il co.im ltd.im net.im org.im "
    "plc.im in co.in firm.in ac.in res.in gov.in mil.in net.in org.in ind.in gen.in io ir is "
    "it je com.jo net.jo org.jo ac.jp ad.jp co.jp gr.jp ne.jp or.jp co.ke kg kh kn kr com.kw "
    "net.kw org.kw ky com.ky org.ky net.ky kz com.lb org.lb net.lb lc com.lc li lk lr ls lt "
    "lu lv com.lv net.lv org.lv id.lv asn.lv conf.lv ly com.ly org.ly net.ly ma mc md mg mh "
    "mk mm mn com.mo net.mo org.mo mp mq mr ms com.mt net.mt org.mt mu mw mx my com.my "
    "net.my org.my mz na nc nf ng ni nl no np nu ac.nz co.nz net.nz iwi.nz cri.nz org.nz "
    "gen.nz om com.om net.om org.om pa com.pa net.pa org.pa ac.pa nom.pa pe com.pe net.pe "
    "org.pe pg ph com.ph net.ph org.ph ngo.ph pk pl pm pn pr ps pt com.pt net.pt org.pt "
    "nome.pt publ.pt int.pt pw py com.qa net.qa org.qa re ro ru com.ru rw com.sa net.sa "
    "org.sa pub.sa sb sc sd se com.sg net.sg org.sg pers.sg sh si sj sk sm sn so st com.sv "
    "gob.sv org.sv sy co.sz tc tf tg th co.th or.th in.th or.th ac.th net.th go.th tj biz.tj "
    "dyn.tj com.tj my.tj web.tj tm tn to tp com.tp net.tp org.tp com.tr org.tr net.tr gen.tr "
    "nom.tr k12.tr tt co.tt com.tt net.tt org.tt pro.tt info.tt name.tt tv tw com.tw org.tw "
    "net.tw idv.tw tz co.tz or.tz ne.tz go.tz ua com.ua net.ua org.ua co.ug or.ug se.ug "
    "go.ug ne.ug uk co.uk plc.uk com.uy net.uy org.uy gob.uy uz co.uz com.uz com.ve net.ve "
    "org.ve int.ve bib.ve tec.ve web.ve arts.ve nom.ve info.ve vg co.vi com.vn net.vn org.vn "
    "int.vn vu wf ws com.ws net.ws org.ws yt ac.yu co.yu org.yu ac.za alt.za bourse.za "
    "city.za co.za edu.za gov.za law.za mil.za net.za ngo.za nom.za org.za school.za tm.za "
    "web.za co.zm org.zm gov.zm sch.zm ac.zm "
    ;

} // namespace

Q_DECLARE_METATYPE(QList<Server>)

class TestBuiltinTables : public QObject {
    Q_OBJECT
private slots:
    void tablesHaveTheirSizes()
    {
        QCOMPARE(Tables().ServerCount(), 357);
        QCOMPARE(Tables().TLDCount(), 457);
        QVERIFY(Tables().NoStringCount() >= 50);   // phrases are appended, never renumbered
        QCOMPARE(Tables().ServerLine(356), QString());
        for (int i = 0; i < 356; ++i)
            QVERIFY2(!Tables().ServerLine(i).trimmed().isEmpty(), qPrintable(QString::number(i)));
    }

    void serverEntriesHaveTheirKinds()
    {
        int whoisShort = 0, httpShort = 0, full = 0, https = 0, cache = 0;
        for (int i = 0; i < 356; ++i) {
            const QString line = Tables().ServerLine(i);
            if (line.startsWith(u'@')) {
                ++whoisShort;
            } else if (line.startsWith(u'#')) {
                ++httpShort;
            } else {
                ++full;
                https += line.startsWith(QLatin1StringView("https://"));
                cache += ServerText(i) == CacheServerName;
            }
        }
        QCOMPARE(whoisShort, 256);
        QCOMPARE(httpShort, 61);
        QCOMPARE(full, 39);
        QCOMPARE(https, 1);
        QCOMPARE(cache, 1);
    }

    void phraseNumbersNameExistingPhrases()
    {
        int withComma = 0, withNumber = 0, lowest = 999, highest = 0;
        for (int i = 0; i < 356; ++i) {
            withComma += Tables().ServerLine(i).contains(u',');
            if (const auto n = PhraseNumber(i)) {
                ++withNumber;
                lowest = std::min(lowest, *n);
                highest = std::max(highest, *n);
            }
        }
        QCOMPARE(withNumber, withComma - 2);   // com.whois-servers.net and whois.internic.net carry a bare comma
        QCOMPARE(lowest, 1);
        QVERIFY(highest <= Tables().NoStringCount());
    }

    void firstEntryCarriesBlanksAfterItsNumber()
    {
        const QString first = Tables().ServerLine(0);
        QVERIFY(first.endsWith(u' '));
        QCOMPARE(PhraseNumber(0), std::optional<int>(1));
        QCOMPARE(Tables().GetServerMatchText(0), QStringLiteral("Not found!"));
    }

    void httpTemplatesHoldPlaceholders()
    {
        for (int i = 0; i < 356; ++i) {
            const QString name = Tables().GetServerName(i);
            if (!IsHttpServer(name))
                continue;
            const bool filled = name.contains(QLatin1StringView("<name>")) || name.contains(QLatin1StringView("<shortname>"))
                || name.contains(QLatin1StringView("<ext>")) || name.contains(QLatin1StringView("<falseip>"));
            QVERIFY2(filled, qPrintable(name));
        }
    }

    void nineLinesAreReferencedByNoTLD()
    {
        QSet<int> used;
        for (int k = 0; k < Tables().TLDCount(); ++k)
            for (int index : RowOf(k))
                used.insert(index);
        QList<int> unused;
        for (int i = 0; i < Tables().ServerCount(); ++i)
            if (!used.contains(i))
                unused.append(i);
        QCOMPARE(unused, (QList<int>{4, 55, 273, 277, 291, 293, 306, 310, 356}));
    }

    void threeServersAppearTwice()
    {
        QMap<QString, QList<int>> linesByServer;
        for (int i = 0; i < 356; ++i)
            linesByServer[ServerText(i).toLower()].append(i);
        QList<QList<int>> twice;
        for (const QList<int>& lines : std::as_const(linesByServer)) {
            QVERIFY(lines.size() <= 2);
            if (lines.size() == 2)
                twice.append(lines);
        }
        QCOMPARE(twice.size(), 3);

        int whois = 0, whoisWithAndWithout = 0, http = 0;
        for (const QList<int>& lines : std::as_const(twice)) {
            const auto first = PhraseNumber(lines[0]), second = PhraseNumber(lines[1]);
            if (KindOf(lines[0]) == Kind::Whois) {
                ++whois;
                whoisWithAndWithout += first.has_value() != second.has_value();
                continue;
            }
            ++http;
            QVERIFY(first && second && *first != *second);
            // The later line is a server of "ac" (after its whois server), and its phrase is
            // the one found by name.
            QCOMPARE(RowOf(TLDLineOf(QStringLiteral("ac"))).at(1), lines[1]);
            QCOMPARE(Tables().FindMatchTextForServer(Tables().GetServerName(lines[0]), {}, {}),
                     Tables().GetServerMatchText(lines[1]));
            QVERIFY(Tables().GetServerMatchText(lines[0]) != Tables().GetServerMatchText(lines[1]));
        }
        QCOMPARE(whois, 2);
        QCOMPARE(whoisWithAndWithout, 1);
        QCOMPARE(http, 1);
    }

    // Every server is found again by its full name, with its own phrase (or that of
    // the later copy): no full name hides another and none is written unreachably.
    void everyServerIsFoundByItsName()
    {
        for (int i = 0; i < 356; ++i) {
            int last = i;
            for (int j = i + 1; j < 356; ++j)
                if (ServerText(j).compare(ServerText(i), Qt::CaseInsensitive) == 0)
                    last = j;
            QCOMPARE(Tables().FindMatchTextForServer(Tables().GetServerName(i), {}, {}),
                     Tables().GetServerMatchText(last));
        }
    }

    void keysStandInTheirOrder()
    {
        QStringList keys;
        for (int k = 0; k < Tables().TLDCount(); ++k)
            keys.append(Tables().GetTLDName(k));
        QCOMPARE(keys, QString::fromLatin1(ExpectedKeys).split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(keys.count(QStringLiteral("or.th")), 2);
        QCOMPARE(std::count_if(keys.cbegin(), keys.cend(), [](const QString& k) { return k.size() == 2; }), 173);
    }

    void rowsHoldOneToTwelveValidIndexes()
    {
        int longest = 0;
        QStringList longestKeys;
        for (int k = 0; k < Tables().TLDCount(); ++k) {
            const QStringList items = Tables().GetTLDServerIndexes(k);
            QVERIFY(!items.isEmpty() && items.size() <= 12);
            for (const QString& item : items) {
                bool ok = false;
                const int index = item.toInt(&ok);
                QVERIFY2(ok && index >= 0 && index < 356, qPrintable(Tables().TLDLine(k)));
            }
            if (items.size() > longest) {
                longest = static_cast<int>(items.size());
                longestKeys.clear();
            }
            if (items.size() == longest)
                longestKeys.append(Tables().GetTLDName(k));
        }
        QCOMPARE(longest, 12);
        QCOMPARE(longestKeys, QStringList{QStringLiteral("ca")});
    }

    void defaultServersHaveTheirKinds()
    {
        int whois = 0, http = 0;
        QStringList cached;
        for (int k = 0; k < Tables().TLDCount(); ++k) {
            switch (KindOf(RowOf(k).first())) {
            case Kind::Whois: ++whois; break;
            case Kind::HTTP: ++http; break;
            case Kind::Cache: cached.append(Tables().GetTLDName(k)); break;
            }
        }
        QCOMPARE(whois, 358);
        QCOMPARE(http, 99);
        QVERIFY(cached.isEmpty());
    }

    void tellingRows_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<Server>>("servers");
        const Kind W = Kind::Whois, H = Kind::HTTP;
        QTest::newRow("com") << "com" << QList<Server>{{W, 0}, {W, 0}, {W, 1}, {W, 0}, {W, 2}, {H, 48}};
        QTest::newRow("gov") << "gov" << QList<Server>{{H, 20}};
        QTest::newRow("mil") << "mil" << QList<Server>{{H, 20}};
        QTest::newRow("biz") << "biz" << QList<Server>{{W, 2}, {H, 49}, {H, 35}};
        QTest::newRow("info") << "info" << QList<Server>{{H, 49}, {H, 21}, {W, 3}, {W, 3}};
        QTest::newRow("ca") << "ca" << QList<Server>{{W, 60}} + QList<Server>(11, Server{W, 0});
    }
    void tellingRows()
    {
        QFETCH(QString, key);
        QFETCH(QList<Server>, servers);
        const QList<int> row = RowOf(TLDLineOf(key));
        QCOMPARE(row.size(), servers.size());
        for (qsizetype i = 0; i < row.size(); ++i) {
            QCOMPARE(KindOf(row[i]), servers[i].kind);
            QCOMPARE(PhraseNumber(row[i]).value_or(0), servers[i].phrase);
        }
        // "No Match" for the first com server, which names no phrase at all.
        if (key == QLatin1StringView("com")) {
            QVERIFY(!Tables().ServerLine(row[0]).contains(u','));
            QCOMPARE(Tables().GetServerMatchText(row[0]), QStringLiteral("No Match"));
        }
    }

    // The taken-list TLDs ask their registry's whois server today; the list stays a choice.
    void cachedTLDsDefaultToRealServers_data()
    {
        QTest::addColumn<QString>("key");
        for (const char* key : {"ie", "fi", "mc", "tm.hu"})
            QTest::newRow(key) << key;
    }
    void cachedTLDsDefaultToRealServers()
    {
        QFETCH(QString, key);
        const QList<int> row = RowOf(TLDLineOf(key));
        QCOMPARE(KindOf(row.first()), Kind::Whois);
        QCOMPARE(std::count_if(row.begin(), row.end(), [](int i) { return KindOf(i) == Kind::Cache; }), 1);
    }

    void phrasesAreTheKnownOnes()
    {
        const QStringList expected = {
            "Not found!", "not found", "NOT FOUND", "Domain Not Found", "nothing found",
            "No entries", "not registered", "does not exist!", "Could not find a match", "no matches",
            "no Match", "Pattern not found", "no entries", "No data", "No domain registered",
            "NO MATCH", "NO entry", ">Domain Available<",
            ">Please complete this form to register your domain<", "No match",
            "is available in the following TLDs", "We do not have an entry in our database",
            QString::fromUtf8("Inscripci\xc3\xb3n del nombre de dominio"), "<b>0</b> kirje",
            "No objects were found", QString::fromUtf8("domain n\xc3\xa9v m\xc3\xa9g nincs regisztr\xc3\xa1lva"),
            "The domain specified does not exist", "No matching entries", "has not yet been registered",
            "is available", "El dominio se encuentra disponible", "No data found", "no live registration",
            "Domen je slobodan", "no records matching", "<td> REGISTERED &nbsp;", "Domain not registered",
            "No such domain name", "domain is available", QString::fromUtf8("Dom\xc3\xadnio inexistente"),
            "No records", "No se encontro", "is still available", "nie istnieje", "Domain Available",
            "not currently listed", QString::fromUtf8("domain n\xc3\xa9v m\xc3\xa9g nincs regisztr\xc3\xa1lva"),
            "available.gif", "<b>Yes</b>", "/image/available.gif",
        };
        QCOMPARE(expected.size(), 50);
        for (int n = 0; n < 50; ++n) {
            const QString line = Tables().NoStringLine(n);
            QVERIFY(line.startsWith(u'"') && line.endsWith(u'"'));
            QCOMPARE(line.mid(1, line.size() - 2), expected[n]);
        }
    }
};

QTEST_GUILESS_MAIN(TestBuiltinTables)
#include "tst_builtintables.moc"
