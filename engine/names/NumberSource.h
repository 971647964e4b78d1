#pragma once

class TMisc1;

// The number source: prefix + n + suffix for every n between NumberFrom and NumberTo
// (either order), ascending, appended to the search list as they are.
void AddNumbers(TMisc1& engine);
