#pragma once
#include "engine/names/SourceEnd.h"

class TMisc1;

// The sounds-like source: every dictionary word of the run of the typed word's initial
// that shares its Soundex code or its phonetic key goes through AddItemToSearchList
// (the typed word itself excepted). The Stop request is polled after each word fetched.
// An empty word abandons the list building.
SourceEnd AddSoundsLikeWords(TMisc1& engine);
