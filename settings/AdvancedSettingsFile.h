#pragma once
#include "settings/ProxySettings.h"
#include <QString>
#include <QStringList>

class IniFile;

// The advanced dialog's part of Settings.dat: the cache age, the proxy with its
// credentials, and the servers, match texts and domains that the user added.
struct AdvancedSettings {
    int IECache = 7;             // IECacheEdit: days a downloaded list of taken domains stays valid
    QString Username;            // edUsername
    QString Password;            // edPassword, stored as typed
    QString ProxyServer;         // edProxyServer
    bool ProxyEnabled = false;   // ProxyEnabledCheck
    int Port = -1;               // edProxyPort; -1 stands for an empty box
    QStringList NewServerList;   // lower case
    QStringList NewMatchList;    // same positions as NewServerList, as typed
    QStringList NewDomainList;   // lower case, each with its leading dot
    bool Rdap = true;            // RdapCheck: RDAP is asked first where a TLD's service is known
    QStringList AssignedFirstList;   // TLDs (lower case, with the dot) whose assigned server answers first
    int Parallel = 16;           // Lookup/Parallel: lookups of a run at once (1 to 64)
    int PerServer = 1;           // Lookup/PerServer: of them at once to one server (1 to 8)
    bool DnsPrecheck = true;     // Lookup/DNSPrecheck: names delegated in DNS are taken without a registry query
    int Timeout = 30;            // Lookup/Timeout: seconds without data before a query is given up (1 to 120)
    bool SelfCheck = true;       // Lookup/SelfCheck: each route is checked once a run before it is trusted

    bool operator==(const AdvancedSettings&) const = default;
};

// Reads sections Cache, Proxy, NewServer, NewMatch, NewDomain, AssignedFirst and the keys
// RDAP, Parallel, PerServer, DNSPrecheck, Timeout and SelfCheck of section Lookup (the numbers kept within their range),
// each key with its
// default. Returns false when the file exists but cannot be read ("Error loading
// settings"); `settings` is then left as it was. A missing file reads as all defaults.
bool LoadAdvancedSettings(const QString& settingsPath, AdvancedSettings& settings);
// The same from an INI document already in memory.
void LoadAdvancedSettings(const IniFile& file, AdvancedSettings& settings);

// Erases sections NewServer, NewMatch, NewDomain, AssignedFirst, Proxy and Cache, then
// writes them again from `settings`, with Lookup/RDAP, Lookup/DNSPrecheck, Lookup/Timeout and Lookup/SelfCheck; every other key stays. The file is replaced in one step,
// so on failure ("Error saving settings") the previous file is left whole.
bool SaveAdvancedSettings(const QString& settingsPath, const AdvancedSettings& settings);

// The port box and the stored port: an empty box is -1 and -1 shows as an empty box.
QString PortBoxText(int port);
// False when the box holds anything but decimal digits (pasted text, a number too large);
// `port` is then left as it was. Check this before saving, so nothing is erased for a bad port.
bool PortFromBoxText(const QString& text, int& port);

// The proxy boxes of the advanced dialog as the saved settings fill them.
ProxyBoxes ProxyBoxesOf(const AdvancedSettings& settings);
