// The result lists' model: newest entry at row 0, with the signals a view needs.
#include "engine/runs/ResultListModel.h"
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class TestResultListModel : public QObject {
    Q_OBJECT

private slots:
    void newestFirst()
    {
        ResultListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        for (const char* entry : {"A.com : Registered", "B.com : FREE", "C.com : Error"})
            model.insertAtTop(QString::fromLatin1(entry));
        QCOMPARE(model.count(), 3);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.texts(), (QStringList{"C.com : Error", "B.com : FREE", "A.com : Registered"}));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("C.com : Error"));
        QCOMPARE(model.textAt(2), QStringLiteral("A.com : Registered"));
        // Every insertion is announced at row 0, so views and selections move down with it.
        QCOMPARE(inserted.count(), 3);
        for (const auto& args : inserted) {
            QCOMPARE(args.at(1).toInt(), 0);
            QCOMPARE(args.at(2).toInt(), 0);
        }
    }

    void outsideTheList()
    {
        ResultListModel model;
        model.insertAtTop(QStringLiteral("only"));
        QCOMPARE(model.textAt(-1), QString());
        QCOMPARE(model.textAt(1), QString());
        QVERIFY(!model.data(model.index(1, 0)).isValid());
        QVERIFY(!model.data(QModelIndex()).isValid());
        QCOMPARE(model.rowCount(model.index(0, 0)), 0);   // a list has no children
        QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isValid());
    }

    void clearAndRefill()
    {
        ResultListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.clear();                       // nothing to clear: no reset for the views
        QCOMPARE(reset.count(), 0);
        model.insertAtTop(QStringLiteral("x"));
        model.insertAtTop(QStringLiteral("y"));
        model.clear();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.count(), 0);
        model.insertAtTop(QStringLiteral("z"));
        QCOMPARE(model.texts(), QStringList{QStringLiteral("z")});
    }

    void persistentIndexFollowsItsEntry()
    {
        ResultListModel model;
        model.insertAtTop(QStringLiteral("old"));
        const QPersistentModelIndex old(model.index(0, 0));
        model.insertAtTop(QStringLiteral("new"));
        QCOMPARE(old.row(), 1);
        QCOMPARE(old.data().toString(), QStringLiteral("old"));
    }
};

QTEST_GUILESS_MAIN(TestResultListModel)
#include "tst_resultlistmodel.moc"
