#pragma once
#include <QAbstractListModel>
#include <QStringList>
#include <vector>

// A list of result entries shown newest first. Entries are stored in arrival order
// and presented in reverse, so putting an entry at the top is an append: O(1) however
// long the list grows.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Puts `entry` at row 0; every earlier entry moves one row down.
    void insertAtTop(const QString& entry);
    void clear();
    int count() const { return static_cast<int>(entries_.size()); }
    // The entry shown at `row` (0 = newest); empty outside the list.
    QString textAt(int row) const;
    // Every entry in screen order (newest first).
    QStringList texts() const;

private:
    std::vector<QString> entries_;   // oldest first
};
