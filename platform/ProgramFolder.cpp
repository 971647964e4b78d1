#include "platform/ProgramFolder.h"
#include <QCoreApplication>
#include <QDir>

QString ProgramFolderOfExecutable()
{
    return NormaliseProgramFolder(QCoreApplication::applicationDirPath());
}

QString NormaliseProgramFolder(const QString& folder)
{
    QString f = folder;
    while (f.size() > 1 && (f.endsWith(QLatin1Char('/')) || f.endsWith(QLatin1Char('\\'))))
        f.chop(1);
    return f;
}

QString ProgramFile(const QString& programFolder, const QString& fileName)
{
    return programFolder + QLatin1Char('/') + fileName;
}
