#include "settings/AdvancedSettingsFile.h"
#include "settings/IniFile.h"
#include "settings/ItemLists.h"
#include "settings/SettingsFile.h"
#include <algorithm>

namespace {
const QString kCache = QStringLiteral("Cache");
const QString kProxy = QStringLiteral("Proxy");
const QString kNewServer = QStringLiteral("NewServer");
const QString kNewMatch = QStringLiteral("NewMatch");
const QString kNewDomain = QStringLiteral("NewDomain");
const QString kAssignedFirst = QStringLiteral("AssignedFirst");
const QString kLookup = QStringLiteral("Lookup");
} // namespace

bool LoadAdvancedSettings(const QString& settingsPath, AdvancedSettings& settings)
{
    IniFile s;
    if (!s.Load(settingsPath) && s.existed())
        return false;
    LoadAdvancedSettings(s, settings);
    return true;
}

void LoadAdvancedSettings(const IniFile& s, AdvancedSettings& settings)
{
    AdvancedSettings read;
    read.IECache = s.ReadInteger(kCache, QStringLiteral("IECache"), 7);
    read.Username = s.ReadString(kProxy, QStringLiteral("Username"), QString());
    read.Password = s.ReadString(kProxy, QStringLiteral("Password"), QString());
    read.ProxyServer = s.ReadString(kProxy, QStringLiteral("Server"), QString());
    read.ProxyEnabled = s.ReadBool(kProxy, QStringLiteral("ProxyEnabled"), false);
    read.Port = s.ReadInteger(kProxy, QStringLiteral("Port"), -1);
    ReadItemList(s, read.NewServerList, kNewServer, true);
    ReadItemList(s, read.NewDomainList, kNewDomain, true);
    ReadItemList(s, read.NewMatchList, kNewMatch, false);
    read.Rdap = s.ReadBool(kLookup, QStringLiteral("RDAP"), true);
    read.Parallel = std::clamp(s.ReadInteger(kLookup, QStringLiteral("Parallel"), 16), 1, 64);
    read.PerServer = std::clamp(s.ReadInteger(kLookup, QStringLiteral("PerServer"), 1), 1, 8);
    read.DnsPrecheck = s.ReadBool(kLookup, QStringLiteral("DNSPrecheck"), true);
    read.Timeout = std::clamp(s.ReadInteger(kLookup, QStringLiteral("Timeout"), 30), 1, 120);
    read.SelfCheck = s.ReadBool(kLookup, QStringLiteral("SelfCheck"), true);
    ReadItemList(s, read.AssignedFirstList, kAssignedFirst, true);
    settings = read;
}

bool SaveAdvancedSettings(const QString& settingsPath, const AdvancedSettings& settings)
{
    IniFile s;
    if (!OpenSettingsFile(s, settingsPath))
        return false;
    for (const QString& section : {kNewServer, kNewMatch, kNewDomain, kAssignedFirst, kProxy, kCache})
        s.EraseSection(section);
    s.WriteInteger(kCache, QStringLiteral("IECache"), settings.IECache);
    s.WriteString(kProxy, QStringLiteral("Username"), settings.Username);
    s.WriteString(kProxy, QStringLiteral("Password"), settings.Password);
    s.WriteString(kProxy, QStringLiteral("Server"), settings.ProxyServer);
    s.WriteInteger(kProxy, QStringLiteral("Port"), settings.Port);
    s.WriteBool(kProxy, QStringLiteral("ProxyEnabled"), settings.ProxyEnabled);
    WriteItemList(s, settings.NewServerList, kNewServer);
    WriteItemList(s, settings.NewMatchList, kNewMatch);
    WriteItemList(s, settings.NewDomainList, kNewDomain);
    s.WriteBool(kLookup, QStringLiteral("RDAP"), settings.Rdap);
    s.WriteBool(kLookup, QStringLiteral("DNSPrecheck"), settings.DnsPrecheck);
    s.WriteInteger(kLookup, QStringLiteral("Timeout"), settings.Timeout);
    s.WriteBool(kLookup, QStringLiteral("SelfCheck"), settings.SelfCheck);
    WriteItemList(s, settings.AssignedFirstList, kAssignedFirst);
    return SaveSettingsFile(s);
}

QString PortBoxText(int port)
{
    return port == -1 ? QString() : QString::number(port);
}

bool PortFromBoxText(const QString& text, int& port)
{
    if (text.isEmpty()) {
        port = -1;
        return true;
    }
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return false;
    port = value;
    return true;
}

ProxyBoxes ProxyBoxesOf(const AdvancedSettings& settings)
{
    ProxyBoxes boxes;
    boxes.Username = settings.Username;
    boxes.Password = settings.Password;
    boxes.Server = settings.ProxyServer;
    boxes.Port = PortBoxText(settings.Port);
    boxes.Enabled = settings.ProxyEnabled;
    return boxes;
}
