// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GnomeProxySource.h"
#include <QProcess>

namespace {

// A GVariant text value: a string in single or double quotes loses them (with their
// backslash escapes); a number such as "3128" or "uint32 3128" keeps its last word.
QString Unquote(const QString& value)
{
    const QString v = value.trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('\'') || v.front() == QLatin1Char('"')) && v.back() == v.front()) {
        QString text;
        for (qsizetype i = 1; i + 1 < v.size(); ++i) {
            if (v.at(i) == QLatin1Char('\\') && i + 2 < v.size())
                ++i;
            text.append(v.at(i));
        }
        return text;
    }
    return v.section(QLatin1Char(' '), -1);
}

} // namespace

GnomeProxySource::GnomeProxySource(QString program, QProcessEnvironment environment, int waitMs)
    : program_(std::move(program))
    , environment_(std::move(environment))
    , waitMs_(waitMs)
{
}

DesktopProxySetting GnomeProxySource::Read() const
{
    QProcess gsettings;
    gsettings.setProcessEnvironment(environment_);
    gsettings.setStandardInputFile(QProcess::nullDevice());
    gsettings.setStandardErrorFile(QProcess::nullDevice());
    gsettings.start(program_, {QStringLiteral("list-recursively"), QStringLiteral("org.gnome.system.proxy")});
    if (!gsettings.waitForFinished(waitMs_)) {
        gsettings.kill();
        gsettings.waitForFinished(waitMs_);
        return {};
    }
    if (gsettings.exitStatus() != QProcess::NormalExit || gsettings.exitCode() != 0)
        return {};
    return FromListing(QString::fromUtf8(gsettings.readAllStandardOutput()));
}

DesktopProxySetting GnomeProxySource::FromListing(const QString& listing)
{
    QString mode, host;
    int port = 0;
    for (const QString& line : listing.split(QLatin1Char('\n'))) {
        const QString schema = line.section(QLatin1Char(' '), 0, 0);
        const QString key = line.section(QLatin1Char(' '), 1, 1);
        const QString value = Unquote(line.section(QLatin1Char(' '), 2));
        if (schema == QLatin1String("org.gnome.system.proxy") && key == QLatin1String("mode"))
            mode = value;
        else if (schema == QLatin1String("org.gnome.system.proxy.http") && key == QLatin1String("host"))
            host = value.trimmed();
        else if (schema == QLatin1String("org.gnome.system.proxy.http") && key == QLatin1String("port"))
            port = value.toInt();
    }
    DesktopProxySetting setting;
    if (host.isEmpty())
        return setting;
    setting.server = port > 0 ? QStringLiteral("%1:%2").arg(host).arg(port) : host;
    setting.enabled = mode == QLatin1String("manual");
    return setting;
}
