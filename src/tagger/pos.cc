#include "tagger/pos.h"

#include <cstring>
#include <unordered_set>

#include "base/binary_io.h"

CPOS::CPOS() = default;

CPOS::~CPOS() = default;

bool CPOS::Load(const char* sFilename) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  int32_t nSize = 0, nBound = 0;
  if (!reader.ReadInt32(&nSize) || !reader.ReadInt32(&nBound)) return false;
  if (nSize < 0 || nBound < 0) return false;
  if (reader.Remaining() != 8 * (static_cast<uint64_t>(nSize) + static_cast<uint64_t>(nBound))) return false;

  std::vector<unsigned char> vecRaw(8 * static_cast<size_t>(nSize));
  if (!reader.ReadArray(vecRaw.data(), 8, nSize)) return false;
  std::vector<POS_info> vecData(nSize);
  for (int i = 0; i < nSize; ++i) {
    vecData[i].POS_id = vecRaw[8 * i];
    memcpy(&vecData[i].freq, &vecRaw[8 * i + 4], 4);
  }
  std::vector<index_t> vecIndex(nBound);
  static_assert(sizeof(index_t) == 8, "index_t is two 32-bit fields");
  if (!reader.ReadArray(vecIndex.data(), sizeof(index_t), nBound)) return false;
  for (const index_t& entry : vecIndex) {
    if (entry.start == -1) {
      if (entry.end != -1 && entry.end != 0) return false;
    } else if (entry.start < 0 || entry.end < 1 || entry.end > nSize - entry.start) {
      return false;
    }
  }
  m_pData.swap(vecData);
  m_pIndex.swap(vecIndex);
  m_nSize = nSize;
  m_nBound = nBound;
  return true;
}

bool CPOS::Save(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  writer.WriteInt32(m_nSize);
  writer.WriteInt32(m_nBound);
  std::vector<unsigned char> vecRaw(8 * m_pData.size(), 0);
  for (size_t i = 0; i < m_pData.size(); ++i) {
    vecRaw[8 * i] = m_pData[i].POS_id;
    memcpy(&vecRaw[8 * i + 4], &m_pData[i].freq, 4);
  }
  writer.Write(vecRaw.data(), vecRaw.size());
  writer.Write(m_pIndex.data(), m_pIndex.size() * sizeof(index_t));
  return writer.Commit();
}

const POS_info* CPOS::GetPOS(int handle, int* npPOSCount) const {
  if (handle < 0 || handle >= m_nBound || m_pIndex[handle].start < 0) {
    if (npPOSCount != nullptr) *npPOSCount = 0;
    return nullptr;
  }
  if (npPOSCount != nullptr) *npPOSCount = m_pIndex[handle].end;
  return &m_pData[m_pIndex[handle].start];
}

unsigned char CPOS::GetPOS(int handle) const {
  const POS_info* pInfo = GetPOS(handle, nullptr);
  return pInfo == nullptr ? 255 : pInfo->POS_id;
}

int CPOS::GetPOSFreq(int handle, int pos_id) const {
  int nCount = 0;
  const POS_info* pInfo = GetPOS(handle, &nCount);
  for (int i = 0; i < nCount; ++i) {
    if (pInfo[i].POS_id == pos_id) return pInfo[i].freq;
  }
  return 0;
}

const POS_info* CPOS::GetMaxPOS(int handle) const {
  int nCount = 0;
  const POS_info* pInfo = GetPOS(handle, &nCount);
  const POS_info* pMax = nullptr;
  for (int i = 0; i < nCount; ++i) {
    if (pMax == nullptr || pInfo[i].freq > pMax->freq) pMax = &pInfo[i];
  }
  return pMax;
}

int CPOS::GetAllItem(std::vector<POS_elem>& vecItems, const std::vector<int>& vecIdDeleted) const {
  std::unordered_set<int> setDeleted(vecIdDeleted.begin(), vecIdDeleted.end());
  size_t nBefore = vecItems.size();
  for (int handle = 0; handle < m_nBound; ++handle) {
    if (setDeleted.count(handle) != 0) continue;
    int nCount = 0;
    const POS_info* pInfo = GetPOS(handle, &nCount);
    for (int i = 0; i < nCount; ++i) {
      POS_elem elem;
      elem.POS_id = pInfo[i].POS_id;
      elem.freq = pInfo[i].freq;
      elem.handle = handle;
      vecItems.push_back(elem);
    }
  }
  return static_cast<int>(vecItems.size() - nBefore);
}
