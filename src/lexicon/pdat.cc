// CPDAT construction, character coding and the building tree.
#include "lexicon/pdat.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kCodeCount = 0x10000;

inline unsigned char Byte(const char* s, int i) { return static_cast<unsigned char>(s[i]); }

// Two-byte separators of the normalising coding: ＼｜，．。、－— and AA A4.
bool IsWideSeparator(unsigned char b1, unsigned char b2) {
  static const unsigned char kTable[][2] = {{0xA3, 0xDC}, {0xA3, 0xFC}, {0xA3, 0xAC},
                                            {0xA3, 0xAE}, {0xA1, 0xA3}, {0xA1, 0xA2},
                                            {0xA3, 0xAD}, {0xA1, 0xAA}, {0xAA, 0xA4}};
  for (const auto& c : kTable) {
    if (c[0] == b1 && c[1] == b2) return true;
  }
  return false;
}

bool IsNarrowSeparator(unsigned char b) {
  return b == ' ' || b == '\t' || b == '\r' || b == '\n' || b == ',' || b == '/' || b == '_';
}

// True when byte k is past the text: nLen bytes, or up to the NUL when nLen
// is negative.
inline bool AtEnd(const char* s, int k, int nLen) { return nLen >= 0 ? k >= nLen : s[k] == 0; }

// Length of the unit at i for the normalising coding: two bytes when the first
// is 0x80 or more and a non-NUL byte follows inside the text.
int UnitLength(const char* s, int i, int nLen) {
  return (Byte(s, i) >= 0x80 && !AtEnd(s, i + 1, nLen) && s[i + 1] != 0) ? 2 : 1;
}

bool IsSeparatorUnit(const char* s, int i, int nUnit) {
  return nUnit == 2 ? IsWideSeparator(Byte(s, i), Byte(s, i + 1)) : IsNarrowSeparator(Byte(s, i));
}

}  // namespace

CPDAT::CPDAT(int nMode)
    : m_word_trie(new BuildTree),
      m_charset(kCodeCount, -1),
      m_charsetfreq(kCodeCount, 0),
      m_freq(kCodeCount, 0),
      m_nMode(nMode) {
  AddWordInit();
}

CPDAT::~CPDAT() { free(m_sResult); }

int CPDAT::AddTrie(const char* /*sWord*/) { return 1; }

void CPDAT::GetPos(char* /*sPos*/, int /*nSize*/) {}

bool CPDAT::SetEmpty() {
  m_nLowerBound = 0;
  m_nItemCount = 0;
  return true;
}

bool CPDAT::AddWordInit() {
  if (!m_word_trie) return false;
  m_word_trie->nodes.clear();
  m_word_trie->nodes.emplace_back();
  m_word_trie->wide.clear();
  if (m_freq.size() != static_cast<size_t>(kCodeCount)) m_freq.assign(kCodeCount, 0);
  std::fill(m_freq.begin(), m_freq.end(), 0);
  m_nItemCount = 0;
  m_bWordAddCompleted = false;
  return true;
}

int CPDAT::GetCharCode(const char* sLine, int i, int nLineLen, int* nCharLen) const {
  unsigned char c = Byte(sLine, i);
  int nCode = c;
  int nLen = 1;
  if (m_nMode != 1 && !AtEnd(sLine, i + 1, nLineLen) && c >= 0x80) {
    nCode = c * 256 + Byte(sLine, i + 1);
    nLen = 2;
  }
  if (m_nMode == 0) {
    if (nCode >= 0x41 && nCode <= 0x5A) nCode += 0x20;
  } else if (m_nMode == 2) {
    int nUnit = UnitLength(sLine, i, nLineLen);
    unsigned char c2 = nUnit == 2 ? Byte(sLine, i + 1) : 0;
    int nUnitCode = nUnit == 2 ? c * 256 + c2 : -1;
    if (nUnitCode == 0xA3A8 || nUnitCode == 0xA1BE) {
      nCode = 0x28, nLen = nUnit;
    } else if (nUnitCode == 0xA3A9 || nUnitCode == 0xA1BF) {
      nCode = 0x29, nLen = nUnit;
    } else if (nUnitCode == 0xA1B0 || nUnitCode == 0xA1B1 || nUnitCode == 0xA1AE ||
               nUnitCode == 0xA3A7) {
      nCode = 0x22, nLen = nUnit;
    } else if (nUnit == 2 && c == 0xA3 && c2 >= 0xB0 && c2 <= 0xB9) {
      nCode = c2 - 0x80, nLen = 2;
    } else if (nUnit == 2 && c == 0xA3 && c2 >= 0xC1 && c2 <= 0xDA) {
      nCode = c2 - 0x60, nLen = 2;
    } else if (nUnit == 2 && c == 0xA3 && c2 >= 0xE1 && c2 <= 0xFA) {
      nCode = c2 - 0x80, nLen = 2;
    } else if (IsSeparatorUnit(sLine, i, nUnit)) {
      int j = i + nUnit;
      while (!AtEnd(sLine, j, nLineLen)) {
        int nNext = UnitLength(sLine, j, nLineLen);
        if (!IsSeparatorUnit(sLine, j, nNext)) break;
        j += nNext;
      }
      nCode = 9, nLen = j - i;
    } else if (nLen == 1 && nCode >= 0x41 && nCode <= 0x5A) {
      nCode += 0x20;
    }
  }
  *nCharLen = nLen;
  return nCode;
}

int CPDAT::FindChild(int nNode, unsigned int nCode) const {
  const BuildTree& tree = *m_word_trie;
  const trie_elem& elem = tree.nodes[nNode];
  if (elem.child_count > kWideChildren) {
    auto it = tree.wide.find((static_cast<uint64_t>(nNode) << 16) | nCode);
    return it == tree.wide.end() ? -1 : it->second;
  }
  for (int nChild : elem.children) {
    if (tree.nodes[nChild].node == nCode) return nChild;
  }
  return -1;
}

int CPDAT::AppendChild(int nNode, unsigned int nCode) {
  BuildTree& tree = *m_word_trie;
  int nChild = static_cast<int>(tree.nodes.size());
  tree.nodes.emplace_back();
  tree.nodes[nChild].node = nCode;
  trie_elem& parent = tree.nodes[nNode];
  parent.children.push_back(nChild);
  parent.child_count++;
  uint64_t nKey = static_cast<uint64_t>(nNode) << 16;
  if (parent.child_count == kWideChildren + 1) {
    for (int c : parent.children) tree.wide.emplace(nKey | tree.nodes[c].node, c);
  } else if (parent.child_count > kWideChildren + 1) {
    tree.wide.emplace(nKey | nCode, nChild);
  }
  return nChild;
}

int CPDAT::EndWord(int nNode, const char* sWord, int nHandle, bool bStat) {
  m_word_trie->nodes[nNode].handle = nHandle;
  m_nItemCount++;
  if (bStat) m_vecTermFreq.emplace_back(sWord);
  return nHandle;
}

bool CPDAT::IsTermFilter(int nHandle) const {
  return nHandle >= 0 && static_cast<size_t>(nHandle) < m_vecTermFreq.size() &&
         m_vecTermFreq[nHandle].freq < 0;
}

int CPDAT::BuildTRIE(const char* sWord, int nHandle, bool bStat, bool bSearch) {
  if (!m_word_trie || sWord == nullptr) return -1;
  const char* p = sWord;
  int nLen = static_cast<int>(strlen(sWord));
  if (nLen >= 3 && Byte(p, 0) == 0xEF && Byte(p, 1) == 0xBB && Byte(p, 2) == 0xBF) {
    p += 3;
    nLen -= 3;
  }
  if (m_nMode == 2) {
    while (nLen > 1) {
      int nLast = Byte(p, nLen - 1) >= 0x80 ? 2 : 1;
      if (!IsSeparatorUnit(p, nLen - nLast, nLast)) break;
      nLen -= nLast;
    }
  }
  int nNode = 0;
  for (int i = 0; i < nLen;) {
    int nCharLen = 1;
    int nCode = GetCharCode(p, i, nLen, &nCharLen);
    i += nCharLen;
    if (nCode == 9) continue;
    m_freq[nCode]++;
    if (nCode < m_LowerChar) m_LowerChar = nCode;
    if (nCode > m_UpperChar) m_UpperChar = nCode;
    bool bLast = (i == nLen);
    int nChild = FindChild(nNode, static_cast<unsigned int>(nCode));
    if (nChild < 0) {
      if (bSearch) return -1;
      nChild = AppendChild(nNode, static_cast<unsigned int>(nCode));
      if (bLast) return EndWord(nChild, sWord, nHandle, bStat);
    } else if (bLast) {
      int nOld = m_word_trie->nodes[nChild].handle;
      if (nOld < 0) return bSearch ? -1 : EndWord(nChild, sWord, nHandle, bStat);
      if (bSearch) return nOld;
      if (bStat && nOld < static_cast<int>(m_vecTermFreq.size()) && m_vecTermFreq[nOld].freq >= 0) {
        m_vecTermFreq[nOld].freq++;
      }
      return nOld;
    } else if (bStat && IsTermFilter(m_word_trie->nodes[nChild].handle)) {
      return -1;
    }
    nNode = nChild;
  }
  return -1;
}

int CPDAT::AddWord(const char* sWord, bool bStat) {
  return BuildTRIE(sWord, static_cast<int>(m_nItemCount), bStat, false);
}

int CPDAT::AddWord(const char* sWord, int nHandle, bool bStat) {
  return BuildTRIE(sWord, nHandle, bStat, false);
}

int CPDAT::AddFilterWord(const char* sWord) {
  int nHandle = AddWord(sWord, true);
  if (nHandle >= 0 && static_cast<size_t>(nHandle) < m_vecTermFreq.size()) {
    m_vecTermFreq[nHandle].freq = -1;
  }
  return nHandle;
}

int CPDAT::FindWord(const char* sWord) { return BuildTRIE(sWord, -1, false, true); }
