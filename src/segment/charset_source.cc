// The readable source form of the character-type table (see charset.h).
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "segment/charset.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ','; }

// Parses a hexadecimal code of 1..4 digits (optionally "0x"-prefixed).
bool ParseCode(const std::string& s, int* pCode) {
  size_t i = 0;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) i = 2;
  size_t nDigits = s.size() - i;
  if (nDigits == 0 || nDigits > 4) return false;
  int nCode = 0;
  for (; i < s.size(); ++i) {
    if (!isxdigit(static_cast<unsigned char>(s[i]))) return false;
    nCode = nCode * 16 + (isdigit(static_cast<unsigned char>(s[i])) ? s[i] - '0' : (tolower(s[i]) - 'a' + 10));
  }
  *pCode = nCode;
  return true;
}

bool Fail(std::string* psError, int nLine, const std::string& sWhat) {
  if (psError != nullptr) *psError = "line " + std::to_string(nLine) + ": " + sWhat;
  return false;
}

}  // namespace

bool CCharset::ParseSource(const std::string& sText, std::string* psError) {
  std::unique_ptr<unsigned char[]> pData(new unsigned char[kCodeCount]());
  std::vector<bool> vecListed(kCodeCount, false);
  int nListed = 0;
  int nLine = 0;
  size_t nPos = 0;
  while (nPos < sText.size()) {
    size_t nEnd = sText.find('\n', nPos);
    if (nEnd == std::string::npos) nEnd = sText.size();
    std::string sLine = sText.substr(nPos, nEnd - nPos);
    nPos = nEnd + 1;
    ++nLine;
    size_t nHash = sLine.find('#');
    if (nHash != std::string::npos) sLine.erase(nHash);
    size_t nFirst = sLine.find_first_not_of(" \t\r,");
    if (nFirst == std::string::npos) continue;

    size_t nColon = sLine.find(':');
    if (nColon == std::string::npos) return Fail(psError, nLine, "expected '<type>: <codes>'");
    std::string sType = sLine.substr(nFirst, nColon - nFirst);
    while (!sType.empty() && IsSeparator(sType.back())) sType.pop_back();
    if (sType.empty() || sType.size() > 3 || sType.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(sType) > 255) {
      return Fail(psError, nLine, "type '" + sType + "' is not a number 0..255");
    }
    unsigned char nType = static_cast<unsigned char>(std::stoi(sType));

    size_t i = nColon + 1;
    bool bAny = false;
    while (i < sLine.size()) {
      while (i < sLine.size() && IsSeparator(sLine[i])) ++i;
      if (i >= sLine.size()) break;
      size_t nStart = i;
      while (i < sLine.size() && !IsSeparator(sLine[i])) ++i;
      std::string sItem = sLine.substr(nStart, i - nStart);
      int nLow = 0, nHigh = 0;
      size_t nDash = sItem.find('-');
      bool bOk;
      if (nDash == std::string::npos) {
        bOk = ParseCode(sItem, &nLow);
        nHigh = nLow;
      } else {
        bOk = ParseCode(sItem.substr(0, nDash), &nLow) && ParseCode(sItem.substr(nDash + 1), &nHigh) &&
              nLow <= nHigh;
      }
      if (!bOk) return Fail(psError, nLine, "'" + sItem + "' is not a hexadecimal code or range LO-HI");
      for (int nCode = nLow; nCode <= nHigh; ++nCode) {
        pData[nCode] = nType;
        if (!vecListed[nCode]) {
          vecListed[nCode] = true;
          ++nListed;
        }
      }
      bAny = true;
    }
    if (!bAny) return Fail(psError, nLine, "no codes after the type");
  }
  MarkBlanks(pData.get());
  m_pData = std::move(pData);
  m_nSize = nListed;
  return true;
}
