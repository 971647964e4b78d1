#pragma once
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// The ordered list of bare candidate names (no TLD) that an automated run checks.
// Insertion order; nothing sorts it.
//
// The names live side by side in one character buffer, so ten million short names
// fit in a few hundred megabytes. A hash index of the names answers "already in the
// list?" in constant time with the same answer as a search of the whole list; it is
// brought up to date only when that question is asked, so sources that append
// without the check (numbers, the dictionary block) do not pay for it.
class TSearchList {
public:
    int count() const { return int(ends_.size()); }
    int size() const { return count(); }
    bool isEmpty() const { return ends_.empty(); }
    QString at(int index) const { return view(index).toString(); }
    QStringView view(int index) const;
    QStringList toStringList() const;

    // Empties the list and gives its memory back.
    void clear();
    // Room for `names` more names of `characters` characters in all.
    void reserve(qsizetype names, qsizetype characters);

    // Normalises `name` and appends it unless the result is empty or already listed.
    // True when it was appended.
    bool AddItem(QStringView name);
    bool AddItem(QLatin1String name);
    // Appends an already normalised name unless it is empty or already listed.
    bool AddUnlessListed(QStringView normalised);
    // Appends every name as it is: no normalisation, no duplicate check.
    void AddItems(const QStringList& names);
    void AddItems(const TSearchList& names);
    void Append(QStringView name);

    // Whether an equal name is anywhere in the list.
    bool contains(QStringView name) const;

private:
    // One slot of the hash index: the entry number plus one (0 for a free slot) and
    // the name's 32-bit hash, which spares most string comparisons and lets the index
    // grow without hashing the names again.
    struct Slot {
        quint32 entry = 0;
        quint32 hash = 0;
    };

    static quint32 HashOf(QStringView name);
    void indexPending(qsizetype extra) const;
    size_t findSlot(QStringView name, quint32 hash) const;
    void growIndex(qsizetype names) const;

    QString chars_;                   // every name, one after the other
    std::vector<qsizetype> ends_;     // where each name ends in chars_

    // Open-addressing hash index over the first `indexed_` names, kept at most three
    // quarters full; `indexUsed_` slots are taken (a name appended twice takes one).
    mutable std::vector<Slot> slots_;
    mutable qsizetype indexed_ = 0;
    mutable qsizetype indexUsed_ = 0;
    QString scratch_;                 // reused while normalising
};
