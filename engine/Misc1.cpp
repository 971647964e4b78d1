#include "engine/Misc1.h"

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
    locations_ = FileLocations::InOneFolder(folder);
}

void TMisc1::RequestStop()
{
    StopRequest = 1;
    emit stopRequested();
}
