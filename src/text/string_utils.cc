#include "text/string_utils.h"

#include <cstring>

#include "text/gbk_char.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Full-width punctuation (2-byte GBK codes) and, at index k / 2, the ASCII
// byte that replaces the code at byte offset k.
const char kFullWidthPunct[] =
    "\xA1\xA2\xA1\xA3\xA1\xAA\xA1\xAB\xA1\xAE\xA1\xAF\xA1\xB0\xA1\xB1\xA1\xB2\xA1\xB3"
    "\xA1\xB4\xA1\xB5\xA1\xBC\xA1\xBD"
    "\xA3\xA8\xA3\xA9\xA3\xAA\xA3\xAB\xA3\xAC\xA3\xAD\xA3\xAE\xA3\xAF\xA3\xBA\xA3\xBB"
    "\xA3\xBC\xA3\xBD\xA3\xBE\xA3\xBF\xA3\xDB\xA3\xDD\xA3\xDF\xA3\xE0\xA3\xFB\xA3\xFC"
    "\xA3\xFD"
    "\xA8\x42\xA8\x43\xA8\x44"
    "\xA9\x6F\xA9\x70\xA9\x71\xA9\x72\xA9\x73\xA9\x74\xA9\x75\xA9\x76\xA9\x77\xA9\x78"
    "\xA9\x79\xA9\x7A\xA9\x7B\xA9\x7C\xA9\x7D\xA9\x7E\xA9\x80\xA9\x81\xA9\x82\xA9\x83"
    "\xA9\x84\xA9\x85\xA9\x86\xA9\x87\xA9\x88";
const char kHalfWidthPunct[] =
    ",.-~''\"\"()<>[]"
    "()*+,-./:;<=>?[]_'{|}"
    ".--"
    ",,.;:?!(){}()#&*+-<>=\\$%@";
static_assert(sizeof(kFullWidthPunct) - 1 == 2 * (sizeof(kHalfWidthPunct) - 1),
              "one replacement per full-width code");

// Replacement of the two-byte character (c1, c2), or 0 when it has none. The
// table is searched on 2-byte boundaries only.
char HalfWidthOf(unsigned char c1, unsigned char c2) {
  if (c1 == 0xA3 && ((c2 >= 0xB0 && c2 <= 0xB9) || (c2 >= 0xC1 && c2 <= 0xDA) ||
                     (c2 >= 0xE1 && c2 <= 0xFA))) {
    return static_cast<char>(c2 - 0x80);
  }
  for (size_t k = 0; k + 1 < sizeof(kFullWidthPunct) - 1; k += 2) {
    if (static_cast<unsigned char>(kFullWidthPunct[k]) == c1 &&
        static_cast<unsigned char>(kFullWidthPunct[k + 1]) == c2) {
      return kHalfWidthPunct[k / 2];
    }
  }
  return 0;
}

// Byte length of a full-width space at p (A1 A1 or A3 A0), else 0.
size_t FullWidthSpaceAt(const std::string& s, size_t i) {
  if (i + 1 >= s.size()) return 0;
  unsigned char c1 = static_cast<unsigned char>(s[i]);
  unsigned char c2 = static_cast<unsigned char>(s[i + 1]);
  return ((c1 == 0xA1 && c2 == 0xA1) || (c1 == 0xA3 && c2 == 0xA0)) ? 2 : 0;
}

}  // namespace

char* StrNormalize(char* sStr) {
  if (sStr == nullptr) return nullptr;
  char* pOut = sStr;
  bool bPendingSpace = false;
  for (const char* p = sStr; *p != 0; ++p) {
    if (IsBlank(*p)) {
      // Leading white space is dropped; inner runs become one space.
      bPendingSpace = pOut != sStr;
      continue;
    }
    if (bPendingSpace) *pOut++ = ' ';
    bPendingSpace = false;
    *pOut++ = *p;
  }
  *pOut = 0;
  return sStr;
}

bool gfn_bTrimWord(std::string& sWord) {
  if (sWord.empty()) return false;
  size_t nSize = sWord.size();
  size_t nStart = 0;
  size_t nEnd = 0;  // one past the last character that stays
  bool bLeading = true;
  for (size_t i = 0; i < nSize;) {
    size_t nLen;
    bool bSpace;
    if (IsBlank(sWord[i])) {
      nLen = 1;
      bSpace = true;
    } else if ((nLen = FullWidthSpaceAt(sWord, i)) != 0) {
      bSpace = true;
    } else {
      nLen = (static_cast<unsigned char>(sWord[i]) >= 0x80 && i + 1 < nSize) ? 2 : 1;
      bSpace = false;
    }
    if (!bSpace) {
      if (bLeading) nStart = i;
      bLeading = false;
      nEnd = i + nLen;
    }
    i += nLen;
  }
  if (bLeading) {
    sWord.clear();
  } else {
    sWord = sWord.substr(nStart, nEnd - nStart);
  }
  return true;
}

size_t gfn_vReplaceSubstr(std::string& sString, const char* sSubOld, const char* sSubNew) {
  if (sString.empty() || sSubOld == nullptr || *sSubOld == 0) return 0;
  if (sSubNew == nullptr) sSubNew = "";
  const size_t nOld = strlen(sSubOld);
  size_t nPos = sString.find(sSubOld);
  if (nPos == std::string::npos) return 0;
  // One pass into a new string keeps the work linear however many matches.
  std::string sResult;
  sResult.reserve(sString.size());
  size_t nFrom = 0;
  size_t nCount = 0;
  while (nPos != std::string::npos) {
    sResult.append(sString, nFrom, nPos - nFrom);
    sResult.append(sSubNew);
    nFrom = nPos + nOld;
    nCount++;
    nPos = sString.find(sSubOld, nFrom);
  }
  sResult.append(sString, nFrom, std::string::npos);
  sString.swap(sResult);
  return nCount;
}

bool QuanJiao2BanJiao(char* sLine) {
  if (sLine == nullptr) return false;
  bool bChanged = false;
  char* pOut = sLine;
  const char* p = sLine;
  char sChar[3];
  size_t nLen;
  while ((nLen = Getchar(p, sChar)) != 0) {
    char cHalf = 0;
    if (nLen == 2) {
      cHalf = HalfWidthOf(static_cast<unsigned char>(sChar[0]),
                          static_cast<unsigned char>(sChar[1]));
    }
    if (cHalf != 0) {
      *pOut++ = cHalf;
      bChanged = true;
    } else {
      // The output never runs ahead of the input, so copying is safe.
      for (size_t k = 0; k < nLen; ++k) *pOut++ = sChar[k];
    }
    p += nLen;
  }
  *pOut = 0;
  return bChanged;
}
