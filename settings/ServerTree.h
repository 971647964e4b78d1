#pragma once
#include "settings/TreeNodeList.h"
#include <QAbstractItemModel>
#include <QStringList>
#include <QVariantList>

// State index of a node of the server-assignment tree: it tells the server's kind and
// whether it is its TLD's default, and picks the node's state picture.
namespace ServerState {
constexpr int None = -1;             // TLD nodes
constexpr int WhoisAlternative = 1;
constexpr int WhoisDefault = 2;
constexpr int HttpAlternative = 3;
constexpr int HttpDefault = 4;
}

// A server is of the HTTP kind when its name begins with exactly "http" (so "https://"

// The state index of a server of `name`, as default or as alternative.
int ServerStateFor(const QString& name, bool isDefault);
inline bool IsDefaultState(int state) { return state == ServerState::WhoisDefault || state == ServerState::HttpDefault; }

// The server-assignment tree: TLD nodes (".com") in the order they were added, each
// with the servers assigned to it; exactly one server of a TLD that has any is its
// default. It is a Qt item model, so the advanced dialog's tree view shows it as it is
// and selects its nodes; the state index is the node's StateIndexRole, and when the
// view supplies state pictures (setStatePictures) a server node shows the picture of
// its state index as its decoration.
class TServerTree : public QAbstractItemModel, public ITreeNodeStore {
    Q_OBJECT
public:
    static constexpr int StateIndexRole = Qt::UserRole + 1;

    struct Server {
        QString text;
        int stateIndex = ServerState::WhoisAlternative;
    };
    struct TLD {
        QString text;
        QList<Server> servers;
    };

    // A node by position: tld >= 0, and server >= 0 for a server node or -1 for the TLD node.
    struct NodeRef {
        int tld = -1;
        int server = -1;
        bool isValid() const { return tld >= 0; }
        bool isServer() const { return tld >= 0 && server >= 0; }
    };

    explicit TServerTree(QObject* parent = nullptr);

    // --- Reading ------------------------------------------------------------------
    int TLDCount() const { return static_cast<int>(tlds_.size()); }
    const TLD& TLDAt(int tld) const { return tlds_.at(tld); }
    const QList<TLD>& TLDs() const { return tlds_; }
    int ServerNodeCount() const;
    // Row of the first TLD node whose text equals `text`, or -1.
    int FindTLD(const QString& text, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    // Row of the TLD's default server, or -1 when it has none.
    int DefaultServer(int tld) const;
    // The TLD node texts, in tree order.
    QStringList TLDTexts() const;

    // The node an index of this model stands for; an invalid ref for anything else.
    NodeRef RefOf(const QModelIndex& index) const;
    QModelIndex IndexOf(NodeRef ref) const;

    // --- Editing (each change is signalled to the views; rows out of range do nothing) ---
    void Clear();
    void SetTLDs(QList<TLD> tlds);                  // replaces everything at once
    int AppendTLD(const QString& text);             // returns its row
    void RemoveTLD(int tld);
    // Appends a server node; returns its row (-1 for a TLD row out of range).
    int AppendServer(int tld, const QString& name, int stateIndex);
    void RemoveServer(int tld, int server);
    void SetServerState(int tld, int server, int stateIndex);

    // Adds `name` to the TLD as an alternative, or as its default when it is the first.
    int IncludeServer(int tld, const QString& name);
    // Makes the server the TLD's only default.
    void MakeDefault(int tld, int server);
    // Removes the server; when it was the default, the TLD's first server becomes it.
    void UnincludeServer(int tld, int server);
    // Removes every server node named exactly `name` (letter case kept) from every TLD,
    // electing a new default where it was one. Returns how many nodes went.
    int RemoveServerEverywhere(const QString& name);

    // --- ITreeNodeStore -------------------------------------------------------------
    TreeNodeList Nodes() const override;
    void SetNodes(const TreeNodeList& nodes) override;
    static QList<TLD> FromNodes(const TreeNodeList& nodes);

    // --- Item model -----------------------------------------------------------------
    // Pictures by state index (position 0 is never shown); a QVariant each, so the
    // window can hand in icons without this model knowing their type.
    void setStatePictures(const QVariantList& pictures);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Makes the TLD's first server its default, when it has servers and no default.
    void ElectFirstDefault(int tld);
    void EmitServerChanged(int tld, int server);

    QList<TLD> tlds_;
    QVariantList statePictures_;
};
