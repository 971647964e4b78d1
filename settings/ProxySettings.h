#pragma once
#include "platform/MessageBoxes.h"
#include <QString>
#include <functional>

class ISystemProxySource;
class THttpClient;

// The program's own HTTP proxy, as the advanced dialog's boxes hold it, and its relation
// to the proxy the system (Internet Explorer's settings) reports.

// The proxy boxes of the advanced dialog, as text.
struct ProxyBoxes {
    QString Username;   // edUsername
    QString Password;   // edPassword
    QString Server;     // edProxyServer
    QString Port;       // edProxyPort: digits only, may be empty
    bool Enabled = false;   // ProxyEnabledCheck ("Proxy Enabled")
};

// Reads the system's proxy. Returns true when a non-empty "ProxyServer" value was found;
// only then are `host` (text before the first ":") and `port` (decimal text after it, 80
// when missing or not a number) written. `enabled` is always written: from "ProxyEnable"
// when present, otherwise true exactly when a server was found.
bool ReadIEProxySettings(const ISystemProxySource& source, QString& host, int& port, bool& enabled);

// True when the system uses a proxy (found and enabled) that the server or port box does
// not match; both comparisons are plain, case-sensitive text comparisons.
bool ProxySettingsDiffer(const ISystemProxySource& source, const QString& proxyServerText, const QString& proxyPortText);

// The information shown at start-up when the proxies differ; the start of the longer
// texts the searches show after failed lookups.
QString ProxyWarningText();

// Start-up check: when the proxies differ, runs `showMainWindow` and then shows the
// warning (information, OK). Returns whether it was shown.
bool WarnAboutProxy(const ISystemProxySource& source, const ProxyBoxes& boxes, IMessageBoxes& messages,
                    const std::function<void()>& showMainWindow);

// "Retrieve": copies the system's proxy into the boxes (server, port in decimal, the
// enabled tick). When the system has none, shows the error box and leaves the boxes alone.
bool RetrieveProxySettings(const ISystemProxySource& source, ProxyBoxes& boxes, IMessageBoxes& messages);
QString RetrieveErrorText();

// "Blank": empties the user name, password, server and port boxes and unticks "Proxy Enabled".
void BlankProxySettings(ProxyBoxes& boxes);

// Applies the boxes to the HTTP client: the user name and password always; with "Proxy
// Enabled" the proxy host from the server box and the port from the port box (left as it
// was when the box holds no port number from 1 to 65535); without it no proxy host and port 80.
void ApplyProxySettings(const ProxyBoxes& boxes, THttpClient& http);
