#include "settings/ServerTree.h"
#include "engine/lookup/ServerKind.h"

int ServerStateFor(const QString& name, bool isDefault)
{
    const int alternative = IsHttpServer(name) ? ServerState::HttpAlternative : ServerState::WhoisAlternative;
    return isDefault ? alternative + 1 : alternative;
}

namespace {
template <typename List>
bool validRow(const List& list, int row)
{
    return row >= 0 && row < list.size();
}
} // namespace

TServerTree::TServerTree(QObject* parent)
    : QAbstractItemModel(parent)
{
}

// --- Reading ------------------------------------------------------------------------

int TServerTree::ServerNodeCount() const
{
    int count = 0;
    for (const TLD& tld : tlds_)
        count += static_cast<int>(tld.servers.size());
    return count;
}

int TServerTree::FindTLD(const QString& text, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < TLDCount(); ++i)
        if (tlds_[i].text.compare(text, cs) == 0)
            return i;
    return -1;
}

int TServerTree::DefaultServer(int tld) const
{
    if (!validRow(tlds_, tld))
        return -1;
    const QList<Server>& servers = tlds_.at(tld).servers;
    for (int i = 0; i < servers.size(); ++i)
        if (IsDefaultState(servers[i].stateIndex))
            return i;
    return -1;
}

QStringList TServerTree::TLDTexts() const
{
    QStringList texts;
    texts.reserve(tlds_.size());
    for (const TLD& tld : tlds_)
        texts.append(tld.text);
    return texts;
}

// Top-level indexes carry 0 as their internal id, a server node the row of its TLD + 1.
TServerTree::NodeRef TServerTree::RefOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    const quintptr id = index.internalId();
    if (id == 0)
        return index.row() < TLDCount() ? NodeRef{index.row(), -1} : NodeRef{};
    const int tld = static_cast<int>(id - 1);
    if (tld >= TLDCount() || index.row() >= tlds_[tld].servers.size())
        return {};
    return {tld, index.row()};
}

QModelIndex TServerTree::IndexOf(NodeRef ref) const
{
    if (!ref.isValid() || ref.tld >= TLDCount())
        return {};
    if (ref.server < 0)
        return createIndex(ref.tld, 0, quintptr(0));
    if (ref.server >= tlds_[ref.tld].servers.size())
        return {};
    return createIndex(ref.server, 0, quintptr(ref.tld) + 1);
}

// --- Editing ------------------------------------------------------------------------

void TServerTree::Clear()
{
    SetTLDs({});
}

void TServerTree::SetTLDs(QList<TLD> tlds)
{
    beginResetModel();
    tlds_ = std::move(tlds);
    endResetModel();
}

int TServerTree::AppendTLD(const QString& text)
{
    const int row = TLDCount();
    beginInsertRows({}, row, row);
    tlds_.append(TLD{text, {}});
    endInsertRows();
    return row;
}

void TServerTree::RemoveTLD(int tld)
{
    if (tld < 0 || tld >= TLDCount())
        return;
    beginRemoveRows({}, tld, tld);
    tlds_.removeAt(tld);
    endRemoveRows();
}

int TServerTree::AppendServer(int tld, const QString& name, int stateIndex)
{
    if (!validRow(tlds_, tld))
        return -1;
    QList<Server>& servers = tlds_[tld].servers;
    const int row = static_cast<int>(servers.size());
    beginInsertRows(IndexOf({tld, -1}), row, row);
    servers.append(Server{name, stateIndex});
    endInsertRows();
    return row;
}

void TServerTree::RemoveServer(int tld, int server)
{
    if (tld < 0 || tld >= TLDCount() || server < 0 || server >= tlds_[tld].servers.size())
        return;
    beginRemoveRows(IndexOf({tld, -1}), server, server);
    tlds_[tld].servers.removeAt(server);
    endRemoveRows();
}

void TServerTree::SetServerState(int tld, int server, int stateIndex)
{
    if (!validRow(tlds_, tld) || !validRow(tlds_[tld].servers, server))
        return;
    Server& node = tlds_[tld].servers[server];
    if (node.stateIndex == stateIndex)
        return;
    node.stateIndex = stateIndex;
    EmitServerChanged(tld, server);
}

void TServerTree::EmitServerChanged(int tld, int server)
{
    const QModelIndex index = IndexOf({tld, server});
    emit dataChanged(index, index, {StateIndexRole, Qt::DecorationRole});
}

int TServerTree::IncludeServer(int tld, const QString& name)
{
    if (!validRow(tlds_, tld))
        return -1;
    const bool first = tlds_.at(tld).servers.isEmpty();
    return AppendServer(tld, name, ServerStateFor(name, first));
}

void TServerTree::MakeDefault(int tld, int server)
{
    if (!validRow(tlds_, tld) || !validRow(tlds_[tld].servers, server))
        return;
    const QList<Server>& servers = tlds_.at(tld).servers;
    for (int i = 0; i < servers.size(); ++i) {
        const int state = servers[i].stateIndex;
        if (i != server && IsDefaultState(state))
            SetServerState(tld, i, state - 1);
    }
    const int state = servers.at(server).stateIndex;
    if (!IsDefaultState(state))
        SetServerState(tld, server, state + 1);
}

void TServerTree::UnincludeServer(int tld, int server)
{
    if (!validRow(tlds_, tld) || !validRow(tlds_[tld].servers, server))
        return;
    const bool wasDefault = IsDefaultState(tlds_.at(tld).servers.at(server).stateIndex);
    RemoveServer(tld, server);
    if (wasDefault)
        ElectFirstDefault(tld);
}

int TServerTree::RemoveServerEverywhere(const QString& name)
{
    int removed = 0;
    for (int tld = 0; tld < TLDCount(); ++tld) {
        bool removedDefault = false;
        for (int server = static_cast<int>(tlds_[tld].servers.size()) - 1; server >= 0; --server) {
            if (tlds_[tld].servers[server].text != name)
                continue;
            removedDefault = removedDefault || IsDefaultState(tlds_[tld].servers[server].stateIndex);
            RemoveServer(tld, server);
            ++removed;
        }
        if (removedDefault)
            ElectFirstDefault(tld);
    }
    return removed;
}

void TServerTree::ElectFirstDefault(int tld)
{
    if (!validRow(tlds_, tld))
        return;
    const QList<Server>& servers = tlds_.at(tld).servers;
    if (servers.isEmpty() || DefaultServer(tld) >= 0)
        return;
    SetServerState(tld, 0, ServerStateFor(servers.first().text, true));
}

// --- ITreeNodeStore -----------------------------------------------------------------

TreeNodeList TServerTree::Nodes() const
{
    TreeNodeList nodes;
    nodes.reserve(TLDCount() + ServerNodeCount());
    for (const TLD& tld : tlds_) {
        nodes.append({tld.text, 0, ServerState::None});
        for (const Server& server : tld.servers)
            nodes.append({server.text, 1, server.stateIndex});
    }
    return nodes;
}

QList<TServerTree::TLD> TServerTree::FromNodes(const TreeNodeList& nodes)
{
    QList<TLD> tlds;
    for (const TreeNodeRecord& node : nodes) {
        if (node.level == 0)
            tlds.append(TLD{node.text, {}});
        else if (node.level == 1 && !tlds.isEmpty())
            tlds.last().servers.append(Server{node.text, node.stateIndex});
    }
    return tlds;
}

void TServerTree::SetNodes(const TreeNodeList& nodes)
{
    SetTLDs(FromNodes(nodes));
}

// --- Item model ---------------------------------------------------------------------

void TServerTree::setStatePictures(const QVariantList& pictures)
{
    statePictures_ = pictures;
    for (int tld = 0; tld < TLDCount(); ++tld) {
        const int last = static_cast<int>(tlds_[tld].servers.size()) - 1;
        if (last >= 0)
            emit dataChanged(IndexOf({tld, 0}), IndexOf({tld, last}), {Qt::DecorationRole});
    }
}

QModelIndex TServerTree::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return IndexOf({row, -1});
    const NodeRef p = RefOf(parent);
    if (p.isServer() || !p.isValid())
        return {};
    return IndexOf({p.tld, row});
}

QModelIndex TServerTree::parent(const QModelIndex& child) const
{
    const NodeRef ref = RefOf(child);
    if (!ref.isServer())
        return {};
    return IndexOf({ref.tld, -1});
}

int TServerTree::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return TLDCount();
    const NodeRef ref = RefOf(parent);
    if (!ref.isValid() || ref.isServer() || parent.column() != 0)
        return 0;
    return static_cast<int>(tlds_[ref.tld].servers.size());
}

int TServerTree::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TServerTree::data(const QModelIndex& index, int role) const
{
    const NodeRef ref = RefOf(index);
    if (!ref.isValid())
        return {};
    const int state = ref.isServer() ? tlds_[ref.tld].servers[ref.server].stateIndex : ServerState::None;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return ref.isServer() ? tlds_[ref.tld].servers[ref.server].text : tlds_[ref.tld].text;
    case StateIndexRole:
        return state;
    case Qt::DecorationRole:
        if (state >= 1 && state < statePictures_.size())
            return statePictures_[state];
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags TServerTree::flags(const QModelIndex& index) const
{
    if (!RefOf(index).isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
