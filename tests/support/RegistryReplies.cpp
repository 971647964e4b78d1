#include "RegistryReplies.h"
#include <QDir>
#include <QFile>

namespace {

const QString kRepliesFolder = QStringLiteral(TARNWICK_SOURCE_DIR "/data/replies");

QByteArray ReadWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QList<RegistrySample> LoadRegistrySamples()
{
    QList<RegistrySample> samples;
    const QByteArray index = ReadWhole(kRepliesFolder + QStringLiteral("/index.tsv"));
    for (const QByteArray& line : index.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() < 2 || fields.at(0).startsWith('#'))
            continue;
        RegistrySample sample;
        sample.tld = QString::fromLatin1(fields.at(0).trimmed());
        sample.host = QString::fromLatin1(fields.at(1).trimmed());
        sample.freeReply = ReadWhole(kRepliesFolder + QLatin1Char('/') + sample.tld + QStringLiteral(".free"));
        sample.takenReply = ReadWhole(kRepliesFolder + QLatin1Char('/') + sample.tld + QStringLiteral(".taken"));
        samples.append(sample);
    }
    return samples;
}

QList<QPair<QString, QByteArray>> LoadRefusalSamples()
{
    QList<QPair<QString, QByteArray>> samples;
    const QDir folder(kRepliesFolder + QStringLiteral("/refusals"));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        samples.append({name, ReadWhole(folder.filePath(name))});
    return samples;
}

QByteArray FillReply(const QByteArray& reply, const QByteArray& domain)
{
    QByteArray filled = reply;
    filled.replace("%DOMAIN_UC%", domain.toUpper());
    filled.replace("%DOMAIN%", domain.toLower());
    return filled;
}
