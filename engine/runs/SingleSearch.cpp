#include "engine/Misc1.h"

// Placeholder until the lookups are in place.
void TMisc1::RunSingleSearch()
{
}
