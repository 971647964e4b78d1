#pragma once
#include "settings/TreeNodeList.h"
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QListWidgetItem;

// A photograph of a dialog's controls, taken when the dialog is shown, so that OK can
// skip saving when nothing changed and Cancel can put everything back.
//
// Every named child control of a tracked kind is copied:
//   tree view    (its model must be an ITreeNodeStore) every node's text, level and state index
//   line edit    its text
//   spin box     its value
//   tick box     its state
//   list box     (QListWidget) its items in order, and which of them are selected
// Other kinds, unnamed controls and the parts Qt builds inside other controls (the edit
// of a spin box or combo box, names beginning "qt_") are not tracked.
//
// A line edit named in the constructor's list is never compared (the entry boxes whose
// text only matters once an Add button uses it) but is restored like the others.
// Restoring puts every copy back with the control's signals blocked, so no handler runs.
class TDialogSnapshot {
public:
    // NewServerEdit, MatchTextEdit and NewDomainEdit of the advanced dialog.
    static QStringList DefaultUncomparedEdits();

    explicit TDialogSnapshot(QStringList uncomparedEdits = DefaultUncomparedEdits());
    ~TDialogSnapshot();
    TDialogSnapshot(const TDialogSnapshot&) = delete;
    TDialogSnapshot& operator=(const TDialogSnapshot&) = delete;

    // Copies every tracked control of `dialog`; a snapshot held before is discarded.
    void TakeSnapshot(QWidget* dialog);
    // True when a tracked control differs from its copy (or appeared since). False without a snapshot.
    bool SnapshotDiffers(QWidget* dialog) const;
    // Puts each copy back into its control and empties its slot.
    void RestoreSnapshot(QWidget* dialog);
    // Discards the snapshot.
    void FreeSnapshot();
    bool IsHeld() const { return copies_.has_value(); }

private:
    enum class Kind { Tree, LineEdit, SpinBox, TickBox, ListBox };
    struct Copy;

    static std::optional<Kind> KindOf(const QWidget* control);
    static QList<QWidget*> TrackedControls(QWidget* dialog);   // last to first
    static Copy Photograph(QWidget* control, Kind kind);
    const Copy* CopyOf(const QWidget* control) const;
    Copy* CopyOf(const QWidget* control);
    bool Differs(const QWidget* control, const Copy& copy) const;
    static void PutBack(QWidget* control, Copy& copy);

    QStringList uncomparedEdits_;
    std::optional<std::vector<Copy>> copies_;
};
