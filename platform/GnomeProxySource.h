// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/DesktopProxySetting.h"
#include <QProcessEnvironment>

// GNOME's proxy setting, read with `gsettings list-recursively org.gnome.system.proxy`
// (run directly, never through a shell, and given a bounded time): the HTTP host and
// port of org.gnome.system.proxy.http, used when the mode is 'manual'. Nothing when
// gsettings is missing, fails, or is too slow to answer.
class GnomeProxySource : public ISystemProxySource {
public:
    explicit GnomeProxySource(QString program = QStringLiteral("gsettings"),
                              QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
                              int waitMs = 3000);

    ProxyValue Value(const QString& name) const override { return Read().Value(name); }
    DesktopProxySetting Read() const;

    // The setting in gsettings' listing of the schema (one "schema key value" a line).
    static DesktopProxySetting FromListing(const QString& listing);

private:
    QString program_;
    QProcessEnvironment environment_;
    int waitMs_;
};
