#include "segment/char_class.h"

#include <cstring>

#include "text/gbk_char.h"

namespace {

const char kDaySet[] =
    "\xC1\xE3\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF\xB0\xCB\xBE\xC5\xCA\xAE"
    "\xD2\xBC\xB7\xA1\xC8\xFE\xCB\xC1\xCE\xE9\xC2\xBD\xC6\xE2\xB0\xC6\xBE\xC1"
    "\xA3\xB0\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5\xA3\xB6\xA3\xB7\xA3\xB8\xA3\xB9";
const char kYearSet[] =
    "\xA1\xAF\xC1\xE3\xA1\xF0\xA9\x96\xA3\xB0\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9"
    "\xC6\xDF\xB0\xCB\xBE\xC5\xD2\xBC\xB7\xA1\xC8\xFE\xCB\xC1\xCE\xE9\xC2\xBD\xC6\xE2\xB0\xC6\xBE\xC1";
const char kFullWidthFiveToNine[] = "\xA3\xB5\xA3\xB6\xA3\xB7\xA3\xB8\xA3\xB9";
const char kThousandZero[] = "\xC7\xA7\xC7\xAA\xC1\xE3\xA9\x96\xA1\xF0";
const char kThousand[] = "\xC7\xA7\xC7\xAA";
const char kSigns[] = "\xA1\xC0\xB5\xDA\xA1\xAA\xA3\xAB";
const char kSeparators[] = "\xA1\xC3\xA1\xA4\xA3\xAE\xA3\xAF";
const char kPercents[] = "\xA3\xA5\xA1\xEB";
const char kMagnitudes[] = "\xB0\xD9\xC7\xA7\xCD\xF2\xD2\xDA\xB0\xDB\xC7\xAA\xD5\xD7";

inline bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Byte length of the unit at p in a text of n bytes (0 at or past the end).
inline size_t UnitLen(const char* s, size_t p, size_t n) {
  if (p >= n) return 0;
  return (IsHigh(s[p]) && p + 1 < n) ? 2 : 1;
}

// Whether the unit of nLen bytes at pUnit belongs to sCharSet.
bool IsMember(const char* sCharSet, const char* pUnit, size_t nLen) {
  if (nLen == 2) {
    char sUnit[3] = {pUnit[0], pUnit[1], 0};
    return CC_Find(sCharSet, sUnit) != nullptr;
  }
  if (nLen == 1 && pUnit[0] != 0) return strchr(sCharSet, pUnit[0]) != nullptr;
  return false;
}

inline bool IsSeparator(const char* s, size_t p, size_t nLen) {
  return IsMember(kSeparators, s + p, nLen) || (nLen == 1 && (s[p] == '.' || s[p] == '/'));
}

inline size_t SkipFullWidthDigits(const char* s, size_t p, size_t n) {
  while (p + 1 < n && static_cast<unsigned char>(s[p]) == 0xA3 &&
         static_cast<unsigned char>(s[p + 1]) >= 0xB0 && static_cast<unsigned char>(s[p + 1]) <= 0xB9) {
    p += 2;
  }
  return p;
}

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

size_t Getchar(const char* sBuffer, int* npCharCode) {
  if (sBuffer == nullptr || sBuffer[0] == 0) {
    if (npCharCode != nullptr) *npCharCode = -1;
    return 0;
  }
  unsigned char c = static_cast<unsigned char>(sBuffer[0]);
  if (c >= 0x80 && sBuffer[1] != 0) {
    if (npCharCode != nullptr) *npCharCode = c * 256 + static_cast<unsigned char>(sBuffer[1]);
    return 2;
  }
  if (npCharCode != nullptr) *npCharCode = c;
  return 1;
}

bool Delimiter2DictFormat(char cDelemiter, char* sWordRet) {
  static const struct {
    char cAscii;
    const char* sFull;
  } kMap[] = {
      {'.', "\xA1\xA3"}, {',', "\xA3\xAC"}, {';', "\xA3\xBB"}, {':', "\xA3\xBA"},
      {'?', "\xA3\xBF"}, {'!', "\xA3\xA1"}, {'%', "\xA3\xA5"}, {'(', "\xA3\xA8"},
      {')', "\xA3\xA9"}, {'{', "\xA3\xFB"}, {'+', "\xA3\xAB"}, {'}', "\xA3\xFD"},
      {'[', "\xA3\xDB"}, {']', "\xA3\xDD"}, {'/', "\xA3\xAF"}, {'=', "\xA3\xBD"},
  };
  if (sWordRet == nullptr) return false;
  sWordRet[0] = cDelemiter;
  sWordRet[1] = 0;
  if (cDelemiter == 0) return false;
  for (const auto& entry : kMap) {
    if (entry.cAscii == cDelemiter) {
      memcpy(sWordRet, entry.sFull, 3);
      return true;
    }
  }
  return false;
}

size_t GetCharCount(const char* sCharSet, const char* sWord, size_t nLen) {
  if (sCharSet == nullptr || sWord == nullptr) return 0;
  size_t n = nLen != 0 ? nLen : strlen(sWord);
  size_t nCount = 0;
  for (size_t p = 0; p < n;) {
    size_t nUnit = UnitLen(sWord, p, n);
    if (IsMember(sCharSet, sWord + p, nUnit)) nCount++;
    p += nUnit;
  }
  return nCount;
}

bool IsDayTime(const char* sNum, unsigned nLen) {
  if (sNum == nullptr) return false;
  size_t n = nLen != 0 ? nLen : strlen(sNum);
  if (n <= 6 && GetCharCount(kDaySet, sNum, n) == n / 2) return true;
  return n <= 2 && GetCharCount("0123456789", sNum, n) == n;
}

bool IsYearTime(const char* sNum, int length) {
  if (sNum == nullptr || length < 0) return false;
  size_t n = length != 0 ? static_cast<size_t>(length) : strlen(sNum);
  if (n == 0) return false;
  if (n > 2 && GetCharCount(kYearSet, sNum, n) == n / 2) return true;
  if (IsAllSingleByte(reinterpret_cast<unsigned char*>(const_cast<char*>(sNum)), n) &&
      (n == 4 || (n == 2 && sNum[0] > '4'))) {
    return true;
  }
  if (IsAllNum(sNum, n) && (n > 5 || (n == 4 && IsMember(kFullWidthFiveToNine, sNum, 2)))) return true;
  if (n == 8 && GetCharCount(kThousandZero, sNum, n) == 2) return true;
  return n == 2 && GetCharCount(kThousand, sNum, n) == 1;
}

bool IsAllNum(const char* sString, size_t nLen) {
  if (sString == nullptr) return false;
  const char* s = sString;
  size_t n = nLen != 0 ? nLen : strlen(s);
  size_t p = 0;
  // Optional sign.
  if (n > 0) {
    size_t nUnit = UnitLen(s, 0, n);
    if (IsMember(kSigns, s, nUnit) || s[0] == '+' || s[0] == '-') p = nUnit;
  }
  // Full-width digits, possibly with one separator and more digits.
  p = SkipFullWidthDigits(s, p, n);
  if (p < n) {
    size_t nUnit = UnitLen(s, p, n);
    if (p != 0 && IsSeparator(s, p, nUnit)) p = SkipFullWidthDigits(s, p + nUnit, n);
  }
  if (p >= n) return true;
  // ASCII digits, possibly with one separator and more digits. The unit at p
  // is looked at, not consumed, until a rule takes it.
  while (p < n && IsAsciiDigit(s[p])) p++;
  size_t nUnit = UnitLen(s, p, n);
  if (p < n && p != 0 && IsSeparator(s, p, nUnit)) {
    p += nUnit;
    while (p < n && IsAsciiDigit(s[p])) p++;
    nUnit = UnitLen(s, p, n);
  }
  // Percent or per-mille sign.
  if (p < n && (IsMember(kPercents, s + p, nUnit) || (nUnit == 1 && s[p] == '%'))) {
    p += nUnit;
    return p >= n;
  }
  // Magnitude characters.
  while (p < n && IsMember(kMagnitudes, s + p, nUnit)) {
    p += nUnit;
    nUnit = UnitLen(s, p, n);
  }
  return p >= n;
}

bool IsAllSingleByte(unsigned char* sString, size_t length) {
  if (sString == nullptr) return false;
  size_t n = length != 0 ? length : strlen(reinterpret_cast<char*>(sString));
  for (size_t p = 0; p < n; p++) {
    if (sString[p] >= 0x80) return false;
  }
  return true;
}
