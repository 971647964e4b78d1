#include "engine/Misc1.h"

void TMisc1::Disconnect()
{
    lookup_.AbortWait();
    Whois1.Disconnect();
    Http.Disconnect();
    refusalPause_.Abort();
}
