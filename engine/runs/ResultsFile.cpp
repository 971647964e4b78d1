#include "engine/runs/ResultsFile.h"
#include "engine/ProjectInfo.h"
#include <QFile>

bool WriteResultLine(const QString& path, const QString& line, bool create)
{
    QFile file(path);
    if (!create && !file.exists())
        return false;
    const QIODevice::OpenMode mode = create ? (QIODevice::WriteOnly | QIODevice::Truncate)
                                            : (QIODevice::WriteOnly | QIODevice::Append);
    if (!file.open(mode))
        return false;
    const QByteArray bytes = line.toUtf8() + "\r\n";
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush();
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError;
}

QStringList ResultsFileHeader()
{
    const QString rule(20, QLatin1Char('-'));
    return {rule, QStringLiteral(" Tarnwick Results File"), QString(),
            QStringLiteral("Visit ") + ProjectInfo::WebSite(), rule};
}

bool WriteResultsHeader(const QString& path)
{
    const QStringList header = ResultsFileHeader();
    for (qsizetype i = 0; i < header.size(); ++i) {
        const bool create = i == 0 && !QFile::exists(path);
        if (!WriteResultLine(path, header[i], create))
            return false;
    }
    return true;
}
