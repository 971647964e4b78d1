// Config.dat: time to write and read a tree the size of the built-in tables
// (457 TLDs, about three servers each), as at every OK and every start.
#include "bench/BenchMedian.h"
#include "settings/ConfigFile.h"
#include "settings/ServerTree.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

TreeNodeList fullSizeTree()
{
    TreeNodeList nodes;
    for (int t = 0; t < 457; ++t) {
        nodes.append({QStringLiteral(".tld%1").arg(t), 0, -1});
        const int servers = 1 + (t * 7) % 6;
        for (int s = 0; s < servers; ++s) {
            const bool http = (t + s) % 4 == 0;
            const QString name = http ? QStringLiteral("http://lookup%1.example/check?domain=<name><ext>").arg(t * 10 + s)
                                      : QStringLiteral("whois.registry%1.example").arg(t * 10 + s);
            nodes.append({name, 1, ServerStateFor(name, s == 0)});
        }
    }
    return nodes;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("Config.dat");
    TServerTree tree;
    tree.SetNodes(fullSizeTree());
    const QByteArray raw = SerialiseTreeNodes(tree.Nodes());
    const QByteArray packed = PackConfig(raw);

    const double save = MedianMs([&] { SaveTreeview(tree, path); });
    const double load = MedianMs([&] { LoadTreeview(tree, path); });
    const double pack = MedianMs([&] { PackConfig(SerialiseTreeNodes(tree.Nodes())); });
    const double unpack = MedianMs([&] { ParseTreeNodes(UnpackConfig(packed)); });

    std::printf("nodes: %d TLDs, %d servers\n", tree.TLDCount(), tree.ServerNodeCount());
    std::printf("serialised %lld bytes, packed %lld bytes (file %lld)\n", static_cast<long long>(raw.size()),
                static_cast<long long>(packed.size()), static_cast<long long>(QFileInfo(path).size()));
    std::printf("SaveTreeview median %.2f ms, LoadTreeview median %.2f ms\n", save, load);
    std::printf("serialise+pack median %.2f ms, unpack+parse median %.2f ms\n", pack, unpack);
    return 0;
}
