// Readable listings of a CIDMaps with the word texts.
#include <cstdio>

#include "base/binary_io.h"
#include "lexicon/id_maps.h"
#include "lexicon/word_list.h"

namespace {

const char* WordOf(const CWordList* pList, int nHandle) {
  return pList != nullptr ? pList->GetWord(nHandle) : "";
}

}  // namespace

bool CIDMaps::Export(const char* sFilename, CWordList* pWordListLeft, CWordList* pWordListRight,
                     bool bDebug) const {
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  FILE* fp = writer.File();
  fprintf(fp, "Data Size=%d,Index Size=%d\n", m_nSize, m_nBound);
  for (int i = 0; i < m_nBound; ++i) {
    int nCount = 0;
    const idmaps_info* pMaps = GetMaps(i, &nCount);
    if (pMaps == nullptr || (bDebug && nCount < 2)) continue;
    fprintf(fp, "Handle=%d(%s),Start=%d\tEnd=%d count=%d\n data=", i, WordOf(pWordListLeft, i),
            m_pIndex[i].start, m_pIndex[i].end, nCount);
    for (int j = 0; j < nCount; ++j) {
      fprintf(fp, "%d(%s) ", pMaps[j].handle2, WordOf(pWordListRight, pMaps[j].handle2));
    }
    fprintf(fp, "\n");
  }
  return writer.Commit();
}

size_t CIDMaps::Export(std::vector<map_str>& vecResult, CWordList* pWordListLeft,
                       CWordList* pWordListRight) const {
  for (int i = 0; i < m_nBound; ++i) {
    int nCount = 0;
    const idmaps_info* pMaps = GetMaps(i, &nCount);
    for (int j = 0; j < nCount; ++j) {
      vecResult.push_back(
          map_str{WordOf(pWordListLeft, i), WordOf(pWordListRight, pMaps[j].handle2)});
    }
  }
  return vecResult.size();
}
