#include "ui/MainForm.h"
#include "engine/Misc1.h"

TMainForm::TMainForm(TMisc1* engine, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tarnwick"));
    setFixedSize(617, 415);
}
