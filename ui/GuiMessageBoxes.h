#pragma once
#include "platform/MessageBoxes.h"

class QWidget;

// Message boxes on screen: a modal QMessageBox with the kind's icon and the asked-for
// buttons, each "\r" of the text shown as a line break. Closing a box with its close
// button answers Cancel where Cancel is offered, otherwise No, otherwise OK.
class GuiMessageBoxes : public IMessageBoxes {
public:
    // Boxes are centred on `parent` when given, else on the active window.
    explicit GuiMessageBoxes(QWidget* parent = nullptr);
    MessageButton Show(MessageKind kind, const QString& text, int buttons) override;

    // The text as the box shows it.
    static QString DisplayText(const QString& text);
    // The title bar text of a box of `kind`.
    static QString Title(MessageKind kind);

private:
    QWidget* parent_;
};
