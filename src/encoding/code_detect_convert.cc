// Conversions of automatic mode, through the character tables.
#include <cstring>
#include <string>

#include "encoding/code_detect.h"
#include "encoding/code_table.h"
#include "encoding/unicode_convert.h"

namespace {

const unsigned short* GbkTable() { return g_mapGBKToUnicode != nullptr ? g_mapGBKToUnicode : GbkToUnicodeTable(); }
const unsigned short* Big5Table() {
  return g_mapBig5ToUnicode != nullptr ? g_mapBig5ToUnicode : Big5ToUnicodeTable();
}

// BIG5 to GBK through Unicode; characters GBK lacks become "?".
void Big5ToGbk(const char* pText, size_t nLen, std::string& sOut) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pText);
  const unsigned short* pToUnicode = Big5Table();
  const unsigned short* pToGbk = CodeTable();
  for (size_t i = 0; i < nLen;) {
    if (p[i] < 0x80) {
      sOut += static_cast<char>(p[i++]);
    } else if (i + 1 < nLen && IsDoubleBytePair(p[i], p[i + 1])) {
      unsigned short nCode = pToGbk[pToUnicode[DoubleByteIndex(p[i], p[i + 1])]];
      if (nCode >= 0x100) {
        sOut += static_cast<char>(nCode >> 8);
        sOut += static_cast<char>(nCode & 0xFF);
      } else {
        sOut += '?';
      }
      i += 2;
    } else {
      sOut += '?';
      ++i;
    }
  }
}

bool StartsWith(const char* p, size_t n, const char* sPrefix, size_t nPrefix) {
  return n >= nPrefix && memcmp(p, sPrefix, nPrefix) == 0;
}

}  // namespace

size_t CodeTrans_ToAnsi(_enCodeType enCodeType, const char* pcSour, size_t iSourLen, char* pcDest,
                        size_t& iDestLen) {
  iDestLen = 0;
  if (pcDest == nullptr) return 0;
  pcDest[0] = 0;
  if (pcSour == nullptr || iSourLen == 0) return 0;
  if (enCodeType == kCodeTypeUnknown) enCodeType = CodeTrans_CodeDetect(pcSour, iSourLen);
  std::string sOut;
  switch (enCodeType) {
    case kCodeTypeUtf8:
      if (StartsWith(pcSour, iSourLen, "\xEF\xBB\xBF", 3)) {
        Utf8ToGbk(pcSour + 3, iSourLen - 3, sOut);
      } else {
        Utf8ToGbk(pcSour, iSourLen, sOut);
      }
      break;
    case kCodeTypeGbk:
      sOut.assign(pcSour, iSourLen);
      break;
    case kCodeTypeBig5:
      Big5ToGbk(pcSour, iSourLen, sOut);
      break;
    case kCodeTypeUtf16Le: {
      size_t nSkip = StartsWith(pcSour, iSourLen, "\xFF\xFE", 2) ? 2 : 0;
      Utf16ToGbk(pcSour + nSkip, (iSourLen - nSkip) / 2, sOut);
      break;
    }
    default:
      return 0;
  }
  iDestLen = sOut.size() < iSourLen ? sOut.size() : iSourLen;
  memcpy(pcDest, sOut.data(), iDestLen);
  pcDest[iDestLen] = 0;
  return iDestLen;
}

size_t CodeTrans_ToUtf8(_enCodeType enCodeType, const char* pcSour, size_t iSourLen, char* pcDest,
                        size_t& iDestLen) {
  size_t nMax = iDestLen;
  iDestLen = 0;
  if (pcDest == nullptr) return 0;
  pcDest[0] = 0;
  if (pcSour == nullptr || iSourLen == 0) return 0;
  if (enCodeType == kCodeTypeUnknown) enCodeType = CodeTrans_CodeDetect(pcSour, iSourLen);
  std::string sOut;
  switch (enCodeType) {
    case kCodeTypeUtf8:
      sOut.assign(pcSour, iSourLen);
      break;
    case kCodeTypeGbk:
      DoubleByteToUtf8(pcSour, iSourLen, GbkTable(), sOut);
      break;
    case kCodeTypeBig5:
      DoubleByteToUtf8(pcSour, iSourLen, Big5Table(), sOut);
      break;
    case kCodeTypeUtf16Le: {
      size_t nSkip = StartsWith(pcSour, iSourLen, "\xFF\xFE", 2) ? 2 : 0;
      Utf16ToUtf8(pcSour + nSkip, (iSourLen - nSkip) / 2, sOut);
      break;
    }
    default:
      return 0;
  }
  size_t nLen = sOut.size();
  if (nLen > 4 * iSourLen) nLen = 4 * iSourLen;
  if (nMax != 0 && nLen > nMax) {
    nLen = nMax;
    // Back off to the start of the character the limit falls in.
    while (nLen > 0 && (static_cast<unsigned char>(sOut[nLen]) & 0xC0) == 0x80) --nLen;
  }
  memcpy(pcDest, sOut.data(), nLen);
  pcDest[nLen] = 0;
  iDestLen = nLen;
  return nLen;
}
