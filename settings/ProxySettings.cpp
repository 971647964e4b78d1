#include "settings/ProxySettings.h"
#include "engine/lookup/HttpClient.h"
#include "platform/SystemProxySource.h"

namespace {

// A "ProxyEnable" stored as text.
bool EnabledFromText(const QString& value)
{
    const QString text = value.toLower();
    static const QStringList no = {QStringLiteral("no"), QStringLiteral("false"), QStringLiteral("f"),
                                   QStringLiteral("none"), QStringLiteral("disabled"), QStringLiteral("0")};
    // "yes", "true", "t", "enabled", "1" and every text in neither list count as enabled.
    return !no.contains(text);
}

} // namespace

bool ReadIEProxySettings(const ISystemProxySource& source, QString& host, int& port, bool& enabled)
{
    enabled = false;
    QString server;
    const ProxyValue serverValue = source.Value(QStringLiteral("ProxyServer"));
    if (serverValue.type == ProxyValueType::String || serverValue.type == ProxyValueType::ExpandableString)
        server = serverValue.text;

    if (!server.isEmpty()) {
        const qsizetype colon = server.indexOf(QLatin1Char(':'));
        host = colon < 0 ? server : server.left(colon);
        const QString portText = colon < 0 ? QString() : server.mid(colon + 1, 999);
        bool ok = false;
        const int number = portText.toInt(&ok, 10);
        port = ok ? number : 80;
        enabled = true;
    }

    const ProxyValue enable = source.Value(QStringLiteral("ProxyEnable"));
    switch (enable.type) {
    case ProxyValueType::String:
    case ProxyValueType::ExpandableString:
        enabled = EnabledFromText(enable.text);
        break;
    case ProxyValueType::Integer:
        enabled = enable.number != 0;
        break;
    case ProxyValueType::Binary:
        enabled = enable.bytes.isEmpty() || enable.bytes.at(0) != 0;
        break;
    case ProxyValueType::Missing:
    case ProxyValueType::Other:
        break;
    }
    return !server.isEmpty();
}

bool ProxySettingsDiffer(const ISystemProxySource& source, const QString& proxyServerText, const QString& proxyPortText)
{
    QString host;
    int port = 80;
    bool enabled = false;
    if (!ReadIEProxySettings(source, host, port, enabled) || !enabled)
        return false;
    if (proxyServerText != host)
        return true;
    return proxyPortText != QString::number(port);
}

QString ProxyWarningText()
{
    return QStringLiteral(
        "Proxy settings have been set up for Internet Explorer that\rdo not match those in Tarnwick.\r\r"
        "If you are behind a firewall, you can set the proxy settings under\r'Advanced' to match that of "
        "Internet Explorer and only use\rHTTP servers for searching.\r\r"
        "See the help file for more info on using Tarnwick with firewalls.");
}

bool WarnAboutProxy(const ISystemProxySource& source, const ProxyBoxes& boxes, IMessageBoxes& messages,
                    const std::function<void()>& showMainWindow)
{
    if (!ProxySettingsDiffer(source, boxes.Server, boxes.Port))
        return false;
    if (showMainWindow)
        showMainWindow();
    messages.Show(MessageKind::Information, ProxyWarningText(), MbOk);
    return true;
}

QString RetrieveErrorText()
{
    return QStringLiteral("There was an error retrieving the \rproxy settings from Internet Explorer.\r\r"
                          "These may have to be set manually.");
}

bool RetrieveProxySettings(const ISystemProxySource& source, ProxyBoxes& boxes, IMessageBoxes& messages)
{
    QString host;
    int port = 80;
    bool enabled = false;
    if (!ReadIEProxySettings(source, host, port, enabled)) {
        messages.Show(MessageKind::Error, RetrieveErrorText(), MbOk);
        return false;
    }
    boxes.Server = host;
    boxes.Port = QString::number(port);
    boxes.Enabled = enabled;
    return true;
}

void BlankProxySettings(ProxyBoxes& boxes)
{
    boxes.Username.clear();
    boxes.Password.clear();
    boxes.Server.clear();
    boxes.Port.clear();
    boxes.Enabled = false;
}

void ApplyProxySettings(const ProxyBoxes& boxes, THttpClient& http)
{
    http.Username = boxes.Username;
    http.Password = boxes.Password;
    if (!boxes.Enabled) {
        http.ProxyHost.clear();
        http.ProxyPort = 80;
        return;
    }
    bool ok = false;
    const int port = boxes.Port.toInt(&ok, 10);
    if (ok && port >= 1 && port <= 65535)
        http.ProxyPort = port;
    http.ProxyHost = boxes.Server;
}
