#pragma once

// How one name source's step of the search-list building ended.
enum class SourceEnd {
    Finished,   // go on with the next source
    Stopped,    // the Stop request was seen: the building ends at once
    Abandoned,  // the source cannot run (no import file, no word to match): the building ends quietly
};
