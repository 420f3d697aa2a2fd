// Named-entity grouping of capitalised terms, and the dictionary word test.
#include <cstring>

#include "english/english.h"
#include "lexicon/pdat.h"
#include "lexicon/unigram.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"

namespace {

const int kPOSLinking = 34;  // a linking word inside a name ("of")

bool IsNameWord(const english_term_result& t) { return t.word_type >= 1 && t.word_type <= 4; }

bool StartsName(const english_term_result& t) {
  if (!IsNameWord(t) || t.word.size() <= 1) return false;
  int p = t.iPOS;
  if (p == 52 || p == 11 || p == 9 || p == 10) return false;
  if (t.word_type == 1 && (p == kPOSLinking || (p >= 40 && p <= 50))) return false;
  return true;
}

}  // namespace

int CEnglish::RecognizeNEType(std::vector<english_term_result>::iterator iterStart, size_t nCount) {
  if (nCount == 0 || m_tables.pNEDict == nullptr || m_tables.pNEPOS == nullptr) return 0;
  double dCommon = 0;
  double dPerson = 0, dPlace = 0, dOrg = 0, dOther = 0;
  bool bPlace29 = false;
  for (size_t k = 0; k < nCount; ++k) {
    const english_term_result& t = iterStart[k];
    int nFreq = m_tables.pUnigram != nullptr ? m_tables.pUnigram->GetFreq(t.word_ID) : 0;
    dCommon += nFreq / 10.0 - 145;
    int nHandle = m_tables.pNEDict->Find(t.word.c_str(), static_cast<unsigned int>(t.word.size()));
    if (nHandle < 0) {
      if (k > 0 && (t.iPOS == 9 || t.iPOS == 18 || t.iPOS == 54)) continue;
      return 0;
    }
    dPerson += m_tables.pNEPOS->GetPOSFreq(nHandle, 24);
    int nPlace = m_tables.pNEPOS->GetPOSFreq(nHandle, 29);
    if (nPlace > 0) bPlace29 = true;
    dPlace += nPlace > 0 ? nPlace : m_tables.pNEPOS->GetPOSFreq(nHandle, 30);
    dOrg += m_tables.pNEPOS->GetPOSFreq(nHandle, 31);
    dOther += m_tables.pNEPOS->GetPOSFreq(nHandle, 32);
  }
  if (nCount == 1 && dCommon >= -145) return 0;
  const double kScores[] = {dCommon, dPerson, dPlace, dOrg, dOther};
  const int kTypes[] = {0, 24, bPlace29 ? 29 : 30, 31, 32};
  int nBest = 0;
  for (int k = 1; k < 5; ++k) {
    if (kScores[k] > kScores[nBest]) nBest = k;
  }
  if (kScores[nBest] / static_cast<double>(nCount) <= -131) return 0;
  return kTypes[nBest];
}

size_t CEnglish::NER() {
  std::vector<english_term_result>& v = m_vecResult;
  size_t w = 0;
  for (size_t r = 0; r < v.size();) {
    size_t nEnd = r + 1;  // one past the run
    if (StartsName(v[r])) {
      while (nEnd < v.size()) {
        if (IsNameWord(v[nEnd])) {
          ++nEnd;
        } else if (v[nEnd].iPOS == kPOSLinking && nEnd + 1 < v.size() && IsNameWord(v[nEnd + 1])) {
          nEnd += 2;
        } else {
          break;
        }
      }
    }
    int nType = nEnd > r ? RecognizeNEType(v.begin() + static_cast<long>(r), nEnd - r) : 0;
    if (nType > 0) {
      english_term_result& t = v[r];
      std::string sJoined;
      int nUnits = 0;
      for (size_t k = r; k < nEnd; ++k) {
        if (k > r) sJoined += ' ';
        sJoined += v[k].original_word;
        nUnits += v[k].unit_count;
      }
      t.length = v[nEnd - 1].start + v[nEnd - 1].length - t.start;
      t.word = sJoined;
      t.original_word = sJoined;
      t.iPOS = nType;
      t.sPOS[0] = 0;
      if (m_tables.pPOSmap != nullptr) {
        strncpy(t.sPOS, m_tables.pPOSmap->GetPOS(static_cast<unsigned char>(nType)), sizeof(t.sPOS) - 1);
      }
      t.word_ID = -1;
      t.word_type = kEngCapitalised;
      t.unit_count = nUnits;
    } else {
      nEnd = r + 1;
    }
    if (w != r) v[w] = std::move(v[r]);
    ++w;
    r = nEnd;
  }
  v.resize(w);
  return w;
}

bool CEnglish::IsEnglishWord(const char* sWord) {
  RefreshTables();
  if (sWord == nullptr || sWord[0] == 0 || m_tables.pDict == nullptr) return false;
  const CPDAT* pDict = m_tables.pDict;
  size_t n = strlen(sWord);
  if (pDict->Find(sWord, static_cast<unsigned int>(n)) >= 0) return true;
  const char* pApostrophe = strchr(sWord, '\'');
  if (pApostrophe != nullptr) {
    size_t nStem = static_cast<size_t>(pApostrophe - sWord);
    return nStem > 0 && pDict->Find(sWord, static_cast<unsigned int>(nStem)) >= 0;
  }
  // Common endings, with the stem's final "y" or "e" restored where the
  // ending absorbed it.
  struct Ending {
    const char* suffix;
    const char* restore;
  };
  static const Ending kEndings[] = {
      {"ies", "y"}, {"ied", "y"}, {"ing", ""}, {"ing", "e"}, {"est", ""}, {"es", ""},
      {"ed", ""},   {"ed", "e"},  {"er", ""},  {"ly", ""},   {"s", ""},
  };
  std::string sStem;
  for (const Ending& e : kEndings) {
    size_t nSuffix = strlen(e.suffix);
    if (n < nSuffix + 2 || strcmp(sWord + n - nSuffix, e.suffix) != 0) continue;
    sStem.assign(sWord, n - nSuffix);
    sStem += e.restore;
    if (pDict->Find(sStem.c_str(), static_cast<unsigned int>(sStem.size())) >= 0) return true;
  }
  return false;
}
