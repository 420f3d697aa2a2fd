#include "lexicon/dynamic_array.h"

#include <cstring>
#include <new>
#include <utility>

#include "base/binary_io.h"

namespace {

CDynamicArry::trie_elem* NewZeroed(int nCount) {
  if (nCount <= 0) return nullptr;
  CDynamicArry::trie_elem* pData = new (std::nothrow) CDynamicArry::trie_elem[nCount];
  if (pData != nullptr) memset(pData, 0, sizeof(CDynamicArry::trie_elem) * nCount);
  return pData;
}

}  // namespace

CDynamicArry::CDynamicArry() : m_pData(nullptr), m_nElemNum(0), m_nTotalNum(0) { Reset(); }

CDynamicArry::~CDynamicArry() { delete[] m_pData; }

void CDynamicArry::Reset() {
  delete[] m_pData;
  m_pData = NewZeroed(kGrowStep);
  m_nElemNum = 0;
  m_nTotalNum = m_pData != nullptr ? kGrowStep : 0;
}

void CDynamicArry::Swap(CDynamicArry& other) {
  std::swap(m_pData, other.m_pData);
  std::swap(m_nElemNum, other.m_nElemNum);
  std::swap(m_nTotalNum, other.m_nTotalNum);
}

int CDynamicArry::NewElem() {
  if (Full()) {
    if (m_nTotalNum > 0x7fffffff / static_cast<int>(sizeof(trie_elem)) - kGrowStep) return -1;
    int nTotal = m_nTotalNum + kGrowStep;
    trie_elem* pData = NewZeroed(nTotal);
    if (pData == nullptr) return -1;
    if (m_nElemNum > 0) memcpy(pData, m_pData, sizeof(trie_elem) * m_nElemNum);
    delete[] m_pData;
    m_pData = pData;
    m_nTotalNum = nTotal;
  }
  memset(&m_pData[m_nElemNum], 0, sizeof(trie_elem));
  return m_nElemNum++;
}

int CDynamicArry::GetElem(int iIndex, trie_elem*& pElem) {
  if (!ValidateIndex(iIndex)) return 0;
  pElem = &m_pData[iIndex];
  return 1;
}

int CDynamicArry::ValidateIndex(int iIndex) const {
  return (m_nElemNum > 0 && iIndex >= 0 && iIndex < m_nElemNum) ? 1 : 0;
}

int CDynamicArry::Save(AtomicFileWriter& writer) const {
  bool bOk = writer.WriteInt32(m_nElemNum) && writer.WriteInt32(m_nTotalNum) &&
             writer.Write(m_pData, sizeof(trie_elem) * static_cast<size_t>(m_nElemNum));
  return bOk ? 1 : 0;
}

int CDynamicArry::Load(BinaryFileReader& reader) {
  int32_t nElemNum = 0;
  int32_t nTotalNum = 0;
  if (!reader.ReadInt32(&nElemNum) || !reader.ReadInt32(&nTotalNum)) return 0;
  if (nElemNum < 0 || nTotalNum < nElemNum) return 0;
  if (reader.Remaining() != sizeof(trie_elem) * static_cast<size_t>(nElemNum)) return 0;
  // A writer never leaves more than one growth step unused; a larger stated
  // capacity is not allocated, the array simply grows later when needed.
  int nAlloc = nTotalNum;
  if (nAlloc - nElemNum > kGrowStep) nAlloc = nElemNum + kGrowStep;
  trie_elem* pData = NewZeroed(nAlloc);
  if (nAlloc > 0 && pData == nullptr) return 0;
  if (!reader.ReadArray(pData, sizeof(trie_elem), static_cast<size_t>(nElemNum))) {
    delete[] pData;
    return 0;
  }
  delete[] m_pData;
  m_pData = pData;
  m_nElemNum = nElemNum;
  m_nTotalNum = nAlloc;
  return 1;
}
