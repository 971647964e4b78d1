#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class Dictionary;

// The Soundex codes of every dictionary word (DictSoundex), computed once and kept,
// compressed, in "Soundex.dat" so that later start-ups only inflate them.
//
// The file is one zlib stream of 32-bit little-endian integers, one per word in
// dictionary order: the code with its initial replaced by "1", read as a decimal
// number (L123 is kept as 1123, B000 as 1000). The initial comes back from the
// word's index, so in memory each code is kept as its three digits alone.
class SoundexIndex {
public:
    explicit SoundexIndex(const Dictionary& dictionary) : dictionary_(dictionary) {}

    // Computes the codes of every loaded word and writes them to `path` (replacing the
    // file atomically). The codes are kept in memory even when the file cannot be
    // written; false then.
    bool Build(const QString& path);
    // Reads the codes from `path`. A short file fills the entries it holds; later ones
    // are computed when asked for. False, leaving the list empty, when the file cannot
    // be read, is not one complete zlib stream or holds a number no code gives.
    bool Load(const QString& path);
    // Whether every loaded dictionary word has its code in the list.
    bool IsComplete() const;
    void Clear() { digits_ = {}; }

    int Count() const { return int(digits_.size()); }
    // The code of word `index`: the kept one when there is one, else computed.
    QString GetSoundexFor(int index) const;
    // Every kept code, in dictionary order.
    QStringList DictSoundex() const;

    // The integer a code is kept as in the file.
    static qint32 StoredFormOf(const QString& code);

private:
    const Dictionary& dictionary_;
    std::vector<quint16> digits_;   // entry i: the digits of word i's code, 0..999
};
