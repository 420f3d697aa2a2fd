// The tags a word can take, with their frequencies, for every word handle of
// a dictionary (the core POS table, the person-role table, ...).
//
// Binary file (32-bit little-endian, no header):
//   0                   4             m_nSize, signed: number of records
//   4                   4             m_nBound, signed: number of handles indexed
//   8                   8 * m_nSize   records: tag id (1 byte), 3 zero bytes,
//                                     frequency (signed 32-bit)
//   8 + 8 * m_nSize     8 * m_nBound  index: per handle the first record
//                                     position and the record count (both -1
//                                     for a handle without records)
// Records are grouped by handle and, within a handle, ordered by tag id.
//
// Text form (Import / Export): one line per word and tag, "word tag freq"
// separated by white space; the tag is a name of the tag set when one is
// given, else a decimal tag id.
#ifndef KAVEL_TAGGER_POS_H_
#define KAVEL_TAGGER_POS_H_

#include <vector>

#include "segment/word_types.h"

class CPDAT;
class CPOSmap;
class CWordList;

struct POS_info {
  unsigned char POS_id = 255;
  int freq = 0;
};

// A record with its handle; orders by handle, then tag id.
struct POS_elem : public POS_info {
  int handle = -1;
  bool operator<(const POS_elem& other) const {
    if (handle != other.handle) return handle < other.handle;
    return POS_id < other.POS_id;
  }
};

class CPOS {
 public:
  CPOS();
  virtual ~CPOS();
  CPOS(const CPOS&) = delete;
  CPOS& operator=(const CPOS&) = delete;

  // Replaces the tables with the file. False, leaving the tables as they
  // were, when the file is missing or inconsistent: its length must be
  // exactly 8 + 8 * m_nSize + 8 * m_nBound, and every index entry must be
  // (-1, -1) or name a non-empty run of records inside the record array.
  bool Load(const char* sFilename);
  // Writes the file atomically; false when it cannot be written.
  bool Save(const char* sFilename) const;

  // Builds the table from the text form: each word is looked up in
  // pCoreDict; the tag is a name of pPOSmap (case-insensitive) when it is
  // given, else a decimal id (its low byte). Lines whose word is unknown,
  // whose tag is unknown or 255, or that lack a field are not imported and
  // are written to the log. A word given the same tag twice keeps the larger
  // frequency; the record freed by the merge stays at the end of the array
  // with tag 255 and frequency 0. Returns the number of records (m_nSize);
  // 0, leaving the table as it was, when the file cannot be read or there is
  // no dictionary.
  int Import(const char* sFilename, CPDAT* pCoreDict, const CPOSmap* pPOSmap);
  // Writes the text form, one "word<TAB>tag<TAB>freq" line per record in
  // handle order: tag names through pPOSmap when given, else decimal ids.
  // The word comes from pWordList; without one the decimal handle stands in
  // its place. False when the file cannot be written.
  bool Export(const char* sFilename, const CPOSmap* pPOSmap, const CWordList* pWordList) const;

  // The records of a handle and their number; null and 0 for a handle
  // outside 0..m_nBound-1 or without records.
  const POS_info* GetPOS(int handle, int* npPOSCount) const;
  // The tag id of the handle's first record (its smallest id); 255 when none.
  unsigned char GetPOS(int handle) const;
  // The frequency of tag pos_id for the handle; 0 when absent.
  int GetPOSFreq(int handle, int pos_id) const;
  // The record with the highest frequency (the first on equal frequencies);
  // null when the handle has none.
  const POS_info* GetMaxPOS(int handle) const;
  // Appends every record of every handle not in vecIdDeleted; returns the
  // number of elements appended.
  int GetAllItem(std::vector<POS_elem>& vecItems, const std::vector<int>& vecIdDeleted) const;

  int GetSize() const { return m_nSize; }
  int GetBound() const { return m_nBound; }

 private:
  std::vector<POS_info> m_pData;
  int m_nSize = 0;
  int m_nBound = 0;
  std::vector<index_t> m_pIndex;
};

#endif  // KAVEL_TAGGER_POS_H_
