// Writing terms as tagged text, with user and field dictionary words merged.
#include <cstring>

#include "english/english.h"
#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "lexicon/word_list.h"
#include "tagger/pos_map.h"

namespace {

const int kPOSLineEnd = 1;
const int kPOSUnknown = 21;

}  // namespace

const char* CEnglish::GetResultString(const char* pLine, std::vector<english_term_result>& vecItems,
                                      bool bPOStagged) {
  RefreshTables();
  m_sResult.clear();
  const size_t nLineLen = pLine != nullptr ? strlen(pLine) : 0;
  const bool bDicts = pLine != nullptr && (m_tables.pFieldDict != nullptr || m_tables.pUserDict != nullptr);

  size_t w = 0;
  for (size_t r = 0; r < vecItems.size();) {
    size_t nNext = r + 1;
    english_term_result& term = vecItems[r];
    if (bDicts && term.iPOS != kPOSLineEnd && term.start >= 0 && term.length >= 0 &&
        static_cast<size_t>(term.start) + static_cast<size_t>(term.length) <= nLineLen) {
      const char* pAt = pLine + term.start;
      int nFieldHandle = -1, nUserHandle = -1;
      int nField = m_tables.pFieldDict != nullptr ? m_tables.pFieldDict->GetMaxWord(pAt, &nFieldHandle) : 0;
      int nUser = m_tables.pUserDict != nullptr ? m_tables.pUserDict->GetMaxWord(pAt, &nUserHandle) : 0;
      bool bUseField = nField >= nUser && nField > 1;
      int nMatch = bUseField ? nField : (nUser > 1 ? nUser : 0);
      if (nMatch > 1) {
        // The match counts only when it ends exactly where a later term ends.
        long long nEnd = static_cast<long long>(term.start) + nMatch;
        size_t j = r + 1;
        while (j < vecItems.size() &&
               static_cast<long long>(vecItems[j].start) + vecItems[j].length < nEnd)
          ++j;
        if (j < vecItems.size() && static_cast<long long>(vecItems[j].start) + vecItems[j].length == nEnd) {
          char sPOS[CTrie::kPosSize] = {0};
          if (bUseField) {
            if (m_tables.pFieldPOS != nullptr)
              strncpy(sPOS, m_tables.pFieldPOS->GetWord(nFieldHandle), sizeof(sPOS) - 1);
          } else {
            m_tables.pUserDict->GetPos(sPOS, sizeof(sPOS));
          }
          sPOS[sizeof(sPOS) - 1] = 0;
          int nUnits = 0;
          for (size_t k = r; k <= j; ++k) nUnits += vecItems[k].unit_count;
          term.word.assign(pAt, static_cast<size_t>(nMatch));
          term.original_word = term.word;
          term.length = nMatch;
          memcpy(term.sPOS, sPOS, sizeof(term.sPOS));
          unsigned char nId = m_tables.pPOSmap != nullptr ? m_tables.pPOSmap->GetID(sPOS) : 255;
          term.iPOS = nId == 255 ? kPOSUnknown : nId;
          term.word_ID = -1;
          term.word_type = 1;
          term.unit_count = nUnits;
          nNext = j + 1;
        }
      }
    }
    if (w != r) vecItems[w] = std::move(vecItems[r]);
    const english_term_result& out = vecItems[w];
    ++w;
    r = nNext;

    if (out.iPOS == kPOSLineEnd) {
      m_sResult += out.word;
      continue;
    }
    bool bTag = bPOStagged && out.sPOS[0] != 0;
    if (out.word.find(' ') != std::string::npos) {
      m_sResult += '[';
      m_sResult += out.word;
      m_sResult += ']';
    } else {
      m_sResult += out.word;
      if (bTag) m_sResult += '/';
    }
    if (bTag) m_sResult += out.sPOS;
    m_sResult += ' ';
  }
  vecItems.resize(w);
  return m_sResult.c_str();
}
