#pragma once
#include <QBuffer>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One zlib stream (with its header) between two memory buffers, written at the
// highest compression level. Used for "english.dat", "Soundex.dat" and "Config.dat".

// Inflated data larger than this is refused: no file of ours comes near it, and a
// hostile file could otherwise inflate until memory runs out.
inline constexpr qsizetype MaxInflatedSize = qsizetype(256) * 1024 * 1024;

// Compresses the whole of `source` (from its start) into one zlib stream written to
// `destination` at its current position. False when zlib fails or a write fails.
bool CompressStream(QBuffer& source, QBuffer& destination);

// Inflates `source` from its current position to its end into `destination`, then
// rewinds `destination` to 0. With nothing left to read it writes nothing and only
// rewinds. False (and nothing written) when the bytes are not one complete zlib stream.
bool DecompressStream(QBuffer& source, QBuffer& destination);

// How long the compressor looks for each repeated run of bytes. Both write a level-9
// stream. Short stops the search of each match at 128 candidates, as level 6 does:
// on "Soundex.dat", whose 4-byte integers repeat the same few byte pairs and make
// the full search crawl, it is about ten times faster for a file 4% larger.
enum class MatchSearch { Full, Short };

// The same over byte arrays. CompressBytes gives an empty array when zlib fails.
QByteArray CompressBytes(QByteArrayView data, MatchSearch search = MatchSearch::Full);
bool DecompressBytes(QByteArrayView compressed, QByteArray& inflated, qsizetype maxSize = MaxInflatedSize);

// Reads a whole file holding one zlib stream and inflates it. False when the file cannot
// be read, is larger than the most we inflate from it, or is not a complete stream.
bool ReadPackedFile(const QString& path, QByteArray& inflated);
