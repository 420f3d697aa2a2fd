// Internal to the atom segmenter: state that lives for one AtomSegment call,
// and the character-type numbers the segmentation rules give roles to.
#ifndef KAVEL_SEGMENT_ATOM_STATE_H_
#define KAVEL_SEGMENT_ATOM_STATE_H_

#include "segment/pre_process.h"

// Roles of the character types (numbers chosen by the character table):
//   1, 3  punctuation; 3 also connects digit, numeral and letter runs
//   2     sentence-ending mark        4     repeating mark (dash runs)
//   5, 7, 29  digits (7 and 29 never mix)   6  a number by itself
//   8     letter                      9, 10, 11  numerals (10, 11 extend digits)
//   12    cuts a preceding 11 off     13    prefix of a numeral number
//   15, 16  inside numerals only      17, 20  prefixes absorbing a number
//   18, 19  18 stays in a numeral only before 19
//   16, 18, 21, 22, 25  time units after a number (21 for days)
//   23    year unit; 24 after it cancels the year
//   26, 27  after some time units cancel the time   28  blank or line break
// Atom-only types: 99 escaped block, 101 dictionary-priority word,
// 120 sentence start, 121 sentence end.

struct CPreProcess::AtomState {
  bool bSentenceEnd = false;
  bool bDoubleQuatation = false;
  bool bSingleQuatation = false;
  // Memo of the last "^^" search: from where it looked and what it found
  // (-1 none). Valid for any later search that starts in between.
  int nCaretFrom = -1;
  int nCaretAt = -1;
};

// Whether handle is the special id nId; an id that is not set (-1) matches
// nothing, so words without a dictionary entry are never taken for it.
inline bool IsSpecial(int handle, int nId) { return nId >= 0 && handle == nId; }

#endif  // KAVEL_SEGMENT_ATOM_STATE_H_
