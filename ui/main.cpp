#include "engine/Misc1.h"
#include "platform/ProgramFolder.h"
#include "ui/MainForm.h"
#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));

    TMisc1 engine;
    engine.setProgramFolder(ProgramFolderOfExecutable());

    TMainForm mainForm(&engine);
    mainForm.show();
    return app.exec();
}
