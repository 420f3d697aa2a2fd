// Fuzz target: arbitrary bytes through Process and ProcessA.
//
// Build (clang only; the engine is built with coverage, address and
// undefined-behaviour checks):
//   cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
//         -DKAVEL_FUZZ=ON -DKAVEL_BUILD_TESTS=OFF -DKAVEL_BUILD_BENCH=OFF
//   cmake --build build-fuzz --target process_fuzz
// Run, with a built data set (KAVEL_DATA_DIR names its Data directory; the
// default is the build's own, made by `cmake --build build-fuzz --target kavel_data`):
//   KAVEL_DATA_DIR=build-asan/Data build-fuzz/tests/fuzz/process_fuzz \
//       -max_total_time=600 -max_len=4096 /tmp/corpus tests/fuzz/corpus
// (the first corpus directory receives new inputs; the second is the seed set).
//
// The first byte of an input picks the caller's encoding for the call (GBK,
// UTF-8 through the translation tables, or recognition per text) and the
// options; the rest is the text, up to its first NUL byte.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "encoding/code_detect.h"
#include "encoding/code_tran.h"
#include "engine/kavel.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
CCodeTran* g_pUtf8 = nullptr;  // UTF-8 translator, when the tables are there
bool g_bDetect = false;        // recognition model loaded
std::string g_sTrans;

bool Exists(const std::string& sPath) {
  struct stat info;
  return stat(sPath.c_str(), &info) == 0;
}

// The records must lie inside the text, in order, without overlap.
void CheckRecords(const char* sText, int nCount, bool bGBKRanges) {
  int nRecords = 0;
  const result_t* pRecords = g_pKAVEL->GetResult(&nRecords);
  if (nCount != nRecords) __builtin_trap();
  const int nLen =
      static_cast<int>(bGBKRanges && !g_sTrans.empty() ? g_sTrans.size() : strlen(sText));
  int nEnd = 0;
  for (int k = 0; k < nRecords; ++k) {
    if (pRecords[k].start < nEnd || pRecords[k].length < 0) __builtin_trap();
    nEnd = pRecords[k].start + pRecords[k].length;
    if (nEnd > nLen) __builtin_trap();
    if (memchr(pRecords[k].sPOS, 0, sizeof(pRecords[k].sPOS)) == nullptr) __builtin_trap();
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  const char* sEnv = getenv("KAVEL_DATA_DIR");
  std::string sData = sEnv != nullptr && sEnv[0] != 0 ? sEnv : KAVEL_DATA_DIR;
  while (!sData.empty() && sData.back() == '/') sData.pop_back();
  const size_t nSlash = sData.find_last_of('/');
  const std::string sRoot = nSlash == std::string::npos ? "." : sData.substr(0, nSlash);
  if (KAVEL_Init(sRoot.c_str(), 0, nullptr) != 1) {
    fprintf(stderr, "cannot start the engine on %s: %s\n", sData.c_str(), KAVEL_GetLastErrorMsg());
    abort();
  }
  if (Exists(g_sDataPath + "/UTF8.pdat")) {
    g_pUtf8 = new CCodeTran(g_sDataPath.c_str(), 1);
    if (g_pUtf8->GetStatus() != 1) {
      delete g_pUtf8;
      g_pUtf8 = nullptr;
    }
  }
  g_bDetect = Exists(g_sDataPath + "/CodeTrans.model") &&
              CodeTrans_Initialize((g_sDataPath + "/CodeTrans.model").c_str()) == 0;
  fprintf(stderr, "engine started; UTF-8 tables %s, recognition model %s\n",
          g_pUtf8 != nullptr ? "on" : "off", g_bDetect ? "on" : "off");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  if (nSize == 0) return 0;
  const uint8_t nMode = pData[0];
  const std::string sText(reinterpret_cast<const char*>(pData + 1), nSize - 1);
  const char* sLine = sText.c_str();

  // Encoding of this call; the engine's own setting is put back afterwards.
  const int nEncode = (nMode & 3) == 1 && g_pUtf8 != nullptr ? 1
                      : (nMode & 3) == 2 && g_bDetect        ? -1
                                                             : 0;
  g_nEncodeType = nEncode;
  g_pCodeTranslator = nEncode == 1 ? g_pUtf8 : nullptr;

  CMainSystem* pSystem = g_pKAVEL;
  pSystem->SetPOSmap((nMode >> 2) & 3);
  const bool bTagged = (nMode & 0x10) == 0;
  const bool bUserDict = (nMode & 0x20) == 0;
  const bool bKeyWord = (nMode & 0x40) != 0;

  if (pSystem->Process(sLine, bTagged ? 1 : 0, bUserDict) == nullptr) __builtin_trap();
  g_sTrans.clear();
  const int nCount = pSystem->ProcessA(sLine, g_sTrans, bTagged, bUserDict, bKeyWord);
  CheckRecords(sLine, nCount, bKeyWord);
  if ((nMode & 0x80) != 0) {
    pSystem->WordFreqStat(sLine, (nMode & 1) != 0);
    std::vector<std::string> vecTerm;
    pSystem->GetWordVector(sLine, vecTerm, (nMode & 2) != 0);
  }

  g_nEncodeType = 0;
  g_pCodeTranslator = nullptr;
  return 0;
}
