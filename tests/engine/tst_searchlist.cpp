#include "engine/names/NameNormalisation.h"
#include "engine/names/SearchList.h"
#include <QtTest>

// The search list: normalisation of a name and the duplicate rule.
class TestSearchList : public QObject {
    Q_OBJECT
private slots:
    void normalisation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("words and blanks") << "shop -24 online!" << "SHOP-24ONLINE";
        QTest::newRow("www") << "wwwshop" << "SHOP";
        QTest::newRow("www. with dot") << "www.shop.com" << "SHOPCOM";
        QTest::newRow("only the first www") << "WWWWWW" << "WWW";
        // Letters of any script are kept, upper-cased; the name is asked by its A-label.
        QTest::newRow("accented letter") << QString::fromUtf8("caf\u00e9 cr\u00e8me") << QString::fromUtf8("CAF\u00c9CR\u00c8ME");
        QTest::newRow("another script") << QString::fromUtf8("\u043f\u0440\u0438\u043c\u0435\u0440 1") << QString::fromUtf8("\u041f\u0420\u0418\u041c\u0415\u04201");
        QTest::newRow("blanks only") << "   \t " << "";
        QTest::newRow("controls and underscore") << "a_b\r\n\x01" "c" << "ABC";
        QTest::newRow("just www") << "www" << "";
    }
    void normalisation()
    {
        QFETCH(QString, name);
        QFETCH(QString, normalised);
        QCOMPARE(NormaliseName(name), normalised);
        TSearchList list;
        QCOMPARE(list.AddItem(name), !normalised.isEmpty());
        QCOMPARE(list.toStringList(), normalised.isEmpty() ? QStringList() : QStringList{normalised});
    }

    void duplicatesAreListedOnce()
    {
        TSearchList list;
        QVERIFY(list.AddItem(u"Red-Car"));
        QVERIFY(!list.AddItem(u"red-car"));
        QVERIFY(!list.AddItem(u"r e d - c a r!"));
        QVERIFY(!list.AddItem(u"www.red-car"));
        QVERIFY(list.AddItem(u"redcar"));
        QCOMPARE(list.toStringList(), (QStringList{"RED-CAR", "REDCAR"}));
    }

    void blocksBypassTheCheckButBlockLaterNames()
    {
        TSearchList list;
        QVERIFY(list.AddItem(u"cat"));
        list.AddItems({"CAT", "DOG", "DOG"});       // appended as they are
        QVERIFY(!list.AddItem(u"dog"));              // an appended name blocks a checked one
        list.AddItems({"raw name"});                 // not normalised
        QCOMPARE(list.toStringList(), (QStringList{"CAT", "CAT", "DOG", "DOG", "raw name"}));
    }

    void checkAfterManyAppendsSeesEveryName()
    {
        // The index catches up with names appended without the check, across growth.
        TSearchList list;
        for (int i = 0; i < 100000; ++i)
            list.Append(QString::number(i));
        QVERIFY(!list.AddItem(u"99999"));
        QVERIFY(!list.AddItem(u"0"));
        QVERIFY(list.AddItem(u"100000"));
        for (int i = 0; i < 50000; ++i)
            QVERIFY(list.AddItem(QString::number(200000 + i)));
        for (int i = 0; i < 100000; i += 997)
            QVERIFY(!list.AddItem(QString::number(i)));
        QCOMPARE(list.count(), 150001);
        QCOMPARE(list.at(100000), QStringLiteral("100000"));
        QCOMPARE(list.at(150000), QStringLiteral("249999"));

        list.clear();
        QVERIFY(list.isEmpty());
        QVERIFY(list.AddItem(u"7"));
        QCOMPARE(list.at(-1), QString());
        QCOMPARE(list.at(1), QString());
    }
};

QTEST_GUILESS_MAIN(TestSearchList)
#include "tst_searchlist.moc"
