#pragma once
#include <QIcon>
#include <QPixmap>

// The small pictures before each server of the server-assignment tree. A server's
// state index tells its kind and role:
//   1 whois alternative, 2 whois default, 3 HTTP alternative, 4 HTTP default.
// Whois servers show a terminal, HTTP servers a globe; the default of a TLD is drawn
// in full colour with a green tick, alternatives in muted tones without one.

// The 16 x 16 picture of `stateIndex` (1 to 4) at the given device pixel ratio;
// any other index gives a transparent picture.
QPixmap ServerStatePixmap(int stateIndex, qreal devicePixelRatio = 1.0);

// The same picture as an icon with a normal and a high-density version.
QIcon ServerStateIcon(int stateIndex);
