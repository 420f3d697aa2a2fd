// Loading of the detection model and the detection walk.
#include "encoding/code_detect.h"

#include <new>
#include <vector>

#include "base/binary_io.h"
#include "encoding/code_table.h"

unsigned short* g_mapGBKToUnicode = nullptr;
unsigned short* g_mapBig5ToUnicode = nullptr;
_stTrieElem_* g_pstTrieTable = nullptr;

namespace {

int g_nTrieStates = 0;

// Every state's indexes must lie inside the table, every used state must
// hang from the start through its check chain, and every failure link must
// lead to a state nearer the start, so the walk can neither leave the table
// nor loop.
bool StatesConsistent(const _stTrieElem_* p, int n) {
  if (n <= 0) return false;
  for (int s = 0; s < n; ++s) {
    if (p[s].m_iBase < 0 || p[s].m_iBase >= n || p[s].m_iCheck < -1 || p[s].m_iCheck >= n ||
        p[s].m_iFail < 0 || p[s].m_iFail >= n) {
      return false;
    }
  }
  std::vector<int> depth(n, -1);
  depth[0] = 0;
  std::vector<int> chain;
  for (int s = 1; s < n; ++s) {
    if (p[s].m_iCheck < 0 || depth[s] >= 0) continue;
    chain.clear();
    int t = s;
    while (t != 0 && depth[t] < 0) {
      if (p[t].m_iCheck < 0 || static_cast<int>(chain.size()) >= n) return false;
      chain.push_back(t);
      t = p[t].m_iCheck;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      depth[*it] = depth[p[*it].m_iCheck] + 1;
    }
  }
  for (int s = 1; s < n; ++s) {
    if (p[s].m_iCheck < 0) continue;
    int f = p[s].m_iFail;
    if (f != 0 && (depth[f] < 0 || depth[f] >= depth[s])) return false;
  }
  return true;
}

}  // namespace

void CodeTrans_Destroy() {
  delete[] g_mapGBKToUnicode;
  delete[] g_mapBig5ToUnicode;
  delete[] g_pstTrieTable;
  g_mapGBKToUnicode = nullptr;
  g_mapBig5ToUnicode = nullptr;
  g_pstTrieTable = nullptr;
  g_nTrieStates = 0;
}

int CodeTrans_Initialize(const char* pcModelFile) {
  CodeTrans_Destroy();
  BinaryFileReader in;
  if (pcModelFile == nullptr || !in.Open(pcModelFile)) return -1;
  unsigned short* pGbk = new (std::nothrow) unsigned short[kDoubleByteTableSize];
  unsigned short* pBig5 = new (std::nothrow) unsigned short[kDoubleByteTableSize];
  _stTrieElem_* pStates = nullptr;
  auto fail = [&](int nCode) {
    delete[] pGbk;
    delete[] pBig5;
    delete[] pStates;
    return nCode;
  };
  if (pGbk == nullptr || pBig5 == nullptr) return fail(-127);
  if (!in.ReadArray(pGbk, 2, kDoubleByteTableSize)) return fail(-1);
  if (!in.ReadArray(pBig5, 2, kDoubleByteTableSize)) return fail(-2);
  int32_t n = 0;
  if (!in.ReadInt32(&n)) return fail(-3);
  if (n <= 0) return fail(-5);
  if (!in.CanRead(sizeof(_stTrieElem_), static_cast<size_t>(n))) return fail(-4);
  pStates = new (std::nothrow) _stTrieElem_[n];
  if (pStates == nullptr) return fail(-127);
  if (!in.ReadArray(pStates, sizeof(_stTrieElem_), static_cast<size_t>(n))) return fail(-4);
  if (!in.AtEnd() || !StatesConsistent(pStates, n)) return fail(-5);
  g_mapGBKToUnicode = pGbk;
  g_mapBig5ToUnicode = pBig5;
  g_pstTrieTable = pStates;
  g_nTrieStates = n;
  return 0;
}

_enCodeType CodeTrans_CodeDetect(const char* pcSour, size_t iSourLen) {
  const _stTrieElem_* p = g_pstTrieTable;
  const int n = g_nTrieStates;
  if (p == nullptr || pcSour == nullptr) return kCodeTypeUnknown;
  const unsigned char* u = reinterpret_cast<const unsigned char*>(pcSour);
  long long nScore[4] = {0, 0, 0, 0};  // GBK, BIG5, UTF-16, UTF-8
  long long nCount[4] = {0, 0, 0, 0};
  long long nNotUtf16 = 0;
  long long nHigh = 0;
  int s = 0;
  for (size_t i = 0; i < iSourLen; ++i) {
    unsigned char b = u[i];
    if (b >= 0x80) ++nHigh;
    while (true) {
      long long t = static_cast<long long>(p[s].m_iBase) + b;
      if (t < n && p[t].m_iCheck == s) {
        s = static_cast<int>(t);
        int32_t score = p[s].m_iScore;
        if (score != kNoEvidenceScore) {
          int v = score & 0x3FFFF;
          int digits[4] = {v % 20 - 9, (v / 20) % 20 - 9, (v / 400) % 20 - 9, v / 8000 - 9};
          for (int k = 0; k < 4; ++k) {
            nScore[k] += digits[k];
            if (digits[k] > 0) ++nCount[k];
          }
          if (digits[2] <= 0) ++nNotUtf16;
          int nDecisive = score >> 20;
          if (nDecisive != 0) return nDecisive;
        }
        break;
      }
      if (s == 0) break;
      s = p[s].m_iFail;
    }
  }
  _enCodeType result = (nHigh == 0 || nCount[0] > nHigh / 4) ? kCodeTypeGbk : kCodeTypeUnknown;
  long long best = nScore[0];
  if (nScore[1] > best) {
    best = nScore[1];
    result = nCount[1] > nHigh / 4 ? kCodeTypeBig5 : kCodeTypeUnknown;
  }
  if (nScore[3] > best) {
    best = nScore[3];
    result = nCount[3] > nHigh / 6 ? kCodeTypeUtf8 : kCodeTypeUnknown;
  }
  if (nScore[2] > best && (nCount[2] + 9) / (nNotUtf16 + 1) > 9) result = kCodeTypeUtf16Le;
  return result;
}
