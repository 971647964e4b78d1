#include "ui/WindowLook.h"
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

QLabel* MakeBand(const QString& text, BandLook look, QWidget* parent, const QString& name)
{
    auto* band = new QLabel(text, parent);
    if (!name.isEmpty())
        band->setObjectName(name);
    QPalette p = band->palette();
    if (look == BandLook::Black) {
        p.setColor(QPalette::Window, Qt::black);
        p.setColor(QPalette::WindowText, Qt::yellow);
        QFont bold = band->font();
        bold.setBold(true);
        band->setFont(bold);
    } else {
        p.setColor(QPalette::Window, QColor(0xff, 0xff, 0xe1));
        p.setColor(QPalette::WindowText, Qt::black);
    }
    band->setPalette(p);
    band->setAutoFillBackground(true);
    band->setContentsMargins(4, 1, 4, 1);
    return band;
}

QLabel* MakeCaption(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLineEdit* MakeEdit(const QString& name, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QSpinBox* MakeSpin(const QString& name, int minimum, int maximum, int value, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

void SetInfoBackground(QWidget* widget)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, QColor(0xff, 0xff, 0xe1));
    p.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void ResizeToFitFont(QWidget* window, const QSize& designSize)
{
    QSize size = window->minimumSizeHint().expandedTo(designSize);
    window->resize(size);
    if (QLayout* layout = window->layout())
        layout->activate();
    // Tab pages do not tell their tab widget how tall their wrapping texts make them: the
    // tallest page at the width the pages get.
    int extra = 0;
    for (const QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const QWidget* shown = tabs->currentWidget();
        for (int i = 0; shown && i < tabs->count(); ++i) {
            const QLayout* page = tabs->widget(i)->layout();
            if (page && page->hasHeightForWidth())
                extra = qMax(extra, page->totalHeightForWidth(shown->width()) - shown->height());
        }
    }
    if (extra > 0)
        window->resize(size.width(), size.height() + extra);
}

QColor VerdictColour(const QPalette& palette, VerdictLook look)
{
    const bool dark = palette.color(QPalette::Base).lightness() < 128;
    switch (look) {
    case VerdictLook::Free: return dark ? QColor(0x80, 0xe0, 0x80) : QColor(0x0a, 0x7a, 0x1e);
    case VerdictLook::Error: return dark ? QColor(0xff, 0x8a, 0x80) : QColor(0xc0, 0x14, 0x14);
    case VerdictLook::Plain:
    case VerdictLook::Taken: break;
    }
    return QColor();
}
