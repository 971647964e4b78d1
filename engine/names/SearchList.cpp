#include "engine/names/SearchList.h"
#include "engine/names/NameNormalisation.h"
#include <QHash>
#include <algorithm>

namespace {

template <typename Chars>
void NormaliseInto(const Chars& name, QString& kept)
{
    kept.resize(0);
    for (const auto c : name) {
        if (const char16_t k = NameCharFor(QChar(c).unicode()))
            kept.append(QChar(k));
    }
}

} // namespace

QStringView TSearchList::view(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const qsizetype start = index == 0 ? 0 : ends_[size_t(index) - 1];
    return QStringView(chars_).sliced(start, ends_[size_t(index)] - start);
}

QStringList TSearchList::toStringList() const
{
    QStringList names;
    names.reserve(count());
    for (int i = 0; i < count(); ++i)
        names.append(at(i));
    return names;
}

void TSearchList::clear()
{
    chars_ = QString();
    ends_ = {};
    slots_ = {};
    indexed_ = 0;
    indexUsed_ = 0;
}

void TSearchList::reserve(qsizetype names, qsizetype characters)
{
    // Never less than doubling, so that many small reservations stay linear.
    const size_t wantedNames = ends_.size() + size_t(std::max<qsizetype>(names, 0));
    if (wantedNames > ends_.capacity())
        ends_.reserve(std::max(wantedNames, 2 * ends_.capacity()));
    const qsizetype wantedChars = chars_.size() + std::max<qsizetype>(characters, 0);
    if (wantedChars > chars_.capacity())
        chars_.reserve(std::max(wantedChars, 2 * chars_.capacity()));
}

bool TSearchList::AddItem(QStringView name)
{
    NormaliseInto(name, scratch_);
    return AddUnlessListed(WithoutWwwPrefix(scratch_));
}

bool TSearchList::AddItem(QLatin1String name)
{
    NormaliseInto(name, scratch_);
    return AddUnlessListed(WithoutWwwPrefix(scratch_));
}

bool TSearchList::AddUnlessListed(QStringView normalised)
{
    if (normalised.isEmpty())
        return false;
    indexPending(1);
    const quint32 hash = HashOf(normalised);
    const size_t slot = findSlot(normalised, hash);
    if (slots_[slot].entry != 0)
        return false;
    Append(normalised);
    slots_[slot] = {quint32(ends_.size()), hash};
    ++indexed_;
    ++indexUsed_;
    return true;
}

void TSearchList::AddItems(const QStringList& names)
{
    qsizetype characters = 0;
    for (const QString& name : names)
        characters += name.size();
    reserve(names.size(), characters);
    for (const QString& name : names)
        Append(name);
}

void TSearchList::AddItems(const TSearchList& names)
{
    if (&names == this) {
        const TSearchList copy = names;
        AddItems(copy);
        return;
    }
    const qsizetype offset = chars_.size();
    reserve(names.count(), names.chars_.size());
    chars_.append(names.chars_);
    for (const qsizetype end : names.ends_)
        ends_.push_back(offset + end);
}

void TSearchList::Append(QStringView name)
{
    chars_.append(name);
    ends_.push_back(chars_.size());
}

bool TSearchList::contains(QStringView name) const
{
    indexPending(0);
    if (slots_.empty())
        return false;
    return slots_[findSlot(name, HashOf(name))].entry != 0;
}

quint32 TSearchList::HashOf(QStringView name)
{
    const size_t hash = qHash(name);
    return quint32(hash ^ (quint64(hash) >> 32));
}

// The slot holding `name`, or the free slot where it would go.
size_t TSearchList::findSlot(QStringView name, quint32 hash) const
{
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.entry == 0 || (s.hash == hash && view(int(s.entry - 1)) == name))
            return slot;
    }
}

// Brings the index up to date with every name appended since it was last used, with
// room for `extra` more.
void TSearchList::indexPending(qsizetype extra) const
{
    const qsizetype pending = qsizetype(ends_.size()) - indexed_;
    if (4 * (indexUsed_ + pending + extra) > 3 * qsizetype(slots_.size()))
        growIndex(indexUsed_ + pending + extra);
    for (; indexed_ < qsizetype(ends_.size()); ++indexed_) {
        const QStringView name = view(int(indexed_));
        const quint32 hash = HashOf(name);
        Slot& slot = slots_[findSlot(name, hash)];
        // A name appended twice keeps the slot of its first copy.
        if (slot.entry == 0) {
            slot = {quint32(indexed_ + 1), hash};
            ++indexUsed_;
        }
    }
}

// Makes room for `names` names, at least doubling the index.
void TSearchList::growIndex(qsizetype names) const
{
    size_t slotCount = std::max<size_t>(1024, slots_.size() * 2);
    while (3 * slotCount < 4 * size_t(names))
        slotCount *= 2;
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    const size_t mask = slotCount - 1;
    for (const Slot& s : old) {
        if (s.entry == 0)
            continue;
        size_t slot = s.hash & mask;
        while (slots_[slot].entry != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = s;
    }
}
