#include "english/english.h"

#include <cstring>

#include "analysis/num_utility.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"
#include "segment/engine_globals.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"

namespace {

const int kPOSLineEnd = 1;
const int kPOSNumber = 18;
const int kPOSUnknown = 21;
const int kPOSPerson = 24;
const int kPOSPlace = 29;
const int kPOSOrganisation = 31;
const int kPOSAddress = 97;
const int kNoPOS = 255;

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

EnglishTables EnglishTablesFromGlobals(int nPOSmap) {
  EnglishTables tables;
  tables.pDict = g_pEnglishDict;
  tables.pWordList = g_pEnglishWordList;
  tables.pUnigram = g_pEnglishUnigram;
  tables.pPOS = g_pEnglishPOS;
  tables.pIrre2Reg = g_pEnglishIrre2Reg;
  tables.pNEDict = g_pEngNEDict;
  tables.pNEPOS = g_pEngNEPOS;
  if (g_bPOSTagger && g_ppPOSmap != nullptr && nPOSmap >= 0 && nPOSmap < 4)
    tables.pPOSmap = g_ppPOSmap[nPOSmap];
  tables.pFieldDict = g_pFieldDict;
  tables.pFieldPOS = g_pFieldPOS;
  tables.pUserDict = g_pUserDict;
  return tables;
}

CEnglish::CEnglish() : m_bGlobalTables(true), m_nPOSmap(g_nPosMap) {
  RefreshTables();
  if (m_tables.pDict != nullptr) {
    m_nTheHandle = m_tables.pDict->Find("the");
    m_nOfHandle = m_tables.pDict->Find("of");
    m_nInHandle = m_tables.pDict->Find("in");
    m_nAndHandle = m_tables.pDict->Find("and");
  }
}

CEnglish::CEnglish(const EnglishTables& tables) : m_tables(tables), m_bGlobalTables(false) {
  if (m_tables.pDict != nullptr) {
    m_nTheHandle = m_tables.pDict->Find("the");
    m_nOfHandle = m_tables.pDict->Find("of");
    m_nInHandle = m_tables.pDict->Find("in");
    m_nAndHandle = m_tables.pDict->Find("and");
  }
}

CEnglish::~CEnglish() = default;

void CEnglish::RefreshTables() {
  if (m_bGlobalTables) m_tables = EnglishTablesFromGlobals(m_nPOSmap);
}

int CEnglish::GetWordType(english_term_result& term) const {
  const std::string& w = term.word;
  size_t n = w.size();
  int nState = 0;
  for (size_t i = 0; i < n; ++i) {
    char c = w[i];
    if (IsUpper(c)) {
      if (i == 0) {
        nState = kEngCapitalised;
      } else if (nState == kEngOther) {
        nState = kEngCapitalAfterSymbol;
      } else if (nState == kEngCapitalised || nState == kEngCapitalAfterSymbol) {
        nState = kEngCapitals;
      } else if (nState == kEngNumber) {
        nState = kEngMixed;
      }
    } else if (IsLower(c)) {
      if (nState == kEngNumber) {
        nState = kEngMixed;
      } else if (nState == kEngOther) {
        nState = kEngLower;
      }
    } else if (IsDigit(c) || (i == 0 && (c == '-' || c == '+')) ||
               (nState == kEngNumber && (strchr(",.:", c) != nullptr ||
                                         (c == '%' && i + 1 == n)))) {
      if (nState == kEngLower) {
        nState = kEngMixed;
      } else if (nState == kEngOther) {
        nState = kEngNumber;
      }
    } else if (c == ',' || c == '.' || c == ':') {
      if (nState == kEngMixed || nState == kEngLower) nState = kEngLower;
    }
  }
  if (n == 1 && (w[0] == '.' || w[0] == '!' || w[0] == '?')) {
    nState = kEngSentenceEnd;
  } else if ((n == 1 && w[0] == '\r') || (n > 0 && w[n - 1] == '\n')) {
    nState = kEngSentenceEnd;
    term.iPOS = kPOSLineEnd;
  } else if (n == 1 && (w[0] == '\'' || w[0] == '"' || w[0] == ',' || w[0] == ':')) {
    nState = kEngQuoteCommaColon;
  }
  if (nState == kEngNumber) term.iPOS = kPOSNumber;
  return nState;
}

void CEnglish::ChoosePOS(int nHandle, bool bCapital, int& nPOS, int& nFreq) const {
  nFreq = 0;
  if (m_tables.pPOS == nullptr || nHandle < 0) return;
  int nCount = 0;
  const POS_info* pInfo = m_tables.pPOS->GetPOS(nHandle, &nCount);
  if (pInfo == nullptr || nCount <= 0) return;
  nPOS = pInfo[0].POS_id;
  nFreq = pInfo[0].freq;
  for (int k = 1; k < nCount; ++k) {
    int nId = pInfo[k].POS_id;
    if (pInfo[k].freq > nFreq ||
        (bCapital && (nId == kPOSPerson || nId == kPOSPlace || nId == kPOSOrganisation))) {
      nPOS = nId;
      nFreq = pInfo[k].freq;
    }
  }
}

bool CEnglish::UseRegularForm(int nHandle, int& nPOS, int& nFreq, int& nRegular) const {
  if (m_tables.pIrre2Reg == nullptr || m_tables.pPOS == nullptr || nHandle < 0) return false;
  int nReg = m_tables.pIrre2Reg->GetMapID(nHandle);
  if (nReg < 0) return false;
  int nCount = 0;
  const POS_info* pInfo = m_tables.pPOS->GetPOS(nReg, &nCount);
  bool bUsed = false;
  for (int k = 0; pInfo != nullptr && k < nCount; ++k) {
    if (pInfo[k].freq > nFreq) {
      nPOS = pInfo[k].POS_id;
      nFreq = pInfo[k].freq;
      bUsed = true;
    }
  }
  if (bUsed) nRegular = nReg;
  return bUsed;
}

int CEnglish::AddWord(english_term_result& term) {
  term.iPOS = kNoPOS;
  term.word_type = GetWordType(term);
  const std::string& w = term.word;

  if (term.word_ID >= 0) {
    int nPOS = term.iPOS;
    int nFreq = 0;
    ChoosePOS(term.word_ID, !w.empty() && IsUpper(w[0]), nPOS, nFreq);
    if (nFreq <= 2) {
      int nRegular = -1;
      if (UseRegularForm(term.word_ID, nPOS, nFreq, nRegular)) {
        term.word_ID = nRegular;
        if (m_tables.pWordList != nullptr) term.original_word = m_tables.pWordList->GetWord(nRegular);
      }
    }
    term.iPOS = nPOS;
  }

  if (term.iPOS == kNoPOS && !w.empty()) {
    size_t nAt = w.find('@');
    if (w[0] == '@') {
      term.iPOS = kPOSPerson;
    } else if (nAt != std::string::npos && nAt + 1 < w.size()) {
      term.iPOS = kPOSAddress;
    } else if (IsDigit(w[0])) {
      int nType = GetNumType(w.c_str(), w.size());
      if (nType > 0) {
        term.iPOS = nType;
      } else if (nType < 0) {
        term.iPOS = kPOSUnknown;
      }
    } else {
      term.iPOS = kPOSUnknown;
    }
  } else if (term.iPOS == kPOSNumber) {
    int nType = GetNumType(w.c_str(), w.size());
    if (nType > 0) term.iPOS = nType;
  }

  term.sPOS[0] = 0;
  if (m_tables.pPOSmap != nullptr) {
    strncpy(term.sPOS, m_tables.pPOSmap->GetPOS(static_cast<unsigned char>(term.iPOS)),
            sizeof(term.sPOS) - 1);
    term.sPOS[sizeof(term.sPOS) - 1] = 0;
  }

  if (m_tables.pFieldDict != nullptr && m_tables.pFieldPOS != nullptr && term.sPOS[0] != 'w' &&
      !w.empty()) {
    int nField = m_tables.pFieldDict->Find(w.c_str(), static_cast<unsigned int>(w.size()));
    if (nField >= 0) {
      strncpy(term.sPOS, m_tables.pFieldPOS->GetWord(nField), sizeof(term.sPOS) - 1);
      term.sPOS[sizeof(term.sPOS) - 1] = 0;
      unsigned char nId = m_tables.pPOSmap != nullptr ? m_tables.pPOSmap->GetID(term.sPOS) : kNoPOS;
      term.iPOS = nId == kNoPOS ? kPOSUnknown : nId;
    }
  }

  m_vecResult.push_back(term);
  return term.word_ID;
}

int CEnglish::GetWordPos(const char* sWord, int nLen, int* handle) {
  RefreshTables();
  if (handle != nullptr) *handle = -1;
  if (sWord == nullptr || nLen <= 0 || m_tables.pDict == nullptr) return kNoPOS;
  size_t n = strnlen(sWord, static_cast<size_t>(nLen));
  if (n == 0) return kNoPOS;
  int nHandle = m_tables.pDict->Find(sWord, static_cast<unsigned int>(n));
  if (nHandle < 0) return kNoPOS;
  if (handle != nullptr) *handle = nHandle;
  int nPOS = kNoPOS;
  int nFreq = 0;
  ChoosePOS(nHandle, IsUpper(sWord[0]), nPOS, nFreq);
  if (nFreq > 2) return nPOS;
  int nRegular = -1;
  if (UseRegularForm(nHandle, nPOS, nFreq, nRegular) && handle != nullptr) *handle = nRegular;
  return nPOS;
}

const char* CEnglish::GetEngWordOrign(const char* sWord) {
  RefreshTables();
  return ::GetEngWordOrign(sWord, m_tables);
}

const char* GetEngWordOrign(const char* sWord, const EnglishTables& tables) {
  if (sWord == nullptr || sWord[0] == 0 || tables.pDict == nullptr || tables.pIrre2Reg == nullptr ||
      tables.pWordList == nullptr)
    return sWord;
  int nHandle = tables.pDict->Find(sWord);
  if (nHandle < 0) return sWord;
  int nRegular = tables.pIrre2Reg->GetMapID(nHandle);
  if (nRegular < 0) return sWord;
  const char* sRegular = tables.pWordList->GetWord(nRegular);
  return sRegular[0] != 0 ? sRegular : sWord;
}

const char* GetEngWordOrign(const char* sWord) {
  return GetEngWordOrign(sWord, EnglishTablesFromGlobals(0));
}
