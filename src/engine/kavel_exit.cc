// Engine exit.
#include <mutex>

#include "encoding/code_detect.h"
#include "encoding/code_tran.h"
#include "engine/data_set.h"
#include "engine/engine_state.h"
#include "engine/kavel.h"
#include "lexicon/pdat.h"
#include "lexicon/unigram.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

void ReleaseEngine() {
  ReleaseDataSet();
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    for (unsigned int k = 0; g_vecKAVEL != nullptr && k < g_nCopyMemSize; ++k) {
      if (g_vecKAVEL[k] == g_pKAVEL) continue;
      delete g_vecKAVEL[k];
    }
    delete[] g_vecKAVEL;
    g_vecKAVEL = nullptr;
    g_nCopyMemSize = 0;
    delete g_pKAVEL;
    g_pKAVEL = nullptr;
  }
  delete g_pSentiScore;
  g_pSentiScore = nullptr;
  delete g_pSentiDict;
  g_pSentiDict = nullptr;
  delete g_pCodeTranslator;
  g_pCodeTranslator = nullptr;
  if (g_nEncodeType == -1) CodeTrans_Destroy();
}

bool KAVEL_Exit() {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_bActive) return false;
    g_bActive = false;
  }
  ReleaseEngine();
  std::lock_guard<std::mutex> lock(g_mutex);
  g_bInitStart = false;
  return true;
}
