// The packed tick states of section "Checked".
#include "settings/CheckStates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int count = data[0] * 4;
    const QString packed = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QList<bool> flags(count, false);
    UnpackCheckStates(packed, flags);
    if (flags.size() != count)
        __builtin_trap();
    // Packing what was read and reading it again gives the same flags.
    QList<bool> again(count, false);
    UnpackCheckStates(PackCheckStates(flags), again);
    if (again != flags)
        __builtin_trap();
    return 0;
}
