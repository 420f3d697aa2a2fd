#include "text/text_classify.h"

#include <strings.h>

#include <cstring>

#include "base/read_file.h"

namespace {

// A byte of 0x80 or more rules English out, except 0xA1 and 0xB1.
bool IsForeignByte(unsigned char c) { return c >= 0x80 && c != 0xA1 && c != 0xB1; }

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

bool IsEnglishText(const char* sLine) {
  if (sLine == nullptr || *sLine == 0) return false;
  const size_t nLen = strlen(sLine);
  int nLetters = 0;
  for (size_t i = 0; i < 10; ++i) {
    unsigned char c = static_cast<unsigned char>(sLine[nLen * i / 10]);
    if (IsForeignByte(c)) return false;
    if (IsAsciiLetter(c)) nLetters++;
  }
  if (nLen > 3 && (IsForeignByte(static_cast<unsigned char>(sLine[1])) ||
                   IsForeignByte(static_cast<unsigned char>(sLine[nLen - 2])))) {
    return false;
  }
  return nLetters >= 5;
}

bool IsEnglishTextFile(const char* sFilename) {
  char* pText = nullptr;
  size_t nSize = ReadFile(sFilename, &pText, 0, 0, true);
  bool bEnglish = nSize > 0 && IsEnglishText(pText);
  delete[] pText;
  return bEnglish;
}

int BinarySearch(const char* sVal, const char** sTable, int nTableLen) {
  if (sVal == nullptr || sTable == nullptr || nTableLen <= 0) return -1;
  int nLow = 0;
  int nHigh = nTableLen - 1;
  while (nLow <= nHigh) {
    int nMid = nLow + (nHigh - nLow) / 2;
    if (sTable[nMid] == nullptr) return -1;
    int nCmp = strcasecmp(sVal, sTable[nMid]);
    if (nCmp == 0) return nMid;
    if (nCmp < 0) {
      nHigh = nMid - 1;
    } else {
      nLow = nMid + 1;
    }
  }
  return -1;
}
