// Text import and export of the pair table.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "base/binary_io.h"
#include "lexicon/bigram.h"
#include "lexicon/pdat.h"
#include "lexicon/table_entry.h"
#include "lexicon/word_list.h"

int CBigram::Import(const char* sFilename, CPDAT* pCoreDict, bool bAtLink) {
  if (sFilename == nullptr || pCoreDict == nullptr) return 0;
  FILE* fpIn = fopen(sFilename, "rb");
  if (fpIn == nullptr) return 0;

  // The cell bound is never below the highest handle; the word count covers a
  // dictionary whose highest handle sits in its highest cell.
  long long nBound = std::max<long long>(pCoreDict->GetLowerBound(),
                                         static_cast<long long>(pCoreDict->GetItemCount()));
  nBound = std::min<long long>(std::max<long long>(nBound, 0), INT_MAX);

  std::vector<bigram_elem> vecPairs;
  vecPairs.reserve(10240);
  {
    CLineReader reader(fpIn);
    std::string sLine, sFirst, sSecond;
    while (reader.Next(&sLine)) {
      size_t nPos = 0;
      int nFreq = 0;
      if (!NextTableToken(sLine, &nPos, &sFirst)) continue;
      if (bAtLink) {
        size_t nAt = sFirst.find('@');
        if (nAt == std::string::npos) continue;
        sSecond = sFirst.substr(nAt + 1);
        sFirst.resize(nAt);
      } else if (!NextTableToken(sLine, &nPos, &sSecond)) {
        continue;
      }
      if (!NextTableInt(sLine, &nPos, &nFreq)) continue;
      int nHandle1 = pCoreDict->Find(sFirst.c_str());
      int nHandle2 = pCoreDict->Find(sSecond.c_str());
      if (nHandle1 < 0 || nHandle2 < 0 || nHandle1 >= nBound) continue;
      bigram_elem elem;
      elem.handle1 = nHandle1;
      elem.handle2 = nHandle2;
      elem.freq = nFreq;
      vecPairs.push_back(elem);
    }
  }
  fclose(fpIn);
  if (vecPairs.size() > static_cast<size_t>(INT_MAX)) vecPairs.resize(INT_MAX);
  std::sort(vecPairs.begin(), vecPairs.end());

  m_nBound = static_cast<int>(nBound);
  m_nSize = static_cast<int>(vecPairs.size());
  m_pData.assign(vecPairs.begin(), vecPairs.end());
  m_pIndex.assign(static_cast<size_t>(m_nBound), index_t());
  for (size_t i = 0; i < vecPairs.size(); ++i) {
    index_t& group = m_pIndex[vecPairs[i].handle1];
    if (group.start < 0) group.start = static_cast<int>(i);
    group.end = static_cast<int>(i);
  }
  m_pHashTable.clear();
  m_bReadOnly = true;
  BuildSamples();
  return m_nSize;
}

bool CBigram::Export(const char* sFilename, CWordList* pWordList) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  auto Text = [pWordList](int handle) { return pWordList != nullptr ? pWordList->GetWord(handle) : ""; };
  if (!m_bReadOnly && m_pData.empty()) {
    // A writable table not yet laid out is listed from its groups.
    for (size_t h = 0; h < m_pHashTable.size(); ++h) {
      for (const bigram_info& info : m_pHashTable[h]) {
        fprintf(writer.File(), "%s\t%s\t%d\n", Text(static_cast<int>(h)), Text(info.handle2), info.freq);
      }
    }
  } else {
    for (size_t h = 0; h < m_pIndex.size(); ++h) {
      if (m_pIndex[h].start < 0) continue;
      for (int i = m_pIndex[h].start; i <= m_pIndex[h].end; ++i) {
        fprintf(writer.File(), "%s\t%s\t%d\n", Text(static_cast<int>(h)), Text(m_pData[i].handle2),
                m_pData[i].freq);
      }
    }
  }
  return writer.Commit();
}
