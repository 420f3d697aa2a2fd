// The processing entry points and the pipeline over one paragraph.
#include <cstring>
#include <new>

#include "base/log.h"
#include "english/english.h"
#include "segment/engine_globals.h"
#include "segment/pre_process.h"
#include "segment/bigram_segment.h"
#include "system/main_system.h"
#include "tagger/fsa.h"
#include "tagger/hmm_tagger.h"
#include "text/str_token.h"
#include "text/text_classify.h"

namespace {
// Texts longer than this are processed line by line.
const size_t kLongTextBytes = 100;
const unsigned char kTypeStart = 120;
const unsigned char kTypeEnd = 121;

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void LogFailure(const char* sMessage) {
  std::lock_guard<std::mutex> lock(g_mutex);
  WriteError(sMessage);
}
}  // namespace

const char* CMainSystem::Process(const char* sLineOrig, int bPOStagged, bool bUserDict) {
  try {
    m_sResult.clear();
    m_vecResult.clear();
    m_vecOut.clear();
    m_sOutput.clear();
    m_bLongText = false;
    if (sLineOrig == nullptr || sLineOrig[0] == 0) return m_sResult.c_str();
    size_t nLen = strlen(sLineOrig);
    if (nLen <= 2 && IsBlankByte(sLineOrig[0])) {
      m_sResult.assign(sLineOrig, nLen);
      return m_sResult.c_str();
    }
    const char* sText = ToGBK(sLineOrig, m_sGBK) ? m_sGBK.c_str() : sLineOrig;
    ProcessAtomEx(sText, bPOStagged != 0, bUserDict, true);
    const std::string& sGBKResult = m_bLongText ? m_sOutput : m_sResult;
    if (FromGBK(sGBKResult.data(), sGBKResult.size(), m_sPiece)) m_sResult.swap(m_sPiece);
    else if (m_bLongText) m_sResult = m_sOutput;
    return m_sResult.c_str();
  } catch (...) {
    LogFailure("(char *)realloc(m_sResult, failed!");
    m_sResult.clear();
    return nullptr;
  }
}

int CMainSystem::ProcessA(const char* sLineOrig, std::string& sLineTrans, bool bPOStagged,
                          bool bUserDict, bool bKeyWordExtract) {
  try {
    m_vecResult.clear();
    m_vecOut.clear();
    m_bLongText = false;
    sLineTrans.clear();
    if (sLineOrig == nullptr || sLineOrig[0] == 0) return 0;
    const bool bConverted = ToGBK(sLineOrig, sLineTrans);
    const char* sText = bConverted ? sLineTrans.c_str() : sLineOrig;
    ProcessAtomEx(sText, bPOStagged, bUserDict, false);
    int nCount = 0;
    result_t* pRecords = GetResult(&nCount);
    if (bConverted && !bKeyWordExtract) MapRecordsToCaller(sLineOrig, sLineTrans, pRecords, nCount);
    return nCount;
  } catch (...) {
    LogFailure("newMem=(result_t *)realloc(m_pVecResult failed!");
    m_vecResult.clear();
    m_vecOut.clear();
    return 0;
  }
}

int CMainSystem::ProcessAtomEx(const char* sLine, bool bPOStagged, bool bUserDict, bool bStrOut) {
  if (sLine == nullptr) sLine = "";
  const size_t nLen = strlen(sLine);
  if (nLen <= kLongTextBytes) {
    m_bLongText = false;
    return ProcessAtom(sLine, bPOStagged, bUserDict);
  }
  m_bLongText = true;
  m_sLongText.assign(sLine, nLen);
  m_vecOut.clear();
  if (m_vecOut.capacity() < nLen) m_vecOut.reserve(nLen + 1024);
  if (bStrOut) m_sOutput.clear();
  char* pText = &m_sLongText[0];
  char* pCur = pText;
  int nLast = 0;
  while (pCur != nullptr && *pCur != 0) {
    char* pNext = nullptr;
    char chSep = 0;
    char* pLine = StrLine(pCur, &pNext, &chSep, nullptr, false);
    if (pLine == nullptr) break;
    const int nOffset = static_cast<int>(pLine - pText);
    nLast = ProcessAtom(pLine, bPOStagged, bUserDict);
    if (pNext != nullptr) *pNext = chSep;
    if (bStrOut) {
      m_sOutput.append(m_sResult);
    } else {
      for (const result_t& record : m_vecResult) {
        m_vecOut.push_back(record);
        m_vecOut.back().start += nOffset;
      }
    }
    if (pNext == nullptr) break;
    SetOutput(pText, static_cast<int>(pNext - pText), 1, -1, 1, true);
    pCur = pNext + 1;
  }
  return nLast;
}

int CMainSystem::ProcessAtom(const char* sLine, bool bPOStagged, bool bUserDict) {
  m_vecResult.clear();
  m_sResult.clear();
  if (sLine == nullptr) sLine = "";
  const size_t nLen = strlen(sLine);
  if (m_vecResult.capacity() < nLen) m_vecResult.reserve(nLen + 1024);
  const size_t nPerByte = (g_bPOSTagger && bPOStagged) ? 12 : 6;
  if (m_sResult.capacity() < nPerByte * nLen) m_sResult.reserve(nPerByte * nLen);
  m_bEnglishText = ::IsEnglishText(sLine);
  if (m_bEnglishText && m_pEnglishParser != nullptr) return ProcessEnglish(sLine, bPOStagged);
  const int nCount = SegmentParagraph(sLine, static_cast<int>(nLen), bPOStagged);
  return Output(sLine, m_vecWords.data(), nCount, 0, bPOStagged, bUserDict);
}

int CMainSystem::ProcessEnglish(const char* sLine, bool bPOStagged) {
  std::vector<english_term_result>& vecTerms = m_pEnglishParser->ProcessA(sLine);
  const char* sResult = m_pEnglishParser->GetResultString(sLine, vecTerms, bPOStagged);
  m_sResult.assign(sResult != nullptr ? sResult : "");
  for (const english_term_result& term : vecTerms) {
    result_t record;
    memset(&record, 0, sizeof(record));
    record.start = term.start;
    record.length = term.length;
    strncpy(record.sPOS, term.sPOS, sizeof(record.sPOS) - 1);
    record.iPOS = term.iPOS;
    record.word_ID = term.word_ID;
    record.word_type = term.word_type;
    m_vecResult.push_back(record);
  }
  return static_cast<int>(m_vecResult.size());
}

int CMainSystem::SegmentParagraph(const char* sLine, int nLen, bool bPOStagged) {
  m_vecWords.clear();
  if (m_pPreProcess == nullptr || m_pSegmenter == nullptr) return 0;
  int nPos = 0;
  while (nPos < nLen) {
    int nBlankEnd = nPos;
    while (nBlankEnd < nLen && IsBlankByte(sLine[nBlankEnd])) ++nBlankEnd;
    if (nBlankEnd > nPos) {
      word_t blank;
      blank.start = nPos;
      blank.end = nBlankEnd;
      blank.handle = -1;
      blank.type = kTypeEnd;
      blank.POS_id = 1;
      m_vecWords.push_back(blank);
      nPos = nBlankEnd;
      if (nPos >= nLen) break;
    }
    const char* pNext = m_pPreProcess->FullSegment(sLine, nPos);
    m_pSegmenter->BiSegment(m_pPreProcess->m_pWordGraph, m_pPreProcess->m_nGraphLength,
                            m_pPreProcess->m_pWordCounter, m_pPreProcess->m_nAtomSize);
    word_t* pWords = m_pSegmenter->m_pWords;
    int nCount = m_pSegmenter->m_nWordCount;
    if (m_pPERTagger != nullptr && pWords != nullptr && nCount > 0) {
      m_pPERTagger->Tagging(pWords, nCount);
      if (g_pPersonFSA != nullptr) {
        g_pPersonFSA->MaxPR(pWords, &nCount, gUnknown_nr_ID, m_vecPersonIndex);
        m_pSegmenter->m_nWordCount = nCount;
      }
    }
    if (m_pTagger != nullptr && bPOStagged && pWords != nullptr && nCount > 0)
      m_pTagger->Tagging(pWords, nCount);
    int nCovered = nPos;
    for (int k = 0; k < nCount; ++k) {
      if (pWords[k].type == kTypeStart || pWords[k].type == kTypeEnd) continue;
      m_vecWords.push_back(pWords[k]);
      if (pWords[k].end > nCovered) nCovered = pWords[k].end;
    }
    int nNext = pNext != nullptr ? static_cast<int>(pNext - sLine) : nLen;
    if (nNext <= nPos || nNext > nLen) {
      // No progress: keep the rest of the text as one unknown piece rather
      // than loop or drop it.
      nNext = nCovered > nPos ? nCovered : nLen;
      if (nCovered <= nPos) {
        word_t rest;
        rest.start = nPos;
        rest.end = nLen;
        rest.type = 0;
        m_vecWords.push_back(rest);
      }
    }
    nPos = nNext;
  }
  return static_cast<int>(m_vecWords.size());
}
