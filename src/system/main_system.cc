#include "system/main_system.h"

#include <cstdlib>
#include <new>

#include "base/log.h"
#include "english/english.h"
#include "lexicon/unigram.h"
#include "segment/engine_globals.h"
#include "segment/pre_process.h"
#include "segment/bigram_segment.h"
#include "tagger/hmm_tagger.h"

namespace {
const size_t kResultCapacity = 10240;
const size_t kRecordCapacity = 2048;
const size_t kWordCapacity = 1024;
// Default labels of words without candidates in each tagger.
const int kDefaultPOS = 21;
const int kDefaultRole = 22;
}  // namespace

CMainSystem::CMainSystem() {
  m_pPreProcess = new (std::nothrow) CPreProcess(g_pCharset, g_pCoreDict, g_pUserDict);
  if (m_pPreProcess == nullptr) WriteError("Cannot build object CPreProcess.\n");
  m_pSegmenter = new (std::nothrow) CSegment(g_pCoreDict, g_pUnigram, g_pBiDict);
  if (m_pSegmenter == nullptr) WriteError("Cannot build object  CSegment");
  const double dItems = g_pUnigram != nullptr ? g_pUnigram->GetItemCount() : 0;
  if (g_bPOSTagger && g_pCorePOS != nullptr && g_pPOSContext != nullptr)
    m_pTagger = new CHMMTagger(g_pCorePOS, g_pPOSContext, dItems, kDefaultPOS);
  if (g_bNERPerson && g_pPersonRole != nullptr && g_pPersonContext != nullptr)
    m_pPERTagger = new CHMMTagger(g_pPersonRole, g_pPersonContext, dItems, kDefaultRole);
  m_pEnglishParser = new CEnglish();
  m_sResult.reserve(kResultCapacity);
  m_vecResult.reserve(kRecordCapacity);
  m_vecOut.reserve(kRecordCapacity);
  m_vecWords.reserve(kWordCapacity);
}

CMainSystem::~CMainSystem() {
  delete m_pPreProcess;
  delete m_pSegmenter;
  delete m_pTagger;
  delete m_pPERTagger;
  delete m_pEnglishParser;
  free(m_pFinerResult);
}

result_t* CMainSystem::GetResult(int* p_nCount) {
  std::vector<result_t>& vec = m_bLongText ? m_vecOut : m_vecResult;
  if (p_nCount != nullptr) *p_nCount = static_cast<int>(vec.size());
  return vec.data();
}

bool CMainSystem::SetUserDict(CTrie* pUserDict) {
  g_pUserDict = pUserDict;
  if (m_pPreProcess != nullptr) m_pPreProcess->SetUserDict(pUserDict);
  return true;
}

bool CMainSystem::SetPOSmap(int nPOSmap) {
  if (nPOSmap < 0 || nPOSmap > 3) return false;
  m_nPOSmap = nPOSmap;
  if (m_pEnglishParser != nullptr) m_pEnglishParser->SetPOSmap(nPOSmap);
  return true;
}
