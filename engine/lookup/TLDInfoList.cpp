#include "engine/lookup/TLDInfoList.h"
#include "engine/lookup/DomainInput.h"

TLDInfo& TTLDInfoList::Add(const QString& tld, const QString& server, const QString& matchText, bool checked)
{
    auto info = std::make_unique<TLDInfo>();
    info->TLD = tld;
    info->Server = server;
    info->MatchText = matchText;
    info->Checked = checked;
    entries_.push_back(std::move(info));
    return *entries_.back();
}

int TTLDInfoList::IndexOf(const QString& tld) const
{
    // A TLD written in its own script (".рф") is listed by its A-label (".xn--p1ai").
    const QString listed = TldAsListed(tld);
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->TLD.compare(listed, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

TLDInfo* TTLDInfoList::Find(const QString& tld)
{
    const int i = IndexOf(tld);
    return i < 0 ? nullptr : entries_[static_cast<size_t>(i)].get();
}

const TLDInfo* TTLDInfoList::Find(const QString& tld) const
{
    const int i = IndexOf(tld);
    return i < 0 ? nullptr : entries_[static_cast<size_t>(i)].get();
}
