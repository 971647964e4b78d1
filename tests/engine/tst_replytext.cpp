// A server's reply as the single search shows it: decoded, cut into lines, tabs kept.
#include "engine/runs/ReplyText.h"
#include <QtTest>

class TestReplyText : public QObject {
    Q_OBJECT
private slots:
    void linesAsTheServerSentThem_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("UTF-8 CR LF, blank line kept")
            << QByteArray("Registrant Organization: M\xc3\xbcller B\xc3\xa4""ckerei GmbH\r\n\r\nURL: https://x.example/~me\r\n")
            << QStringList{QStringLiteral("Registrant Organization: Müller Bäckerei GmbH"), QString(),
                           QStringLiteral("URL: https://x.example/~me")};
        QTest::newRow("Latin-1 when not UTF-8") << QByteArray("Stra\xdf""e 1\n") << QStringList{QStringLiteral("Straße 1")};
        QTest::newRow("lone CR and LF end lines") << QByteArray("a\rb\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("CR CR LF is a blank line") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("tabs stay, other controls go") << QByteArray("Name:\tX\x1b[0m\x07\x7f") << QStringList{"Name:\tX[0m"};
        QTest::newRow("C1 controls of Latin-1 go") << QByteArray("a\x85\x9f" "b\xff") << QStringList{QStringLiteral("abÿ")};
        QTest::newRow("no bytes, no lines") << QByteArray() << QStringList{};
        QTest::newRow("only line breaks") << QByteArray("\r\n\r\n") << QStringList{"", ""};
    }
    void linesAsTheServerSentThem()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, lines);
        QCOMPARE(ReplyTextLines(reply), lines);
    }
};

QTEST_GUILESS_MAIN(TestReplyText)
#include "tst_replytext.moc"
