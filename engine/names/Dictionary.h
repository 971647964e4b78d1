#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <vector>

// The English word list of "english.dat", held in memory read-only.
//
// Words are ordered A to Z, each initial letter owning one fixed run of indices, so an
// entry is stored without its first letter: the initial follows from the index through
// the table of letter runs below. An empty entry is a one-letter word.
class Dictionary {
public:
    // Number of words the letter runs are laid out for, and the last word's index.
    static constexpr int WordCount = 77763;
    static constexpr int LastWordIndex = WordCount - 1;
    // Entries kept from a file: the Z run reaches one index past the last word, and no
    // index reaches further, so any later lines are dropped.
    static constexpr int MaxEntries = WordCount + 1;

    // Reads and inflates the file and splits it into entries (a line ends at CR LF, LF
    // or CR; a final line break adds no empty entry; at most MaxEntries). False, leaving the dictionary
    // empty, when the file cannot be read or is not one zlib stream.
    bool Load(const QString& path);
    // Loads from inflated text already in memory (the same line rules).
    void LoadText(QByteArray text);
    void Clear();

    // Entries actually loaded; every scan must stay below it.
    int Count() const { return int(starts_.size()); }
    bool IsEmpty() const { return starts_.empty(); }

    // The word at `index`: its initial followed by the stored entry. Empty for an
    // index outside the loaded entries.
    QString GetDictWord(int index) const;
    // The stored entry (without the initial), as bytes.
    QByteArrayView Entry(int index) const;

    // First index of the run of `letter`; "A" and every character outside "B".."Z" give 0.
    static int GetIndexFor(QChar letter);
    // The initial whose run holds `index`; outside 0..77763 a string holding the
    // character code 0.
    static QString GetInitialFor(int index);
    static QChar InitialFor(int index);
    // Last index of the run of `letter` ("A".."Z"; the Z run reaches 77763), or -1.
    static int LastIndexOfRun(QChar letter);

private:
    QByteArray text_;                 // the inflated file
    std::vector<qsizetype> starts_;   // where each entry begins in text_
    std::vector<int> lengths_;        // and its length
};
