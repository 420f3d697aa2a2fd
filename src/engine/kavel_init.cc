// Engine start-up: flags, data directory, configuration, encoding, data set
// and the first processor.
#include <strings.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>

#include "base/config_reader.h"
#include "base/last_error.h"
#include "base/log.h"
#include "base/read_file.h"
#include "encoding/code_detect.h"
#include "encoding/code_tran.h"
#include "encoding/unicode_convert.h"
#include "engine/data_set.h"
#include "engine/engine_state.h"
#include "engine/kavel.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
// The path as multibyte text of the process locale, read as UTF-8; empty
// when it cannot be converted.
std::string Utf8ToLocale(const std::string& sPath) {
  std::wstring sWide;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(sPath.data());
  size_t nLeft = sPath.size();
  while (nLeft > 0) {
    uint32_t nCode = 0;
    const size_t nLen = DecodeUtf8Char(p, nLeft, &nCode);
    if (nLen == 0) return std::string();
    sWide.push_back(static_cast<wchar_t>(nCode));
    p += nLen;
    nLeft -= nLen;
  }
  const size_t nBytes = wcstombs(nullptr, sWide.c_str(), 0);
  if (nBytes == static_cast<size_t>(-1)) return std::string();
  std::string sOut(nBytes + 1, '\0');
  wcstombs(&sOut[0], sWide.c_str(), nBytes + 1);
  sOut.resize(nBytes);
  return sOut;
}

std::string ResolveBaseDir(const char* sInitDirPath) {
  if (sInitDirPath != nullptr && sInitDirPath[0] != 0) {
    if (access(sInitDirPath, F_OK) == 0) return sInitDirPath;
    const std::string sLocale = Utf8ToLocale(sInitDirPath);
    return sLocale.empty() ? std::string(sInitDirPath) : sLocale;
  }
  char sDir[1000] = {0};
  if (getcwd(sDir, sizeof(sDir)) == nullptr) sDir[0] = 0;
  g_sDefaultDir = sDir;
  return g_sDefaultDir;
}

bool IsValue(const std::string& sValue, const char* sExpected) {
  return strcasecmp(sValue.c_str(), sExpected) == 0;
}

// Applies the keys of the configuration text; false when the encoding could
// not be set up.
bool ApplyConfiguration(const char* sConfig, int encode, DataSetOptions& options) {
  std::string sValue;
  if (GetXMLItemValue(sConfig, "TagSet", sValue)) g_sTagset = sValue;
  if (GetXMLItemValue(sConfig, "POSDelimiter", sValue)) g_sPOSDelimiter = sValue;
  if (GetXMLItemValue(sConfig, "WordBoundary", sValue)) g_sWordBoundary = sValue;
  if (GetXMLItemValue(sConfig, "Merge", sValue) && IsValue(sValue, "on")) g_bWordMerged = true;
  if (GetXMLItemValue(sConfig, "Person", sValue) && IsValue(sValue, "off")) g_bNERPerson = false;
  if (GetXMLItemValue(sConfig, "Tagger", sValue) && IsValue(sValue, "off")) g_bPOSTagger = false;
  g_bUserDictPrior = GetXMLItemValue(sConfig, "UserDictPrior", sValue) && IsValue(sValue, "on");
  g_nGranularity = GetXMLItemValue(sConfig, "Granularity", sValue) && IsValue(sValue, "small");

  g_pCodeTranslator = nullptr;
  g_nEncodeType = (encode >= -1 && encode <= 4) ? encode : 0;
  if (g_nEncodeType == -1) {
    const std::string sModel = g_sDataPath + "/CodeTrans.model";
    if (CodeTrans_Initialize(sModel.c_str()) != 0) {
      const std::string sText = "Fail read encoding recognition file " + sModel;
      WriteError(sText);
      SetLastErrorMessage(sText);
      return false;
    }
  } else if (g_nEncodeType >= 1) {
    g_pCodeTranslator = new CCodeTran(g_sDataPath.c_str(), g_nEncodeType);
    if (g_pCodeTranslator->GetStatus() != 1) {
      delete g_pCodeTranslator;
      g_pCodeTranslator = nullptr;
      SetLastErrorMessage("Cannot open the encoding tables in " + g_sDataPath);
      return false;
    }
  }

  options.bUserDict = GetXMLItemValue(sConfig, "UserDict", sValue) && IsValue(sValue, "on");
  options.bFieldDict = GetXMLItemValue(sConfig, "FieldDict", sValue) && IsValue(sValue, "on");
  options.bGranularity =
      GetXMLItemValue(sConfig, "GranularityContorl", sValue) && IsValue(sValue, "on");
  if (GetXMLItemValue(sConfig, "POS", sValue)) {
    if (IsValue(sValue, "None")) g_nPOSPresent = 0;
    else if (IsValue(sValue, "Upper")) g_nPOSPresent = 1;
  }
  options.bSentiment = GetXMLItemValue(sConfig, "Sentiment", sValue) && IsValue(sValue, "on");
  g_bFinerSegCombined = GetXMLItemValue(sConfig, "FinerSegCombined", sValue) &&
                        (sValue[0] == 't' || sValue[0] == 'T');
  return true;
}

// Everything up to the active flag; false on failure.
bool StartUp(const char* sInitDirPath, int encode) {
  g_sDataPath = ResolveBaseDir(sInitDirPath) + "/Data";
  g_nPOSPresent = 2;
  g_sTagset.clear();
  g_sPOSDelimiter = "/";
  g_sWordBoundary = "  ";
  g_bWordMerged = false;
  g_bNERPerson = true;
  g_bPOSTagger = true;
  g_nPosMap = 0;

  const std::string sConfigFile = g_sDataPath + "/Configure.xml";
  char* sConfig = nullptr;
  const size_t nConfig = ReadFile(sConfigFile.c_str(), &sConfig);
  std::string sText;
  if (sConfig != nullptr) sText.assign(sConfig, nConfig);
  delete[] sConfig;
  g_bLog = true;
  std::string sValue;
  if (nConfig > 0 && GetXMLItemValue(sText.c_str(), "Log", sValue) && IsValue(sValue, "off"))
    g_bLog = false;
  if (nConfig == 0) {
    WriteError("Cannot Open Configure file " + sConfigFile);
    SetLastErrorMessage("Cannot Open Configure file " + sConfigFile);
    return false;
  }
  DataSetOptions options;
  if (!ApplyConfiguration(sText.c_str(), encode, options)) return false;
  if (!LoadDataSet(options)) return false;

  g_pKAVEL = new CMainSystem();
  g_nCopyMemSize = 5;
  g_vecKAVEL = new CMainSystem*[g_nCopyMemSize]();
  g_vecKAVEL[0] = g_pKAVEL;
  // The buffer keeper of the worker pool is created with the pool.
  return true;
}
}  // namespace

int KAVEL_Init(const char* sInitDirPath, int encode, const char* /*sReserved*/) {
  {
    // Testing and setting the flags in one step keeps two starting threads
    // from both passing.
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_bActive) return 1;
    if (g_bInitStart) {
      SetLastErrorMessage("Other thread is under initialization ");
      WriteLog("Other thread is under initialization ");
      return 0;
    }
    g_bInitStart = true;
  }
  bool bStarted = false;
  try {
    bStarted = StartUp(sInitDirPath, encode);
  } catch (...) {
    SetLastErrorMessage("Out of memory while loading " + g_sDataPath);
    bStarted = false;
  }
  if (!bStarted) {
    ReleaseEngine();
    std::lock_guard<std::mutex> lock(g_mutex);
    g_bInitStart = false;
    return 0;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  g_bActive = true;
  return 1;
}

const char* KAVEL_GetLastErrorMsg() { return GetLastErrorMessage(); }
