#pragma once
#include "engine/names/SourceEnd.h"
#include "engine/names/SearchList.h"

class TMisc1;

// The dictionary source. A range whose From and To texts are equal gives that one word
// through AddItemToSearchList. Otherwise the words from the run of From's initial to
// the end of the run of To's initial are filtered (spaces, length, range, repeats) and
// collected in `batch`, which the caller appends as one block; the Stop request is
// polled after each accepted word.
SourceEnd CollectDictionaryWords(TMisc1& engine, TSearchList& batch);
