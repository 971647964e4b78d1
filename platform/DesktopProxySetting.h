// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/SystemProxySource.h"

// A desktop's own HTTP proxy setting, as the two named values of the system proxy:
// "ProxyServer" = server ("host:port" or "host") and "ProxyEnable" = the integer 1 when
// the desktop uses it, 0 when it is only filled in. Both are missing without a server.
struct DesktopProxySetting {
    QString server;
    bool enabled = false;

    ProxyValue Value(const QString& name) const
    {
        if (server.isEmpty())
            return {};
        if (name.compare(QLatin1String("ProxyServer"), Qt::CaseInsensitive) == 0)
            return ProxyValue::String(server);
        if (name.compare(QLatin1String("ProxyEnable"), Qt::CaseInsensitive) == 0)
            return ProxyValue::Integer(enabled ? 1 : 0);
        return {};
    }
};
