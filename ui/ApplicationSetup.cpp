#include "ui/ApplicationSetup.h"
#include <QApplication>

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // No display name of its own: window systems append it to every window title
    // ("Advanced — Tarnwick"), while the captions are "Advanced" and "Select TLDs".
    // The main window ends the program when it closes, even while another window is open.
    QApplication::setQuitOnLastWindowClosed(false);
}
