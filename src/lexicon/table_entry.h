// Line reading and entry parsing shared by the text imports of the word list,
// unigram and bigram tables.
#ifndef KAVEL_LEXICON_TABLE_ENTRY_H_
#define KAVEL_LEXICON_TABLE_ENTRY_H_

#include <cstddef>
#include <cstdio>
#include <string>

#include "base/line_reader.h"

// Forms the entry of a list line. The first whitespace-delimited token, with a
// leading UTF-8 byte-order mark ignored, is the entry; when it starts with "["
// the entry is instead the text between that "[" and the next "]" (the rest of
// the line without a "]"), so it may hold blanks. Every "_" becomes a space.
// *pRest receives the position in sLine just after the entry (after the "]"
// of a bracketed one). False when the line has no token.
bool ParseTableEntry(const std::string& sLine, std::string* pEntry, size_t* pRest);

// True when the entry holds a space or a tab, so its echo is bracketed.
bool EntryHasBlank(const std::string& sEntry);

// Reads the next whitespace-delimited token of sLine from *pPos on; false when
// there is none.
bool NextTableToken(const std::string& sLine, size_t* pPos, std::string* pToken);

// Reads a decimal integer (optional sign) after optional white space from
// *pPos on, saturating at the int range; false when there is none.
bool NextTableInt(const std::string& sLine, size_t* pPos, int* pValue);

#endif  // KAVEL_LEXICON_TABLE_ENTRY_H_
