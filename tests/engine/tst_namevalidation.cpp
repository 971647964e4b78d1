#include "engine/Misc1.h"
#include "engine/lookup/NameValidation.h"
#include <QtTest>

class TestNameValidation : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        const QString none = QStringLiteral("Invalid Name : No Address specified");
        const QString tooLong = QStringLiteral("Invalid Name : Address too long, no longer than 50 characters allowed");
        const QString tooShort = QStringLiteral("Invalid Name : Address too short, must be at least 3 characters");
        const QString begins = QStringLiteral("Invalid Name : Must not begin with -");
        const QString ends = QStringLiteral("Invalid Name : Must not end with -");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << "" << none;
        QTest::newRow("3 characters") << "ABC" << "";
        QTest::newRow("50 characters") << QString(50, u'A') << "";
        QTest::newRow("2 characters") << "AB" << tooShort;
        QTest::newRow("1 character") << "A" << tooShort;
        QTest::newRow("51 characters") << QString(51, u'A') << tooLong;
        QTest::newRow("-- is short before it is a hyphen") << "--" << tooShort;
        QTest::newRow("51 beginning with -") << "-" + QString(50, u'A') << tooLong;
        QTest::newRow("begins and ends with -") << "-A-" << begins;
        QTest::newRow("begins with -") << "-ABC" << begins;
        QTest::newRow("ends with -") << "ABC-" << ends;
        QTest::newRow("50 ending with -") << QString(49, u'A') + "-" << ends;
        QTest::newRow("hyphen inside") << "A-B" << "";
        QTest::newRow("hyphens only inside") << "A--B" << "";
        QTest::newRow("lower case and digits") << "abc123" << "";
        QTest::newRow("blank") << "AB C" << "";
        QTest::newRow("underscore") << "AB_C" << "";
        QTest::newRow("dot") << "AB.C" << "";
        QTest::newRow("blanks only") << "   " << "";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QCOMPARE(IsValidAddress(name), error);
        TMisc1 engine;
        QCOMPARE(engine.IsValidAddress(name), error);
    }
};

QTEST_GUILESS_MAIN(TestNameValidation)
#include "tst_namevalidation.moc"
