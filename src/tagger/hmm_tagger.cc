#include "tagger/hmm_tagger.h"

#include <cmath>

#include "segment/engine_globals.h"
#include "tagger/context_stat.h"

namespace {

const double kEmissionSmoothing = 0.02;
const unsigned char kPersonNameType = 102;

bool IsPunctuationType(unsigned char nType) { return nType >= 1 && nType <= 4; }

}  // namespace

CHMMTagger::CHMMTagger(CPOS* pPOSData, CContextStat* pContextData, double dItemCount, int nDefaultPos)
    : m_pPOSData(pPOSData),
      m_pContextData(pContextData),
      m_dTotalItemCount(dItemCount),
      m_nDefaultPOS(nDefaultPos) {
  m_POSDefault.POS_id = static_cast<unsigned char>(nDefaultPos);
  m_POSDefault.freq = 0;
  m_POSPunctuation.POS_id = kPunctuationPOS;
  m_POSPunctuation.freq = 0;
}

CHMMTagger::~CHMMTagger() = default;

int CHMMTagger::Tagging(word_t* pWords, int nCount) {
  if (pWords == nullptr || nCount <= 0) return 0;
  const size_t n = static_cast<size_t>(nCount);
  m_nItemCount = nCount;
  if (m_pCounter.size() < n) {
    m_pCounter.resize(n);
    m_pCandidatePOS.resize(n);
    m_pFirstCandidate.resize(n);
  }

  // Candidates of every word, laid out one word after another.
  size_t nTotal = 0;
  for (size_t i = 0; i < n; ++i) {
    int nPOSCount = 0;
    const POS_info* pPOS = m_pPOSData != nullptr ? m_pPOSData->GetPOS(pWords[i].handle, &nPOSCount) : nullptr;
    if (pPOS == nullptr || nPOSCount <= 0) {
      pPOS = IsPunctuationType(pWords[i].type) ? &m_POSPunctuation : &m_POSDefault;
      nPOSCount = 1;
    }
    m_pCandidatePOS[i] = pPOS;
    m_pCounter[i] = nPOSCount;
    m_pFirstCandidate[i] = static_cast<int>(nTotal);
    nTotal += static_cast<size_t>(nPOSCount);
  }
  if (m_pWeight.size() < nTotal) {
    m_pWeight.resize(nTotal);
    m_pPrevIdx.resize(nTotal);
  }

  for (int j = 0; j < m_pCounter[0]; ++j) {
    m_pWeight[j] = 0;
    m_pPrevIdx[j] = -1;
  }
  for (size_t i = 1; i < n; ++i) {
    const POS_info* pPrev = m_pCandidatePOS[i - 1];
    const POS_info* pCur = m_pCandidatePOS[i];
    const double* pPrevWeight = &m_pWeight[m_pFirstCandidate[i - 1]];
    double* pWeight = &m_pWeight[m_pFirstCandidate[i]];
    int* pPrevIdx = &m_pPrevIdx[m_pFirstCandidate[i]];
    const int nPrevCount = m_pCounter[i - 1];
    for (int j = 0; j < m_pCounter[i]; ++j) {
      const unsigned char nTag = pCur[j].POS_id;
      double dBest = 0;
      int nBest = 0;
      for (int k = 0; k < nPrevCount; ++k) {
        double dProb = m_pContextData != nullptr
                           ? m_pContextData->GetContextPossibility(pPrev[k].POS_id, nTag)
                           : 0.00001;
        double dScore = pPrevWeight[k] + std::log(dProb);
        if (k == 0 || dScore > dBest) {
          dBest = dScore;
          nBest = k;
        }
      }
      // A negative frequency from a damaged table counts as 0 rather than
      // turning the score into NaN.
      double dFreq = pCur[j].freq > 0 ? pCur[j].freq : 0;
      double dTagFreq = m_pContextData != nullptr ? m_pContextData->GetFrequency(nTag) : 0;
      pWeight[j] = dBest + std::log(dFreq + kEmissionSmoothing) -
                   std::log(dTagFreq + m_dTotalItemCount * kEmissionSmoothing);
      pPrevIdx[j] = nBest;
    }
  }

  // The traceback starts at the best candidate of the last word.
  const double* pLastWeight = &m_pWeight[m_pFirstCandidate[n - 1]];
  int nCur = 0;
  for (int j = 1; j < m_pCounter[n - 1]; ++j) {
    if (pLastWeight[j] > pLastWeight[nCur]) nCur = j;
  }
  for (size_t i = n; i-- > 0;) {
    word_t& w = pWords[i];
    w.POS_id = m_pCandidatePOS[i][nCur].POS_id;
    // An absent name handle (-1) must not catch the words without a handle.
    if (gUnknown_nr_ID >= 0 && w.handle == gUnknown_nr_ID) {
      w.POS_id = w.type;
      w.type = kPersonNameType;
    }
    nCur = m_pPrevIdx[m_pFirstCandidate[i] + nCur];
  }
  return 0;
}
