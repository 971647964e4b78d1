#pragma once
#include <QAbstractListModel>
#include <QList>
#include <QString>

// The TLD dialog's list: one checkable row per entry of TLDInfoList, in list order. An
// IDN TLD shows its letters beside its A-label (".xn--p1ai (.рф)"), so a filter finds it
// by either. The count of ticked rows is kept as ticks change.
class TLDCheckModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TLDCheckModel(QObject* parent = nullptr);

    // Replaces the rows: one per TLD, ticked where `ticks` says so.
    void SetRows(const QStringList& tlds, const QList<bool>& ticks);
    QList<bool> Ticks() const;
    int TickedCount() const { return ticked_; }
    // Ticks or unticks the given rows at once, with one change signal.
    void SetTicks(const QList<int>& rows, bool ticked);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A tick changed through the view (a click or the space bar), not through SetTicks.
    void tickChanged();

private:
    struct Row {
        QString shown;
        bool ticked = false;
    };
    QList<Row> rows_;
    int ticked_ = 0;
};
