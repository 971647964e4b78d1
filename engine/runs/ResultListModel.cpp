#include "engine/runs/ResultListModel.h"

ResultListModel::ResultListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() < 0 || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return textAt(index.row());
    return {};
}

void ResultListModel::insertAtTop(const QString& entry)
{
    beginInsertRows(QModelIndex(), 0, 0);
    entries_.push_back(entry);
    endInsertRows();
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
    if (row < 0 || row >= count())
        return {};
    return entries_[entries_.size() - 1 - static_cast<size_t>(row)];
}

QStringList ResultListModel::texts() const
{
    QStringList list;
    list.reserve(count());
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        list.append(*it);
    return list;
}
