#pragma once
#include <QList>
#include <QString>

// One node of a two-level tree written flat: the nodes of a tree in pre-order, each
// with its depth, make a list from which the tree can be rebuilt exactly.
struct TreeNodeRecord {
    QString text;
    int level = 0;          // 0 for a top-level node, 1 for its children
    int stateIndex = -1;    // the state picture's index; -1 for none

    bool operator==(const TreeNodeRecord&) const = default;
};
using TreeNodeList = QList<TreeNodeRecord>;

// A tree model whose whole content can be read out and put back. The dialog change
// tracking copies such a model when a dialog is shown and puts it back on Cancel.
class ITreeNodeStore {
public:
    virtual ~ITreeNodeStore() = default;
    virtual TreeNodeList Nodes() const = 0;
    // Replaces the whole tree. A child without a parent before it is dropped.
    virtual void SetNodes(const TreeNodeList& nodes) = 0;
};
