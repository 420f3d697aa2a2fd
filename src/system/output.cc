// The output stage: writes the words of a paragraph as the tagged result
// string and as result_t records.
#include <cmath>
#include <cstring>

#include "english/english.h"
#include "lexicon/pdat.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"
#include "system/output_rules.h"
#include "tagger/pos_map.h"

namespace {
const unsigned char kTypeBlank = 28;
const unsigned char kTypeStart = 120;
const unsigned char kTypeEnd = 121;
const unsigned char kTypePerson = 102;
const unsigned char kTagEnglish = 93;

bool IsUnknownClass(int nHandle) {
  return nHandle >= 0 &&
         (nHandle == gUnknown_m_ID || nHandle == gUnknown_x_ID || nHandle == gUnknown_nr_ID ||
          nHandle == gUnknown_ns_ID || nHandle == gUnknown_nt_ID || nHandle == gUnknown_t_ID ||
          nHandle == gUnknown_nz_ID);
}

int WeightOf(double dProb) {
  if (!(dProb > 0)) return 0;
  return static_cast<int>(-1000.0 * std::log(dProb));
}
}  // namespace

const CPOSmap* OutputTagSet(int nPOSmap) {
  if (g_ppPOSmap == nullptr || nPOSmap < 0 || nPOSmap > 3) return nullptr;
  return g_ppPOSmap[nPOSmap];
}

void CMainSystem::AppendTag(const char* sPOS, bool bAfterBracket) {
  if (!bAfterBracket && !g_sPOSDelimiter.empty()) m_sResult.push_back(g_sPOSDelimiter[0]);
  m_sResult.append(sPOS);
}

int CMainSystem::Output(const char* pLine, word_t* pWords, int nWordCount, int nStartLen,
                        int bPOStagged, bool bUserDict) {
  if (g_bPOSTagger && (m_nPOSmap < 0 || m_nPOSmap > 3)) return 0;
  if (pLine == nullptr || pWords == nullptr) return static_cast<int>(m_vecResult.size());
  const bool bTag = g_bPOSTagger && bPOStagged != 0;
  const CPOSmap* pMap = OutputTagSet(m_nPOSmap);
  int i = 0;
  while (i < nWordCount) {
    word_t& word = pWords[i];
    result_t record;
    memset(&record, 0, sizeof(record));
    record.iPOS = 255;
    record.word_ID = word.handle;
    record.weight = WeightOf(GetUniProb(word.handle));
    record.word_type = word.type == kTypePerson ? 2 : 0;
    int nStep = 1;
    bool bBlank = false;
    bool bDictWord = false;
    if (bUserDict && (g_pFieldDict != nullptr || g_pUserDict != nullptr))
      bDictWord = MatchDictWord(pLine, pWords, nWordCount, i, bTag, record, bBlank, nStep) != 0;
    int nLen = i + nStep < nWordCount ? pWords[i + nStep].start - word.start
                                      : pWords[nWordCount - 1].end - word.start;
    if (!bDictWord) JoinWords(pLine, pWords, nWordCount, i, bTag, nStep, nLen, bBlank);
    if (nLen < 0) nLen = 0;

    const char* pText = pLine + word.start;
    if (bBlank) m_sResult.push_back('[');
    m_sResult.append(pText, nLen);
    if (bBlank) m_sResult.push_back(']');
    record.start = word.start + nStartLen;
    record.length = nLen;

    if (IsUnknownClass(word.handle)) record.word_ID = -1;
    if (word.type == kTypeBlank || word.type == kTypeStart || word.type == kTypeEnd) {
      record.word_ID = -1;
      record.sPOS[0] = 0;
    } else if (bTag) {
      if (word.POS_id == kTagEnglish && m_pEnglishParser != nullptr) {
        int nHandle = -1;
        const int nPOS = m_pEnglishParser->GetWordPos(pText, nLen, &nHandle);
        if (nPOS != 255) word.POS_id = static_cast<unsigned char>(nPOS);
      }
      const bool bOwnTag = bDictWord && record.sPOS[0] != 0;
      if (!bOwnTag) {
        const char* sName = pMap != nullptr ? pMap->GetPOS(word.POS_id) : "n";
        strncpy(record.sPOS, sName, sizeof(record.sPOS) - 1);
        record.sPOS[sizeof(record.sPOS) - 1] = 0;
      }
      AppendTag(record.sPOS, bBlank);
      if (!bDictWord) record.iPOS = word.POS_id;
    } else if (!bDictWord) {
      record.sPOS[0] = 0;
    }
    if (!g_sWordBoundary.empty()) m_sResult.push_back(g_sWordBoundary[0]);
    m_vecResult.push_back(record);

    if (g_bFinerSegCombined && nLen > 6) AppendFinerPieces(pText, nLen, record, bTag);
    i += nStep;
  }
  return static_cast<int>(m_vecResult.size());
}

int CMainSystem::SetOutput(const char* pLine, int nStartLen, int nWordLen, int /*handle*/,
                           int /*nOutputStyle*/, bool bOut) {
  result_t record;
  memset(&record, 0, sizeof(record));
  record.start = nStartLen;
  record.length = nWordLen;
  record.iPOS = 255;
  record.word_ID = -1;
  if (bOut) {
    m_sOutput.append(pLine + nStartLen, nWordLen);
    m_sOutput.append(g_sWordBoundary);
    m_vecOut.push_back(record);
    return static_cast<int>(m_vecOut.size());
  }
  m_sResult.append(pLine + nStartLen, nWordLen);
  if (!g_sWordBoundary.empty()) m_sResult.push_back(g_sWordBoundary[0]);
  m_vecResult.push_back(record);
  return static_cast<int>(m_vecResult.size());
}

void CMainSystem::AppendFinerPieces(const char* pText, int nLen, const result_t& record,
                                    bool bTag) {
  if (g_pCoreDict == nullptr) return;
  m_vecFinerText.assign(pText, pText + nLen);
  m_vecFinerText.push_back(0);
  if (g_pCoreDict->MMSegment(m_vecFinerText.data(), nullptr, nullptr, &m_pFinerResult,
                             &m_nFinerResultSize, false, true, 6, '\t') < 0 ||
      m_pFinerResult == nullptr)
    return;
  int nOffset = 0;
  const char* p = m_pFinerResult;
  while (*p != 0) {
    const char* pTab = strchr(p, '\t');
    int nPiece = pTab != nullptr ? static_cast<int>(pTab - p) : static_cast<int>(strlen(p));
    if (nOffset + nPiece > nLen) nPiece = nLen - nOffset;  // pieces stay inside the word
    if (nPiece > 0) {
      m_sResult.append(p, nPiece);
      if (bTag) AppendTag("seg", false);
      if (!g_sWordBoundary.empty()) m_sResult.push_back(g_sWordBoundary[0]);
      result_t piece;
      memset(&piece, 0, sizeof(piece));
      piece.start = record.start + nOffset;
      piece.length = nPiece;
      piece.word_ID = g_pCoreDict->Find(p, static_cast<unsigned int>(nPiece));
      piece.iPOS = -1;
      strcpy(piece.sPOS, "seg");
      m_vecResult.push_back(piece);
    }
    nOffset += nPiece;
    if (pTab == nullptr) break;
    p = pTab + 1;
  }
}
