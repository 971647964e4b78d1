// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KdeProxySource.h"
#include "platform/EnvironmentProxySource.h"
#include <QFile>
#include <QStandardPaths>

namespace {
// kioslaverc is a small file; anything far larger is not one.
constexpr qint64 kMaxFileSize = 1 << 20;
} // namespace

KdeProxySource::KdeProxySource(QString kioslavercPath)
    : path_(kioslavercPath.isEmpty()
                ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/kioslaverc")
                : std::move(kioslavercPath))
{
}

DesktopProxySetting KdeProxySource::Read() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return FromKioslaverc(file.read(kMaxFileSize));
}

DesktopProxySetting KdeProxySource::FromKioslaverc(const QByteArray& text)
{
    QString group, proxyType, httpProxy;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            group = line.mid(1, line.indexOf(QLatin1Char(']')) - 1);
            continue;
        }
        if (group != QLatin1String("Proxy Settings"))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        // A key may carry flags such as "[$e]" (expand variables): the name is before them.
        const QString key = line.left(equals).section(QLatin1Char('['), 0, 0).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("ProxyType"))
            proxyType = value;
        else if (key == QLatin1String("httpProxy"))
            httpProxy = value;
    }
    DesktopProxySetting setting;
    if (proxyType != QLatin1String("1") && proxyType != QLatin1String("0"))
        return setting;
    // The older form puts a blank between host and port.
    const qsizetype blank = httpProxy.lastIndexOf(QLatin1Char(' '));
    if (blank > 0)
        httpProxy = httpProxy.left(blank).trimmed() + QLatin1Char(':') + httpProxy.mid(blank + 1);
    setting.server = EnvironmentProxySource::ProxyServerFromVariable(httpProxy);
    setting.enabled = proxyType == QLatin1String("1");
    return setting;
}
