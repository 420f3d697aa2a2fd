// Conversion between the caller's encoding and GBK, and the mapping of
// record offsets back onto the caller's text.
#include <cstring>
#include <string>
#include <vector>

#include "encoding/code_detect.h"
#include "encoding/code_tran.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
size_t Utf8CharLength(const unsigned char* p, size_t nLeft) {
  size_t nLen = 1;
  if (p[0] >= 0xF0 && p[0] <= 0xF7) nLen = 4;
  else if (p[0] >= 0xE0) nLen = 3;
  else if (p[0] >= 0xC0) nLen = 2;
  if (p[0] >= 0xF8 || nLen > nLeft) return 1;
  for (size_t k = 1; k < nLen; ++k)
    if ((p[k] & 0xC0) != 0x80) return 1;
  return nLen;
}

// Byte length of the character at p in the caller's encoding.
size_t CallerCharLength(const unsigned char* p, size_t nLeft, bool bUtf8, bool bUtf16) {
  if (nLeft == 0) return 0;
  if (bUtf16) return nLeft >= 2 ? 2 : 1;
  if (p[0] < 0x80) return 1;
  if (bUtf8) return Utf8CharLength(p, nLeft);
  return nLeft >= 2 ? 2 : 1;
}
}  // namespace

bool CMainSystem::ToGBK(const char* sLine, std::string& sOut) {
  sOut.clear();
  if (g_nEncodeType == -1) {
    const size_t nLen = strlen(sLine);
    m_nDetectedType = CodeTrans_CodeDetect(sLine, nLen);
    if (m_nDetectedType == kCodeTypeGbk) return false;
    sOut.resize(nLen + 1);
    size_t nOut = 0;
    CodeTrans_ToAnsi(m_nDetectedType, sLine, nLen, &sOut[0], nOut);
    sOut.resize(nOut < nLen + 1 ? nOut : nLen);
    return true;
  }
  if (g_pCodeTranslator == nullptr) return false;
  g_pCodeTranslator->CodeToGBK(sLine, sOut);
  return true;
}

bool CMainSystem::FromGBK(const char* sLine, size_t nLen, std::string& sOut) {
  sOut.clear();
  if (g_nEncodeType == -1) {
    sOut.resize(4 * nLen + 1);
    size_t nOut = 0;
    CodeTrans_ToUtf8(kCodeTypeGbk, sLine, nLen, &sOut[0], nOut);
    sOut.resize(nOut < 4 * nLen + 1 ? nOut : 4 * nLen);
    return true;
  }
  if (g_pCodeTranslator == nullptr) return false;
  g_pCodeTranslator->GBKToCode(std::string(sLine, nLen).c_str(), sOut);
  return true;
}

// The converted text is aligned with the caller's text one character at a
// time: each caller character converted on its own must reappear at the
// current GBK position. A run of characters without a GBK counterpart
// appears as "^^", one blank per character and "^^". A caller character that
// left no trace (a byte-order mark, markers) is skipped. This gives every GBK
// byte the offset of the caller character it came from.
void CMainSystem::MapRecordsToCaller(const char* sOrig, const std::string& sGBK,
                                     result_t* pRecords, int nCount) {
  const unsigned char* pOrig = reinterpret_cast<const unsigned char*>(sOrig);
  const size_t nOrig = strlen(sOrig);
  const size_t nGBK = sGBK.size();
  bool bUtf8 = false;
  bool bUtf16 = false;
  if (g_nEncodeType == -1) {
    bUtf8 = m_nDetectedType == kCodeTypeUtf8;
    bUtf16 = m_nDetectedType == kCodeTypeUtf16Le;
  } else if (g_pCodeTranslator != nullptr) {
    const int nCode = g_pCodeTranslator->GetEncodeType();
    bUtf8 = nCode == 1 || nCode == 4 || nCode == 5;
  }
  // Every GBK byte belongs to a unit (one converted character, or a whole
  // "^^...^^" run) that came from the caller bytes [start, end).
  std::vector<int>& vecStart = m_vecOffsetMap;
  std::vector<int>& vecEnd = m_vecOffsetEnd;
  vecStart.assign(nGBK + 1, static_cast<int>(nOrig));
  vecEnd.assign(nGBK + 1, static_cast<int>(nOrig));
  m_vecUnitStart.assign(nGBK + 1, 1);
  auto assign = [&](size_t j0, size_t j1, size_t i0, size_t i1) {
    for (size_t q = j0; q < j1; ++q) {
      vecStart[q] = static_cast<int>(i0);
      vecEnd[q] = static_cast<int>(i1);
      m_vecUnitStart[q] = q == j0;
    }
  };
  char sChar[8];
  size_t i = 0;
  size_t j = 0;
  while (j < nGBK && i < nOrig) {
    const unsigned char cGBK = static_cast<unsigned char>(sGBK[j]);
    if (pOrig[i] < 0x80 && pOrig[i] == cGBK && !bUtf16) {
      assign(j, j + 1, i, i + 1);
      ++i;
      ++j;
      continue;
    }
    if (cGBK == '^' && j + 1 < nGBK && sGBK[j + 1] == '^' && pOrig[i] != '^') {
      size_t k = j + 2;
      while (k < nGBK && sGBK[k] == ' ') ++k;
      if (k + 1 < nGBK && sGBK[k] == '^' && sGBK[k + 1] == '^' && k > j + 2) {
        const size_t iFrom = i;
        for (size_t n = k - (j + 2); n > 0 && i < nOrig; --n)
          i += CallerCharLength(pOrig + i, nOrig - i, bUtf8, bUtf16);
        assign(j, k + 2, iFrom, i);
        j = k + 2;
        continue;
      }
    }
    const size_t nChar = CallerCharLength(pOrig + i, nOrig - i, bUtf8, bUtf16);
    memcpy(sChar, pOrig + i, nChar);
    sChar[nChar] = 0;
    if (g_nEncodeType == -1) {
      m_sPiece.resize(nChar + 1);
      size_t nOut = 0;
      CodeTrans_ToAnsi(m_nDetectedType, sChar, nChar, &m_sPiece[0], nOut);
      m_sPiece.resize(nOut <= nChar ? nOut : nChar);
    } else {
      g_pCodeTranslator->CodeToGBK(sChar, m_sPiece);
    }
    if (!m_sPiece.empty() && sGBK.compare(j, m_sPiece.size(), m_sPiece) == 0) {
      assign(j, j + m_sPiece.size(), i, i + nChar);
      j += m_sPiece.size();
    }
    i += nChar;  // matched, or left no trace in the GBK text
  }
  // Bytes left over once either text ran out belong to the caller's end.
  if (i > nOrig) i = nOrig;
  assign(j, nGBK, i, i);
  vecStart[nGBK] = vecEnd[nGBK] = static_cast<int>(i);
  m_vecUnitStart[nGBK] = 1;
  auto offset = [&](size_t q) { return m_vecUnitStart[q] ? vecStart[q] : vecEnd[q]; };
  for (int r = 0; r < nCount; ++r) {
    result_t& record = pRecords[r];
    size_t nStart = record.start < 0 ? 0 : static_cast<size_t>(record.start);
    size_t nEnd = nStart + (record.length < 0 ? 0 : static_cast<size_t>(record.length));
    if (nStart > nGBK) nStart = nGBK;
    if (nEnd > nGBK) nEnd = nGBK;
    // A record that begins inside a unit starts after it; one that ends inside
    // a unit takes all of it.
    record.start = offset(nStart);
    record.length = offset(nEnd) - record.start;
    if (record.length < 0) record.length = 0;
  }
}
