// "Config.dat": the packed stream, and the serialised tree inside it.
#include "settings/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool complete = false;
    const QByteArray inflated = UnpackConfig(bytes, &complete);
    ParseTreeNodes(inflated, &complete);
    // The raw bytes as if they had been inflated already.
    const TreeNodeList nodes = ParseTreeNodes(bytes, &complete);
    // Whatever was read must survive a save and a load unchanged.
    const QByteArray again = SerialiseTreeNodes(nodes);
    if (SerialiseTreeNodes(ParseTreeNodes(again)) != again)
        __builtin_trap();
    return 0;
}
