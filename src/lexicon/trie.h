// The modifiable user-word store: a character trie whose nodes live in one
// CDynamicArry. Words can be added, counted, deleted and looked up at any
// time; each word carries a POS text and an occurrence count.
//
// Texts are walked one character code at a time: a byte of 0x80 or more that
// is not the last byte of the text forms a two-byte code with the next byte;
// any other byte is its own code, ASCII capitals folded to lower case.
//
// Handles are 0, 1, 2, ... in order of first addition and belong to this trie
// alone. A deleted word keeps its node but loses its handle; adding it again
// gives a handle never used before. -1 means "no such word".
//
// Not internally synchronised. Find and the four-argument GetMaxWord may run on
// many threads at once while nothing modifies the trie; the two-argument
// GetMaxWord and GetFreq also store the found POS in the object for a
// following GetPos, so those callers must hold the trie.
#ifndef KAVEL_LEXICON_TRIE_H_
#define KAVEL_LEXICON_TRIE_H_

#include <vector>

#include "lexicon/dynamic_array.h"

class CPDAT;

class CTrie {
 public:
  using trie_elem = CDynamicArry::trie_elem;

  // Longest line AddTrie and Find accept, in bytes, plus one.
  static const int kMaxLineLen = 1024;
  // Size of the POS text buffer; a POS must be shorter.
  static const int kPosSize = 40;

  CTrie();
  virtual ~CTrie();
  CTrie(const CTrie&) = delete;
  CTrie& operator=(const CTrie&) = delete;

  // Adds a word. With bWholeWord the whole line is the word; otherwise the
  // line is a word token and an optional POS token separated by white space.
  // An empty POS becomes "n"; the POS replaces the word's previous one.
  // Returns 2 when the word's count is now above 1, otherwise 1 (also when the
  // line is 1024 bytes or more or the POS 40 bytes or more, which are ignored).
  int AddTrie(const char* sLine, bool bWholeWord);
  // Removes the word's handle; returns the handle it had, or -1.
  int DelTrie(const char* sWord);
  // Handle of the first white-space-delimited token of sWordO, or -1 (also for
  // a text of 1024 bytes or more).
  int Find(const char* sWordO) const;
  // Handle of the word formed by the first nLen bytes of sWord, or -1.
  int Find(const char* sWord, unsigned long nLen) const;
  // Byte length of the longest word at the start of sLine (0 when none), its
  // handle in *rtnHandle (-1 when none) and its POS kept for GetPos. -1 when
  // the trie is empty or rtnHandle is null. Reads sLine only up to the end of
  // the match, never the whole text.
  int GetMaxWord(const char* sLine, int* rtnHandle);
  // The same, but the matched word's POS goes to sPos (nPosSize bytes, NUL-
  // terminated; empty when nothing matched) and the object is not changed, so
  // any number of threads may call it while nothing modifies the trie.
  int GetMaxWord(const char* sLine, int* rtnHandle, char* sPos, int nPosSize) const;
  // Count of the word with its handle in nHandle and its POS kept for GetPos;
  // -1 with nHandle 0 when it is not a word.
  int GetFreq(const char* sWord, int& nHandle);
  // Copies the POS of the last GetMaxWord/GetFreq match into sPos, at most
  // nSize bytes including the terminating NUL (callers pass 40).
  void GetPos(char* sPos, int nSize) const;

  int GetLowerBound() const { return m_nItemCount; }
  int GetWordNum() const { return m_nItemCount + 1; }
  int GetDeletedNum() const { return m_nItemDelNum; }

  // Writes the trie file; false without writing when no handle was ever
  // assigned, or when the file cannot be written (the old file then stays).
  bool Save(const char* sFileName) const;
  // Replaces the contents with the trie file. A missing, short, oversized or
  // inconsistent file (counts, indexes, handles, linked lists that share or
  // loop) gives false and keeps the previous contents.
  bool Load(const char* sFileName);
  // Empties the trie, then adds the first token of every line of a text file
  // that is not yet a word, with POS "n". Returns the number of handles; 0
  // when the file cannot be opened. pCoreDict is not used.
  int Import(const char* sFilename, CPDAT* pCoreDict);
  // Writes "word\tPOS\n" for every live word, depth first in insertion order.
  // 1 on success; 0 when sFile is null, the trie has no words or the file
  // cannot be written.
  int Export(const char* sFile) const;

 private:
  // Root lists at least this long get the code table.
  static const int kRootIndexMin = 64;
  static const unsigned int kCodeCount = 65536;

  // Child of iParent with character code nCode, or -1.
  int FindChild(int iParent, unsigned int nCode) const;
  // Node reached by walking the nLen bytes of sWord from the root, or -1.
  int Walk(const char* sWord, size_t nLen) const;
  // Adds sWord (nLen bytes, not empty) with the given POS; returns 1 or 2.
  int BuildTRIE(const char* sWord, size_t nLen, const char* sPos);
  // Builds the root's code table when its child list is long, else drops it.
  void IndexRoot();
  // Root and link checks of a freshly read node array.
  static bool Validate(const CDynamicArry& array, int nItemCount, int nDelNum, int iHead);
  void Clear();

  int m_nItemCount;
  int m_nItemDelNum;
  char m_sCurPos[kPosSize];
  CDynamicArry* m_pDynamicArry;
  int m_iHeadIndex;

  // In-memory only: the root's child for every code below 65536 (-1 when
  // none) and the root's last child, kept once the root has many children so
  // that a large dictionary does not scan thousands of first characters per
  // lookup. Empty while the root's list is short.
  std::vector<int> m_vecRootChild;
  int m_iRootTail;
};

#endif  // KAVEL_LEXICON_TRIE_H_
