// The growable node array of the user trie, which is also its file image.
//
// Nodes are fixed 64-byte records addressed by index, so saving and loading
// the array is one block copy. The array starts with room for 10000 zeroed
// records and grows by 10000 zeroed records whenever it is full; it never
// shrinks.
#ifndef KAVEL_LEXICON_DYNAMIC_ARRAY_H_
#define KAVEL_LEXICON_DYNAMIC_ARRAY_H_

#include <cstddef>

class AtomicFileWriter;
class BinaryFileReader;

class CDynamicArry {
 public:
  // One trie node, byte for byte as stored in the file.
  struct trie_elem {
    unsigned int node;  // character code of this node
    int child_count;    // number of children
    int children;       // index of the first child; -1 when none
    int handle;         // word handle when the path ends a word, else -1
    char sPos[40];      // POS text of the word, NUL-terminated
    int nextNode;       // index of the next sibling; -1 when last
    int freq;           // times the word has been added
  };

  static const int kGrowStep = 10000;

  CDynamicArry();
  ~CDynamicArry();
  CDynamicArry(const CDynamicArry&) = delete;
  CDynamicArry& operator=(const CDynamicArry&) = delete;

  // Index of a new all-zero record; -1 when memory runs out. Growing may move
  // the records, so addresses from GetElem do not survive a NewElem.
  int NewElem();
  // 1 and the record's address for a valid index; otherwise 0 and pElem
  // unchanged.
  int GetElem(int iIndex, trie_elem*& pElem);
  // 1 when the array is not empty and 0 <= iIndex < m_nElemNum.
  int ValidateIndex(int iIndex) const;
  bool Empty() const { return m_nElemNum == 0; }
  bool Full() const { return m_nElemNum >= m_nTotalNum; }
  void GetElemNum(int& nNum) const { nNum = m_nElemNum; }
  // Bytes of the records in use.
  void GetBufSize(int& nSize) const { nSize = m_nElemNum * static_cast<int>(sizeof(trie_elem)); }
  void GetBufPoint(void*& pBuf) { pBuf = m_pData; }

  // Unchecked access for callers that have validated the index.
  trie_elem& At(int iIndex) { return m_pData[iIndex]; }
  const trie_elem& At(int iIndex) const { return m_pData[iIndex]; }
  int ElemNum() const { return m_nElemNum; }
  int TotalNum() const { return m_nTotalNum; }

  // Writes m_nElemNum, m_nTotalNum and the records in use. 1 on success.
  int Save(AtomicFileWriter& writer) const;
  // Reads m_nElemNum, m_nTotalNum and the records, which must fill the rest
  // of the file exactly; the capacity must hold the records. Only the record
  // counts are checked here, not the links between records. 1 on success;
  // on failure 0 and the array is unchanged.
  int Load(BinaryFileReader& reader);

  // Back to the fresh state: 10000 zeroed records, none in use.
  void Reset();
  void Swap(CDynamicArry& other);

 private:
  trie_elem* m_pData;
  int m_nElemNum;
  int m_nTotalNum;
};

static_assert(sizeof(CDynamicArry::trie_elem) == 64, "trie node record is 64 bytes");
static_assert(offsetof(CDynamicArry::trie_elem, node) == 0, "node at 0");
static_assert(offsetof(CDynamicArry::trie_elem, child_count) == 4, "child_count at 4");
static_assert(offsetof(CDynamicArry::trie_elem, children) == 8, "children at 8");
static_assert(offsetof(CDynamicArry::trie_elem, handle) == 12, "handle at 12");
static_assert(offsetof(CDynamicArry::trie_elem, sPos) == 16, "sPos at 16");
static_assert(offsetof(CDynamicArry::trie_elem, nextNode) == 56, "nextNode at 56");
static_assert(offsetof(CDynamicArry::trie_elem, freq) == 60, "freq at 60");

#endif  // KAVEL_LEXICON_DYNAMIC_ARRAY_H_
