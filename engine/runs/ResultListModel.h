#pragma once
#include <QAbstractListModel>
#include <QStringList>
#include <vector>

// A list of result entries shown newest first. Entries are stored in arrival order
// and presented in reverse, so putting an entry at the top is an append: O(1) however
// long the list grows.
//
// Each entry knows what it says (free, taken, error), for the colours of the lists, and
// may carry a tool tip: how its verdict was reached.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Kind { Other, Free, Taken, Error };
    // data() under this role: the entry's Kind as an int.
    static constexpr int KindRole = Qt::UserRole + 1;

    explicit ResultListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Puts `entry` at row 0; every earlier entry moves one row down.
    void insertAtTop(const QString& entry, Kind kind = Kind::Other);
    // Sets what the newest entry says and its tool tip (when not empty).
    void markNewest(Kind kind, const QString& toolTip = QString());
    void clear();
    int count() const { return static_cast<int>(entries_.size()); }
    // The entry shown at `row` (0 = newest); empty outside the list.
    QString textAt(int row) const;
    Kind kindAt(int row) const;
    // Every entry in screen order (newest first).
    QStringList texts() const;

private:
    struct Entry {
        QString text;
        Kind kind = Kind::Other;
        QString toolTip;
    };
    const Entry* entryAt(int row) const;
    std::vector<Entry> entries_;   // oldest first
};
