// Maps from the word handles of one dictionary to one or more handles of the
// same or another dictionary, stored in ".map" files.
//
// File layout (32-bit little-endian, no header):
//   0                 int             m_nSize: pairs added when the map was built
//   4                 int             m_nBound: highest source handle + 1
//   8                 4 x m_nSize     target handles, grouped by source handle,
//                                     ascending within a group; -1 in the unused tail
//   8 + 4 x m_nSize   8 x m_nBound    start, end (inclusive) of each source's
//                                     group; -1, -1 when it maps to nothing
//
// A map is built offline (MapInit, MapAdd..., MapComplete, or an Import) or
// loaded, and afterwards only read: GetMaps, GetMapID and GetSimMaps may run
// on many threads at once.
#ifndef KAVEL_LEXICON_ID_MAPS_H_
#define KAVEL_LEXICON_ID_MAPS_H_

#include <cstddef>
#include <string>
#include <vector>

class CPDAT;
class CWordList;

struct idmaps_info {
  int handle2;  // target handle; -1 when empty
};

// One exported pair of word texts.
struct map_str {
  std::string src;
  std::string dsn;
};

class CIDMaps {
 public:
  // A pair collected while building; ordered by handle1, then handle2.
  struct idmaps_elem : idmaps_info {
    int handle1;
    bool operator<(const idmaps_elem& other) const {
      return handle1 != other.handle1 ? handle1 < other.handle1 : handle2 < other.handle2;
    }
  };
  // First and last position of a group in the target array.
  struct index_t {
    int start;
    int end;
  };

  CIDMaps();
  virtual ~CIDMaps();
  CIDMaps(const CIDMaps&) = delete;
  CIDMaps& operator=(const CIDMaps&) = delete;

  // The targets of handle1 (ascending, no repeats) and their number in
  // *p_nCount; null and 0 for a handle outside 0..m_nBound-1 or without
  // targets.
  const idmaps_info* GetMaps(int handle1, int* p_nCount) const;
  // The smallest target of handle1, or -1.
  int GetMapID(int handle1) const;
  // Handles similar to handle1 in a symmetric map, into vecHandles (cleared
  // first): with exactly one target r, r followed by r's other targets than
  // handle1; with more targets, all of them but handle1. Returns the size of
  // the group consulted last (0 when handle1 has none).
  size_t GetSimMaps(int handle1, std::vector<int>& vecHandles) const;

  // Replaces the map with a ".map" file. False, keeping the previous
  // contents, when the file is missing, its length does not match its counts
  // or a group lies outside the target array.
  bool Load(const char* sFilename);
  // Writes the ".map" file (atomically); false when it cannot be written.
  bool Save(const char* sFilename) const;

  // Building. MapInit empties the pair list; MapAdd ignores a pair with a
  // negative handle; MapComplete sorts the pairs, merges repeats within a
  // group and replaces the map. All return true.
  bool MapInit();
  bool MapAdd(int nHandle1, int nHandle2);
  bool MapComplete();

  // Imports from text lists. Each builds the map from scratch, looks words up
  // with Find, reports every invalid pair to the error log ("<source> <target>
  // invalid argument!", naming the words that were not found) and skips it: a
  // pair is invalid when either word is unknown or when both sides use the
  // same dictionary and the handles are equal. Each returns m_nSize, or 0
  // when a file cannot be opened.
  //
  // One pair per line, two entries; "[...]" holds an entry with blanks and
  // "_" stands for a blank. Echoes the pairs to sFilename + "_map_export.txt".
  int Import(const char* sFilename, CPDAT* pDictLeft, CPDAT* pDictRight);
  // A source and its targets per line, separated by commas or white space.
  int ImportOne2Mul(const char* sFilename, CPDAT* pDictLeft, CPDAT* pDictRight);
  // A group of mutually similar words per line: the first word and each
  // other word are mapped both ways.
  int ImportSim(const char* sFilename, CPDAT* pDict);
  // Tab-separated lines: the last field without its last character is the
  // source, each earlier field a target. Lines with one field are skipped.
  int Import(const char* sFilename, CPDAT* pDict);
  // Two parallel files read in step: the first token of a line of the first
  // file maps to the first token of the same line of the second.
  int Import(const char* sFilename1, const char* sFilename2, CPDAT* pDictLeft,
             CPDAT* pDictRight);

  // Readable listing of every group with the word texts (left list for
  // sources, right list for targets; either may be null). With bDebug only
  // groups of two or more targets. False when the file cannot be written.
  bool Export(const char* sFilename, CWordList* pWordListLeft, CWordList* pWordListRight,
              bool bDebug) const;
  // Appends one (source text, target text) per target, in source order.
  // Returns the size of vecResult.
  size_t Export(std::vector<map_str>& vecResult, CWordList* pWordListLeft,
                CWordList* pWordListRight) const;

  int GetSize() const { return m_nSize; }
  int GetBound() const { return m_nBound; }

 private:
  // Looks the two words up and adds the pair, or reports it; true when added.
  bool AddWords(CPDAT* pDictLeft, CPDAT* pDictRight, const std::string& sSrc,
                const std::string& sDsn);
  // Builds the map from lines of words split at commas and white space: the
  // first word maps to every other one, and back too when bBothWays.
  int ImportGroups(const char* sFilename, CPDAT* pDictLeft, CPDAT* pDictRight, bool bBothWays);

  int m_nMemSize;
  int m_nSize;
  std::vector<idmaps_info> m_pData;
  int m_nBound;
  std::vector<index_t> m_pIndex;
  std::vector<idmaps_elem> m_vecBiWord;
};

#endif  // KAVEL_LEXICON_ID_MAPS_H_
