#pragma once
#include <QString>

// Names handed to an automated run from outside instead of the name sources (the names
// of `tarnwick-cli check`, some of which may still be on their way): the run checks each
// one as soon as it is there, under the TLD it came with or, when it came without one,
// under every ticked TLD. The feed keeps the engine's search list: name n of the feed is
// entry n of the list.
class INameFeed {
public:
    virtual ~INameFeed() = default;

    // Makes sure that name `index` is in the search list, waiting for it with the event
    // loop running; false when no more names come or Stop was pressed.
    virtual bool WaitForName(int index) = 0;
    // The TLD that name `index` came with (".com"), or an empty text.
    virtual QString TldOf(int index) const = 0;
};
