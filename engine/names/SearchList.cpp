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
    ends_.reserve(ends_.size() + size_t(names));
    chars_.reserve(chars_.size() + characters);
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
    if (normalised.isEmpty() || contains(normalised))
        return false;
    Append(normalised);
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

void TSearchList::Append(QStringView name)
{
    chars_.append(name);
    ends_.push_back(chars_.size());
}

bool TSearchList::contains(QStringView name) const
{
    indexPending();
    if (slots_.empty())
        return false;
    const size_t slot = slotFor(name, qHash(name));
    return slots_[slot] != 0;
}

// Finds the slot holding `name`, or the free slot where it would go.
size_t TSearchList::slotFor(QStringView name, size_t hash) const
{
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const quint32 entry = slots_[slot];
        if (entry == 0 || view(int(entry - 1)) == name)
            return slot;
    }
}

void TSearchList::indexPending() const
{
    // Size the index once for everything appended since it was last brought up to date.
    const qsizetype wanted = 2 * (indexUsed_ + qsizetype(ends_.size()) - indexed_);
    if (wanted > qsizetype(slots_.size()))
        growIndex(wanted);
    while (indexed_ < qsizetype(ends_.size()))
        insertIntoIndex(quint32(indexed_++));
}

void TSearchList::insertIntoIndex(quint32 entry) const
{
    if (2 * (indexUsed_ + 1) > qsizetype(slots_.size()))
        growIndex(2 * (indexUsed_ + 1));
    const QStringView name = view(int(entry));
    const size_t slot = slotFor(name, qHash(name));
    // A name listed twice (appended without the check) keeps its first slot.
    if (slots_[slot] == 0) {
        slots_[slot] = entry + 1;
        ++indexUsed_;
    }
}

void TSearchList::growIndex(qsizetype minimumSlots) const
{
    size_t slotCount = std::max<size_t>(1024, slots_.size() * 2);
    while (slotCount < size_t(minimumSlots))
        slotCount *= 2;
    std::vector<quint32> old;
    old.swap(slots_);
    slots_.assign(slotCount, 0);
    for (const quint32 entry : old) {
        if (entry != 0)
            slots_[slotFor(view(int(entry - 1)), qHash(view(int(entry - 1))))] = entry;
    }
}
