#pragma once
#include <QColor>
#include <QPalette>
#include <QSize>
#include <QString>

class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

// The look the main window's pages share: the black and the pale yellow bands, plain
// captions, and the colours of free and failed results.

enum class BandLook { Black, Info };
// A band across a page ("Results", " Address"), as tall as its text needs.
QLabel* MakeBand(const QString& text, BandLook look, QWidget* parent, const QString& name = QString());
QLabel* MakeCaption(const QString& name, const QString& text, QWidget* parent);
QLineEdit* MakeEdit(const QString& name, int maxLength, QWidget* parent);
QSpinBox* MakeSpin(const QString& name, int minimum, int maximum, int value, QWidget* parent);
// A pale yellow background with black text for the widget and its labels, whatever the
// desktop's palette (a dark palette's text would be pale on it too).
void SetInfoBackground(QWidget* widget);

// Gives a window its design size where the font fits in it, and more where
// the font needs more: wider for the widest row, taller for the texts that wrap.
void ResizeToFitFont(QWidget* window, const QSize& designSize);

enum class VerdictLook { Plain, Free, Taken, Error };
// Green for free and red for errors, dark shades on a light background and light ones on
// a dark background; invalid for the others (the palette's own text colour).
QColor VerdictColour(const QPalette& palette, VerdictLook look);
