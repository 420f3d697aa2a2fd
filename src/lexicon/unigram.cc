#include "lexicon/unigram.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "base/binary_io.h"
#include "base/last_error.h"
#include "base/log.h"
#include "lexicon/pdat.h"
#include "lexicon/table_entry.h"
#include "lexicon/word_list.h"

namespace {

int Saturate(long long nValue) {
  return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, nValue)));
}

}  // namespace

CUnigram::CUnigram(int nBound) {
  if (nBound >= 0 && nBound < INT_MAX) {
    m_nBound = nBound;
    m_pData.assign(static_cast<size_t>(nBound) + 1, 0);
  }
}

bool CUnigram::Load(const char* sFilename) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  int32_t nSize = 0, nBound = 0, nTotal = 0;
  if (!reader.ReadInt32(&nSize) || !reader.ReadInt32(&nBound) || !reader.ReadInt32(&nTotal)) {
    return false;
  }
  if (nSize < 0 || nBound < -1 || nBound == INT_MAX) return false;
  size_t nCounts = static_cast<size_t>(static_cast<long long>(nBound) + 1);
  if (reader.Remaining() != 4 * nCounts) return false;
  std::vector<int> vecCounts(nCounts);
  if (!reader.ReadArray(vecCounts.data(), 4, nCounts)) return false;
  m_nSize = nSize;
  m_nBound = nBound;
  m_nTotal = nTotal;
  m_pData.swap(vecCounts);
  return true;
}

bool CUnigram::Save(const char* sFilename) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  writer.WriteInt32(m_nSize);
  writer.WriteInt32(m_nBound);
  writer.WriteInt32(m_nTotal);
  writer.Write(m_pData.data(), 4 * m_pData.size());
  return writer.Commit();
}

int CUnigram::Import(const char* sFilename, CPDAT* pCoreDict, int nRepeatProcessModel) {
  if (sFilename == nullptr || pCoreDict == nullptr) return 0;
  FILE* fpIn = fopen(sFilename, "rb");
  if (fpIn == nullptr) return 0;
  std::string sEchoName = std::string(sFilename) + "_unigram_export.txt";
  FILE* fpEcho = fopen(sEchoName.c_str(), "wb");
  if (fpEcho == nullptr) {
    fclose(fpIn);
    return 0;
  }
  std::string sLogName = std::string(sFilename) + ".log";
  FILE* fpLog = fopen(sLogName.c_str(), "wt");
  if (fpLog == nullptr) {
    fclose(fpIn);
    fclose(fpEcho);
    return 0;
  }

  // The cell bound is never below the highest handle; the word count covers a
  // dictionary whose highest handle sits in its highest cell.
  long long nBound = std::max<long long>(pCoreDict->GetLowerBound(),
                                         static_cast<long long>(pCoreDict->GetItemCount()));
  m_nBound = static_cast<int>(std::min<long long>(std::max<long long>(nBound, 0), INT_MAX - 1));
  m_pData.assign(static_cast<size_t>(m_nBound) + 1, 0);
  m_nSize = 0;
  long long nTotal = 0;

  {
    CLineReader reader(fpIn);
    std::string sLine, sEntry;
    size_t nRest = 0;
    int nLine = 1;
    while (reader.Next(&sLine)) {
      if (!ParseTableEntry(sLine, &sEntry, &nRest)) continue;
      int nFreq = 0;
      NextTableInt(sLine, &nRest, &nFreq);
      fprintf(fpEcho, EntryHasBlank(sEntry) ? "[%s]\t" : "%s\t", sEntry.c_str());
      int nHandle = pCoreDict->Find(sEntry.c_str());
      if (nHandle >= 0 && nHandle < m_nBound) {
        int& nCount = m_pData[nHandle];
        if (nFreq != 0) {
          if (nCount == 0) {
            nCount = nFreq;
          } else if (nRepeatProcessModel == 1) {
            nCount = std::max(nCount, nFreq);
          } else if (nRepeatProcessModel == 2) {
            nCount = Saturate(static_cast<long long>(nCount) + nFreq);
          } else {
            nCount = std::min(nCount, nFreq);
          }
        }
        fprintf(fpEcho, "%d\n", nCount);
        nTotal += nFreq;
        if (m_nSize < INT_MAX) ++m_nSize;
      } else {
        // Keep one echo line per entry also for unknown words.
        fputc('\n', fpEcho);
      }
      if (nLine % 100 == 0) printf("Line %d completed!\n", nLine);
      ++nLine;
    }
  }
  m_nTotal = Saturate(nTotal);
  fclose(fpIn);
  fclose(fpEcho);
  fclose(fpLog);
  return m_nSize;
}

size_t CUnigram::OutputFreq(std::vector<unigram_elem>& vecFreq) const {
  vecFreq.clear();
  for (int i = 0; i < m_nBound; ++i) {
    if (m_pData[i] != 0) vecFreq.push_back({i, m_pData[i]});
  }
  std::sort(vecFreq.begin(), vecFreq.end(), less_unigram_cmp());
  return vecFreq.size();
}

int CUnigram::Export(const char* sFilename, CWordList* pWordList) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) {
    std::string sMessage = std::string("Failed open file ") + (sFilename != nullptr ? sFilename : "");
    SetLastErrorMessage(sMessage);
    WriteLog(sMessage);
    return 0;
  }
  std::vector<unigram_elem> vecFreq;
  for (int i = 0; i < m_nBound; ++i) {
    if (m_pData[i] > 0) vecFreq.push_back({i, m_pData[i]});
  }
  std::sort(vecFreq.begin(), vecFreq.end(), less_unigram_cmp());
  for (const unigram_elem& elem : vecFreq) {
    const char* sWord = pWordList != nullptr ? pWordList->GetWord(elem.handle) : "";
    fprintf(writer.File(), "%s\t%d\n", sWord, elem.freq);
  }
  if (!writer.Commit()) {
    std::string sMessage = std::string("Failed open file ") + sFilename;
    SetLastErrorMessage(sMessage);
    WriteLog(sMessage);
    return 0;
  }
  return 1;
}
