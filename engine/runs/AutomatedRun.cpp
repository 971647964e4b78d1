#include "engine/Misc1.h"

// Placeholder until the lookups and the name sources are in place.
void TMisc1::RunMultipleSearch()
{
}
