// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/EnvironmentProxySource.h"
#include "platform/GnomeProxySource.h"
#include "platform/KdeProxySource.h"
#include <QList>

// The first of several sources that holds a "ProxyServer" answers every value; none
// holding one answers Missing.
class FirstProxySource : public ISystemProxySource {
public:
    explicit FirstProxySource(QList<const ISystemProxySource*> sources) : sources_(std::move(sources)) {}
    ProxyValue Value(const QString& name) const override;

private:
    QList<const ISystemProxySource*> sources_;
};

// The system proxy on Linux: the http_proxy variable, else the desktop's own setting,
// the running desktop's first (KDE's kioslaverc when XDG_CURRENT_DESKTOP names KDE, else
// GNOME's gsettings first).
class LinuxSystemProxySource : public ISystemProxySource {
public:
    LinuxSystemProxySource();
    ProxyValue Value(const QString& name) const override { return first_.Value(name); }

private:
    EnvironmentProxySource environment_;
    GnomeProxySource gnome_;
    KdeProxySource kde_;
    FirstProxySource first_;
};
