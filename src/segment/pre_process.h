// CPreProcess: cuts one sentence of GBK text into atoms and builds the word
// graph over them, one object per worker.
//
// Atoms are the smallest units of segmentation: single characters, digit,
// letter and numeral runs, numbers and time expressions, dash runs, "^^"
// escaped blocks and, when user words have priority, whole user or field
// dictionary words. Each is a word_t with a core-dictionary handle (or -1),
// its byte range in the whole input and its character type; atom 0 is the
// sentence-start marker and the last atom the sentence-end marker.
//
// The word graph has one slot per byte of the sentence plus two. The slot of
// the byte at offset o is o - S + 1, S being the offset where the sentence
// begins (the start atom's start); slot 0 holds the start atom and the last
// slot the end atom. The slot of an atom holds the atom itself followed by
// the core-dictionary words that begin there, are longer than the atom and
// end on an atom boundary, shortest first. Slots where no atom begins are
// null with count 0. Word offsets are always offsets into the whole input.
//
// Atoms and graph stay readable until the next call. All working storage is
// kept between calls and only grows, so its size follows the longest
// sentence seen, not the length of the input.
//
// Reads the process-wide special ids, g_pFieldDict, g_pUserDict,
// g_pEnglishDict, g_bUserDictPrior and g_nGranularity. One thread at a time.
#ifndef KAVEL_SEGMENT_PRE_PROCESS_H_
#define KAVEL_SEGMENT_PRE_PROCESS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "segment/word_types.h"

class CCharset;
class CPDAT;
class CTrie;

class CPreProcess {
 public:
  // Stores the shared tables (not owned).
  CPreProcess(CCharset* pCharset, CPDAT* pCoreDict, CTrie* pUserDict);
  virtual ~CPreProcess();
  CPreProcess(const CPreProcess&) = delete;
  CPreProcess& operator=(const CPreProcess&) = delete;

  // Cuts the sentence that begins at byte nStart of sLine into atoms and
  // returns the position in sLine where the next sentence begins. nStart
  // must not lie past the terminating NUL (a negative value counts as 0).
  // A sentence ends after a line break, after a sentence-ending mark that
  // follows at least five atoms, or at the end of the text.
  const char* AtomSegment(const char* sLine, int nStart);

  // AtomSegment, then the word graph of that sentence; returns what
  // AtomSegment returned. A sentence without atoms gets a graph of just the
  // start and end atoms.
  const char* FullSegment(const char* sLine, int nStart);

  // Whether a word of nLen bytes beginning at atom nIndex ends exactly where
  // a later atom of the current sentence ends.
  bool IsValidPosition(int nIndex, int nLen) const;

  // Replaces the stored user-dictionary pointer; returns true. Atom
  // segmentation itself reads the process-wide g_pUserDict.
  bool SetUserDict(CTrie* pUserDict);

  // Atom-segments the first sentence of sLine and fills vecChar with the
  // texts of its atoms, leaving out the start and end atoms, blanks and,
  // with bStopRemove, atoms of types 0 to 6. Returns the number of texts.
  int GetCharVector(const char* sLine, std::vector<std::string>& vecChar, bool bStopRemove);

  // Entries currently reserved by the atom, slot and node buffers.
  size_t GetReservedSize() const;

  // Current sentence (read directly by the path search and the pipeline).
  word_t* m_pAtom = nullptr;
  int m_nAtomSize = 0;
  word_t** m_pWordGraph = nullptr;
  int m_nGraphLength = 0;
  int* m_pWordCounter = nullptr;

  CCharset* m_pCharset;
  CPDAT* m_pCoreDict;
  CTrie* m_pUserDict;

  // Dictionary candidates of one position: handles and byte lengths,
  // m_nCadidateSize entries each (malloc'ed, grown by the dictionary scan).
  unsigned int* m_pVecCandidateHandle = nullptr;
  unsigned int* m_pVecCandidatePosition = nullptr;
  unsigned int m_nCadidateSize = 0;

 private:
  // Per-call state of atom segmentation.
  struct AtomState;

  // Builds the atom beginning at i and appends it (or merges it into the
  // previous atom); returns the offset where the next atom begins.
  int NextAtom(const char* sLine, int i, AtomState& state);
  // The rules that extend an atom by the type of its first character.
  void ApplyPunctuationRule(const char* sLine, int nCode, word_t& atom, AtomState& state);
  void ApplyNumberRunRule(const char* sLine, int nCode, word_t& atom);
  void ApplyLetterRunRule(const char* sLine, word_t& atom);
  void ApplyNumeralRunRule(const char* sLine, word_t& atom);
  void ApplyPrefixNumberRule(const char* sLine, word_t& atom);
  // Time and year units after a number; false when the atom was merged into
  // the previous one instead.
  bool ApplyNumberFollowUp(const char* sLine, word_t& atom);
  // Byte length of the character at j (0 at the NUL, with type and code -1),
  // its character type in *pnType and its code in *pnCode (optional).
  int CharAt(const char* sLine, int j, int* pnType, int* pnCode = nullptr) const;
  // Offset of the first "^^" at or after nFrom, or -1.
  int FindCaretPair(const char* sLine, int nFrom, AtomState& state) const;

  std::vector<word_t> m_vecAtom;
  std::vector<word_t> m_vecNode;
  std::vector<word_t*> m_vecSlot;
  std::vector<int> m_vecCounter;
};

#endif  // KAVEL_SEGMENT_PRE_PROCESS_H_
