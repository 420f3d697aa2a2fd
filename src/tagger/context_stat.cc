#include "tagger/context_stat.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/binary_io.h"
#include "tagger/pos_map.h"

namespace {

bool NameLess(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }

}  // namespace

CContextStat::CContextStat() = default;

CContextStat::~CContextStat() = default;

void CContextStat::Destroy() {
  m_nTableLen = 0;
  m_pSymbolTable.clear();
  m_aContextArray.clear();
  m_aTagFreq.clear();
  m_nTotalFreq = 0;
}

void CContextStat::SetSymbol(unsigned char nTableLen) {
  Destroy();
  m_nTableLen = nTableLen;
  m_aContextArray.assign(static_cast<size_t>(nTableLen) * nTableLen, 0);
  m_aTagFreq.assign(nTableLen, 0);
}

bool CContextStat::SetSymbol(int nTableLen, char** pSymbol) {
  if (nTableLen < 0 || nTableLen > 255 || (nTableLen > 0 && pSymbol == nullptr)) return false;
  std::vector<std::string> vecNames;
  for (int i = 0; i < nTableLen; ++i) {
    if (pSymbol[i] == nullptr) return false;
    vecNames.emplace_back(pSymbol[i], strnlen(pSymbol[i], kNameField - 1));
  }
  std::sort(vecNames.begin(), vecNames.end(), NameLess);
  SetSymbol(static_cast<unsigned char>(nTableLen));
  m_pSymbolTable.swap(vecNames);
  return true;
}

int CContextStat::FindSymbol(const char* sPOS) const {
  if (sPOS == nullptr || m_pSymbolTable.empty()) return -1;
  auto it = std::lower_bound(m_pSymbolTable.begin(), m_pSymbolTable.end(), std::string(sPOS), NameLess);
  if (it == m_pSymbolTable.end() || strcasecmp(it->c_str(), sPOS) != 0) return -1;
  return static_cast<int>(it - m_pSymbolTable.begin());
}

bool CContextStat::Add(unsigned char nPrevID, unsigned char nCurID, int nFrequency) {
  if (nPrevID >= m_nTableLen || nCurID >= m_nTableLen) return false;
  int& nCell = m_aContextArray[static_cast<size_t>(nPrevID) * m_nTableLen + nCurID];
  long long nNewCell = static_cast<long long>(nCell) + nFrequency;
  long long nNewRow = static_cast<long long>(m_aTagFreq[nPrevID]) + nFrequency;
  long long nNewTotal = static_cast<long long>(m_nTotalFreq) + nFrequency;
  for (long long v : {nNewCell, nNewRow, nNewTotal}) {
    if (v > INT_MAX || v < INT_MIN) return false;
  }
  nCell = static_cast<int>(nNewCell);
  m_aTagFreq[nPrevID] = static_cast<int>(nNewRow);
  m_nTotalFreq = static_cast<int>(nNewTotal);
  return true;
}

bool CContextStat::Add(const char* sPrev, const char* sCur, int nFrequency) {
  int nPrev = FindSymbol(sPrev), nCur = FindSymbol(sCur);
  if (nPrev < 0 || nCur < 0) return false;
  return Add(static_cast<unsigned char>(nPrev), static_cast<unsigned char>(nCur), nFrequency);
}

int CContextStat::GetFrequency(unsigned char nID) const {
  return nID < m_nTableLen ? m_aTagFreq[nID] : 0;
}

int CContextStat::GetFrequency(const char* sPOS) const {
  int nID = FindSymbol(sPOS);
  return nID < 0 ? 0 : GetFrequency(static_cast<unsigned char>(nID));
}

int CContextStat::GetCount(unsigned char nPrevID, unsigned char nCurID) const {
  if (nPrevID >= m_nTableLen || nCurID >= m_nTableLen) return 0;
  return m_aContextArray[static_cast<size_t>(nPrevID) * m_nTableLen + nCurID];
}

double CContextStat::GetContextPossibility(unsigned char nPrevID, unsigned char nCurID) const {
  if (nPrevID >= m_nTableLen || nCurID >= m_nTableLen) return 0.00001;
  int nPrevFreq = m_aTagFreq[nPrevID];
  int nCount = m_aContextArray[static_cast<size_t>(nPrevID) * m_nTableLen + nCurID];
  if (nPrevFreq == 0 || nCount == 0) return 0.00001;
  double dPrev = nPrevFreq;
  return (0.9 * nCount / dPrev + 0.1 * dPrev / m_nTotalFreq) * 0.99999 + 0.00001;
}

double CContextStat::GetContextPossibility(const char* sPrev, const char* sCur) const {
  int nPrev = FindSymbol(sPrev), nCur = FindSymbol(sCur);
  if (nPrev < 0 || nCur < 0) return 0.00001;
  return GetContextPossibility(static_cast<unsigned char>(nPrev), static_cast<unsigned char>(nCur));
}

bool CContextStat::Load(const char* sFilename, bool bOriginal) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  unsigned char nLen = 0;
  if (!reader.ReadArray(&nLen, 1, 1)) return false;
  const size_t n = nLen;
  size_t nExpected = (bOriginal ? kNameField * n : 0) + 4 + 4 * n + 4 * n * n;
  if (reader.Remaining() != nExpected) return false;

  std::vector<std::string> vecNames;
  if (bOriginal) {
    std::vector<char> vecRaw(kNameField * n);
    if (!reader.ReadArray(vecRaw.data(), kNameField, n)) return false;
    for (size_t i = 0; i < n; ++i) {
      const char* pField = &vecRaw[kNameField * i];
      vecNames.emplace_back(pField, strnlen(pField, kNameField - 1));
      if (i > 0 && NameLess(vecNames[i], vecNames[i - 1])) return false;
    }
  }
  int32_t nTotal = 0;
  std::vector<int> vecTagFreq(n), vecCounts(n * n);
  if (!reader.ReadInt32(&nTotal) || !reader.ReadArray(vecTagFreq.data(), 4, n) ||
      !reader.ReadArray(vecCounts.data(), 4, n * n)) {
    return false;
  }
  // The totals are what the probabilities divide by: they must agree with the cells.
  long long nSumAll = 0;
  for (size_t p = 0; p < n; ++p) {
    long long nRow = 0;
    for (size_t c = 0; c < n; ++c) nRow += vecCounts[p * n + c];
    if (nRow != vecTagFreq[p]) return false;
    nSumAll += nRow;
  }
  if (nSumAll != nTotal) return false;

  m_nTableLen = nLen;
  m_pSymbolTable.swap(vecNames);
  m_aTagFreq.swap(vecTagFreq);
  m_aContextArray.swap(vecCounts);
  m_nTotalFreq = nTotal;
  return true;
}

void CContextStat::WriteReadable(FILE* fp, const CPOSmap* pMap) const {
  const bool bOwn = !m_pSymbolTable.empty();
  const bool bMap = !bOwn && pMap != nullptr && pMap->GetItemCount() > 0;
  fprintf(fp, "Total frequency=%d:\n", m_nTotalFreq);
  fprintf(fp, "Table Len=%d\nSymbol:\n           ", m_nTableLen);
  for (int i = 0; i < m_nTableLen; ++i) {
    if (bOwn) {
      fprintf(fp, "%5s ", m_pSymbolTable[i].c_str());
    } else if (bMap) {
      fprintf(fp, "%5s ", pMap->GetPOS(static_cast<unsigned char>(i)));
    } else {
      fprintf(fp, "%5d ", i);
    }
  }
  fprintf(fp, bOwn ? "\n    " : "\n");
  for (int p = 0; p < m_nTableLen; ++p) {
    if (bOwn) {
      fprintf(fp, "No.%2d=%3s: ", p, m_pSymbolTable[p].c_str());
    } else if (bMap) {
      fprintf(fp, "No.%2d=%5s: ", p, pMap->GetPOS(static_cast<unsigned char>(p)));
    } else {
      fprintf(fp, "No.%2d=%5d: ", p, p);
    }
    for (int c = 0; c < m_nTableLen; ++c) fprintf(fp, "%5d ", m_aContextArray[static_cast<size_t>(p) * m_nTableLen + c]);
    fprintf(fp, "total=%d:\n", m_aTagFreq[p]);
  }
}

bool CContextStat::Save(const char* sFilename, const CPOSmap& map) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  AtomicFileWriter shw((std::string(sFilename) + ".shw").c_str());
  if (!writer.IsOpen() || !shw.IsOpen()) return false;
  const size_t n = m_nTableLen;
  writer.Write(&m_nTableLen, 1);
  if (!m_pSymbolTable.empty()) {
    std::vector<char> vecRaw(kNameField * n, 0);
    for (size_t i = 0; i < n; ++i) memcpy(&vecRaw[kNameField * i], m_pSymbolTable[i].c_str(), m_pSymbolTable[i].size());
    writer.Write(vecRaw.data(), vecRaw.size());
  }
  writer.WriteInt32(m_nTotalFreq);
  writer.Write(m_aTagFreq.data(), 4 * n);
  writer.Write(m_aContextArray.data(), 4 * n * n);
  WriteReadable(shw.File(), &map);
  return shw.Commit() && writer.Commit();
}

bool CContextStat::Export(const char* sFilename, const CPOSmap* pMap) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  WriteReadable(writer.File(), pMap);
  return writer.Commit();
}
