#include "lexicon/id_maps.h"

#include <algorithm>
#include <cstdio>

#include "base/binary_io.h"

namespace {

const int kInitialPairs = 10240;

}  // namespace

CIDMaps::CIDMaps() : m_nMemSize(0), m_nSize(0), m_nBound(0) {}

CIDMaps::~CIDMaps() = default;

bool CIDMaps::MapInit() {
  m_vecBiWord.clear();
  m_vecBiWord.reserve(kInitialPairs);
  m_nMemSize = static_cast<int>(m_vecBiWord.capacity());
  m_nSize = 0;
  m_nBound = 0;
  return true;
}

bool CIDMaps::MapAdd(int nHandle1, int nHandle2) {
  if (nHandle1 < 0 || nHandle2 < 0) return true;
  idmaps_elem elem;
  elem.handle1 = nHandle1;
  elem.handle2 = nHandle2;
  m_vecBiWord.push_back(elem);
  m_nMemSize = static_cast<int>(m_vecBiWord.capacity());
  m_nSize = static_cast<int>(m_vecBiWord.size());
  if (nHandle1 + 1 > m_nBound) m_nBound = nHandle1 + 1;
  return true;
}

bool CIDMaps::MapComplete() {
  // Any n log n sort gives the required order; no quadratic exchange sort.
  std::sort(m_vecBiWord.begin(), m_vecBiWord.end());
  m_nSize = static_cast<int>(m_vecBiWord.size());
  m_pData.assign(static_cast<size_t>(m_nSize), idmaps_info{-1});
  m_pIndex.assign(static_cast<size_t>(m_nBound), index_t{-1, -1});
  int nPos = 0;
  int nPrev = -1;
  for (const idmaps_elem& elem : m_vecBiWord) {
    index_t& index = m_pIndex[elem.handle1];
    if (elem.handle1 != nPrev) {
      index.start = index.end = nPos;
      m_pData[nPos++].handle2 = elem.handle2;
      nPrev = elem.handle1;
    } else if (m_pData[nPos - 1].handle2 != elem.handle2) {
      index.end = nPos;
      m_pData[nPos++].handle2 = elem.handle2;
    }
  }
  m_vecBiWord.clear();
  m_vecBiWord.shrink_to_fit();
  m_nMemSize = 0;
  printf("Build map success!\n");
  return true;
}

const idmaps_info* CIDMaps::GetMaps(int handle1, int* p_nCount) const {
  if (p_nCount != nullptr) *p_nCount = 0;
  if (handle1 < 0 || handle1 >= m_nBound) return nullptr;
  const index_t& index = m_pIndex[handle1];
  if (index.start < 0 || index.end < index.start) return nullptr;
  if (p_nCount != nullptr) *p_nCount = index.end - index.start + 1;
  return &m_pData[index.start];
}

int CIDMaps::GetMapID(int handle1) const {
  int nCount = 0;
  const idmaps_info* pMaps = GetMaps(handle1, &nCount);
  if (pMaps == nullptr) return -1;
  int nMin = pMaps[0].handle2;
  for (int i = 1; i < nCount; ++i) nMin = std::min(nMin, pMaps[i].handle2);
  return nMin;
}

size_t CIDMaps::GetSimMaps(int handle1, std::vector<int>& vecHandles) const {
  vecHandles.clear();
  int nCount = 0;
  const idmaps_info* pMaps = GetMaps(handle1, &nCount);
  if (pMaps == nullptr) return 0;
  if (nCount == 1) {
    int nRoot = pMaps[0].handle2;
    vecHandles.push_back(nRoot);
    pMaps = GetMaps(nRoot, &nCount);
  }
  for (int i = 0; i < nCount; ++i) {
    if (pMaps[i].handle2 != handle1) vecHandles.push_back(pMaps[i].handle2);
  }
  return static_cast<size_t>(nCount);
}

bool CIDMaps::Save(const char* sFilename) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  if (!writer.WriteInt32(m_nSize) || !writer.WriteInt32(m_nBound) ||
      !writer.Write(m_pData.data(), sizeof(idmaps_info) * m_pData.size()) ||
      !writer.Write(m_pIndex.data(), sizeof(index_t) * m_pIndex.size())) {
    return false;
  }
  return writer.Commit();
}

bool CIDMaps::Load(const char* sFilename) {
  static_assert(sizeof(idmaps_info) == 4 && sizeof(index_t) == 8, "file records");
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  int32_t nSize = 0;
  int32_t nBound = 0;
  if (!reader.ReadInt32(&nSize) || !reader.ReadInt32(&nBound)) return false;
  if (nSize < 0 || nBound < 0) return false;
  if (reader.Remaining() != 4 * static_cast<size_t>(nSize) + 8 * static_cast<size_t>(nBound)) {
    return false;
  }
  std::vector<idmaps_info> vecData(static_cast<size_t>(nSize));
  std::vector<index_t> vecIndex(static_cast<size_t>(nBound));
  if (!reader.ReadArray(vecData.data(), sizeof(idmaps_info), vecData.size()) ||
      !reader.ReadArray(vecIndex.data(), sizeof(index_t), vecIndex.size())) {
    return false;
  }
  for (const index_t& index : vecIndex) {
    if (index.start == -1 && index.end == -1) continue;
    // An empty group may be written as end == start - 1.
    if (index.start < 0 || index.end >= nSize || index.start > index.end + 1) return false;
  }
  m_pData.swap(vecData);
  m_pIndex.swap(vecIndex);
  m_nSize = nSize;
  m_nBound = nBound;
  m_vecBiWord.clear();
  m_nMemSize = 0;
  return true;
}
