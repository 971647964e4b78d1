// Config.dat: the tree's layout, its zlib packing, and reading damaged or foreign files.
#include "settings/ConfigFile.h"
#include "settings/ServerTree.h"
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <zlib.h>

namespace {

TreeNodeList sampleNodes()
{
    return {
        {".com", 0, -1},
        {"whois.a.example", 1, 2},
        {"http://b.example/?q=<name><ext>", 1, 3},
        {"Cache Domains Taken List", 1, 1},
        {".empty", 0, -1},
        {QString::fromUtf8(".dömäin"), 0, -1},
        {"https://c.example/<name>", 1, 4},
        {QString(), 1, 1},
        {".last", 0, -1},
        {QString(70000, QLatin1Char('x')), 1, 2},
    };
}

// The layout's node record, for building damaged inputs by hand.
QByteArray record(int level, int state, quint32 children, const QByteArray& text)
{
    QByteArray out;
    out.append(char(level));
    out.append(char(state));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((children >> shift) & 0xFF));
    const quint32 length = static_cast<quint32>(text.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((length >> shift) & 0xFF));
    return out + text;
}

QByteArray header(quint32 count, quint16 version = 1)
{
    QByteArray out("TWCF");
    out.append(char(version >> 8));
    out.append(char(version & 0xFF));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((count >> shift) & 0xFF));
    return out;
}

// The rules every tree read from a file keeps, whatever the file held.
void verifySound(const TreeNodeList& nodes)
{
    int defaults = 0;
    bool inTLD = false;
    int servers = 0;
    auto closeTLD = [&] {
        if (inTLD && servers > 0)
            QCOMPARE(defaults, 1);
    };
    for (const TreeNodeRecord& n : nodes) {
        if (n.level == 0) {
            closeTLD();
            QCOMPARE(n.stateIndex, -1);
            inTLD = true;
            defaults = servers = 0;
        } else {
            QCOMPARE(n.level, 1);
            QVERIFY(inTLD);
            ++servers;
            defaults += IsDefaultState(n.stateIndex) ? 1 : 0;
            QCOMPARE(n.stateIndex, ServerStateFor(n.text, IsDefaultState(n.stateIndex)));
        }
    }
    closeTLD();
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void roundTripThroughTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Config.dat");
        TServerTree tree;
        tree.SetNodes(sampleNodes());
        QVERIFY(SaveTreeview(tree, path));
        TServerTree back;
        back.SetNodes({{".old", 0, -1}});
        QVERIFY(LoadTreeview(back, path));
        QCOMPARE(back.Nodes(), sampleNodes());
    }

    void layoutAndPacking()
    {
        const QByteArray raw = SerialiseTreeNodes({{".com", 0, -1}, {"whois.a", 1, 2}});
        QCOMPARE(raw, header(2) + record(0, -1, 1, ".com") + record(1, 2, 0, "whois.a"));

        const QByteArray packed = PackConfig(raw);
        QCOMPARE(quint8(packed[0]), quint8(0x78));   // a plain zlib stream ...
        QCOMPARE(quint8(packed[1]), quint8(0xDA));   // ... made at the highest compression level
        QByteArray inflated(raw.size(), Qt::Uninitialized);
        uLongf size = static_cast<uLongf>(inflated.size());
        QCOMPARE(uncompress(reinterpret_cast<Bytef*>(inflated.data()), &size,
                            reinterpret_cast<const Bytef*>(packed.constData()), static_cast<uLong>(packed.size())),
                 Z_OK);
        QCOMPARE(inflated, raw);
        bool complete = false;
        QCOMPARE(UnpackConfig(packed, &complete), raw);
        QVERIFY(complete);
    }

    void damagedLayouts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("nodesKept");
        const QByteArray com = record(0, -1, 2, ".com");
        const QByteArray a = record(1, 2, 0, "whois.a");
        const QByteArray b = record(1, 1, 0, "whois.b");
        const QByteArray net = record(0, -1, 0, ".net");
        QTest::newRow("sound") << header(4) + com + a + b + net << 4;
        QTest::newRow("nothing") << QByteArray() << 0;
        QTest::newRow("another marker") << "XXXX" + header(4).mid(4) + com + a + b + net << 0;
        QTest::newRow("a later version") << header(4, 2) + com + a + b + net << 0;
        QTest::newRow("header cut short") << header(4).left(7) << 0;
        QTest::newRow("cut inside a text") << (header(4) + com + a + b).chopped(3) << 2;
        QTest::newRow("cut inside a record") << header(4) + com + a.left(5) << 1;
        QTest::newRow("fewer nodes than counted") << header(9) + com + a + b + net << 4;
        QTest::newRow("more nodes than counted") << header(2) + com + a + b + net << 2;
        QTest::newRow("server before any TLD") << header(2) + a + net << 0;
        QTest::newRow("TLD with a state") << header(1) + record(0, 2, 0, ".com") << 0;
        QTest::newRow("server state 0") << header(2) + record(0, -1, 1, ".x") + record(1, 0, 0, "s") << 1;
        QTest::newRow("server state 5") << header(2) + record(0, -1, 1, ".x") + record(1, 5, 0, "s") << 1;
        QTest::newRow("level 2") << header(2) + net + record(2, 1, 0, "deep") << 1;
        QTest::newRow("server with children") << header(3) + record(0, -1, 1, ".x") + record(1, 1, 1, "s") << 1;
        QTest::newRow("TLD short of its servers") << header(4) + com + a + net + b << 2;
        QTest::newRow("server beyond its TLD's count") << header(4) + record(0, -1, 1, ".x") + a + b + net << 2;
        QTest::newRow("text longer than the data") << header(1) + record(0, -1, 0, ".x").left(6) + "\xFF\xFF\xFF\xF0" + "abc" << 0;
        QTest::newRow("text not UTF-8") << header(2) + net + record(0, -1, 0, "\xC3\x28") << 1;
        QTest::newRow("huge counts, little data") << header(0xFFFFFFFF) + record(0, -1, 0xFFFFFFFF, ".x") << 1;
    }
    void damagedLayouts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, nodesKept);
        bool complete = true;
        const TreeNodeList nodes = ParseTreeNodes(bytes, &complete);
        QCOMPARE(nodes.size(), nodesKept);
        QCOMPARE(complete, QByteArray(QTest::currentDataTag()) == "sound");
        verifySound(nodes);
    }

    void statesReadAreBroughtIntoLine_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QList<int>>("loaded");
        // servers: whois, http, whois
        QTest::newRow("one default") << QList<int>{1, 4, 1} << QList<int>{1, 4, 1};
        QTest::newRow("two defaults: the first stays") << QList<int>{2, 4, 2} << QList<int>{2, 3, 1};
        QTest::newRow("no default: the first") << QList<int>{1, 3, 1} << QList<int>{2, 3, 1};
        QTest::newRow("kinds follow the names") << QList<int>{4, 1, 3} << QList<int>{2, 3, 1};
    }
    void statesReadAreBroughtIntoLine()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QList<int>, loaded);
        const QStringList names{"whois.a", "http://b", "whois.c"};
        QByteArray bytes = header(4) + record(0, -1, 3, ".x");
        for (int i = 0; i < 3; ++i)
            bytes += record(1, stored[i], 0, names[i].toUtf8());
        const TreeNodeList nodes = ParseTreeNodes(bytes);
        QCOMPARE(nodes.size(), 4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(nodes[i + 1].stateIndex, loaded[i]);
    }

    void damagedStreams()
    {
        const QByteArray raw = SerialiseTreeNodes(sampleNodes());
        const QByteArray packed = PackConfig(raw);
        bool complete = true;
        const QByteArray half = UnpackConfig(packed.left(packed.size() / 2), &complete);
        QVERIFY(!complete);
        QVERIFY(raw.startsWith(half));

        QVERIFY(UnpackConfig(QByteArray(), &complete).isEmpty());
        QVERIFY(!complete);
        QVERIFY(UnpackConfig("plain text, not packed", &complete).isEmpty());
        QVERIFY(!complete);

        QByteArray flipped = packed;
        flipped[flipped.size() - 2] = char(flipped[flipped.size() - 2] ^ 0x55);   // the checksum
        UnpackConfig(flipped, &complete);
        QVERIFY(!complete);
    }

    void aBombIsCapped()
    {
        const QByteArray zeros(80 * 1024 * 1024, '\0');
        const QByteArray packed = PackConfig(zeros);
        QVERIFY(packed.size() < 200 * 1024);
        bool complete = true;
        const QByteArray out = UnpackConfig(packed, &complete);
        QVERIFY(!complete);
        QVERIFY(out.size() <= 64 * 1024 * 1024);
    }

    void filesThatAreNotWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Config.dat");
        TServerTree tree;
        tree.SetNodes(sampleNodes());
        QVERIFY(!LoadTreeview(tree, dir.filePath("missing.dat")));
        QCOMPARE(tree.TLDCount(), 0);

        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(PackConfig(SerialiseTreeNodes(sampleNodes())).chopped(20));
        f.close();
        QVERIFY(!LoadTreeview(tree, path));
        const TreeNodeList read = tree.Nodes();
        QVERIFY(read.size() < sampleNodes().size());
        QCOMPARE(read, sampleNodes().mid(0, read.size()));

        QVERIFY(!SaveTreeview(tree, dir.filePath("no/such/folder/Config.dat")));
    }

    void survivesAnyBytes()
    {
        const QByteArray raw = SerialiseTreeNodes(sampleNodes());
        const QByteArray packed = PackConfig(raw);
        QRandomGenerator random(4242);
        for (int round = 0; round < 3000; ++round) {
            const bool damagePacked = round % 2 == 0;
            QByteArray bytes = damagePacked ? packed : raw;
            const int edits = 1 + random.bounded(4);
            for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
                const int at = random.bounded(static_cast<int>(bytes.size()));
                switch (random.bounded(4)) {
                case 0: bytes[at] = char(random.bounded(256)); break;
                case 1: bytes.truncate(at); break;
                case 2: bytes.insert(at, char(random.bounded(256))); break;
                case 3: bytes.remove(at, 1 + random.bounded(8)); break;
                }
            }
            const TreeNodeList nodes = ParseTreeNodes(damagePacked ? UnpackConfig(bytes) : bytes);
            verifySound(nodes);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
            TServerTree tree;
            tree.SetNodes(nodes);
            QCOMPARE(tree.TLDCount() + tree.ServerNodeCount(), static_cast<int>(nodes.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
