// Word queries over the loaded dictionaries and tables.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "lexicon/bigram.h"
#include "lexicon/pdat.h"
#include "lexicon/unigram.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
double Smoothed(const CUnigram* pUnigram, int nHandle) {
  if (pUnigram == nullptr) return 0;
  const double f = nHandle >= 0 ? pUnigram->GetFreq(nHandle) : 0;
  const double dTotal = pUnigram->GetTotalFreq();
  const double dItems = pUnigram->GetItemCount();
  const double dDenominator = dTotal + dItems * 0.05;
  return dDenominator > 0 ? (f + 0.05) / dDenominator : 0;
}
}  // namespace

double CMainSystem::GetUniProb(const char* sWord) {
  if (sWord == nullptr) return 0;
  const bool bEnglish = isalpha(static_cast<unsigned char>(sWord[0])) != 0;
  const CPDAT* pDict = bEnglish ? g_pEnglishDict : g_pCoreDict;
  const CUnigram* pUnigram = bEnglish ? g_pEnglishUnigram : g_pUnigram;
  const int nHandle = pDict != nullptr && sWord[0] != 0 ? pDict->Find(sWord) : -1;
  return Smoothed(pUnigram, nHandle);
}

double CMainSystem::GetUniProb(int nHandle) { return Smoothed(g_pUnigram, nHandle); }

bool CMainSystem::IsFreqAssociate(const char* sPrevWord, const char* sNextWord) {
  if (sPrevWord == nullptr || sNextWord == nullptr || g_pCoreDict == nullptr ||
      g_pBiDict == nullptr || g_pUnigram == nullptr)
    return false;
  const int nPrev = g_pCoreDict->Find(sPrevWord);
  const int nNext = g_pCoreDict->Find(sNextWord);
  if (nPrev < 0 || nNext < 0) return false;
  const int nFreq = g_pBiDict->GetFreq(nPrev, nNext);
  if (nFreq <= 3) return false;
  return nFreq >= 0.1 * g_pUnigram->GetFreq(nPrev) || nFreq >= 0.1 * g_pUnigram->GetFreq(nNext);
}

bool CMainSystem::IsWord(const char* sWord) {
  if (sWord == nullptr || sWord[0] == 0) return false;
  if (g_pCoreDict != nullptr && g_pCoreDict->Find(sWord) >= 0) return true;
  return g_pEnglishDict != nullptr && g_pEnglishDict->Find(sWord) >= 0;
}

int CMainSystem::GetWordVector(const char* sLine, std::vector<std::string>& vecTerm,
                               bool bStopRemove) {
  vecTerm.clear();
  if (sLine == nullptr) return 0;
  std::string sTrans;
  const int nCount = ProcessA(sLine, sTrans, true, true, false);
  int nRecords = 0;
  const result_t* pRecords = GetResult(&nRecords);
  const size_t nLen = strlen(sLine);
  for (int k = 0; k < nCount && k < nRecords; ++k) {
    const result_t& record = pRecords[k];
    if (record.sPOS[0] == 0) continue;
    const char c = record.sPOS[0];
    if (bStopRemove && c != 'a' && c != 'n' && c != 'm' && c != 'v' && record.word_ID > 0)
      continue;
    if (record.start < 0 || record.length <= 0 || static_cast<size_t>(record.start) >= nLen)
      continue;
    const size_t nTake = std::min(static_cast<size_t>(record.length), nLen - record.start);
    vecTerm.emplace_back(sLine + record.start, nTake);
  }
  return static_cast<int>(vecTerm.size());
}

const char* CMainSystem::WordFreqStat(const char* sLine, bool bStopRemove) {
  try {
    std::vector<std::string> vecTerm;
    GetWordVector(sLine, vecTerm, bStopRemove);
    CPDAT dict(0);
    dict.AddWordInit();
    dict.WordFreq(vecTerm);
    const char* sTop = dict.GetTopWords(-1);
    m_sOutput.assign(sTop != nullptr ? sTop : "");
  } catch (...) {
    m_sOutput.clear();
  }
  return m_sOutput.c_str();
}
