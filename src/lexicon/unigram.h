// One integer per word handle: a corpus frequency or a per-word score.
//
// File layout (32-bit little-endian, no header):
//   0    m_nSize    number of imported entries
//   4    m_nBound   handle bound; the table answers 0..m_nBound-1
//   8    m_nTotal   total frequency
//   12   counts     4 * (m_nBound + 1) signed counts indexed by handle
// An empty table has m_nBound -1 and no counts (a 12-byte file).
#ifndef KAVEL_LEXICON_UNIGRAM_H_
#define KAVEL_LEXICON_UNIGRAM_H_

#include <cstddef>
#include <vector>

class CPDAT;
class CWordList;

struct unigram_elem {
  int handle;
  int freq;
};

// Listing order: descending freq, ties by ascending handle.
struct less_unigram_cmp {
  bool operator()(const unigram_elem& a, const unigram_elem& b) const {
    return a.freq != b.freq ? a.freq > b.freq : a.handle < b.handle;
  }
};

class CUnigram {
 public:
  // A negative bound gives an empty table; otherwise a table of that bound
  // with every count 0.
  explicit CUnigram(int nBound);

  // Replaces the contents with the file. False, leaving the table as it was,
  // when the file is missing or its length is not 12 + 4 * (m_nBound + 1).
  bool Load(const char* sFilename);
  // False when the file cannot be written; an existing file is then kept.
  bool Save(const char* sFilename) const;

  // The count of the handle; 0 outside 0..m_nBound-1.
  int GetFreq(int handle) const {
    return handle >= 0 && handle < m_nBound ? m_pData[handle] : 0;
  }
  int GetTotalFreq() const { return m_nTotal; }
  int GetItemCount() const { return m_nSize; }
  int GetBound() const { return m_nBound; }

  // Builds the table from lines "<entry> <number>" (entries as in the word
  // list import; a line with an entry but no number counts as number 0).
  // The bound covers every handle of pCoreDict. A word met again combines its
  // non-zero numbers by nRepeatProcessModel: 1 keeps the larger, 2 adds them,
  // 0 (and any other value) keeps the smaller. Every line of a known word
  // adds its number to the total and 1 to the size. Writes the echo file
  // sFilename + "_unigram_export.txt" and an empty sFilename + ".log".
  // Returns m_nSize; 0 when a file cannot be opened.
  int Import(const char* sFilename, CPDAT* pCoreDict, int nRepeatProcessModel);
  // Writes "<text>\t<count>" for every positive count, by descending count.
  // Returns 1; 0 with the last error message "Failed open file <name>" when
  // the file cannot be created.
  int Export(const char* sFilename, CWordList* pWordList) const;
  // Fills the listing of the non-zero counts in less_unigram_cmp order and
  // returns its size.
  size_t OutputFreq(std::vector<unigram_elem>& vecFreq) const;

 private:
  int m_nSize = 0;
  int m_nBound = -1;
  int m_nTotal = 0;
  std::vector<int> m_pData;
};

#endif  // KAVEL_LEXICON_UNIGRAM_H_
