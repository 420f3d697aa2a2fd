// Table-driven converters between UTF-8, UTF-16 and GBK.
#include "encoding/unicode_convert.h"

#include <cstdlib>
#include <cstring>

#include "encoding/code_table.h"

namespace {

inline bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
inline bool IsHighSurrogate(unsigned u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool IsLowSurrogate(unsigned u) { return u >= 0xDC00 && u <= 0xDFFF; }

inline unsigned UnitAt(const char* p, size_t k) {
  const unsigned char* u = reinterpret_cast<const unsigned char*>(p) + 2 * k;
  return u[0] | (u[1] << 8);
}

// GBK bytes of a code unit through CodeTable; false when it has none. A code
// below 0x100 for a non-ASCII unit (the euro sign) is not a GBK pair.
bool UnitToGbk(unsigned nUnit, std::string& sOut) {
  if (nUnit < 0x80) {
    sOut += static_cast<char>(nUnit);
    return true;
  }
  unsigned short nCode = CodeTable()[nUnit & 0xFFFF];
  if (nCode < 0x100) return false;
  sOut += static_cast<char>(nCode >> 8);
  sOut += static_cast<char>(nCode & 0xFF);
  return true;
}

}  // namespace

size_t DecodeUtf8Char(const unsigned char* p, size_t nLeft, uint32_t* pCodePoint) {
  if (p == nullptr || nLeft == 0) return 0;
  unsigned char c = p[0];
  size_t nLen;
  uint32_t cp;
  if (c < 0x80) {
    *pCodePoint = c;
    return 1;
  } else if (c >= 0xC2 && c <= 0xDF) {
    nLen = 2, cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    nLen = 3, cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    nLen = 4, cp = c & 0x07;
  } else {
    return 0;
  }
  if (nLeft < nLen) return 0;
  for (size_t k = 1; k < nLen; ++k) {
    if (!IsContinuation(p[k])) return 0;
    cp = (cp << 6) | (p[k] & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are malformed.
  if ((nLen == 3 && cp < 0x800) || (nLen == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  *pCodePoint = cp;
  return nLen;
}

void AppendUtf8(uint32_t cp, std::string& sOut) {
  unsigned char buf[8];
  int n = unicode_to_utf8_one(cp, buf, sizeof(buf));
  sOut.append(reinterpret_cast<const char*>(buf), static_cast<size_t>(n));
}

size_t DoubleByteToUtf8(const char* pText, size_t nLen, const unsigned short* pToUnicode,
                        std::string& sOut) {
  if (pText == nullptr || pToUnicode == nullptr) return 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pText);
  size_t nChars = 0;
  for (size_t i = 0; i < nLen; ++nChars) {
    if (p[i] < 0x80) {
      sOut += static_cast<char>(p[i++]);
    } else if (i + 1 < nLen && IsDoubleBytePair(p[i], p[i + 1])) {
      unsigned short u = pToUnicode[DoubleByteIndex(p[i], p[i + 1])];
      if (u != 0) {
        AppendUtf8(u, sOut);
      } else {
        sOut += '?';
      }
      i += 2;
    } else {
      sOut += '?';
      ++i;
    }
  }
  return nChars;
}

void Utf8ToGbk(const char* pText, size_t nLen, std::string& sOut) {
  if (pText == nullptr) return;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pText);
  for (size_t i = 0; i < nLen;) {
    uint32_t cp = 0;
    size_t n = DecodeUtf8Char(p + i, nLen - i, &cp);
    if (n == 0) {
      sOut += '?';
      ++i;
      continue;
    }
    if (cp > 0xFFFF || !UnitToGbk(cp, sOut)) sOut += '?';
    i += n;
  }
}

void Utf16ToGbk(const char* pUnits, size_t nUnits, std::string& sOut) {
  if (pUnits == nullptr) return;
  for (size_t k = 0; k < nUnits; ++k) {
    unsigned u = UnitAt(pUnits, k);
    if (IsHighSurrogate(u) && k + 1 < nUnits && IsLowSurrogate(UnitAt(pUnits, k + 1))) ++k;
    if (IsHighSurrogate(u) || IsLowSurrogate(u) || !UnitToGbk(u, sOut)) sOut += "\xA1\xA1";
  }
}

void Utf16ToUtf8(const char* pUnits, size_t nUnits, std::string& sOut) {
  if (pUnits == nullptr) return;
  for (size_t k = 0; k < nUnits; ++k) {
    unsigned u = UnitAt(pUnits, k);
    if (IsHighSurrogate(u) && k + 1 < nUnits && IsLowSurrogate(UnitAt(pUnits, k + 1))) {
      unsigned lo = UnitAt(pUnits, ++k);
      AppendUtf8(0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00), sOut);
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      sOut += '?';
    } else {
      AppendUtf8(u, sOut);
    }
  }
}

size_t ANSIToUTF8(const char* Str, std::string& sUTF8Str) {
  sUTF8Str.clear();
  if (Str == nullptr) return 0;
  return DoubleByteToUtf8(Str, strlen(Str), GbkToUnicodeTable(), sUTF8Str);
}

size_t UTF8ToANSI(const char* sUTF8Str, std::string& sAnsiStr) {
  sAnsiStr.clear();
  if (sUTF8Str == nullptr) return 1;
  size_t nLen = strlen(sUTF8Str);
  if (nLen >= 3 && memcmp(sUTF8Str, "\xEF\xBB\xBF", 3) == 0) {
    sUTF8Str += 3;
    nLen -= 3;
  }
  Utf8ToGbk(sUTF8Str, nLen, sAnsiStr);
  return 1;
}

void utf8_to_unicode(unsigned char* in, unsigned short** out, size_t* outsize) {
  if (out == nullptr || outsize == nullptr) return;
  *out = nullptr;
  *outsize = 0;
  size_t nLen = in == nullptr ? 0 : strlen(reinterpret_cast<char*>(in));
  unsigned short* pUnits = static_cast<unsigned short*>(malloc((nLen + 1) * sizeof(unsigned short)));
  if (pUnits == nullptr) return;
  size_t k = 0;
  for (size_t i = 0; i < nLen;) {
    uint32_t cp = 0;
    size_t n = DecodeUtf8Char(in + i, nLen - i, &cp);
    if (n == 0) {
      // A lead byte whose sequence runs past the end ends the decoding.
      unsigned char c = in[i];
      size_t nNeed = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 1;
      if (nNeed > 1 && i + nNeed > nLen) {
        bool bCut = true;
        for (size_t j = i + 1; j < nLen; ++j) bCut = bCut && IsContinuation(in[j]);
        if (bCut) break;
      }
      ++i;
      continue;
    }
    if (cp > 0xFFFF) {
      cp -= 0x10000;
      pUnits[k++] = static_cast<unsigned short>(0xD800 + (cp >> 10));
      pUnits[k++] = static_cast<unsigned short>(0xDC00 + (cp & 0x3FF));
    } else {
      pUnits[k++] = static_cast<unsigned short>(cp);
    }
    i += n;
  }
  pUnits[k] = 0;
  *out = pUnits;
  *outsize = k * sizeof(unsigned short);
}

void unicode_to_utf8(unsigned short* in, size_t insize, unsigned char** out) {
  if (out == nullptr) return;
  *out = nullptr;
  size_t nUnits = in == nullptr ? 0 : insize / 2;
  unsigned char* pOut = static_cast<unsigned char*>(malloc(3 * nUnits + 1));
  if (pOut == nullptr) return;
  size_t n = 0;
  for (size_t k = 0; k < nUnits; ++k) {
    unsigned u = in[k];
    uint32_t cp = u;
    if (IsHighSurrogate(u) && k + 1 < nUnits && IsLowSurrogate(in[k + 1])) {
      cp = 0x10000 + ((u - 0xD800) << 10) + (in[++k] - 0xDC00);
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      continue;
    }
    n += static_cast<size_t>(unicode_to_utf8_one(cp, pOut + n, 6));
  }
  pOut[n] = 0;
  *out = pOut;
}

int unicode_to_utf8_one(unsigned long unic, unsigned char* pOutput, int outSize) {
  if (pOutput == nullptr || outSize <= 5 || unic > 0x7FFFFFFFUL) return 0;
  if (unic < 0x80) {
    pOutput[0] = static_cast<unsigned char>(unic);
    return 1;
  }
  int nLen = unic < 0x800 ? 2 : unic < 0x10000 ? 3 : unic < 0x200000 ? 4 : unic < 0x4000000 ? 5 : 6;
  static const unsigned char kLead[7] = {0, 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
  for (int k = nLen - 1; k > 0; --k) {
    pOutput[k] = static_cast<unsigned char>(0x80 | (unic & 0x3F));
    unic >>= 6;
  }
  pOutput[0] = static_cast<unsigned char>(kLead[nLen] | unic);
  return nLen;
}

void utoGbk(const char* unicode, char* Gbkstring, size_t num) {
  if (Gbkstring == nullptr) return;
  std::string sOut;
  if (unicode != nullptr) Utf16ToGbk(unicode, num, sOut);
  memcpy(Gbkstring, sOut.data(), sOut.size());
  Gbkstring[sOut.size()] = 0;
  Gbkstring[sOut.size() + 1] = 0;
}

char x2c(const char* from) {
  if (from == nullptr) return 0;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
  };
  int hi = digit(from[0]);
  int lo = from[0] == 0 ? 0 : digit(from[1]);
  return static_cast<char>(hi * 16 + lo);
}
