#pragma once
#include <QtGlobal>

// A port of 127.0.0.1 that nothing listens on just now (found by binding port 0 and
// letting go). Connecting to it is refused.
quint16 FreeLoopbackPort();
