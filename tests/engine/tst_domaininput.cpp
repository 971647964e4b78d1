// What is typed or pasted as a domain, made into a name and the TLD it is looked up under.
#include "engine/lookup/DomainInput.h"
#include "engine/lookup/TLDInfoList.h"
#include <QtTest>

class TestDomainInput : public QObject {
    Q_OBJECT

    TTLDInfoList tlds_;

    DomainInput split(const QString& text) const
    {
        return SplitDomainInput(text, [this](const QString& ending) {
            const TLDInfo* entry = tlds_.Find(ending);
            return entry ? entry->TLD : QString();
        });
    }

private slots:
    void initTestCase()
    {
        for (const char* tld : {".com", ".uk", ".co.uk", ".de", ".xn--p1ai"})
            tlds_.Add(QString::fromLatin1(tld), QStringLiteral("whois.example"), QStringLiteral("No match"), false);
    }

    void nameAndTld_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tld");
        QTest::addColumn<QString>("unknown");
        QTest::newRow("pasted address") << "https://www.example.com/" << "example" << ".com" << "";
        QTest::newRow("path, query, port, user") << " http://me:pw@www.Example.co.uk:8080/a/b?c#d " << "Example" << ".co.uk" << "";
        QTest::newRow("longest known ending") << "shop.example.co.uk" << "shop.example" << ".co.uk" << "";
        QTest::newRow("fully qualified") << "example.de." << "example" << ".de" << "";
        QTest::newRow("TLD in its own script") << QStringLiteral("пример.рф") << QStringLiteral("пример") << ".xn--p1ai" << "";
        QTest::newRow("TLD by its A-label") << QStringLiteral("пример.XN--P1AI") << QStringLiteral("пример") << ".xn--p1ai" << "";
        QTest::newRow("letters of any script") << QStringLiteral("bü cher") << QStringLiteral("bücher") << "" << "";
        QTest::newRow("marks go") << "a_b!c" << "abc" << "" << "";
        QTest::newRow("unknown ending") << "example.foo" << "example" << "" << ".foo";
        QTest::newRow("www alone") << "www." << "www" << "" << "";
        QTest::newRow("nothing") << "   " << "" << "" << "";
    }
    void nameAndTld()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, tld);
        QFETCH(QString, unknown);
        const DomainInput input = split(text);
        QCOMPARE(input.name, name);
        QCOMPARE(input.tld, tld);
        QCOMPARE(input.unknownEnding, unknown);
    }
};

QTEST_GUILESS_MAIN(TestDomainInput)
#include "tst_domaininput.moc"
