// Text import and export of word lists.
//
// A text list holds one entry per line: the first whitespace-delimited token,
// or the text between "[" and "]" when the token starts with "[", with "_"
// standing for a space. Each import echoes its entries to a file next to its
// input, bracketed when they contain a blank.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "base/binary_io.h"
#include "lexicon/pdat.h"
#include "lexicon/table_entry.h"
#include "lexicon/word_list.h"

int CWordList::Import(const char* sFilename, CPDAT* pCoreDict) {
  if (sFilename == nullptr) return 0;
  if (pCoreDict != nullptr) m_pDict = pCoreDict;
  if (m_pDict == nullptr) return 0;
  FILE* fpIn = fopen(sFilename, "rb");
  if (fpIn == nullptr) return 0;
  std::string sEchoName = std::string(sFilename) + "_wordlist_export.txt";
  FILE* fpEcho = fopen(sEchoName.c_str(), "wb");
  if (fpEcho == nullptr) {
    fclose(fpIn);
    return 0;
  }
  AddWordInit();
  {
    CLineReader reader(fpIn);
    std::string sLine, sEntry;
    size_t nRest = 0;
    int nLine = 1;
    while (reader.Next(&sLine)) {
      if (!ParseTableEntry(sLine, &sEntry, &nRest)) continue;
      fprintf(fpEcho, EntryHasBlank(sEntry) ? "[%s]\n" : "%s\n", sEntry.c_str());
      if (++nLine % 100 == 0) printf("Line %d\r", nLine);
      AddWord(sEntry.c_str());
    }
  }
  fclose(fpIn);
  fclose(fpEcho);
  AddWordComplete();
  return GetItemCount();
}

int CWordList::Import(std::vector<WORD_INFO>& vecWordInfo, CPDAT* pCoreDict, bool bStoredInfo) {
  if (pCoreDict == nullptr) return 0;
  AddWordInit();
  int nBound = static_cast<int>(std::min<size_t>(pCoreDict->GetItemCount(), INT_MAX - 1));
  for (const WORD_INFO& info : vecWordInfo) {
    int nHandle = pCoreDict->Find(info.word.c_str());
    if (nHandle < 0 || nHandle == INT_MAX) continue;
    const std::string& sText = bStoredInfo ? info.store_info : info.word;
    int nOffset = AppendText(sText.c_str());
    if (nOffset < 0) break;
    m_vecPair.push_back({nHandle, nOffset});
    ++m_nSize;
    nBound = std::max(nBound, nHandle + 1);
  }
  m_nMemSize = static_cast<unsigned int>(m_vecPair.capacity());
  m_nBound = nBound;
  LayOutOffsets();
  m_vecPair.clear();
  return GetItemCount();
}

int CWordList::Export(const char* sResultFilename, CPDAT* pCoreDict, const char* sExpFilename) {
  int nCount = m_nBound;
  if (pCoreDict != nullptr) {
    nCount = static_cast<int>(std::min<size_t>(pCoreDict->GetItemCount(), INT_MAX));
  }
  std::unordered_set<int> setExcluded;
  FILE* fpExp = sExpFilename != nullptr && pCoreDict != nullptr ? fopen(sExpFilename, "rb") : nullptr;
  if (fpExp != nullptr) {
    CLineReader reader(fpExp);
    std::string sLine, sToken;
    while (reader.Next(&sLine)) {
      size_t nPos = 0;
      if (!NextTableToken(sLine, &nPos, &sToken)) continue;
      // Only Chinese words of two or more characters are excluded.
      if (static_cast<unsigned char>(sToken[0]) < 0x80 || sToken.size() <= 2) continue;
      int nHandle = pCoreDict->Find(sToken.c_str());
      if (nHandle >= 0) setExcluded.insert(nHandle);
    }
    fclose(fpExp);
  }
  AtomicFileWriter writer(sResultFilename);
  if (!writer.IsOpen()) {
    printf("Error open file %s.\n", sResultFilename != nullptr ? sResultFilename : "");
    return 1;
  }
  for (int i = 0; i < nCount; ++i) {
    if (setExcluded.count(i) != 0) continue;
    const char* sWord = GetWord(i);
    writer.Write(sWord, strlen(sWord));
    writer.Write("\n", 1);
  }
  if (!writer.Commit()) {
    printf("Error open file %s.\n", sResultFilename);
    return 1;
  }
  return 0;
}
