// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LinuxSystemProxySource.h"

ProxyValue FirstProxySource::Value(const QString& name) const
{
    for (const ISystemProxySource* source : sources_) {
        if (source->Value(QStringLiteral("ProxyServer")).type != ProxyValueType::Missing)
            return source->Value(name);
    }
    return {};
}

namespace {
bool OnKde()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"), Qt::CaseInsensitive);
}
} // namespace

LinuxSystemProxySource::LinuxSystemProxySource()
    : first_(OnKde() ? QList<const ISystemProxySource*>{&environment_, &kde_, &gnome_}
                     : QList<const ISystemProxySource*>{&environment_, &gnome_, &kde_})
{
}
