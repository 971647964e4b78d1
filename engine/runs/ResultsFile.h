#pragma once
#include <QString>
#include <QStringList>

// The plain-text results file of the automated search: for each run that writes at
// least one result, a five-line header and then one line per domain, oldest first.
// Lines end in CR LF; nothing stays open between writes.

// Writes `line` and CR LF. With `create` the file is created or emptied first; without
// it the line is added at the end of an existing file, which fails when there is none.
// Every input/output error gives false.
bool WriteResultLine(const QString& path, const QString& line, bool create);

// The header block written before a run's first result line.
QStringList ResultsFileHeader();

// Writes the header: its first line creates the file when there is none yet and is
// appended otherwise, so earlier runs' lines stay. Stops at the first failed write.
bool WriteResultsHeader(const QString& path);
