#include "lexicon/table_entry.h"

#include <sys/types.h>

#include <climits>
#include <cstdlib>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

bool NextTableToken(const std::string& sLine, size_t* pPos, std::string* pToken) {
  size_t i = *pPos;
  while (i < sLine.size() && IsBlank(sLine[i])) ++i;
  size_t nStart = i;
  while (i < sLine.size() && !IsBlank(sLine[i])) ++i;
  if (i == nStart) return false;
  pToken->assign(sLine, nStart, i - nStart);
  *pPos = i;
  return true;
}

bool NextTableInt(const std::string& sLine, size_t* pPos, int* pValue) {
  size_t i = *pPos;
  while (i < sLine.size() && IsBlank(sLine[i])) ++i;
  bool bNegative = false;
  if (i < sLine.size() && (sLine[i] == '-' || sLine[i] == '+')) bNegative = sLine[i++] == '-';
  size_t nDigits = i;
  long long nValue = 0;
  while (i < sLine.size() && sLine[i] >= '0' && sLine[i] <= '9') {
    if (nValue <= INT_MAX) nValue = nValue * 10 + (sLine[i] - '0');
    ++i;
  }
  if (i == nDigits) return false;
  if (bNegative) nValue = -nValue;
  if (nValue > INT_MAX) nValue = INT_MAX;
  if (nValue < INT_MIN) nValue = INT_MIN;
  *pValue = static_cast<int>(nValue);
  *pPos = i;
  return true;
}

bool ParseTableEntry(const std::string& sLine, std::string* pEntry, size_t* pRest) {
  size_t nPos = 0;
  std::string sToken;
  if (!NextTableToken(sLine, &nPos, &sToken)) return false;
  size_t nTokenStart = nPos - sToken.size();
  if (sToken.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    sToken.erase(0, 3);
    nTokenStart += 3;
    if (sToken.empty()) return false;
  }
  if (sToken[0] == '[') {
    size_t nClose = sLine.find(']', nTokenStart + 1);
    if (nClose == std::string::npos) {
      pEntry->assign(sLine, nTokenStart + 1, std::string::npos);
      *pRest = sLine.size();
    } else {
      pEntry->assign(sLine, nTokenStart + 1, nClose - nTokenStart - 1);
      *pRest = nClose + 1;
    }
  } else {
    *pEntry = sToken;
    *pRest = nPos;
  }
  for (char& c : *pEntry) {
    if (c == '_') c = ' ';
  }
  return true;
}

bool EntryHasBlank(const std::string& sEntry) {
  return sEntry.find_first_of(" \t") != std::string::npos;
}
