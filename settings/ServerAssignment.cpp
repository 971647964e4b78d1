#include "settings/ServerAssignment.h"
#include "engine/Misc1.h"
#include "settings/CheckStates.h"
#include "settings/ConfigFile.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

const QString kCacheMarker = QStringLiteral("Cache Domains Taken List");

bool lessIgnoringCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// The integer an item of a TLD row names, when it is one and a line of the server table.
std::optional<int> serverIndexOf(const QString& item, int serverCount)
{
    bool ok = false;
    const int index = item.trimmed().toInt(&ok, 10);
    if (!ok || index < 0 || index >= serverCount)
        return std::nullopt;
    return index;
}

} // namespace

TServerAssignment::TServerAssignment(TMisc1& engine)
    : engine_(engine)
{
    for (int i = 0; i < engine_.ServerCount(); ++i) {
        const QString name = engine_.GetServerName(i);
        if (!name.isEmpty() && name != kCacheMarker)
            serverList_.append(name);
    }
    for (int i = 0; i < engine_.TLDCount(); ++i)
        domainList_.append(QLatin1Char('.') + engine_.GetTLDName(i));

    // The TLDs of today that the table lacks, as the bootstrap in use names them: offered
    // like the table's own, so their hosts are servers to choose and their names no
    // domains of the user's own.
    furtherTlds_ = FurtherTLDs(engine_.builtinTables(), engine_.RdapBootstrap);
    QSet<QString> servers(serverList_.cbegin(), serverList_.cend());
    for (const FurtherTLD& further : std::as_const(furtherTlds_)) {
        domainList_.append(further.TLD);
        if (!servers.contains(further.Server)) {
            servers.insert(further.Server);
            serverList_.append(further.Server);
        }
    }
}

QString TServerAssignment::SettingsPath() const
{
    return engine_.settingsFile(QLatin1String(SettingsFileName()));
}

QString TServerAssignment::ConfigPath() const
{
    return engine_.settingsFile(QLatin1String(ConfigFileName()));
}

void TServerAssignment::ReadTicks(const IniFile& settings)
{
    TTLDInfoList& list = engine_.TLDInfoList;
    QStringList tlds;
    tlds.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        tlds.append(list.At(i).TLD);
    const QList<bool> ticks = ReadCheckStates(settings, tlds, positionalTicks_);
    for (int i = 0; i < list.Count(); ++i)
        list.At(i).Checked = ticks[i];
}

// Section "Checked" of Settings.dat; a missing file or key reads as "Q".
void TServerAssignment::ReadTicksFromSettingsFile()
{
    IniFile settings;
    settings.Load(SettingsPath());
    ReadTicks(settings);
}

// --- Building -------------------------------------------------------------------------

void TServerAssignment::BuildAtStartup()
{
    if (QFile::exists(ConfigPath()))
        BuildFromConfigFile();
    else
        InitialiseTree();
    GetAllServersSorted();
}

void TServerAssignment::InitialiseTree()
{
    const int serverCount = engine_.ServerCount();
    struct Entry {
        QString tld;
        QString server;
        QString matchText;
    };
    QList<Entry> entries;
    QList<TServerTree::TLD> tlds;
    tlds.reserve(engine_.TLDCount() + engine_.NewDomainList.size() + furtherTlds_.size());
    for (int i = 0; i < engine_.TLDCount(); ++i) {
        TServerTree::TLD tld{QLatin1Char('.') + engine_.GetTLDName(i), {}};
        const QStringList items = engine_.GetTLDServerIndexes(i);
        if (const auto d = serverIndexOf(items.value(0), serverCount))
            entries.append({tld.text, engine_.GetServerName(*d), engine_.GetServerMatchText(*d)});
        for (qsizetype item = 0; item < items.size(); ++item) {
            if (const auto s = serverIndexOf(items[item], serverCount)) {
                const QString name = engine_.GetServerName(*s);
                tld.servers.append({name, ServerStateFor(name, item == 0)});
            }
        }
        tlds.append(tld);
    }
    // A tick string written without TLD names covers the table's entries.
    positionalTicks_ = entries.size();
    QSet<QString> present;
    for (const TServerTree::TLD& tld : std::as_const(tlds))
        present.insert(tld.text.toLower());
    // The user's own domains follow, without servers, so that servers can be included for them.
    for (const QString& domain : engine_.NewDomainList) {
        if (!present.contains(domain.toLower())) {
            present.insert(domain.toLower());
            tlds.append({domain, {}});
        }
    }
    // Then today's TLDs that the table lacks, each answered by its whois host.
    for (const FurtherTLD& further : std::as_const(furtherTlds_)) {
        if (present.contains(further.TLD))
            continue;
        tlds.append({further.TLD, {{further.Server, ServerStateFor(further.Server, true)}}});
        entries.append({further.TLD, further.Server, engine_.FindMatchTextForServer(further.Server)});
    }
    tree_.SetTLDs(std::move(tlds));

    engine_.TLDInfoList.Clear();
    for (const Entry& entry : std::as_const(entries))
        engine_.TLDInfoList.Add(entry.tld, entry.server, entry.matchText, false);
    ReadTicksFromSettingsFile();
}

bool TServerAssignment::LoadTreeview()
{
    return ::LoadTreeview(tree_, ConfigPath());
}

bool TServerAssignment::SaveTreeview() const
{
    return ::SaveTreeview(tree_, ConfigPath());
}

bool TServerAssignment::BuildFromConfigFile()
{
    const bool sound = LoadTreeview();
    // A tick string written without TLD names covers the entries of the saved tree.
    positionalTicks_ = 0;
    for (int t = 0; t < tree_.TLDCount(); ++t)
        for (const TServerTree::Server& server : tree_.TLDAt(t).servers)
            positionalTicks_ += IsDefaultState(server.stateIndex) ? 1 : 0;
    // A tree saved before today's TLDs were offered (or before the bootstrap named some)
    // gets them at its end, after the user's domains; a damaged file stays as it was read.
    if (sound)
        AppendMissingFurtherTLDs();
    AppendTLDInfoFromTree();
    ReadTicksFromSettingsFile();
    return sound;
}

void TServerAssignment::AppendMissingFurtherTLDs()
{
    QSet<QString> present;
    for (const TServerTree::TLD& tld : tree_.TLDs())
        present.insert(tld.text.toLower());
    QList<TServerTree::TLD> tlds = tree_.TLDs();
    const qsizetype before = tlds.size();
    for (const FurtherTLD& further : std::as_const(furtherTlds_))
        if (!present.contains(further.TLD))
            tlds.append({further.TLD, {{further.Server, ServerStateFor(further.Server, true)}}});
    if (tlds.size() > before)
        tree_.SetTLDs(std::move(tlds));
}

void TServerAssignment::AppendTLDInfoFromTree()
{
    engine_.TLDInfoList.Clear();
    for (const TServerTree::TLD& tld : tree_.TLDs())
        for (const TServerTree::Server& server : tld.servers)
            if (IsDefaultState(server.stateIndex))
                engine_.TLDInfoList.Add(tld.text, server.text, engine_.FindMatchTextForServer(server.text), false);
}

void TServerAssignment::CommitToTLDInfoList()
{
    // The ticks are kept by position in Settings.dat, and the next start builds the list
    // from the saved tree: so the list becomes now what that start will build (one entry
    // per TLD with a default server, in tree order), each entry keeping its tick. The
    // n-th TLD node of a name takes the tick of the n-th entry of that name; a TLD new to
    // the list comes unticked, and one that lost its last server leaves it.
    QHash<QString, QList<bool>> ticksByTld;   // per lower-cased TLD, in list order
    for (int i = 0; i < engine_.TLDInfoList.Count(); ++i) {
        const TLDInfo& entry = engine_.TLDInfoList.At(i);
        ticksByTld[entry.TLD.toLower()].append(entry.Checked);
    }
    QHash<QString, int> defaultsSeen;   // per lower-cased TLD: nodes with a default met so far
    TTLDInfoList rebuilt;
    for (int t = 0; t < tree_.TLDCount(); ++t) {
        const int d = tree_.DefaultServer(t);
        if (d < 0)
            continue;
        const TServerTree::TLD& tld = tree_.TLDAt(t);
        const QString key = tld.text.toLower();
        const bool checked = ticksByTld.value(key).value(defaultsSeen[key]++, false);
        const QString& server = tld.servers[d].text;
        rebuilt.Add(tld.text, server, engine_.FindMatchTextForServer(server), checked);
    }
    engine_.TLDInfoList = std::move(rebuilt);
}

// --- Lists ------------------------------------------------------------------------------

void TServerAssignment::GetAllServersSorted()
{
    sortedServers_ = serverList_ + engine_.NewServerList;
    std::stable_sort(sortedServers_.begin(), sortedServers_.end(), lessIgnoringCase);
}

std::optional<QStringList> TServerAssignment::UpdateServerCombo(const QModelIndex& selected) const
{
    const TServerTree::NodeRef ref = tree_.RefOf(selected);
    if (!ref.isValid())
        return std::nullopt;
    QStringList lacking = sortedServers_;
    for (const TServerTree::Server& server : tree_.TLDAt(ref.tld).servers) {
        for (qsizetype j = 0; j < lacking.size(); ++j) {
            if (lacking[j].compare(server.text, Qt::CaseInsensitive) == 0) {
                lacking.removeAt(j);
                break;
            }
        }
    }
    return lacking;
}

// --- "Server Assignment" page -------------------------------------------------------------

QModelIndex TServerAssignment::IncludeServer(const QModelIndex& selected, const QString& name)
{
    const TServerTree::NodeRef ref = tree_.RefOf(selected);
    if (!ref.isValid() || name.isEmpty())
        return {};
    const int row = tree_.IncludeServer(ref.tld, name);
    return row < 0 ? QModelIndex() : tree_.IndexOf({ref.tld, row});
}

void TServerAssignment::SetDefaultServer(const QModelIndex& selected)
{
    const TServerTree::NodeRef ref = tree_.RefOf(selected);
    if (!ref.isServer() || IsDefaultState(tree_.TLDAt(ref.tld).servers[ref.server].stateIndex))
        return;
    tree_.MakeDefault(ref.tld, ref.server);
}

bool TServerAssignment::UnincludeServer(const QModelIndex& selected)
{
    const TServerTree::NodeRef ref = tree_.RefOf(selected);
    if (!ref.isServer() || !Confirm(QStringLiteral("Are you sure you wish to unassign this server to this domain ?")))
        return false;
    tree_.UnincludeServer(ref.tld, ref.server);
    return true;
}

// --- "Servers" page ---------------------------------------------------------------------------

QString TServerAssignment::CleanedName(const QString& typed)
{
    QString name;
    name.reserve(typed.size());
    for (QChar c : typed) {
        if (c.isSpace())
            continue;
        name.append(c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c);
    }
    return name;
}

bool TServerAssignment::IsKnownServer(const QString& name) const
{
    return serverList_.contains(name, Qt::CaseInsensitive) || engine_.NewServerList.contains(name, Qt::CaseInsensitive);
}

bool TServerAssignment::IsKnownDomain(const QString& name) const
{
    return domainList_.contains(name, Qt::CaseInsensitive) || engine_.NewDomainList.contains(name, Qt::CaseInsensitive);
}

bool TServerAssignment::AddUserServer(const QString& typedName, bool httpType, const QString& matchText)
{
    QString name = CleanedName(typedName);
    if (name.isEmpty()) {
        ShowError(QStringLiteral("Invalid Server Name\r\rPlease enter a valid server name"));
        return false;
    }
    if (httpType && !name.startsWith(QLatin1String("http://")) && !name.startsWith(QLatin1String("https://")))
        name.prepend(QLatin1String("http://"));
    if (IsKnownServer(name)) {
        ShowError(QStringLiteral("Server Name already exists\r\rThe server has already been added"));
        return false;
    }
    if (matchText.isEmpty()) {
        ShowError(QStringLiteral("Search Text not specified\r\rPlease enter the text the server returns that specifies a free domain"));
        return false;
    }
    engine_.NewServerList.append(name);
    engine_.NewMatchList.append(matchText);
    GetAllServersSorted();
    engine_.ShowMessage(MessageKind::Information,
                        QStringLiteral("This new server has been added.\r\rYou may now assign it for searching a domain."), MbOk);
    return true;
}

bool TServerAssignment::DeleteUserServer(int selectedRow)
{
    if (!Confirm(QStringLiteral("Are you sure you want to delete this server ?")))
        return false;
    if (selectedRow < 0 || selectedRow >= engine_.NewServerList.size()) {
        ShowError(QStringLiteral("No Server selected\r\rPlease select the server you wish to delete"));
        return false;
    }
    const QString name = engine_.NewServerList.takeAt(selectedRow);
    if (selectedRow < engine_.NewMatchList.size())
        engine_.NewMatchList.removeAt(selectedRow);
    for (qsizetype i = 0; i < sortedServers_.size(); ++i) {
        if (sortedServers_[i].compare(name, Qt::CaseInsensitive) == 0) {
            sortedServers_.removeAt(i);
            break;
        }
    }
    tree_.RemoveServerEverywhere(name);
    return true;
}

// --- "Domains" page ---------------------------------------------------------------------------

bool TServerAssignment::AddUserDomain(const QString& typedName)
{
    QString name = CleanedName(typedName);
    if (name.isEmpty()) {
        ShowError(QStringLiteral("Invalid Domain Name\r\rPlease enter a valid domain name"));
        return false;
    }
    if (!name.startsWith(QLatin1Char('.')))
        name.prepend(QLatin1Char('.'));
    if (IsKnownDomain(name)) {
        ShowError(QStringLiteral("Domain Name already exists\r\rThe Domain name has already been added"));
        return false;
    }
    engine_.NewDomainList.append(name);
    if (tree_.FindTLD(name, Qt::CaseInsensitive) < 0)
        tree_.AppendTLD(name);
    return true;
}

bool TServerAssignment::DeleteUserDomain(int selectedRow)
{
    if (!Confirm(QStringLiteral("Are you sure you want to delete this domain ?")))
        return false;
    if (selectedRow < 0 || selectedRow >= engine_.NewDomainList.size()) {
        ShowError(QStringLiteral("No Domain selected\r\rPlease select the domain name you wish to delete"));
        return false;
    }
    const QString name = engine_.NewDomainList.takeAt(selectedRow);
    tree_.RemoveTLD(tree_.FindTLD(name, Qt::CaseSensitive));
    return true;
}

// --- Messages ---------------------------------------------------------------------------------

bool TServerAssignment::Confirm(const QString& question) const
{
    return engine_.ShowMessage(MessageKind::Question, question, MbYes | MbNo) == MbYes;
}

void TServerAssignment::ShowError(const QString& text) const
{
    engine_.ShowMessage(MessageKind::Error, text, MbOk);
}
