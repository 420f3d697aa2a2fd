// CPDAT exact lookups. Every step is range-checked, so any cell contents
// (including those of a damaged file) keep the walk inside the array.
#include <cstdlib>
#include <cstring>

#include "lexicon/pdat.h"

namespace {

inline bool IsBlank(int nCode) { return nCode == 32 || nCode == 9 || nCode == 13 || nCode == 10; }

inline int64_t AbsBase(int nBase) { return std::llabs(static_cast<long long>(nBase)); }

}  // namespace

int CPDAT::Find(const char* sWord) const {
  if (sWord == nullptr) return -1;
  return Find(sWord, static_cast<unsigned int>(strlen(sWord)));
}

int CPDAT::Find(const char* pWord, unsigned int nLen) const {
  if (pWord == nullptr || m_pData.empty() || nLen > 0x7FFFFFFFu) return -1;
  const unsigned char* u = reinterpret_cast<const unsigned char*>(pWord);
  int nSize = static_cast<int>(nLen);
  if (nSize > 2 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) {
    pWord += 3;
    nSize -= 3;
  }
  if (nSize > 1 && pWord[0] == '"' && pWord[nSize - 1] == '"') {
    pWord += 1;
    nSize -= 2;
  }
  int64_t nBase = 0;
  int64_t nIndex = -1;
  int nParent = -2;
  int nPrevCode = -1;
  for (int i = 0; i < nSize;) {
    int nCharLen = 1;
    int nCode = GetCharCode(pWord, i, nSize, &nCharLen);
    i += nCharLen;
    if (IsBlank(nCode)) {
      if (nPrevCode == 32) continue;
      nCode = 32;
    }
    nPrevCode = nCode;
    int nId = m_charset[nCode];
    if (nId < 0) return -1;
    nIndex = nId + nBase;
    if (nIndex < 0 || nIndex > m_nLowerBound) return -1;
    const state& cell = m_pData[nIndex];
    if (cell.check != nParent) return -1;
    nParent = static_cast<int>(nIndex);
    nBase = AbsBase(cell.base);
  }
  if (nIndex < 0 || m_pData[nIndex].base > 0) return -1;
  return m_pData[nIndex].handle;
}

int CPDAT::Find(int nCharCode) const {
  if (nCharCode < 0 || nCharCode > 0xFFFF || m_pData.empty()) return -1;
  int nId = m_charset[nCharCode];
  if (nId < 0 || nId > m_nLowerBound) return -1;
  const state& cell = m_pData[nId];
  if (cell.check != -2 || cell.base > 0) return -1;
  return cell.handle;
}
