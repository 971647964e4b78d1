#include "cli/StopOnInterrupt.h"
#include "engine/Misc1.h"

StopOnInterrupt::StopOnInterrupt(TMisc1& engine)
{
    QObject::connect(&interrupt_, &SignalNotifier::received, &engine, &TMisc1::RequestStop);
}
