// "Settings.dat" and "Cache-index.ini": any bytes, then reads, writes and a round trip.
#include "FuzzInput.h"
#include "settings/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [file, value] = SplitAtZero(data, size);
    IniFile ini;
    ini.FromBytes(file);
    ini.ReadString(QStringLiteral("Options"), QStringLiteral("SingleSearch"), QString());
    ini.ReadInteger(QStringLiteral("Number"), QStringLiteral("NumberFrom"), 0);
    ini.ReadBool(QStringLiteral("Options"), QStringLiteral("DictCheck"), false);
    ini.Keys(QStringLiteral("NewServer"));
    // A value written is read back exactly, whatever the file held before.
    const QString v = QString::fromUtf8(value).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    ini.WriteString(QStringLiteral("Proxy"), QStringLiteral("Password"), v);
    IniFile reread;
    reread.FromBytes(ini.ToBytes());
    if (reread.ReadString(QStringLiteral("Proxy"), QStringLiteral("Password"), QStringLiteral("<missing>")) != v.trimmed()
        && reread.ReadString(QStringLiteral("Proxy"), QStringLiteral("Password"), QStringLiteral("<missing>")) != v)
        __builtin_trap();
    ini.EraseSection(QStringLiteral("Proxy"));
    return 0;
}
