#pragma once
#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <optional>

class QIODevice;

// Turns the bytes of a text file of the user's into text, fed in pieces of any size. The
// encoding is the one the file's byte-order mark names (UTF-8, UTF-16), else UTF-8 when
// every byte of the file is valid UTF-8, else the local 8-bit encoding (a byte a character
// on Unix systems, whose local encoding Qt takes to be UTF-8). Each piece is decoded up to
// a point where no character is cut and the rest waits for the next piece, so the text
// never depends on where the file was cut into pieces.
class TextFileDecoder {
public:
    // Reads `file` through to pick its encoding and leaves it at its start again; nullopt
    // when it cannot be read or rewound.
    static std::optional<TextFileDecoder> ForFile(QIODevice& file);

    QString Decode(QByteArrayView bytes);
    // What was held back at the end of the file.
    QString Finish();

private:
    TextFileDecoder(QStringConverter::Encoding encoding, qsizetype markLength);
    // The length of the longest beginning of `bytes` that ends between two characters.
    qsizetype CleanLength(QByteArrayView bytes) const;
    QString DecodeWhole(QByteArrayView bytes) const;

    QStringConverter::Encoding encoding_;
    qsizetype markToSkip_;   // bytes of the byte-order mark not skipped yet
    QByteArray held_;        // the end of the last piece, cut in a character
};
