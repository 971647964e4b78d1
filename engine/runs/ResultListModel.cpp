#include "engine/runs/ResultListModel.h"

ResultListModel::ResultListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

const ResultListModel::Entry* ResultListModel::entryAt(int row) const
{
    if (row < 0 || row >= count())
        return nullptr;
    return &entries_[entries_.size() - 1 - static_cast<size_t>(row)];
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    const Entry* entry = index.isValid() && index.column() == 0 ? entryAt(index.row()) : nullptr;
    if (!entry)
        return {};
    switch (role) {
    case Qt::DisplayRole: return entry->text;
    case Qt::ToolTipRole: return entry->toolTip.isEmpty() ? entry->text : entry->toolTip;
    case KindRole: return static_cast<int>(entry->kind);
    default: return {};
    }
}

void ResultListModel::insertAtTop(const QString& entry, Kind kind)
{
    beginInsertRows(QModelIndex(), 0, 0);
    entries_.push_back({entry, kind, QString()});
    endInsertRows();
}

void ResultListModel::markNewest(Kind kind, const QString& toolTip)
{
    if (entries_.empty())
        return;
    Entry& newest = entries_.back();
    newest.kind = kind;
    if (!toolTip.isEmpty())
        newest.toolTip = toolTip;
    const QModelIndex top = index(0);
    emit dataChanged(top, top);
}

void ResultListModel::clear()
{
    if (entries_.empty())
        return;
    beginResetModel();
    entries_.clear();
    entries_.shrink_to_fit();
    endResetModel();
}

QString ResultListModel::textAt(int row) const
{
    const Entry* entry = entryAt(row);
    return entry ? entry->text : QString();
}

ResultListModel::Kind ResultListModel::kindAt(int row) const
{
    const Entry* entry = entryAt(row);
    return entry ? entry->kind : Kind::Other;
}

QStringList ResultListModel::texts() const
{
    QStringList list;
    list.reserve(count());
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        list.append(it->text);
    return list;
}
