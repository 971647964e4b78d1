#include "ui/ChangeTracking.h"
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeView>

struct TDialogSnapshot::Copy {
    QPointer<QWidget> control;
    Kind kind = Kind::LineEdit;
    bool filled = true;                  // false once restored: the slot is empty
    QString text;                        // line edit
    int value = 0;                       // spin box
    Qt::CheckState check = Qt::Unchecked;// tick box
    TreeNodeList nodes;                  // tree
    std::vector<std::unique_ptr<QListWidgetItem>> items;   // list box, with all their data
    QStringList itemTexts;
    QList<bool> selected;
};

namespace {

ITreeNodeStore* storeOf(const QWidget* control)
{
    const auto* view = qobject_cast<const QTreeView*>(control);
    return view ? dynamic_cast<ITreeNodeStore*>(view->model()) : nullptr;
}

// Blocks a control's signals, and those of its selection model, while it is set.
struct HandlersDetached {
    explicit HandlersDetached(QWidget* control)
        : widget(control)
    {
        if (auto* view = qobject_cast<QAbstractItemView*>(control))
            selection.emplace(view->selectionModel());
    }
    QSignalBlocker widget;
    std::optional<QSignalBlocker> selection;
};

} // namespace

QStringList TDialogSnapshot::DefaultUncomparedEdits()
{
    return {QStringLiteral("NewServerEdit"), QStringLiteral("MatchTextEdit"), QStringLiteral("NewDomainEdit")};
}

TDialogSnapshot::TDialogSnapshot(QStringList uncomparedEdits)
    : uncomparedEdits_(std::move(uncomparedEdits))
{
}

TDialogSnapshot::~TDialogSnapshot() = default;

std::optional<TDialogSnapshot::Kind> TDialogSnapshot::KindOf(const QWidget* control)
{
    if (qobject_cast<const QTreeView*>(control))
        return storeOf(control) ? std::optional(Kind::Tree) : std::nullopt;
    if (qobject_cast<const QLineEdit*>(control)) {
        const QWidget* owner = control->parentWidget();
        if (qobject_cast<const QAbstractSpinBox*>(owner) || qobject_cast<const QComboBox*>(owner))
            return std::nullopt;
        return Kind::LineEdit;
    }
    if (qobject_cast<const QSpinBox*>(control))
        return Kind::SpinBox;
    if (qobject_cast<const QCheckBox*>(control))
        return Kind::TickBox;
    if (qobject_cast<const QListWidget*>(control))
        return Kind::ListBox;
    return std::nullopt;
}

QList<QWidget*> TDialogSnapshot::TrackedControls(QWidget* dialog)
{
    QList<QWidget*> controls;
    if (!dialog)
        return controls;
    const QList<QWidget*> children = dialog->findChildren<QWidget*>();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        const QString name = (*it)->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && KindOf(*it))
            controls.append(*it);
    }
    return controls;
}

TDialogSnapshot::Copy TDialogSnapshot::Photograph(QWidget* control, Kind kind)
{
    Copy copy;
    copy.control = control;
    copy.kind = kind;
    switch (kind) {
    case Kind::Tree:
        copy.nodes = storeOf(control)->Nodes();
        break;
    case Kind::LineEdit:
        copy.text = static_cast<QLineEdit*>(control)->text();
        break;
    case Kind::SpinBox:
        copy.value = static_cast<QSpinBox*>(control)->value();
        break;
    case Kind::TickBox:
        copy.check = static_cast<QCheckBox*>(control)->checkState();
        break;
    case Kind::ListBox: {
        const auto* list = static_cast<QListWidget*>(control);
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            copy.items.emplace_back(item->clone());
            copy.itemTexts.append(item->text());
            copy.selected.append(item->isSelected());
        }
        break;
    }
    }
    return copy;
}

void TDialogSnapshot::TakeSnapshot(QWidget* dialog)
{
    std::vector<Copy> copies;
    for (QWidget* control : TrackedControls(dialog))
        copies.push_back(Photograph(control, *KindOf(control)));
    copies_ = std::move(copies);
}

const TDialogSnapshot::Copy* TDialogSnapshot::CopyOf(const QWidget* control) const
{
    if (!copies_)
        return nullptr;
    for (const Copy& copy : *copies_)
        if (copy.control == control)
            return &copy;
    return nullptr;
}

TDialogSnapshot::Copy* TDialogSnapshot::CopyOf(const QWidget* control)
{
    return const_cast<Copy*>(std::as_const(*this).CopyOf(control));
}

bool TDialogSnapshot::Differs(const QWidget* control, const Copy& copy) const
{
    switch (copy.kind) {
    case Kind::Tree:
        return storeOf(control)->Nodes() != copy.nodes;
    case Kind::LineEdit:
        return !uncomparedEdits_.contains(control->objectName())
               && static_cast<const QLineEdit*>(control)->text() != copy.text;
    case Kind::SpinBox:
        return static_cast<const QSpinBox*>(control)->value() != copy.value;
    case Kind::TickBox:
        return static_cast<const QCheckBox*>(control)->checkState() != copy.check;
    case Kind::ListBox: {
        const auto* list = static_cast<const QListWidget*>(control);
        if (list->count() != copy.itemTexts.size())
            return true;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() != copy.itemTexts[i])
                return true;
        return false;
    }
    }
    return false;
}

bool TDialogSnapshot::SnapshotDiffers(QWidget* dialog) const
{
    if (!copies_)
        return false;
    for (const QWidget* control : TrackedControls(dialog)) {
        const Copy* copy = CopyOf(control);
        if (!copy || !copy->filled || copy->kind != *KindOf(control) || Differs(control, *copy))
            return true;
    }
    return false;
}

void TDialogSnapshot::PutBack(QWidget* control, Copy& copy)
{
    HandlersDetached detached(control);
    switch (copy.kind) {
    case Kind::Tree:
        storeOf(control)->SetNodes(copy.nodes);
        break;
    case Kind::LineEdit:
        static_cast<QLineEdit*>(control)->setText(copy.text);
        break;
    case Kind::SpinBox:
        static_cast<QSpinBox*>(control)->setValue(copy.value);
        break;
    case Kind::TickBox:
        static_cast<QCheckBox*>(control)->setCheckState(copy.check);
        break;
    case Kind::ListBox: {
        auto* list = static_cast<QListWidget*>(control);
        list->clear();
        for (auto& item : copy.items)
            list->addItem(item.release());
        for (int i = 0; i < list->count() && i < copy.selected.size(); ++i)
            list->item(i)->setSelected(copy.selected[i]);
        break;
    }
    }
    // The slot is emptied; it still names its control, so a later comparison sees it as changed.
    Copy emptied;
    emptied.control = copy.control;
    emptied.kind = copy.kind;
    emptied.filled = false;
    copy = std::move(emptied);
}

void TDialogSnapshot::RestoreSnapshot(QWidget* dialog)
{
    if (!copies_)
        return;
    for (QWidget* control : TrackedControls(dialog)) {
        Copy* copy = CopyOf(control);
        if (copy && copy->filled && copy->kind == *KindOf(control))
            PutBack(control, *copy);
    }
}

void TDialogSnapshot::FreeSnapshot()
{
    copies_.reset();
}
