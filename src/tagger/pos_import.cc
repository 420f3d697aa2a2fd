// Building a POS table from its text form and writing it back as text.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/binary_io.h"
#include "base/log.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"
#include "tagger/text_lines.h"

namespace {

// Splits off the next white-space-delimited field of sLine at *pPos.
bool NextField(const std::string& sLine, size_t* pPos, std::string* psField) {
  size_t nStart = sLine.find_first_not_of(" \t\r\v\f", *pPos);
  if (nStart == std::string::npos) return false;
  size_t nEnd = sLine.find_first_of(" \t\r\v\f", nStart);
  if (nEnd == std::string::npos) nEnd = sLine.size();
  psField->assign(sLine, nStart, nEnd - nStart);
  *pPos = nEnd;
  return true;
}

bool ParseInt(const std::string& s, long* pValue) {
  char* pEnd = nullptr;
  *pValue = strtol(s.c_str(), &pEnd, 10);
  return pEnd != s.c_str() && *pEnd == 0;
}

}  // namespace

int CPOS::Import(const char* sFilename, CPDAT* pCoreDict, const CPOSmap* pPOSmap) {
  std::string sText;
  if (pCoreDict == nullptr || !ReadTextFile(sFilename, &sText)) return 0;

  std::vector<POS_elem> vecElems;
  int nMaxHandle = -1;
  CTextLines lines(sText);
  std::string sLine, sWord, sTag, sFreq;
  while (lines.Next(&sLine)) {
    size_t nPos = 0;
    if (!NextField(sLine, &nPos, &sWord)) continue;
    int handle = -1;
    unsigned char nTag = 255;
    long nFreq = 0;
    bool bOk = NextField(sLine, &nPos, &sTag) && NextField(sLine, &nPos, &sFreq) && ParseInt(sFreq, &nFreq);
    if (bOk) {
      handle = pCoreDict->Find(sWord.c_str());
      if (pPOSmap != nullptr) {
        nTag = pPOSmap->GetID(sTag.c_str());
      } else {
        long nId = 0;
        if (ParseInt(sTag, &nId)) nTag = static_cast<unsigned char>(nId & 0xFF);
      }
    }
    if (lines.LineNumber() % 100 == 0) {
      printf("Line %d:word=%s(%d) pos=%s(%d)\n", lines.LineNumber(), sWord.c_str(), handle, sTag.c_str(), nTag);
    }
    if (!bOk || handle < 0 || nTag == 255) {
      WriteLog(sLine);
      continue;
    }
    POS_elem elem;
    elem.handle = handle;
    elem.POS_id = nTag;
    elem.freq = static_cast<int>(nFreq);
    vecElems.push_back(elem);
    nMaxHandle = std::max(nMaxHandle, handle);
  }
  std::sort(vecElems.begin(), vecElems.end());

  // Every handle the dictionary can give must be indexed, also when its
  // highest cell index is below its word count.
  int nBound = std::max(pCoreDict->GetLowerBound(), static_cast<int>(pCoreDict->GetItemCount()));
  nBound = std::max(nBound, nMaxHandle + 1);

  std::vector<POS_info> vecData(vecElems.size());
  std::vector<index_t> vecIndex(nBound);
  int nNext = 0;
  for (size_t i = 0; i < vecElems.size(); ++i) {
    const POS_elem& elem = vecElems[i];
    index_t& entry = vecIndex[elem.handle];
    if (i > 0 && vecElems[i - 1].handle == elem.handle && vecElems[i - 1].POS_id == elem.POS_id) {
      POS_info& last = vecData[nNext - 1];
      last.freq = std::max(last.freq, elem.freq);
      continue;
    }
    if (entry.start < 0) {
      entry.start = nNext;
      entry.end = 0;
    }
    vecData[nNext].POS_id = elem.POS_id;
    vecData[nNext].freq = elem.freq;
    ++nNext;
    ++entry.end;
  }
  m_pData.swap(vecData);
  m_pIndex.swap(vecIndex);
  m_nSize = static_cast<int>(m_pData.size());
  m_nBound = nBound;
  return m_nSize;
}

bool CPOS::Export(const char* sFilename, const CPOSmap* pPOSmap, const CWordList* pWordList) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  FILE* fp = writer.File();
  for (int handle = 0; handle < m_nBound; ++handle) {
    int nCount = 0;
    const POS_info* pInfo = GetPOS(handle, &nCount);
    if (nCount == 0) continue;
    std::string sWord = pWordList != nullptr ? pWordList->GetWord(handle) : std::to_string(handle);
    for (int i = 0; i < nCount; ++i) {
      if (pPOSmap != nullptr) {
        fprintf(fp, "%s\t%s\t%d\n", sWord.c_str(), pPOSmap->GetPOS(pInfo[i].POS_id), pInfo[i].freq);
      } else {
        fprintf(fp, "%s\t%d\t%d\n", sWord.c_str(), pInfo[i].POS_id, pInfo[i].freq);
      }
    }
  }
  return writer.Commit();
}
