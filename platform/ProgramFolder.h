#pragma once
#include <QString>

// The folder that holds the running executable and every data file beside it.
// Written without a trailing separator; files are joined with the platform's one.
QString ProgramFolderOfExecutable();

// Removes one trailing separator, so "dir/" and "dir" name the same program folder.
QString NormaliseProgramFolder(const QString& folder);

// programFolder + separator + fileName.
QString ProgramFile(const QString& programFolder, const QString& fileName);
