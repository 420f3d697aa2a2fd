// CCodeTran: the per-character table that spares the dictionary walks.
//
// The general loop looks every character up at four lengths and takes the
// longest word. For a character whose dictionary node has no descendants
// every longer look-up fails whatever follows, so its translation can be
// looked up by its code alone. The table is built from the source word list,
// and only when that list accounts for every word of the dictionary;
// otherwise it stays empty and every character takes the general loop.
#include <cstring>

#include "encoding/code_tran.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"

namespace {

const size_t kTableSize = 0x10000;

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The codes a dictionary walk follows for sWord (every byte one code): as
// CPDAT::Find sees it, without a leading byte-order mark or enclosing
// quotes, with each run of blanks one space.
std::string WalkedCodes(const char* sWord) {
  size_t n = strlen(sWord);
  if (n > 2 && memcmp(sWord, "\xEF\xBB\xBF", 3) == 0) {
    sWord += 3;
    n -= 3;
  }
  if (n > 1 && sWord[0] == '"' && sWord[n - 1] == '"') {
    ++sWord;
    n -= 2;
  }
  std::string sCodes;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(sWord[i]);
    if (IsBlank(c)) {
      if (!sCodes.empty() && sCodes.back() == ' ') continue;
      sCodes += ' ';
    } else {
      sCodes += static_cast<char>(c);
    }
  }
  return sCodes;
}

}  // namespace

unsigned int CCodeTran::CharKey(const unsigned char* p, size_t nLeft, bool bUtf8Key, size_t* pUnit) {
  *pUnit = 0;
  const unsigned char c = p[0];
  if (bUtf8Key) {
    if (c >= 0xC2 && c <= 0xDF && nLeft >= 2 && (p[1] & 0xC0) == 0x80) {
      *pUnit = 2;
      return (c & 0x1Fu) << 6 | (p[1] & 0x3Fu);
    }
    if (c >= 0xE0 && c <= 0xEF && nLeft >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
      *pUnit = 3;
      return (c & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
    }
    return 0;
  }
  if (c >= 0x81 && c <= 0xFE && nLeft >= 2 && p[1] >= 0x40) {
    *pUnit = 2;
    return c << 8 | p[1];
  }
  return 0;
}

void CCodeTran::BuildFastTable(CPDAT* pSrcDict, CWordList* pSrcWordList, CIDMaps* pIDMaps,
                               CWordList* pDsnWordList, bool bUtf8Key, FastTable& table) {
  table.clear();
  if (pSrcDict == nullptr || pSrcWordList == nullptr || pIDMaps == nullptr || pDsnWordList == nullptr ||
      pSrcDict->GetMode() != 1) {
    return;
  }
  // Every word of the dictionary must show up in its list, each under its
  // own handle; only then are the descendants below known.
  std::vector<std::string> vecCodes;
  std::vector<int> vecHandles;
  for (int h = 0; h < pSrcWordList->GetBound(); ++h) {
    const char* sWord = pSrcWordList->GetWord(h);
    if (sWord == nullptr || *sWord == 0 || pSrcDict->Find(sWord) != h) continue;
    vecCodes.push_back(WalkedCodes(sWord));
    vecHandles.push_back(h);
  }
  if (vecHandles.size() != pSrcDict->GetItemCount()) return;

  table.assign(kTableSize, FastChar());
  for (size_t k = 0; k < vecCodes.size(); ++k) {
    const std::string& sCodes = vecCodes[k];
    const unsigned char* p = reinterpret_cast<const unsigned char*>(sCodes.data());
    size_t nUnit = 0;
    const unsigned int nKey = CharKey(p, sCodes.size(), bUtf8Key, &nUnit);
    if (nUnit == 0 || nUnit != sCodes.size()) continue;
    int nCount = 0;
    const idmaps_info* pMaps = pIDMaps->GetMaps(vecHandles[k], &nCount);
    if (pMaps == nullptr || nCount <= 0) continue;
    const char* sText = pDsnWordList->GetWord(pMaps[0].handle2);
    const size_t nText = sText != nullptr ? strlen(sText) : 0;
    if (nText == 0 || nText > sizeof(table[nKey].sText)) continue;
    FastChar& entry = table[nKey];
    memcpy(entry.sText, sText, nText);
    entry.nText = static_cast<unsigned char>(nText);
    entry.nUnit = static_cast<unsigned char>(nUnit);
  }
  // A character that begins a longer word (one the general loop may match
  // across the following bytes) keeps the general loop.
  for (const std::string& sCodes : vecCodes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(sCodes.data());
    for (size_t nPrefix = 2; nPrefix <= 3 && nPrefix < sCodes.size(); ++nPrefix) {
      size_t nUnit = 0;
      const unsigned int nKey = CharKey(p, nPrefix, bUtf8Key, &nUnit);
      if (nUnit == nPrefix && table[nKey].nUnit == nUnit) table[nKey].nUnit = 0;
    }
  }
}
