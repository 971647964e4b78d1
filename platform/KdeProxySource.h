// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/DesktopProxySetting.h"

// KDE's proxy setting, read from the [Proxy Settings] group of kioslaverc: "httpProxy"
// ("http://host:port", or older "http://host port") when "ProxyType" is 1 (manual) or
// 0 (no proxy, the entry only filled in). The other types (PAC script, WPAD, the
// environment's variables) name no server to read here.
class KdeProxySource : public ISystemProxySource {
public:
    // `kioslavercPath` empty: $XDG_CONFIG_HOME/kioslaverc (else ~/.config/kioslaverc).
    explicit KdeProxySource(QString kioslavercPath = {});

    ProxyValue Value(const QString& name) const override { return Read().Value(name); }
    DesktopProxySetting Read() const;

    static DesktopProxySetting FromKioslaverc(const QByteArray& text);

private:
    QString path_;
};
