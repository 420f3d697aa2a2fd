#include "text/str_token.h"

#include <cstring>

namespace {

bool IsSpaceTabCR(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

CStrToken::CStrToken(bool bEnglish) : m_bEnglish(bEnglish) {}

bool CStrToken::IsDelimiter(char c) const {
  return c != 0 && strchr(m_sDelimiter, c) != nullptr;
}

bool CStrToken::EndsToken(const char* p) const {
  if (!IsDelimiter(*p)) return false;
  if (!m_bEnglish) return true;
  const char* pNext = p + 1;
  if (AtEnd(pNext) || IsDelimiter(*pNext)) return true;
  unsigned char cNext = static_cast<unsigned char>(*pNext);
  // "3.14", "e.g", "1,000": the mark belongs to the word around it.
  if (*p == '.') return cNext == '.';
  if (*p == ',') return cNext > 0x38;
  return true;
}

void CStrToken::Restore() {
  if (m_pCut != nullptr) *m_pCut = m_cSep;
  m_pCut = nullptr;
}

char* CStrToken::GetToken(char* pStart, char* pEnd, const char* sDelimiter) {
  Restore();
  m_cSep = 0;
  m_vecSep.clear();
  m_pTokenStart = nullptr;
  if (pStart != nullptr) {
    m_pLineStart = pStart;
    m_pLineEnd = pEnd != nullptr ? (pEnd < pStart ? pStart : pEnd) : pStart + strlen(pStart);
    m_pTokenEnd = pStart;
    m_bOutputSep = false;
  }
  if (m_pTokenEnd == nullptr) return nullptr;
  m_sDelimiter = sDelimiter != nullptr ? sDelimiter : "";

  char* p = m_pTokenEnd;
  while (!AtEnd(p) && (IsSpaceTabCR(*p) || IsDelimiter(*p))) ++p;
  if (AtEnd(p)) {
    m_pTokenEnd = p;
    m_bOutputSep = true;
    return nullptr;
  }
  char* pToken = p;
  while (!AtEnd(p) && !EndsToken(p)) ++p;
  m_pTokenStart = pToken;
  if (AtEnd(p)) {
    m_pTokenEnd = p;
    m_bOutputSep = true;
    return pToken;
  }
  m_cSep = *p;
  m_pCut = p;
  m_vecSep.push_back(*p);
  *p++ = 0;
  while (!AtEnd(p) && (IsSpaceTabCR(*p) || IsDelimiter(*p))) m_vecSep.push_back(*p++);
  m_pTokenEnd = p;
  m_bOutputSep = AtEnd(p);
  return pToken;
}

bool CStrToken::TruncateToken(size_t nLen) {
  if (m_pTokenStart == nullptr) return false;
  char* pLimit = m_pCut != nullptr ? m_pCut : m_pTokenEnd;
  if (nLen >= static_cast<size_t>(pLimit - m_pTokenStart)) return false;
  Restore();
  char* p = m_pTokenStart + nLen;
  m_cSep = *p;
  m_pCut = p;
  *p = 0;
  m_vecSep.clear();
  m_pTokenEnd = p;
  m_bOutputSep = false;
  return true;
}

size_t GetStrVector(const char* sLine, const char* pDelimiter, std::vector<std::string>& vecResult) {
  vecResult.clear();
  if (sLine == nullptr) return 0;
  std::string sCopy(sLine);
  CStrToken token(false);
  char* pStart = &sCopy[0];
  for (char* p = token.GetToken(pStart, nullptr, pDelimiter); p != nullptr;
       p = token.GetToken(nullptr, nullptr, pDelimiter)) {
    size_t nLen = strlen(p);
    while (nLen > 0 && (p[nLen - 1] == '\r' || p[nLen - 1] == '\n')) nLen--;
    if (nLen > 0) vecResult.emplace_back(p, nLen);
  }
  return vecResult.size();
}

char* StrLine(char* pCur, char** pNextRet, char* chSep, int* n_pStatus,
              bool bInvalidCharConsidered) {
  char* pNextDummy;
  char cSepDummy;
  int nStatusDummy;
  if (pNextRet == nullptr) pNextRet = &pNextDummy;
  if (chSep == nullptr) chSep = &cSepDummy;
  if (n_pStatus == nullptr) n_pStatus = &nStatusDummy;
  *n_pStatus = 0;
  *chSep = 0;
  *pNextRet = nullptr;
  if (pCur == nullptr) return nullptr;

  char* p = pCur;
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  if (*p == 0) return nullptr;

  char* pEnd = p;
  while (*pEnd != 0 && *pEnd != '\r' && *pEnd != '\n') ++pEnd;
  char* pResult = p;

  if (bInvalidCharConsidered) {
    // Only the line itself is searched for an opening marker, so the work
    // over a whole text stays linear.
    char* pOpen = nullptr;
    for (char* q = p; q + 1 < pEnd; ++q) {
      if (q[0] == '^' && q[1] == '^') {
        pOpen = q;
        break;
      }
    }
    char* pClose = pOpen != nullptr ? strstr(pOpen + 2, "^^") : nullptr;
    if (pClose != nullptr) {
      if (pOpen == p) {
        *pClose = 0;
        pResult = p + 2;
        pEnd = pClose + 2;
        *n_pStatus = 1;
      } else {
        pEnd = pOpen;
      }
    }
  }

  if (*pEnd != 0) {
    *chSep = *pEnd;
    *pEnd = 0;
    *pNextRet = pEnd;
  }
  return pResult;
}
