// Handle-to-text table of a dictionary: the word itself (".wordlist" files) or
// any other per-word string, such as the POS name of a field word.
//
// File layout (32-bit little-endian, no header):
//   0                  m_nSize               unsigned, number of texts stored
//   4                  m_nBound              signed, the table answers 0..m_nBound-1
//   8                  offsets               4 * (m_nBound + 1) signed text offsets;
//                                            the last one is unused and written as 0
//   12 + 4 * m_nBound  m_nWordListDataSize   signed
//   16 + 4 * m_nBound  text buffer           NUL-terminated texts in order of
//                                            addition; scrambled with the fixed
//                                            word-list key in a scrambled list
// Whether a list is scrambled is not stored; the object is constructed one way
// or the other.
//
// Handles without a text: a handle below m_nBound that never received a text
// is written with offset 0, which is also the offset of the first text. While a
// list is built in memory (AddWordComplete, the record Import) such a handle
// answers the empty text; after Load it answers what its offset gives, the
// first text of the buffer, since the file cannot tell the two apart.
#ifndef KAVEL_LEXICON_WORD_LIST_H_
#define KAVEL_LEXICON_WORD_LIST_H_

#include <string>
#include <vector>

class CPDAT;

// One record of the record import: the word is looked up in the dictionary,
// and either the word or store_info becomes the handle's text.
struct WORD_INFO {
  std::string word;
  std::string store_info;
  int weight = 0;
};

class CWordList {
 public:
  // An empty list, scrambled in its file when bEncript. pDict (not owned,
  // may be null) gives the handles of AddWord(sWord).
  CWordList(bool bEncript, CPDAT* pDict);
  ~CWordList();
  CWordList(const CWordList&) = delete;
  CWordList& operator=(const CWordList&) = delete;

  // Replaces the contents with the file. False, leaving the list as it was,
  // when the file is missing or inconsistent: its length must be exactly
  // 16 + 4 * m_nBound + m_nWordListDataSize, every offset must lie inside the
  // text buffer, the buffer (unscrambled) must end with a NUL and hold at
  // least m_nSize texts. A plain list therefore rejects a scrambled file.
  bool Load(const char* sFilename);
  // Writes the file; the list in memory is never modified, so it stays
  // readable (also by other threads) during and after the save, whether the
  // save succeeds or not. False when the file cannot be written; an existing
  // file is then left as it was.
  bool Save(const char* sFilename) const;

  // The handle's text; the empty text for a handle outside 0..m_nBound-1 or
  // while the list is being built. Valid until the list changes.
  const char* GetWord(int handle) const;
  int GetItemCount() const { return static_cast<int>(m_nSize); }
  int GetBound() const { return m_nBound; }

  // Incremental building: AddWordInit, AddWord..., AddWordComplete.
  // AddWordInit empties the texts but keeps the handle bound.
  bool AddWordInit();
  // Stores sWord as the text of nHandle. A negative handle logs the word and
  // stores nothing; the result is still true. False only for a null word.
  bool AddWord(const char* sWord, int nHandle);
  // Stores sWord under its handle in the list's dictionary (a leading UTF-8
  // byte-order mark is skipped).
  bool AddWord(const char* sWord);
  // Lays out the offset table; a handle added twice keeps its last text.
  // Calls after the first one do nothing until the next AddWordInit.
  bool AddWordComplete();

  // Builds the list from a text list, one entry per line (see the file
  // comment of word_list_io.cc), writing the echo file
  // sFilename + "_wordlist_export.txt". A non-null pCoreDict becomes the
  // list's dictionary. Returns the number of texts; 0 when a file cannot be
  // opened or no dictionary is set.
  int Import(const char* sFilename, CPDAT* pCoreDict);
  // Builds the list from records: the text of each record found in pCoreDict
  // is store_info (bStoredInfo) or the word; a later record for the same
  // handle wins. The bound becomes the dictionary's word count. Returns the
  // number of texts stored.
  int Import(std::vector<WORD_INFO>& vecWordInfo, CPDAT* pCoreDict, bool bStoredInfo);
  // Writes the text of every handle below the word count of pCoreDict (or
  // below m_nBound without a dictionary), one per line, leaving out the
  // handles of the Chinese words of two or more characters listed in
  // sExpFilename (may be null). Returns 0, or 1 when the result file cannot be
  // created.
  int Export(const char* sResultFilename, CPDAT* pCoreDict, const char* sExpFilename);

 private:
  struct word_elem {
    int handle;
    int nWordIndex;
  };

  // Appends sWord with its NUL to the text buffer; returns its offset.
  int AppendText(const char* sWord);
  // Offset table from the pending pairs; -1 marks a handle without a text.
  void LayOutOffsets();

  unsigned int m_nSize = 0;
  int m_nBound = 0;
  std::vector<int> m_pData;
  std::vector<char> m_pWordListBuf;
  int m_nWordListMemSize = 0;
  int m_nWordListDataSize = 0;
  std::vector<word_elem> m_vecPair;
  unsigned int m_nMemSize = 0;
  CPDAT* m_pDict;
  bool m_bEncript;
  bool m_bAddCompleted = false;
};

#endif  // KAVEL_LEXICON_WORD_LIST_H_
