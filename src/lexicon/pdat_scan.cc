// CPDAT scans over a text: all prefixes, the longest word and forward maximum
// matching. Each step is range-checked like Find.
#include <cstdlib>
#include <cstring>

#include "lexicon/pdat.h"

namespace {

inline bool IsBlank(int nCode) { return nCode == 32 || nCode == 9 || nCode == 13 || nCode == 10; }

inline int64_t AbsBase(int nBase) { return std::llabs(static_cast<long long>(nBase)); }

// Bytes that stop the ASCII run of a unit that no word covers.
inline bool IsRunStop(unsigned char c) {
  return c >= 0x80 || c == 0 || strchr(" \t-_,.:/~#%^*()", c) != nullptr;
}

// Makes *pBuffer (capacity *pSize elements) hold at least nNeed elements.
template <typename T>
bool Reserve(T** pBuffer, int* pSize, size_t nNeed) {
  if (*pBuffer != nullptr && *pSize >= 0 && static_cast<size_t>(*pSize) >= nNeed) return true;
  if (nNeed > 0x7FFFFFFFu) return false;
  void* p = realloc(*pBuffer, nNeed * sizeof(T));
  if (p == nullptr) return false;
  *pBuffer = static_cast<T*>(p);
  *pSize = static_cast<int>(nNeed);
  return true;
}

}  // namespace

int CPDAT::GetWords(const char* sLine, unsigned int** vecHandle, unsigned int** vecPosition,
                    unsigned int* npMemorySize, unsigned int* npArrayCount, int nMinLength) const {
  if (npArrayCount != nullptr) *npArrayCount = 0;
  if (sLine == nullptr || vecHandle == nullptr || vecPosition == nullptr || npMemorySize == nullptr ||
      npArrayCount == nullptr || m_pData.empty()) {
    return 0;
  }
  // The walk ends within the trie's depth, so the text is read up to its NUL
  // lazily instead of measured first.
  int64_t nBase = 0;
  int nParent = -2;
  int nLongest = 0;
  for (int i = 0; sLine[i] != 0;) {
    int nCharLen = 1;
    int nCode = GetCharCode(sLine, i, -1, &nCharLen);
    i += nCharLen;
    int nId = m_charset[nCode];
    if (nId < 0) break;
    int64_t nIndex = nId + nBase;
    if (nIndex < 0 || nIndex > m_nLowerBound || m_pData[nIndex].check != nParent) break;
    const state& cell = m_pData[nIndex];
    nParent = static_cast<int>(nIndex);
    nBase = AbsBase(cell.base);
    if (cell.base > 0) continue;
    if (cell.handle != -1) {
      nLongest = i;
      if (i > nMinLength) {
        if (*npArrayCount >= *npMemorySize) {
          unsigned int nNew = *npMemorySize + 5;
          void* pH = realloc(*vecHandle, nNew * sizeof(unsigned int));
          if (pH == nullptr) break;
          *vecHandle = static_cast<unsigned int*>(pH);
          void* pP = realloc(*vecPosition, nNew * sizeof(unsigned int));
          if (pP == nullptr) break;
          *vecPosition = static_cast<unsigned int*>(pP);
          *npMemorySize = nNew;
        }
        (*vecHandle)[*npArrayCount] = static_cast<unsigned int>(cell.handle);
        (*vecPosition)[*npArrayCount] = static_cast<unsigned int>(i);
        (*npArrayCount)++;
      }
    }
    if (nBase == nIndex) break;  // leaf
  }
  return nLongest;
}

int CPDAT::GetMaxWord(const char* sLine, int* rtnHandle, bool* rtbBlankInculded) const {
  if (rtnHandle != nullptr) *rtnHandle = -1;
  if (rtbBlankInculded != nullptr) *rtbBlankInculded = false;
  if (sLine == nullptr || m_pData.empty()) return 0;
  int64_t nBase = 0;
  int nParent = -2;
  int nPrevCode = -1;
  bool bBlankSeen = false;
  int nLongest = 0;
  for (int i = 0; sLine[i] != 0;) {
    int nCharLen = 1;
    int nCode = GetCharCode(sLine, i, -1, &nCharLen);
    i += nCharLen;
    if (IsBlank(nCode)) {
      bBlankSeen = true;
      if (nPrevCode == 32) continue;
      nCode = 32;
    }
    nPrevCode = nCode;
    int nId = m_charset[nCode];
    if (nId < 0) break;
    int64_t nIndex = nId + nBase;
    if (nIndex < 0 || nIndex > m_nLowerBound || m_pData[nIndex].check != nParent) break;
    const state& cell = m_pData[nIndex];
    nParent = static_cast<int>(nIndex);
    nBase = AbsBase(cell.base);
    if (cell.base <= 0 && cell.handle != -1) {
      nLongest = i;
      if (rtnHandle != nullptr) *rtnHandle = cell.handle;
      if (rtbBlankInculded != nullptr) *rtbBlankInculded = bBlankSeen;
      if (nBase == nIndex) break;  // leaf
    }
  }
  return nLongest;
}

int CPDAT::Segment(const char* sLine, size_t nLen, int* pIDList, char* sOut, bool bInvalidStore,
                   int nLengthLimit, char chSeperator) const {
  const int n = static_cast<int>(nLen);
  const unsigned char* u = reinterpret_cast<const unsigned char*>(sLine);
  size_t nOut = 0;
  int nIDs = 0;
  int s = 0, p = 0, w = 0, h = -1, nParent = -2;
  int64_t nBase = 0;
  // Writes sLine[s, e) as a unit with handle nHandle and restarts after it.
  auto emit = [&](int e, int nHandle) {
    memcpy(sOut + nOut, sLine + s, e - s);
    nOut += e - s;
    sOut[nOut++] = chSeperator;
    if (pIDList != nullptr && (bInvalidStore || nHandle != -1)) pIDList[nIDs++] = nHandle;
    s = p = e;
    w = 0, h = -1, nParent = -2, nBase = 0;
  };
  // End of a one-byte unit at s under the ASCII-run rule.
  auto asciiRun = [&](int e) {
    if (e - s != 1 || IsRunStop(u[s])) return e;
    while (e < n && !IsRunStop(u[e])) e++;
    return e;
  };
  // Scanning from s never needs more than m_pData allows, so a walk is bounded
  // by the trie depth; every emit advances s by at least one byte.
  while (true) {
    if ((p >= n && w > 0) || (nLengthLimit > 0 && p > s + nLengthLimit)) {
      emit(s + w, h);
      continue;
    }
    if (p >= n) break;
    int c = 1;
    int nCode = GetCharCode(sLine, p, n, &c);
    p += c;
    int nId = m_charset.empty() ? -1 : m_charset[nCode];
    if (nId < 0) {
      if (w > 0) {
        int nCharStart = p - c;
        int nWordEnd = s + w;
        emit(nWordEnd, h);
        if (nWordEnd < nCharStart) continue;
        p = nCharStart + c;
      }
      emit(asciiRun(p), -1);
      continue;
    }
    int64_t nIndex = nId + nBase;
    if (m_pData.empty() || nIndex < 0 || nIndex > m_nLowerBound || m_pData[nIndex].check != nParent) {
      if (w == 0) {
        emit(u[s] < 0x80 ? asciiRun(p) : p, -1);
      } else {
        emit(s + w, h);
      }
      continue;
    }
    const state& cell = m_pData[nIndex];
    nParent = static_cast<int>(nIndex);
    nBase = AbsBase(cell.base);
    if (cell.base <= 0 && cell.handle != -1) {
      w = p - s;
      h = cell.handle;
      if (nBase == nIndex) emit(p, h);
    } else if (w == 0) {
      w = c;
    }
  }
  sOut[nOut] = 0;
  return nIDs;
}

int CPDAT::MMSegment(const char* sLine, int** pIDList, int* pIDListSize, char** sResult,
                     int* pResultSize, bool /*bSearchUsing*/, bool bInvalidStore, int nLengthLimit,
                     char chSeperator) const {
  if (sLine == nullptr || sResult == nullptr || pResultSize == nullptr) return -1;
  size_t nLen = strlen(sLine);
  if (!Reserve(sResult, pResultSize, 6 * nLen + 1)) return -1;
  int* pList = nullptr;
  if (pIDList != nullptr) {
    if (pIDListSize == nullptr || !Reserve(pIDList, pIDListSize, nLen + 2)) return -1;
    pList = *pIDList;
  }
  return Segment(sLine, nLen, pList, *sResult, bInvalidStore, nLengthLimit, chSeperator);
}

const char* CPDAT::MMSegment(const char* sLine, int nLengthLimit, char chSeperator) {
  if (sLine == nullptr) sLine = "";
  size_t nLen = strlen(sLine);
  if (!Reserve(&m_sResult, &m_nResultLen, 6 * nLen + 1)) return "";
  Segment(sLine, nLen, nullptr, m_sResult, false, nLengthLimit, chSeperator);
  return m_sResult;
}
