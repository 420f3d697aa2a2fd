// Transition counts between consecutive tags and the smoothed transition
// probabilities the taggers score with.
//
// Binary file (little-endian, no header), for N tags (N < 256):
//   0       1          N
//   1       100 * N    tag names, NUL-padded 100-byte fields; present only in
//                      files written from a table that has names
//   then    4          total of all counts, signed
//   then    4 * N      row totals (how often each tag is the previous tag)
//   then    4 * N * N  the counts, row = previous tag, column = current tag
// The engine's tables are files without names.
#ifndef KAVEL_TAGGER_CONTEXT_STAT_H_
#define KAVEL_TAGGER_CONTEXT_STAT_H_

#include <string>
#include <vector>

class CPOSmap;

class CContextStat {
 public:
  static const int kNameField = 100;

  CContextStat();
  virtual ~CContextStat();

  // Replaces the tables with the file; names are read only when bOriginal.
  // False, leaving the tables as they were, when the file is missing or
  // inconsistent: its length must be exactly what N and bOriginal give, the
  // row totals must be the sums of their rows and the total their sum, and
  // names must be in the sorted order SetSymbol gives them.
  bool Load(const char* sFilename, bool bOriginal);
  // Writes the binary file (with names when the table has them) and the
  // readable copy sFilename + ".shw". Tag names of the readable copy come from
  // the table, else from map, else the ids stand in. False when either file
  // cannot be written; a failed write keeps the old files.
  bool Save(const char* sFilename, const CPOSmap& map) const;
  // Writes only the readable form, naming tags as Save does (pMap may be null).
  bool Export(const char* sFilename, const CPOSmap* pMap) const;

  // Empty zeroed tables for nTableLen tags, without names.
  void SetSymbol(unsigned char nTableLen);
  // Empty zeroed tables for the given names, kept sorted case-insensitively
  // (names longer than 99 bytes are cut). False, changing nothing, when the
  // count is not 0..255 or a name is null.
  bool SetSymbol(int nTableLen, char** pSymbol);
  // Adds nFrequency to the cell, its row total and the total. False when an
  // id is not below N or a sum would overflow.
  bool Add(unsigned char nPrevID, unsigned char nCurID, int nFrequency);
  bool Add(const char* sPrev, const char* sCur, int nFrequency);

  // The row total of a tag; 0 for an id not below N or an unknown name.
  int GetFrequency(unsigned char nID) const;
  int GetFrequency(const char* sPOS) const;
  // The smoothed probability of nCurID following nPrevID: 0.00001 when an id
  // is not below N, the row total is 0 or the cell is 0; otherwise
  // (0.9 * C(p,c) / C(p) + 0.1 * C(p) / T) * 0.99999 + 0.00001.
  double GetContextPossibility(unsigned char nPrevID, unsigned char nCurID) const;
  double GetContextPossibility(const char* sPrev, const char* sCur) const;

  // The count of one cell; 0 outside the table.
  int GetCount(unsigned char nPrevID, unsigned char nCurID) const;
  int GetTableLen() const { return m_nTableLen; }
  int GetTotalFreq() const { return m_nTotalFreq; }
  bool HasSymbols() const { return !m_pSymbolTable.empty(); }
  // The id of a name by binary search in the sorted names; -1 when absent.
  int FindSymbol(const char* sPOS) const;

  // Frees the tables (N becomes 0).
  void Destroy();

 private:
  // Writes the readable form into an open file.
  void WriteReadable(FILE* fp, const CPOSmap* pMap) const;

  unsigned char m_nTableLen = 0;
  std::vector<std::string> m_pSymbolTable;
  std::vector<int> m_aContextArray;
  std::vector<int> m_aTagFreq;
  int m_nTotalFreq = 0;
};

#endif  // KAVEL_TAGGER_CONTEXT_STAT_H_
