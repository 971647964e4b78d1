// Change tracking on a small dialog built like the advanced dialog: a server tree,
// edit boxes (three of them never compared), a spin box, a tick box, list boxes and
// controls of kinds that are not tracked.
#include "settings/ServerTree.h"
#include "ui/ChangeTracking.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

namespace {

class TestDialog : public QDialog {
public:
    TServerTree tree;
    QTreeView* mainTree = add<QTreeView>("MainTree");
    QLineEdit* proxyServer = add<QLineEdit>("edProxyServer");
    QLineEdit* newServer = add<QLineEdit>("NewServerEdit");
    QLineEdit* matchText = add<QLineEdit>("MatchTextEdit");
    QLineEdit* newDomain = add<QLineEdit>("NewDomainEdit");
    QLineEdit* unnamed = add<QLineEdit>("");
    QSpinBox* cache = add<QSpinBox>("IECacheEdit");
    QCheckBox* proxyEnabled = add<QCheckBox>("ProxyEnabledCheck");
    QListWidget* servers = add<QListWidget>("NewServerList");
    QComboBox* noMatch = add<QComboBox>("NoMatchCombo");
    QLabel* label = add<QLabel>("DomainLbl");
    int handlerRuns = 0;

    TestDialog()
    {
        tree.SetTLDs({{".com", {{"whois.a.example", 2}, {"http://b.example/<name>", 3}}},
                      {".net", {{"whois.c.example", 2}}}});
        mainTree->setModel(&tree);
        cache->setRange(1, 120);
        cache->setValue(7);
        cache->setSuffix(" days");
        proxyServer->setText("proxy.example");
        matchText->setText("No Match");
        servers->addItems({"whois.one.example", "whois.two.example"});
        servers->setSelectionMode(QAbstractItemView::ExtendedSelection);
        servers->item(1)->setSelected(true);
        noMatch->setEditable(true);
        noMatch->addItems({"No Match", "Not found!"});

        auto count = [this] { ++handlerRuns; };
        connect(mainTree->selectionModel(), &QItemSelectionModel::currentChanged, this, count);
        connect(mainTree->selectionModel(), &QItemSelectionModel::selectionChanged, this, count);
        for (QLineEdit* e : {proxyServer, newServer, matchText, newDomain})
            connect(e, &QLineEdit::textChanged, this, count);
        connect(cache, &QSpinBox::valueChanged, this, count);
        connect(proxyEnabled, &QCheckBox::stateChanged, this, count);
        connect(proxyEnabled, &QCheckBox::toggled, this, count);
        connect(servers, &QListWidget::itemSelectionChanged, this, count);
        connect(servers, &QListWidget::currentRowChanged, this, count);
        handlerRuns = 0;
    }

    template <typename W>
    W* add(const char* name)
    {
        if (!layout())
            setLayout(new QVBoxLayout);
        auto* w = new W(this);
        w->setObjectName(QString::fromLatin1(name));
        layout()->addWidget(w);
        return w;
    }

    QList<bool> selection() const
    {
        QList<bool> s;
        for (int i = 0; i < servers->count(); ++i)
            s.append(servers->item(i)->isSelected());
        return s;
    }
};

} // namespace

class TestChangeTracking : public QObject {
    Q_OBJECT
private slots:
    void nothingChangedAtFirst()
    {
        TestDialog d;
        d.show();
        TDialogSnapshot snapshot;
        QVERIFY(!snapshot.SnapshotDiffers(&d));   // no snapshot yet
        snapshot.TakeSnapshot(&d);
        QVERIFY(snapshot.IsHeld());
        QVERIFY(!snapshot.SnapshotDiffers(&d));
        snapshot.FreeSnapshot();
        QVERIFY(!snapshot.IsHeld());
    }

    void whatCountsAsAChange_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("changed");
        QTest::newRow("proxy server typed") << "proxy" << true;
        QTest::newRow("proxy server in other case") << "proxycase" << true;
        QTest::newRow("new-server box typed") << "newserver" << false;
        QTest::newRow("match text typed") << "match" << false;
        QTest::newRow("new-domain box typed") << "newdomain" << false;
        QTest::newRow("unnamed edit typed") << "unnamed" << false;
        QTest::newRow("combo text changed") << "combo" << false;
        QTest::newRow("label changed") << "label" << false;
        QTest::newRow("spin box value") << "spin" << true;
        QTest::newRow("tick and untick") << "ticktwice" << false;
        QTest::newRow("tick") << "tick" << true;
        QTest::newRow("server added to the list") << "listadd" << true;
        QTest::newRow("list item renamed in case") << "listcase" << true;
        QTest::newRow("another list item selected") << "listselect" << false;
        QTest::newRow("another default server") << "default" << true;
        QTest::newRow("a server included") << "include" << true;
        QTest::newRow("tree selection moved") << "treeselect" << false;
    }
    void whatCountsAsAChange()
    {
        QFETCH(QString, edit);
        QFETCH(bool, changed);
        TestDialog d;
        d.show();
        TDialogSnapshot snapshot;
        snapshot.TakeSnapshot(&d);
        if (edit == "proxy")
            QTest::keyClicks(d.proxyServer, ":8080");
        else if (edit == "proxycase")
            d.proxyServer->setText("PROXY.example");
        else if (edit == "newserver")
            QTest::keyClicks(d.newServer, "whois.new.example");
        else if (edit == "match")
            d.matchText->setText("Free");
        else if (edit == "newdomain")
            d.newDomain->setText(".mine");
        else if (edit == "unnamed")
            d.unnamed->setText("anything");
        else if (edit == "combo")
            d.noMatch->setCurrentIndex(1);
        else if (edit == "label")
            d.label->setText(".com");
        else if (edit == "spin")
            d.cache->setValue(30);
        else if (edit == "ticktwice") {
            d.proxyEnabled->click();
            d.proxyEnabled->click();
        } else if (edit == "tick")
            d.proxyEnabled->click();
        else if (edit == "listadd")
            d.servers->addItem("whois.three.example");
        else if (edit == "listcase")
            d.servers->item(0)->setText("WHOIS.one.example");
        else if (edit == "listselect")
            d.servers->setCurrentRow(0);
        else if (edit == "default")
            d.tree.MakeDefault(0, 1);
        else if (edit == "include")
            d.tree.IncludeServer(1, "whois.d.example");
        else if (edit == "treeselect")
            d.mainTree->setCurrentIndex(d.tree.IndexOf({0, 1}));
        QCOMPARE(snapshot.SnapshotDiffers(&d), changed);
    }

    void restoringPutsEverythingBackWithoutHandlers()
    {
        TestDialog d;
        d.show();
        d.proxyEnabled->setChecked(true);
        const TreeNodeList nodes = d.tree.Nodes();
        const QList<bool> selection = d.selection();
        TDialogSnapshot snapshot;
        snapshot.TakeSnapshot(&d);

        d.tree.MakeDefault(0, 1);   // two state indexes change
        d.tree.IncludeServer(1, "whois.d.example");
        d.mainTree->setCurrentIndex(d.tree.IndexOf({1, 1}));
        d.proxyServer->setText("other.example");
        d.newServer->setText("typed but not added");
        d.cache->setValue(99);
        d.proxyEnabled->setChecked(false);
        d.servers->addItem("whois.three.example");
        d.servers->clearSelection();
        d.servers->item(0)->setSelected(true);
        QVERIFY(snapshot.SnapshotDiffers(&d));

        d.handlerRuns = 0;
        snapshot.RestoreSnapshot(&d);
        QCOMPARE(d.handlerRuns, 0);
        QCOMPARE(d.tree.Nodes(), nodes);
        QCOMPARE(d.tree.TLDAt(0).servers[0].stateIndex, 2);
        QCOMPARE(d.tree.TLDAt(0).servers[1].stateIndex, 3);
        QCOMPARE(d.proxyServer->text(), QString("proxy.example"));
        QCOMPARE(d.newServer->text(), QString());         // the uncompared boxes come back too
        QCOMPARE(d.matchText->text(), QString("No Match"));
        QCOMPARE(d.cache->value(), 7);
        QCOMPARE(d.cache->text(), QString("7 days"));
        QVERIFY(d.proxyEnabled->isChecked());
        QCOMPARE(d.servers->count(), 2);
        QCOMPARE(d.selection(), selection);

        // The handlers are attached again.
        d.proxyServer->setText("again");
        d.proxyEnabled->click();
        QVERIFY(d.handlerRuns >= 3);
        snapshot.FreeSnapshot();
    }

    void listItemsComeBackWithTheirData()
    {
        TestDialog d;
        QListWidgetItem* item = d.servers->item(0);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, 42);
        TDialogSnapshot snapshot;
        snapshot.TakeSnapshot(&d);
        d.servers->clear();
        snapshot.RestoreSnapshot(&d);
        QCOMPARE(d.servers->count(), 2);
        QCOMPARE(d.servers->item(0)->checkState(), Qt::Checked);
        QCOMPARE(d.servers->item(0)->data(Qt::UserRole).toInt(), 42);
        QCOMPARE(d.servers->item(1)->text(), QString("whois.two.example"));
    }

    void controlsThatComeAndGo()
    {
        auto* d = new TestDialog;
        TDialogSnapshot snapshot;
        snapshot.TakeSnapshot(d);
        delete d->proxyServer;   // gone since the snapshot: no harm
        QVERIFY(!snapshot.SnapshotDiffers(d));
        snapshot.RestoreSnapshot(d);

        snapshot.TakeSnapshot(d);
        d->add<QLineEdit>("edLater");   // appeared since the snapshot: counts as a change
        QVERIFY(snapshot.SnapshotDiffers(d));
        snapshot.RestoreSnapshot(d);
        delete d;
        QVERIFY(!snapshot.SnapshotDiffers(nullptr));
        snapshot.FreeSnapshot();
    }

    void aTreeWhoseModelCannotBeCopiedIsNotTracked()
    {
        QDialog d;
        auto* view = new QTreeView(&d);
        view->setObjectName("OtherTree");
        QStandardItemModel model;
        model.appendRow(new QStandardItem("one"));
        view->setModel(&model);
        TDialogSnapshot snapshot;
        snapshot.TakeSnapshot(&d);
        model.appendRow(new QStandardItem("two"));
        QVERIFY(!snapshot.SnapshotDiffers(&d));
        snapshot.RestoreSnapshot(&d);
        QCOMPARE(model.rowCount(), 2);
    }

    void aSecondSnapshotReplacesTheFirst()
    {
        TestDialog d;
        TDialogSnapshot snapshot;
        snapshot.TakeSnapshot(&d);
        d.cache->setValue(50);
        snapshot.TakeSnapshot(&d);
        QVERIFY(!snapshot.SnapshotDiffers(&d));
        d.cache->setValue(60);
        snapshot.RestoreSnapshot(&d);
        QCOMPARE(d.cache->value(), 50);
    }
};

QTEST_MAIN(TestChangeTracking)
#include "tst_changetracking.moc"
