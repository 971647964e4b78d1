#include "engine/Misc1.h"
#include "platform/ProgramFolder.h"

TMisc1::TMisc1(QObject* parent)
    : QObject(parent)
{
    // Stop ends a network wait at once.
    connect(this, &TMisc1::stopRequested, this, [this] {
        Whois1.Abort();
        Http.Abort();
        refusalPause_.Abort();
    });
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
