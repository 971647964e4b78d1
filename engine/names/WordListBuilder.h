#pragma once
#include "engine/names/SourceEnd.h"
#include <QString>
#include <QStringView>
#include <array>

class TMisc1;

// The word-list builder's patterns: every ordering of every non-empty subset of the
// word boxes A to D, each followed by its variants with and without "-" between
// neighbouring words.
extern const std::array<QStringView, 316> Wordlist;

// The name a pattern makes: "A".."D" stand for the four words, "-" is a hyphen when
// `minus` is set and nothing otherwise, any other character adds nothing.
QString WordListName(QStringView pattern, const QString (&words)[4], bool minus);

// The word-list builder source: one name per pattern through AddItemToSearchList,
// with the Stop request polled after each pattern.
SourceEnd AddWordListNames(TMisc1& engine);
