#pragma once
#include <QStringConverter>

class QIODevice;

// The encoding a text file of the user's is read in: UTF-8 or UTF-16 when the file begins
// with that byte-order mark, else UTF-8 when every byte of it is valid UTF-8, else the
// local 8-bit encoding (a byte a character on Unix systems, whose local encoding is UTF-8). Reads the file through to decide and leaves it at its start
// again; nullopt when it cannot be read or rewound.
std::optional<QStringConverter::Encoding> TextFileEncoding(QIODevice& file);
