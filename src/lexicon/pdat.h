// CPDAT: the static dictionary, a double-array trie over character codes.
//
// A dictionary is built once (AddWord... then AddWordComplete, or Import),
// then saved to and loaded from a ".pdat" file, and afterwards only read.
// Each distinct word carries a word handle: the first word added gets 0, the
// next new word 1, and so on. -1 always means "no such word".
//
// File layout (32-bit little-endian, no header):
//   0       65536 ints  character id of every code (-1 unused)
//   262144  int         m_nLowerBound (highest cell in use)
//   262148  uint        m_nItemCount
//   262152  12 bytes x (m_nLowerBound + 1) cells: base, check, handle
//   end-4   int         m_nMode
//
// Read-only lookups (Find, GetCharCode, GetWords, GetMaxWord, MMSegment with
// caller buffers) may run concurrently on a laid-out dictionary. Building,
// Load, Import, SetEmpty and the calls that fill the dictionary's own result
// buffers (buffer-less MMSegment, GetTopWords) must not overlap other use.
#ifndef KAVEL_LEXICON_PDAT_H_
#define KAVEL_LEXICON_PDAT_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Per-word statistics of a dictionary built in statistics mode. Sorting puts
// the most frequent first. A freq of -1 marks a filter word.
struct _stTermFreq {
  std::string word;
  int freq = 1;
  _stTermFreq() = default;
  explicit _stTermFreq(const std::string& sWord) : word(sWord), freq(1) {}
  bool operator<(const _stTermFreq& other) const { return freq > other.freq; }
};

// Statistics of one term in two sources; sorts by descending total_freq.
struct _stSameTermFreq : public _stTermFreq {
  int freq2 = 0;
  int total_freq = 0;
  bool operator<(const _stSameTermFreq& other) const { return total_freq > other.total_freq; }
};

// A dictionary word found in a text.
struct _stTermPosition {
  int nHandle = -1;
  int iStartPos = 0;
  int nWordLen = -1;
  double weight = 0;
};

class CPDAT {
 public:
  // One laid-out trie cell. base: offset to the children, negated when the
  // node ends a word (a leaf stores minus its own index); -1 when unused.
  // check: parent cell, -2 for a first character, -1 when unused.
  // handle: word handle, or -1.
  struct state {
    int base;
    int check;
    int handle;
  };

  // Coding modes: 0 double-byte GBK with ASCII capitals folded; 1 every byte
  // one code; 2 normalising (brackets, quotes, full-width letters and digits
  // to ASCII, separator runs to the code 9, which is never stored).
  explicit CPDAT(int nMode = 0);
  virtual ~CPDAT();
  CPDAT(const CPDAT&) = delete;
  CPDAT& operator=(const CPDAT&) = delete;

  // Highest cell index in use.
  virtual int GetLowerBound() const { return m_nLowerBound; }

  // Byte length of the longest dictionary word at the start of sLine (0 when
  // none); its handle in *rtnHandle (-1 when none). Runs of white space in the
  // text match one stored space; *rtbBlankInculded (optional) tells whether
  // the word matched across white space. The length includes every skipped
  // white-space byte.
  virtual int GetMaxWord(const char* sLine, int* rtnHandle, bool* rtbBlankInculded = nullptr) const;

  // Handle of the NUL-terminated word, or -1.
  virtual int Find(const char* sWord) const;
  // Handle of the word formed by the first nLen bytes, or -1. A leading UTF-8
  // byte-order mark and enclosing double quotes are ignored; any run of space,
  // tab, CR and LF matches one stored space.
  virtual int Find(const char* pWord, unsigned int nLen) const;

  // Replaces the dictionary with a ".pdat" file. False, keeping the previous
  // contents, when the file is missing or its layout is inconsistent.
  virtual bool Load(const char* sFilename);
  // Writes the ".pdat" file (atomically). False when it cannot be written.
  virtual bool Save(const char* sFilename) const;
  // Builds the dictionary from a word list (one entry per line; "[...]" may
  // hold blanks; "_" stands for a blank), skipping entries that pCoreDict
  // (optional) knows, and completes it. Writes the entries to the echo file
  // sFilename + "_export.txt". Returns the word count; 0 when a file cannot
  // be opened or the dictionary is no longer building.
  virtual int Import(const char* sFilename, CPDAT* pCoreDict = nullptr);
  // Compatibility hooks: AddTrie returns 1, GetPos does nothing.
  virtual int AddTrie(const char* sWord);
  virtual void GetPos(char* sPos, int nSize);

  // Empties the building tree, the character counts and the word count.
  // Statistics and the code range are kept. False once completed.
  bool AddWordInit();
  // Adds a word (new handle = word count) and returns its handle, new or
  // existing; -1 for an empty word, a word whose last character is skipped,
  // after completion, or (bStat) a word that extends a filter word. With bStat
  // the word's frequency is counted in the statistics, indexed by handle.
  int AddWord(const char* sWord, bool bStat = false);
  // The same with the handle a new word receives chosen by the caller.
  int AddWord(const char* sWord, int nHandle, bool bStat);
  // Adds the word in statistics mode and marks it a filter word: no longer
  // word that begins with it is added or counted. Returns its handle or -1.
  int AddFilterWord(const char* sWord);
  // Handle of the word in the building tree, or -1 (counts its characters
  // like an add).
  int FindWord(const char* sWord);
  // Lays out the cells from the building tree and frees the tree. Later
  // calls do nothing. Always true.
  bool AddWordComplete();

  // Handle of the one-character word with the code, or -1.
  int Find(int nCharCode) const;

  // Writes every word, one per line, in cell order. False when the file
  // cannot be written. A word whose text does not find its own handle is
  // reported to the log.
  bool Export(const char* sFilename) const;

  size_t GetItemCount() const { return m_nItemCount; }
  bool IsEmpty() const { return m_nLowerBound == 0; }
  // Sets the bound and the word count to 0; nothing is freed.
  bool SetEmpty();
  int GetMode() const { return m_nMode; }

  // Code of the character at byte i of a text of nLineLen bytes (see the
  // coding modes) and its length in bytes in *nCharLen (never below 1). A
  // negative nLineLen means the text ends at its NUL.
  int GetCharCode(const char* sLine, int i, int nLineLen, int* nCharLen) const;

  // ---- Scanning ----

  // Every dictionary word that is a prefix of sLine and longer than
  // nMinLength bytes, shortest first: handle in (*vecHandle)[k], byte length
  // in (*vecPosition)[k], count in *npArrayCount. Both arrays have
  // *npMemorySize entries, belong to the caller (malloc'ed or null) and are
  // enlarged with realloc, 5 entries at a time. Returns the length of the
  // longest word found, 0 when none.
  int GetWords(const char* sLine, unsigned int** vecHandle, unsigned int** vecPosition,
               unsigned int* npMemorySize, unsigned int* npArrayCount, int nMinLength) const;

  // Forward maximum matching of sLine into units, each followed by
  // chSeperator, NUL-terminated in *sResult. *sResult (capacity *pResultSize)
  // and, when pIDList is given, *pIDList (capacity *pIDListSize) belong to the
  // caller (malloc'ed or null) and are enlarged with realloc to 6 x length + 1
  // bytes and length + 2 entries. Unit handles go to *pIDList: all of them
  // when bInvalidStore, else only those that are not -1. With nLengthLimit > 0
  // no unit grows past the first character boundary beyond that many bytes.
  // Returns the number of handles recorded (-1 when a buffer cannot be had).
  int MMSegment(const char* sLine, int** pIDList, int* pIDListSize, char** sResult, int* pResultSize,
                bool bSearchUsing, bool bInvalidStore, int nLengthLimit, char chSeperator) const;
  // The same into the dictionary's own buffer, valid until the next call.
  const char* MMSegment(const char* sLine, int nLengthLimit, char chSeperator);

  // ---- Term statistics (dictionary still building, statistics mode) ----

  // Zeroes every frequency, then counts each term with AddWord(term, true).
  // Returns the number of distinct words.
  size_t WordFreq(std::vector<std::string>& vecTerm);
  // Report of the nTopCount most frequent words (-1: all), each as
  // word "/" freq "#"; a word longer than 4 bytes that contains an earlier
  // reported-or-skipped word of at least 4 bytes is left out (still counted
  // towards nTopCount). The statistics keep their handle order.
  const char* GetTopWords(int nTopCount);
  // Sorts the statistics by descending frequency and returns them. From then
  // on they are no longer indexed by handle.
  std::vector<_stTermFreq>& GetTopWordVector();
  void ResetFreq();

 private:
  // Node of the building tree; children are node indexes in insertion order.
  struct trie_elem {
    unsigned int node = 0;
    int child_count = 0;
    std::vector<int> children;
    int position = -1;
    int check = -1;
    int handle = -1;
  };
  // The building tree: node 0 is the root. Nodes with many children also
  // index them in a hash map keyed by (node index, code).
  struct BuildTree {
    std::vector<trie_elem> nodes;
    std::unordered_map<uint64_t, int> wide;
  };
  static constexpr int kWideChildren = 8;

  int BuildTRIE(const char* sWord, int nHandle, bool bStat, bool bSearch);
  int FindChild(int nNode, unsigned int nCode) const;
  int AppendChild(int nNode, unsigned int nCode);
  int EndWord(int nNode, const char* sWord, int nHandle, bool bStat);
  bool IsTermFilter(int nHandle) const;

  // Layout (pdat_layout.cc).
  void GetCharMap();
  void GrowCells(int64_t nIndex);
  int FindFreeCell(int nIndex);
  void OccupyCell(int nIndex);
  uint64_t FreeBits64(int64_t nIndex) const;
  void LayOut();

  // Scanning helper shared by the MMSegment forms.
  int Segment(const char* sLine, size_t nLen, int* pIDList, char* sOut, bool bInvalidStore,
              int nLengthLimit, char chSeperator) const;

  std::unique_ptr<BuildTree> m_word_trie;
  std::vector<state> m_pData;     // cells; size() is the allocated length
  int m_nLength = 0;              // allocated cells (== m_pData.size())
  int m_nLowerBound = 0;
  unsigned int m_nItemCount = 0;
  char* m_sResult = nullptr;      // malloc'ed result buffer of MMSegment
  int m_nResultLen = 0;
  std::vector<int> m_charset;     // 65536 character ids
  int m_charsetSize = 0;
  std::vector<int> m_charsetfreq; // 65536 counts at id assignment
  std::vector<int> m_freq;        // 65536 counts while building
  int m_LowerChar = 0x10000;
  int m_UpperChar = 0;
  std::vector<_stTermFreq> m_vecTermFreq;
  int m_nMode = 0;
  std::string m_sTopWords;
  bool m_bWordAddCompleted = false;
  std::vector<int> m_vecFreeNext;  // layout only: next free cell (union-find)
  std::vector<uint64_t> m_vecFreeBits;  // layout only: bit set = free cell
};

#endif  // KAVEL_LEXICON_PDAT_H_
