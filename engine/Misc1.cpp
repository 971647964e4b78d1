#include "engine/Misc1.h"
#include "platform/ProgramFolder.h"

TMisc1::TMisc1(QObject* parent)
    : QObject(parent)
{
}

TMisc1::~TMisc1() = default;

void TMisc1::setProgramFolder(const QString& folder)
{
    programFolder_ = NormaliseProgramFolder(folder);
}

QString TMisc1::programFile(const QString& fileName) const
{
    return ProgramFile(programFolder_, fileName);
}

void TMisc1::RequestStop()
{
    StopRequest = 1;
    emit stopRequested();
}
