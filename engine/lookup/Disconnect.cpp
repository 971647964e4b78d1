#include "engine/Misc1.h"

// Placeholder until the network clients exist: nothing is open yet.
void TMisc1::Disconnect()
{
}
