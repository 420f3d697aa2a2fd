#include "lexicon/bigram.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

#include "base/binary_io.h"

namespace {

// Pairs seen fewer times than this are dropped when a writable table is laid out.
const int kStaticThreshold = 3;

// Pairs per sampled block: eight pairs are one 64-byte line.
const int kSampleStep = 8;

}  // namespace

static_assert(sizeof(bigram_info) == 8 && sizeof(CBigram::index_t) == 8,
              "pairs and index entries are written as two 32-bit integers");

CBigram::CBigram(bool bReadOnly, int nSize) : m_bReadOnly(bReadOnly) {
  if (!bReadOnly && nSize > 0) {
    m_nBound = nSize;
    m_pHashTable.resize(static_cast<size_t>(nSize));
  }
}

bool CBigram::Load(const char* sFilename) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  int32_t nSize = 0, nBound = 0;
  if (!reader.ReadInt32(&nSize) || !reader.ReadInt32(&nBound)) return false;
  if (nSize < 0 || nBound < 0) return false;
  if (reader.Remaining() != 8 * (static_cast<size_t>(nSize) + static_cast<size_t>(nBound))) return false;
  std::vector<bigram_info> vecData(static_cast<size_t>(nSize));
  std::vector<index_t> vecIndex(static_cast<size_t>(nBound));
  if (!reader.ReadArray(vecData.data(), 8, vecData.size()) ||
      !reader.ReadArray(vecIndex.data(), 8, vecIndex.size())) {
    return false;
  }
  int nLastEnd = -1;
  for (const index_t& group : vecIndex) {
    if (group.start == -1 && group.end == -1) continue;
    if (group.start < 0 || group.start > nSize || group.end < group.start - 1 || group.end >= nSize) {
      return false;
    }
    if (group.end < group.start) continue;
    if (group.start <= nLastEnd) return false;
    nLastEnd = group.end;
    for (int i = group.start; i <= group.end; ++i) {
      if (vecData[i].handle2 < 0) return false;
      if (i > group.start && vecData[i].handle2 < vecData[i - 1].handle2) return false;
    }
  }
  m_nSize = nSize;
  m_nBound = nBound;
  m_pData.swap(vecData);
  m_pIndex.swap(vecIndex);
  m_pHashTable.clear();
  m_bReadOnly = true;
  BuildSamples();
  return true;
}

void CBigram::BuildSamples() {
  m_vecFilter.clear();
  m_nFilterMask = 0;
  if (!m_pData.empty()) {
    size_t nBits = 64;
    while (nBits < 16 * m_pData.size() && nBits < (size_t{1} << 31)) nBits <<= 1;
    m_vecFilter.assign(nBits / 64, 0);
    m_nFilterMask = static_cast<uint32_t>(nBits - 1);
    for (size_t h = 0; h < m_pIndex.size(); ++h) {
      for (int i = m_pIndex[h].start; m_pIndex[h].start >= 0 && i <= m_pIndex[h].end; ++i) {
        const uint32_t nBit = PairHash(static_cast<int>(h), m_pData[i].handle2) & m_nFilterMask;
        m_vecFilter[nBit >> 6] |= uint64_t{1} << (nBit & 63);
      }
    }
  }
  m_vecSample.clear();
  // With a repeated second handle the block search could settle on another
  // copy than the plain binary search does; such tables keep the plain one.
  for (const index_t& group : m_pIndex) {
    for (int i = group.start + 1; group.start >= 0 && i <= group.end; ++i) {
      if (m_pData[i].handle2 == m_pData[i - 1].handle2) return;
    }
  }
  m_vecSample.reserve(m_pData.size() / kSampleStep + 1);
  for (size_t i = 0; i < m_pData.size(); i += kSampleStep) m_vecSample.push_back(m_pData[i].handle2);
}

bool CBigram::WriteStatic(const char* sFilename) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  writer.WriteInt32(m_nSize);
  writer.WriteInt32(m_nBound);
  writer.Write(m_pData.data(), 8 * m_pData.size());
  writer.Write(m_pIndex.data(), 8 * m_pIndex.size());
  return writer.Commit();
}

bool CBigram::Save(const char* sFilename) {
  if (!m_bReadOnly && !Dynamic2Static()) return false;
  return WriteStatic(sFilename);
}

int CBigram::GetFreq(int handle1, int handle2) const {
  if (handle1 < 0 || handle2 < 0 || handle1 >= m_nBound || handle2 > m_nBound) return 0;
  if (static_cast<size_t>(handle1) >= m_pIndex.size()) return 0;
  if (!m_vecFilter.empty()) {
    const uint32_t nBit = PairHash(handle1, handle2) & m_nFilterMask;
    if ((m_vecFilter[nBit >> 6] >> (nBit & 63) & 1) == 0) return 0;
  }
  int nStart = m_pIndex[handle1].start;
  int nEnd = m_pIndex[handle1].end;
  if (nStart < 0) return 0;
  if (!m_vecSample.empty()) {
    if (nEnd - nStart >= 2 * kSampleStep) {
      // The samples inside the group are ascending too: the pair can only lie
      // in the block of the last sample not above handle2, or before the
      // first. The searches avoid branches on the data, which mispredict.
      const int nFirst = (nStart + kSampleStep - 1) / kSampleStep;
      const int* pBegin = m_vecSample.data() + nFirst;
      const int* p = pBegin;
      for (int n = nEnd / kSampleStep + 1 - nFirst; n > 1; n -= n / 2) p = p[n / 2] <= handle2 ? p + n / 2 : p;
      const int k = nFirst + static_cast<int>(p - pBegin) + (*p <= handle2 ? 1 : 0);
      if (k > nFirst) nStart = (k - 1) * kSampleStep;
      nEnd = std::min(nEnd, k * kSampleStep - 1);
    }
    // Second handles are distinct here: at most one entry matches.
    int nFreq = 0;
    for (int i = nStart; i <= nEnd; ++i) nFreq = m_pData[i].handle2 == handle2 ? m_pData[i].freq : nFreq;
    return nFreq;
  }
  while (nEnd >= nStart) {
    int nMid = nStart + (nEnd - nStart) / 2;
    int nHandle = m_pData[nMid].handle2;
    if (nHandle == handle2) return m_pData[nMid].freq;
    if (nHandle < handle2) {
      nStart = nMid + 1;
    } else {
      nEnd = nMid - 1;
    }
  }
  return 0;
}

int CBigram::AddItem(int handle1, int handle2, int freq) {
  if (m_bReadOnly) return 0;
  if (handle1 < 0 || static_cast<size_t>(handle1) >= m_pHashTable.size() || handle2 < 0) return -1;
  std::vector<bigram_info>& vecGroup = m_pHashTable[handle1];
  auto it = std::lower_bound(vecGroup.begin(), vecGroup.end(), handle2,
                             [](const bigram_info& a, int h) { return a.handle2 < h; });
  int nPos = static_cast<int>(it - vecGroup.begin());
  if (it != vecGroup.end() && it->handle2 == handle2) {
    long long nSum = static_cast<long long>(it->freq) + freq;
    it->freq = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, nSum)));
  } else {
    bigram_info info;
    info.handle2 = handle2;
    info.freq = freq;
    vecGroup.insert(it, info);
    ++m_nSize;
  }
  return nPos;
}

void CBigram::FilterWithThreshold(int nThreshold) {
  if (m_bReadOnly) return;
  long long nSize = 0;
  for (std::vector<bigram_info>& vecGroup : m_pHashTable) {
    vecGroup.erase(std::remove_if(vecGroup.begin(), vecGroup.end(),
                                  [nThreshold](const bigram_info& a) { return a.freq < nThreshold; }),
                   vecGroup.end());
    nSize += static_cast<long long>(vecGroup.size());
  }
  m_nSize = static_cast<int>(std::min<long long>(nSize, INT_MAX));
}

bool CBigram::Dynamic2Static() {
  if (m_bReadOnly) return false;
  FilterWithThreshold(kStaticThreshold);
  std::vector<bigram_info> vecData;
  std::vector<index_t> vecIndex;
  try {
    vecData.reserve(static_cast<size_t>(m_nSize));
  } catch (const std::bad_alloc&) {
    printf("Error malloc new bigram_info[%d]\n", m_nSize);
    return false;
  }
  try {
    vecIndex.resize(m_pHashTable.size());
  } catch (const std::bad_alloc&) {
    printf("Error malloc new index_t[%d]\n", m_nBound);
    return false;
  }
  for (size_t i = 0; i < m_pHashTable.size(); ++i) {
    vecIndex[i].start = static_cast<int>(vecData.size());
    vecData.insert(vecData.end(), m_pHashTable[i].begin(), m_pHashTable[i].end());
    vecIndex[i].end = static_cast<int>(vecData.size()) - 1;
  }
  m_pData.swap(vecData);
  m_pIndex.swap(vecIndex);
  BuildSamples();
  return true;
}
