// CPDAT layout: from the building tree to the double-array cells.
//
// The cells are exactly those of the plain algorithm: character ids by
// descending frequency, the first level at the ids, then repeatedly the
// pending node with the most children (earliest on ties) gets the smallest
// base b >= 1 at which every child's cell is free. Two things keep it fast
// without changing any position: the pending list is a priority queue keyed
// by (child count, list order), and the base search starts at the first free
// cell (a union-find "next free cell" table) and then tests 64 candidate bases
// at once against a bitmap of free cells.
#include <algorithm>
#include <cstdlib>
#include <queue>
#include <tuple>

#include "lexicon/pdat.h"

namespace {
constexpr int kCodeCount = 0x10000;
constexpr CPDAT::state kUnused = {-1, -1, -1};
}  // namespace

void CPDAT::GetCharMap() {
  std::fill(m_charset.begin(), m_charset.end(), -1);
  std::fill(m_charsetfreq.begin(), m_charsetfreq.end(), 0);
  std::vector<int> vecCodes;
  int nLow = std::max(m_LowerChar, 0);
  int nHigh = std::min(m_UpperChar, kCodeCount - 1);
  for (int c = nLow; c <= nHigh; c++) {
    if (m_freq[c] > 0) vecCodes.push_back(c);
  }
  // Descending count, lower code first on ties: the order of repeatedly
  // taking the most frequent remaining code.
  std::sort(vecCodes.begin(), vecCodes.end(), [this](int a, int b) {
    return m_freq[a] != m_freq[b] ? m_freq[a] > m_freq[b] : a < b;
  });
  for (size_t k = 0; k < vecCodes.size(); k++) {
    int c = vecCodes[k];
    m_charset[c] = static_cast<int>(k);
    m_charsetfreq[c] = m_freq[c];
    m_freq[c] = -1;
  }
  m_charsetSize = static_cast<int>(vecCodes.size());
}

void CPDAT::GrowCells(int64_t nIndex) {
  if (nIndex < m_nLength) return;
  size_t nNew = static_cast<size_t>(nIndex) + 100;
  m_pData.resize(nNew, kUnused);
  size_t nOld = m_vecFreeNext.size();
  m_vecFreeNext.resize(nNew);
  m_vecFreeBits.resize(nNew / 64 + 2, ~0ULL);
  for (size_t i = nOld; i < nNew; i++) m_vecFreeNext[i] = static_cast<int>(i);
  m_nLength = static_cast<int>(nNew);
}

// Smallest free cell at or after nIndex; cells beyond the array are free.
int CPDAT::FindFreeCell(int nIndex) {
  int nRoot = nIndex;
  while (nRoot < m_nLength && m_vecFreeNext[nRoot] != nRoot) nRoot = m_vecFreeNext[nRoot];
  while (nIndex < m_nLength && m_vecFreeNext[nIndex] != nIndex) {
    int nNext = m_vecFreeNext[nIndex];
    m_vecFreeNext[nIndex] = nRoot;
    nIndex = nNext;
  }
  return nRoot;
}

void CPDAT::OccupyCell(int nIndex) {
  m_vecFreeNext[nIndex] = nIndex + 1;
  m_vecFreeBits[nIndex >> 6] &= ~(1ULL << (nIndex & 63));
}

// Free bits of the 64 cells from nIndex on (bit k: cell nIndex + k is free).
uint64_t CPDAT::FreeBits64(int64_t nIndex) const {
  size_t nWord = static_cast<size_t>(nIndex >> 6);
  int nShift = static_cast<int>(nIndex & 63);
  uint64_t nLow = nWord < m_vecFreeBits.size() ? m_vecFreeBits[nWord] : ~0ULL;
  if (nShift == 0) return nLow;
  uint64_t nHigh = nWord + 1 < m_vecFreeBits.size() ? m_vecFreeBits[nWord + 1] : ~0ULL;
  return (nLow >> nShift) | (nHigh << (64 - nShift));
}

bool CPDAT::AddWordComplete() {
  if (m_bWordAddCompleted) return true;
  if (!m_word_trie) return true;
  m_nLength = std::max(1, static_cast<int>(m_nItemCount * 1.5));
  m_pData.assign(m_nLength, kUnused);
  m_vecFreeNext.resize(m_nLength);
  for (int i = 0; i < m_nLength; i++) m_vecFreeNext[i] = i;
  m_vecFreeBits.assign(m_nLength / 64 + 2, ~0ULL);
  m_nLowerBound = 0;
  GetCharMap();
  LayOut();
  m_word_trie.reset();
  std::vector<int>().swap(m_vecFreeNext);
  std::vector<uint64_t>().swap(m_vecFreeBits);
  std::vector<int>().swap(m_freq);
  m_bWordAddCompleted = true;
  return true;
}

void CPDAT::LayOut() {
  std::vector<trie_elem>& nodes = m_word_trie->nodes;
  // Pending nodes: most children first, then earliest in list order.
  using Pending = std::tuple<int, int64_t, int>;  // child count, -order, node
  std::priority_queue<Pending> queue;
  int64_t nOrder = 0;

  for (int nChild : nodes[0].children) {
    trie_elem& elem = nodes[nChild];
    int nPos = m_charset[elem.node];
    elem.position = nPos;
    GrowCells(nPos);
    m_pData[nPos].check = -2;
    OccupyCell(nPos);
    if (elem.child_count == 0) {
      m_pData[nPos].base = -nPos;
      m_pData[nPos].handle = elem.handle;
    } else {
      queue.emplace(elem.child_count, -nOrder, nChild);
    }
    nOrder++;
    m_nLowerBound = std::max(m_nLowerBound, nPos);
  }

  while (!queue.empty()) {
    int64_t nKey = -std::get<1>(queue.top());
    int nNode = std::get<2>(queue.top());
    queue.pop();
    trie_elem& elem = nodes[nNode];
    const int p = elem.position;
    const bool bEndsWord = elem.handle >= 0;
    // Cells are tested relative to the child with the smallest id: base b
    // puts it at cell f = b + nMinId, and b >= 1 means f > nMinId.
    int nMinId = m_charset[nodes[elem.children[0]].node];
    int nMaxId = nMinId;
    for (int c : elem.children) {
      nMinId = std::min(nMinId, m_charset[nodes[c].node]);
      nMaxId = std::max(nMaxId, m_charset[nodes[c].node]);
    }
    int nBase = 0;
    for (int64_t f = FindFreeCell(nMinId + 1);; f += 64) {
      uint64_t nFits = ~0ULL;
      for (int c : elem.children) {
        nFits &= FreeBits64(f + m_charset[nodes[c].node] - nMinId);
        if (nFits == 0) break;
      }
      // Candidates in ascending order; the node's own index is no base for a
      // node that ends a word.
      while (nFits != 0) {
        int64_t b = f + __builtin_ctzll(nFits) - nMinId;
        if (!(b == p && bEndsWord)) {
          nBase = static_cast<int>(b);
          break;
        }
        nFits &= nFits - 1;
      }
      if (nBase != 0) break;
    }
    // Every rejected candidate was smaller, so the accepted one examined the
    // highest index any candidate did.
    GrowCells(static_cast<int64_t>(nBase) + nMaxId);
    m_nLowerBound = std::max(m_nLowerBound, nBase + nMaxId);

    if (bEndsWord) {
      m_pData[p].base = -nBase;
      m_pData[p].handle = elem.handle;
    } else {
      m_pData[p].base = nBase;
    }
    for (size_t k = 0; k < elem.children.size(); k++) {
      trie_elem& child = nodes[elem.children[k]];
      int nPos = m_charset[child.node] + nBase;
      child.position = nPos;
      child.check = p;
      m_pData[nPos].check = p;
      OccupyCell(nPos);
      if (child.child_count == 0) {
        m_pData[nPos].base = -nPos;
        m_pData[nPos].handle = child.handle;
      } else {
        // The first child takes the selected node's place in the list; the
        // others go to its end.
        queue.emplace(child.child_count, k == 0 ? -nKey : -nOrder++, elem.children[k]);
      }
    }
    std::vector<int>().swap(elem.children);
  }
}
