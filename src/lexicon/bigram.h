// Frequencies of ordered word pairs, grouped by the first word's handle.
//
// File layout (32-bit little-endian, no header):
//   0                 m_nSize   number of pairs
//   4                 m_nBound  number of first-handle slots
//   8                 pairs     8 * m_nSize: handle2, freq
//   8 + 8 * m_nSize   index     8 * m_nBound: start, end (inclusive) of each
//                               first handle's group; -1, -1 for none, and
//                               end = start - 1 for an empty group
// Within a group the second handles ascend.
#ifndef KAVEL_LEXICON_BIGRAM_H_
#define KAVEL_LEXICON_BIGRAM_H_

#include <cstdint>
#include <vector>

class CPDAT;
class CWordList;

struct bigram_info {
  int handle2 = -1;
  int freq = 0;
};

class CBigram {
 public:
  struct bigram_elem : bigram_info {
    int handle1 = -1;
    bool operator<(const bigram_elem& other) const {
      return handle1 != other.handle1 ? handle1 < other.handle1 : handle2 < other.handle2;
    }
  };
  struct index_t {
    int start = -1;
    int end = -1;
  };

  // A read-only table starts empty and is filled by Load or Import. A
  // writable table has nSize first-handle slots with empty groups and is
  // filled by AddItem.
  CBigram(bool bReadOnly, int nSize);

  // Replaces the contents with the static form of the file; the table becomes
  // read-only. False, leaving the table as it was, when the file is missing or
  // inconsistent: its length must be 8 + 8 * m_nSize + 8 * m_nBound, every
  // group must lie inside the pairs, groups must follow each other in handle
  // order without overlapping, and second handles must be non-negative and
  // ascending within a group.
  bool Load(const char* sFilename);
  // A writable table is first converted (Dynamic2Static, which drops the
  // pairs of frequency below 3). False when the file cannot be written; an
  // existing file is then kept.
  bool Save(const char* sFilename);

  // Frequency of the pair; 0 when absent or either handle is out of range.
  int GetFreq(int handle1, int handle2) const;
  int GetItemCount() const { return m_nSize; }
  int GetBound() const { return m_nBound; }

  // Builds the read-only static form from lines "<word1> <word2> <freq>", or
  // "<word1>@<word2> <freq>" when bAtLink. Pairs of unknown words and lines
  // without a frequency are skipped; a pair listed twice is stored twice.
  // Returns the number of pairs; 0 when the file cannot be opened.
  int Import(const char* sFilename, CPDAT* pCoreDict, bool bAtLink);
  // Writes "<text1>\t<text2>\t<freq>" for every pair, in handle order.
  bool Export(const char* sFilename, CWordList* pWordList) const;

  // Writable tables: adds freq to the pair, inserting it in handle2 order when
  // new. Returns its position in the group; 0 for a read-only table and -1
  // for a handle out of range, both changing nothing.
  int AddItem(int handle1, int handle2, int freq);
  // Drops the pairs of frequency below 3, then lays the groups out as the
  // static form. False for a read-only table or when memory runs out.
  bool Dynamic2Static();
  // Drops from every group the pairs of frequency below nThreshold.
  void FilterWithThreshold(int nThreshold);

 private:
  bool WriteStatic(const char* sFilename) const;
  // Fills m_vecSample from the static pairs (see GetFreq).
  void BuildSamples();

  std::vector<std::vector<bigram_info>> m_pHashTable;
  bool m_bReadOnly;
  int m_nSize = 0;
  std::vector<bigram_info> m_pData;
  int m_nBound = 0;
  std::vector<index_t> m_pIndex;
  // handle2 of every kSampleStep-th pair of m_pData, so that a lookup in a
  // large group first narrows to one short block through this small array;
  // empty when a group repeats a second handle.
  std::vector<int> m_vecSample;
  // One bit per hashed (first, second) pair of m_pData, about 16 bits per
  // pair: most pairs a segmenter asks about are absent, and a clear bit says
  // so with one memory access instead of a search. Empty for an empty table.
  std::vector<uint64_t> m_vecFilter;
  uint32_t m_nFilterMask = 0;
  static uint32_t PairHash(int handle1, int handle2) {
    uint64_t nKey = (static_cast<uint64_t>(static_cast<uint32_t>(handle1)) << 32) |
                    static_cast<uint32_t>(handle2);
    nKey *= 0x9E3779B97F4A7C15ull;
    return static_cast<uint32_t>(nKey >> 32);
  }
};

#endif  // KAVEL_LEXICON_BIGRAM_H_
