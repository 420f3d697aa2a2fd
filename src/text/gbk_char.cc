#include "text/gbk_char.h"

#include <cstring>

size_t Getchar(const char* sBuffer, char* sChar) {
  if (sBuffer == nullptr || sBuffer[0] == 0) {
    if (sChar != nullptr) sChar[0] = 0;
    return 0;
  }
  size_t nLen = (static_cast<unsigned char>(sBuffer[0]) >= 0x80 && sBuffer[1] != 0) ? 2 : 1;
  if (sChar != nullptr) {
    memcpy(sChar, sBuffer, nLen);
    sChar[nLen] = 0;
  }
  return nLen;
}

size_t GetUTF8Char(const char* sBuffer, char* sChar) {
  if (sBuffer == nullptr || sBuffer[0] == 0) {
    if (sChar != nullptr) sChar[0] = 0;
    return 0;
  }
  unsigned char c = static_cast<unsigned char>(sBuffer[0]);
  size_t nLen = 1;
  if (c >= 0xFC) {
    nLen = 6;
  } else if (c >= 0xF8) {
    nLen = 5;
  } else if (c >= 0xF0) {
    nLen = 4;
  } else if (c >= 0xE0) {
    nLen = 3;
  } else if (c >= 0xC0) {
    nLen = 2;
  }
  size_t nAvail = 1;
  while (nAvail < nLen && sBuffer[nAvail] != 0) nAvail++;
  if (nLen > nAvail) nLen = nAvail;
  if (sChar != nullptr) {
    memcpy(sChar, sBuffer, nLen);
    sChar[nLen] = 0;
  }
  return nLen;
}

size_t GetCharCode(const char* sLine, size_t& i, size_t nSize) {
  if (sLine == nullptr || i >= nSize) {
    // Nothing to read; still advance so that a caller's loop ends.
    i += 1;
    return 0;
  }
  unsigned char c = static_cast<unsigned char>(sLine[i]);
  if (c >= 0x80 && i + 1 < nSize) {
    size_t nCode = c * 256u + static_cast<unsigned char>(sLine[i + 1]);
    i += 2;
    return nCode;
  }
  i += 1;
  if (c >= 0x41 && c <= 0x5A) c += 0x20;
  return c;
}

const char* CC_Find(const char* string, const char* strCharSet) {
  if (string == nullptr || strCharSet == nullptr || *strCharSet == 0) return nullptr;
  const char* p = strstr(string, strCharSet);
  if (p == nullptr || (p - string) % 2 != 0) return nullptr;
  return p;
}

int CharStat(const char* sText, size_t& nSingleCharCount, size_t& nMultiCharCount, bool bUTF8) {
  nSingleCharCount = 0;
  nMultiCharCount = 0;
  if (sText == nullptr) return 0;
  char sChar[8];
  const char* p = sText;
  while (*p != 0) {
    size_t nLen = bUTF8 ? GetUTF8Char(p, sChar) : Getchar(p, sChar);
    if (nLen == 0) break;
    if (nLen > 1) {
      nMultiCharCount++;
    } else if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
      nSingleCharCount++;
    }
    p += nLen;
  }
  return static_cast<int>(nSingleCharCount + nMultiCharCount);
}
