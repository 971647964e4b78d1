// The packed tick states of section "Checked", and the section as a whole with the TLD
// names beside the packed ticks.
#include "settings/CheckStates.h"
#include "settings/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int count = data[0] * 4;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QString packed = QString::fromUtf8(rest);
    QList<bool> flags(count, false);
    UnpackCheckStates(packed, flags);
    if (flags.size() != count)
        __builtin_trap();
    // Packing what was read and reading it again gives the same flags.
    QList<bool> again(count, false);
    UnpackCheckStates(PackCheckStates(flags), again);
    if (again != flags)
        __builtin_trap();

    // Any Settings.dat: one tick per entry, whatever its keys name.
    IniFile settings;
    settings.FromBytes(rest);
    const QStringList tlds{".com", ".net", ".app", ".com", ".xn--p1ai"};
    if (ReadCheckStates(settings, tlds, data[0] % 7).size() != tlds.size())
        __builtin_trap();
    return 0;
}
