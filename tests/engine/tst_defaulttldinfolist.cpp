// The table of TLDs in use as made from the built-in tables.
#include "engine/Misc1.h"
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/DefaultTLDInfoList.h"
#include "engine/lookup/TLDInfoList.h"
#include <QtTest>

class TestDefaultTLDInfoList : public QObject {
    Q_OBJECT
private slots:
    void oneEntryPerLineInTableOrder()
    {
        const BuiltinTables tables;
        TTLDInfoList list;
        BuildDefaultTLDInfoList(tables, list, {});
        QCOMPARE(list.Count(), tables.TLDCount());
        QStringList quick;
        for (int i = 0; i < 4; ++i)
            quick.append(list.At(i).TLD);
        QCOMPARE(quick, (QStringList{".com", ".net", ".org", ".edu"}));
        for (int k = 0; k < list.Count(); ++k) {
            const int first = tables.GetTLDServerIndexes(k).first().toInt();
            QCOMPARE(list.At(k).TLD, "." + tables.GetTLDName(k));
            QCOMPARE(list.At(k).Server, tables.GetServerName(first));
            QCOMPARE(list.At(k).MatchText, tables.GetServerMatchText(first));
            QVERIFY(!list.At(k).Server.isEmpty());
        }
    }

    void defaultServersOfTellingTLDs_data()
    {
        QTest::addColumn<QString>("tld");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("match");
        QTest::newRow("com") << ".com" << "whois.verisign-grs.com" << "No Match";
        QTest::newRow("gov") << ".gov" << "http://www.dotgov.gov/whois.aspx?domain=<name>" << "No match";
        QTest::newRow("ie") << ".ie" << "whois.weare.ie" << "not found";
        QTest::newRow("tm.hu") << ".tm.hu" << "whois.nic.hu" << "No match";
        QTest::newRow("ac") << ".ac" << "whois.nic.ac" << "Domain Not Found";
        QTest::newRow("fi") << ".fi" << "whois.fi" << "Domain Not Found";
    }
    void defaultServersOfTellingTLDs()
    {
        QFETCH(QString, tld);
        QFETCH(QString, server);
        QFETCH(QString, match);
        TTLDInfoList list;
        BuildDefaultTLDInfoList(BuiltinTables(), list, {});
        const TLDInfo* info = list.Find(tld);
        QVERIFY(info);
        QCOMPARE(info->Server, server);
        QCOMPARE(info->MatchText, match);
    }

    void repeatedKeyMakesTwoEntriesAndLookupsFindTheFirst()
    {
        TTLDInfoList list;
        BuildDefaultTLDInfoList(BuiltinTables(), list, {});
        QList<int> positions;
        for (int i = 0; i < list.Count(); ++i)
            if (list.At(i).TLD == QLatin1StringView(".or.th"))
                positions.append(i);
        QCOMPARE(positions.size(), 2);
        QCOMPARE(list.IndexOf(".or.th"), positions.first());
        QCOMPARE(list.IndexOf(".OR.TH"), positions.first());
        QCOMPARE(list.Find(".Or.Th"), &list.At(positions.first()));
        QCOMPARE(list.IndexOf(".nowhere"), -1);
        QVERIFY(!list.Find(".nowhere"));
    }

    void ticksFollowTheSavedStates_data()
    {
        QTest::addColumn<QList<bool>>("states");
        QTest::newRow("none saved") << QList<bool>{};
        QTest::newRow("fewer than entries") << QList<bool>{true, false, true};
        QTest::newRow("more than entries") << QList<bool>(500, true);
    }
    void ticksFollowTheSavedStates()
    {
        QFETCH(QList<bool>, states);
        TTLDInfoList list;
        BuildDefaultTLDInfoList(BuiltinTables(), list, states);
        for (int k = 0; k < list.Count(); ++k)
            QCOMPARE(list.At(k).Checked, states.value(k, false));
    }

    void rebuildingReplacesTheEntries()
    {
        TMisc1 engine;
        engine.TLDInfoList.Add(".stale", "whois.stale.example", "gone", true);
        engine.BuildDefaultTLDInfoList({true});
        QCOMPARE(engine.TLDInfoList.Count(), 457);
        QCOMPARE(engine.TLDInfoList.IndexOf(".stale"), -1);
        QVERIFY(engine.TLDInfoList.At(0).Checked);
        engine.BuildDefaultTLDInfoList({});
        QCOMPARE(engine.TLDInfoList.Count(), 457);
        QVERIFY(!engine.TLDInfoList.At(0).Checked);
    }

    // Rows whose first item names no server give an entry without a server, which
    // the lookup reports, rather than a made-up server.
    void unusableRowsGiveNoServer()
    {
        const BuiltinTables tables({"@nic.example,1"}, {"aa=0", "bb=x,0", "cc=", "dd=7"}, {"\"Not found!\""});
        TTLDInfoList list;
        BuildDefaultTLDInfoList(tables, list, {});
        QCOMPARE(list.Count(), 4);
        QCOMPARE(list.At(0).Server, QStringLiteral("whois.nic.example"));
        QCOMPARE(list.At(0).MatchText, QStringLiteral("Not found!"));
        for (int k = 1; k < 4; ++k) {
            QCOMPARE(list.At(k).Server, QString());
            QCOMPARE(list.At(k).MatchText, QString());
        }
    }
};

QTEST_GUILESS_MAIN(TestDefaultTLDInfoList)
#include "tst_defaulttldinfolist.moc"
