#include "ui/TLDCheckModel.h"
#include <QUrl>
#include <algorithm>

namespace {

// ".xn--p1ai" shows as ".xn--p1ai (.рф)"; every other TLD as it is.
QString ShownText(const QString& tld)
{
    if (!tld.contains(QLatin1String("xn--"), Qt::CaseInsensitive))
        return tld;
    const QString bare = tld.startsWith(QLatin1Char('.')) ? tld.mid(1) : tld;
    const QString letters = QUrl::fromAce(bare.toLatin1(), QUrl::IgnoreIDNWhitelist);
    return letters.isEmpty() || letters == bare ? tld : tld + QStringLiteral(" (.") + letters + QLatin1Char(')');
}

} // namespace

TLDCheckModel::TLDCheckModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void TLDCheckModel::SetRows(const QStringList& tlds, const QList<bool>& ticks)
{
    beginResetModel();
    rows_.clear();
    rows_.reserve(tlds.size());
    ticked_ = 0;
    for (qsizetype i = 0; i < tlds.size(); ++i) {
        const bool ticked = ticks.value(i, false);
        rows_.append({ShownText(tlds[i]), ticked});
        ticked_ += ticked ? 1 : 0;
    }
    endResetModel();
}

QList<bool> TLDCheckModel::Ticks() const
{
    QList<bool> ticks;
    ticks.reserve(rows_.size());
    for (const Row& row : rows_)
        ticks.append(row.ticked);
    return ticks;
}

void TLDCheckModel::SetTicks(const QList<int>& rows, bool ticked)
{
    int first = static_cast<int>(rows_.size()), last = -1;
    for (int r : rows) {
        if (r < 0 || r >= rows_.size() || rows_[r].ticked == ticked)
            continue;
        rows_[r].ticked = ticked;
        ticked_ += ticked ? 1 : -1;
        first = std::min(first, r);
        last = std::max(last, r);
    }
    if (last >= 0)
        emit dataChanged(index(first), index(last), {Qt::CheckStateRole});
}

int TLDCheckModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant TLDCheckModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row& row = rows_[index.row()];
    if (role == Qt::DisplayRole)
        return row.shown;
    if (role == Qt::CheckStateRole)
        return row.ticked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool TLDCheckModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rows_.size())
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (rows_[index.row()].ticked != ticked) {
        SetTicks({index.row()}, ticked);
        emit tickChanged();
    }
    return true;
}

Qt::ItemFlags TLDCheckModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable : Qt::NoItemFlags;
}
