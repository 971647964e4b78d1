#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <unistd.h>

// The readers of "english.dat" and "Soundex.dat" take a path, so each input is written
// to one scratch file per fuzzing process first.
inline QString WriteScratchFile(const QByteArray& bytes)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("tarnwick-fuzz-%1.dat").arg(QString::number(::getpid())));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}
