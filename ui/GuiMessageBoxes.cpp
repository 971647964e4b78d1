#include "ui/GuiMessageBoxes.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

GuiMessageBoxes::GuiMessageBoxes(QWidget* parent)
    : parent_(parent)
{
}

QString GuiMessageBoxes::DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString GuiMessageBoxes::Title(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return QStringLiteral("Warning");
    case MessageKind::Error: return QStringLiteral("Error");
    case MessageKind::Information: return QStringLiteral("Information");
    case MessageKind::Question: return QStringLiteral("Confirm");
    }
    return QStringLiteral("Tarnwick");
}

MessageButton GuiMessageBoxes::Show(MessageKind kind, const QString& text, int buttons)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case MessageKind::Warning: icon = QMessageBox::Warning; break;
    case MessageKind::Error: icon = QMessageBox::Critical; break;
    case MessageKind::Information: icon = QMessageBox::Information; break;
    case MessageKind::Question: icon = QMessageBox::Question; break;
    }

    if ((buttons & (MbOk | MbYes | MbNo | MbCancel)) == 0)
        buttons = MbOk;

    QWidget* parent = parent_ ? parent_ : QApplication::activeWindow();
    QMessageBox box(icon, Title(kind), DisplayText(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);

    // In the order the classic boxes show them.
    const struct {
        MessageButton answer;
        QMessageBox::StandardButton button;
    } kinds[] = {
        {MbOk, QMessageBox::Ok}, {MbYes, QMessageBox::Yes}, {MbNo, QMessageBox::No}, {MbCancel, QMessageBox::Cancel}};
    QAbstractButton* escape = nullptr;
    QAbstractButton* continueAll = nullptr;
    for (const auto& k : kinds) {
        if (buttons & k.answer) {
            QAbstractButton* b = box.addButton(k.button);
            b->setObjectName(QStringLiteral("MessageButton%1").arg(static_cast<int>(k.answer)));
            escape = b;   // the last one offered: Cancel, else No, else OK
        }
        if (k.answer == MbYes && (buttons & MbContinueAll)) {
            continueAll = box.addButton(QStringLiteral("Continue and do not ask again in this search"), QMessageBox::YesRole);
            continueAll->setObjectName(QStringLiteral("MessageButton%1").arg(static_cast<int>(MbContinueAll)));
        }
    }
    box.setEscapeButton(escape);
    box.exec();

    QAbstractButton* clicked = box.clickedButton();
    if (continueAll && clicked == continueAll)
        return MbContinueAll;
    for (const auto& k : kinds)
        if ((buttons & k.answer) && clicked == box.button(k.button))
            return k.answer;
    // The box was closed in some other way: the escape answer.
    for (const auto& k : kinds)
        if (escape == box.button(k.button))
            return k.answer;
    return MbOk;
}
