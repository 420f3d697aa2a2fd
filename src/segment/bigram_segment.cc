#include "segment/bigram_segment.h"

#include <cmath>

#include "lexicon/bigram.h"
#include "lexicon/unigram.h"

namespace {
const double kUnreached = -1e300;
}  // namespace

CSegment::CSegment(CPDAT* pCoreDict, CUnigram* pUnigram, CBigram* pBigram)
    : m_pCoreDict(pCoreDict), m_pUnigram(pUnigram), m_pBigram(pBigram) {
  if (m_pUnigram != nullptr) {
    m_dTotalFreq = static_cast<double>(m_pUnigram->GetTotalFreq());
    m_dTotalItem = static_cast<double>(m_pUnigram->GetItemCount());
  }
}

CSegment::~CSegment() = default;

size_t CSegment::GetReservedSize() const {
  return m_vecWords.capacity() + m_vecWeight.capacity() + m_vecNext.capacity() + m_vecSlotBase.capacity() +
         m_vecRight.capacity();
}

// The two halves of the smoothed probability that depend on one word only;
// Transition combines them with the pair frequency.
double CSegment::LeftDenominator(const word_t& w) const {
  return m_dTotalItem * 0.00001 + w.value;
}

double CSegment::RightTerm(const word_t& v) const {
  return (1 - m_dSmoothingArg) * (v.value + 0.5) / (m_dTotalFreq + m_dTotalItem * 0.5);
}

double CSegment::Transition(const word_t& w, double dLeftDenominator, const word_t& v,
                            double dRightTerm) const {
  double dPair = m_pBigram != nullptr ? static_cast<double>(m_pBigram->GetFreq(w.handle, v.handle)) : 0;
  double dPrev = m_dSmoothingArg * (dPair + 0.00001) / dLeftDenominator;
  return log(dPrev + dRightTerm);
}

int CSegment::BiSegment(word_t** pWordGraph, int nLength, int* pWordCounter, int nAtomSize) {
  m_vecWords.clear();
  m_pWords = nullptr;
  m_nWordCount = 0;
  if (pWordGraph == nullptr || pWordCounter == nullptr || nLength < 2 || pWordGraph[0] == nullptr ||
      pWordCounter[0] < 1 || pWordGraph[nLength - 1] == nullptr || pWordCounter[nLength - 1] < 1) {
    return 0;
  }
  const int nBase = pWordGraph[0][0].start;

  // Number the nodes slot by slot; weights and successors are kept per node.
  m_vecSlotBase.resize(nLength);
  int nNodes = 0;
  for (int i = 0; i < nLength; i++) {
    m_vecSlotBase[i] = nNodes;
    if (pWordGraph[i] != nullptr && pWordCounter[i] > 0) nNodes += pWordCounter[i];
  }
  m_vecWeight.assign(nNodes, kUnreached);
  m_vecNext.assign(nNodes, -1);
  m_vecRight.resize(nNodes);

  word_t& endWord = pWordGraph[nLength - 1][0];
  endWord.value = m_pUnigram != nullptr ? m_pUnigram->GetFreq(endWord.handle) : 0;
  m_vecWeight[m_vecSlotBase[nLength - 1]] = 0;
  for (int j = 0; j < pWordCounter[nLength - 1]; j++)
    m_vecRight[m_vecSlotBase[nLength - 1] + j] = RightTerm(pWordGraph[nLength - 1][j]);

  for (int i = nLength - 2; i >= 0; i--) {
    if (pWordGraph[i] == nullptr) continue;
    for (int j = 0; j < pWordCounter[i]; j++) {
      word_t& w = pWordGraph[i][j];
      w.value = m_pUnigram != nullptr ? m_pUnigram->GetFreq(w.handle) : 0;
      m_vecRight[m_vecSlotBase[i] + j] = RightTerm(w);
      int n = w.end - nBase + 1;
      // Successors lie in a later slot of this graph.
      if (n <= i || n >= nLength || pWordGraph[n] == nullptr) continue;
      double& dWeight = m_vecWeight[m_vecSlotBase[i] + j];
      int& nNext = m_vecNext[m_vecSlotBase[i] + j];
      const double dLeft = LeftDenominator(w);
      const int nSuccessor = m_vecSlotBase[n];
      for (int k = 0; k < pWordCounter[n]; k++) {
        double s = m_vecWeight[nSuccessor + k] +
                   Transition(w, dLeft, pWordGraph[n][k], m_vecRight[nSuccessor + k]);
        if (k == 0 || s > dWeight) {
          dWeight = s;
          nNext = k;
        }
      }
    }
  }

  // Follow the successors from the start word. Each step moves to a later
  // slot, so the path has at most one word per slot.
  int nMax = nAtomSize > 0 ? nAtomSize : nLength;
  m_vecWords.push_back(pWordGraph[0][0]);
  int nSlot = 0;
  int nIndex = 0;
  while (static_cast<int>(m_vecWords.size()) < nMax) {
    int nNext = m_vecNext[m_vecSlotBase[nSlot] + nIndex];
    if (nNext < 0) break;
    nSlot = m_vecWords.back().end - nBase + 1;
    nIndex = nNext;
    m_vecWords.push_back(pWordGraph[nSlot][nIndex]);
  }
  m_pWords = m_vecWords.data();
  m_nWordCount = static_cast<int>(m_vecWords.size());
  return m_nWordCount;
}
