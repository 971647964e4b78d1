#include "engine/MainOptions.h"
#include "platform/ProgramFolder.h"

MainOptions FirstStartOptions(const QString& resultsFolder)
{
    MainOptions o;
    o.SingleEdit = QString();
    o.TLDComboText = QStringLiteral(".com");
    o.TLDComboIndex = 0;
    o.DictCheck = true;
    o.SaveCheck = true;
    o.AutoSaveEdit = ProgramFile(resultsFolder, QStringLiteral("Tarnwick.txt"));
    o.DictRadio1 = true;
    o.DictFromEdit = QStringLiteral("AA");
    o.DictToEdit = QStringLiteral("ZYMOTIC");
    o.WordLength1 = 1;
    o.WordLength2 = 50;
    o.NumberFrom = 0;
    o.NumberTo = 9;
    o.SepCombo = 0;
    return o;
}
