// The data-set table: which file feeds which global, when, and what a
// failure means.
#include "engine/data_set.h"

#include <memory>
#include <mutex>
#include <shared_mutex>

#include "base/last_error.h"
#include "base/log.h"
#include "lexicon/bigram.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "lexicon/unigram.h"
#include "lexicon/word_list.h"
#include "segment/charset.h"
#include "segment/engine_globals.h"
#include "system/user_dict_lock.h"
#include "tagger/context_stat.h"
#include "tagger/fsa.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"

namespace {
const char kCannotOpen[] = "Cannot open file ";

enum Failure {
  kFatal,         // error log and last error; start-up stops
  kFatalTwoLines, // the message and the path as two error-log lines; start-up stops
  kOptionalLog,   // log and last error; start-up goes on
  kOptionalErr,   // error log and last error; start-up goes on
  kSilent,        // start-up goes on without a word
};

// Objects are built and loaded by one of these; null when the file could
// not be loaded.
template <class T, class... Args>
T* Loaded(const std::string& sPath, Args... args) {
  std::unique_ptr<T> pObject(new T(args...));
  return pObject->Load(sPath.c_str()) ? pObject.release() : nullptr;
}

// Loads one row into pGlobal; false when the row was fatal and failed.
template <class T, class MakeFn>
bool LoadRow(T*& pGlobal, const std::string& sPath, Failure nFailure, const char* sMessage,
             MakeFn make) {
  delete pGlobal;
  pGlobal = make(sPath);
  if (pGlobal != nullptr) return true;
  const std::string sText = std::string(sMessage) + sPath;
  switch (nFailure) {
    case kFatal:
      WriteError(sText);
      SetLastErrorMessage(sText);
      return false;
    case kFatalTwoLines:
      WriteError(sMessage);
      WriteError(sPath);
      SetLastErrorMessage(sText);
      return false;
    case kOptionalLog:
      WriteLog(sText);
      SetLastErrorMessage(sText);
      return true;
    case kOptionalErr:
      WriteError(sText);
      SetLastErrorMessage(sText);
      return true;
    case kSilent:
      return true;
  }
  return true;
}

std::string DataFile(const std::string& sName) { return g_sDataPath + "/" + sName; }
std::string EnglishFile(const std::string& sName) { return g_sDataPath + "/English/" + sName; }

auto MakePDAT = [](const std::string& p) { return Loaded<CPDAT>(p, 0); };
auto MakeUnigram = [](const std::string& p) { return Loaded<CUnigram>(p, -1); };
auto MakePOS = [](const std::string& p) { return Loaded<CPOS>(p); };
auto MakePOSmap = [](const std::string& p) { return Loaded<CPOSmap>(p); };
auto MakeWordList = [](const std::string& p) {
  return Loaded<CWordList>(p, false, static_cast<CPDAT*>(nullptr));
};
auto MakeContext = [](const std::string& p) {
  std::unique_ptr<CContextStat> pObject(new CContextStat());
  return pObject->Load(p.c_str(), false) ? pObject.release() : nullptr;
};

template <class T>
void Destroy(T*& pObject) {
  delete pObject;
  pObject = nullptr;
}
}  // namespace

bool LoadDataSet(const DataSetOptions& options) {
  if (options.bUserDict) {
    std::unique_lock<std::shared_mutex> writer(g_UserDictLock);
    LoadRow(g_pUserDict, DataFile("UserDict.pdat"), kOptionalLog, "Cannot open user dictionary ",
            [](const std::string& p) { return Loaded<CTrie>(p); });
  }
  if (options.bFieldDict) {
    LoadRow(g_pFieldDict, DataFile("FieldDict.pdat"), kOptionalLog, "Cannot open field dictionary ",
            MakePDAT);
    if (g_bPOSTagger)
      LoadRow(g_pFieldPOS, DataFile("FieldDict.pos"), kOptionalLog,
              "Cannot open field dictionary POS data ", MakeWordList);
  }
  if (options.bGranularity) {
    LoadRow(g_pGranDict, DataFile("GranDict.pdat"), kOptionalErr,
            "Cannot open Granularity dictionary ", MakePDAT);
    if (g_bPOSTagger)
      LoadRow(g_pGranPOS, DataFile("GranDict.pos"), kOptionalErr,
              "Cannot open Granularity dictionary POS data ", MakePOS);
  }
  if (options.bSentiment) {
    LoadRow(g_pSentiDict, DataFile("sentiment.pdat"), kOptionalErr, kCannotOpen, MakePDAT);
    LoadRow(g_pSentiScore, DataFile("sentiment.ung"), kOptionalErr, kCannotOpen, MakeUnigram);
    if (g_pSentiScore == nullptr) Destroy(g_pSentiDict);
  }
  if (!LoadRow(g_pCharset, DataFile("charset.type"), kFatal, kCannotOpen,
               [](const std::string& p) { return Loaded<CCharset>(p); }) ||
      !LoadRow(g_pCoreDict, DataFile("CoreDict.pdat"), kFatal, kCannotOpen, MakePDAT) ||
      !LookUpSpecialIds() ||
      !LoadRow(g_pUnigram, DataFile("CoreDict.unig"), kFatalTwoLines, kCannotOpen, MakeUnigram) ||
      !LoadRow(g_pBiDict, DataFile("BiWord.big"), kFatal, kCannotOpen,
               [](const std::string& p) { return Loaded<CBigram>(p, true, 0); }))
    return false;
  if (g_bPOSTagger) {
    if (g_ppPOSmap == nullptr) g_ppPOSmap = new CPOSmap*[4]();
    // A missing "TagSet" key names no map file: the path is the directory.
    if (!LoadRow(g_pCorePOS, DataFile("CoreDict.pos"), kFatal, kCannotOpen, MakePOS) ||
        !LoadRow(g_pPOSContext, DataFile("KAVEL.ctx"), kFatal, kCannotOpen, MakeContext) ||
        !LoadRow(g_ppPOSmap[0], DataFile(g_sTagset), kFatal, kCannotOpen,
                 [](const std::string& p) {
                   return g_sTagset.empty() ? nullptr : Loaded<CPOSmap>(p);
                 }) ||
        !LoadRow(g_ppPOSmap[3], DataFile("PKU_First.map"), kFatalTwoLines, kCannotOpen,
                 MakePOSmap) ||
        !LoadRow(g_ppPOSmap[1], DataFile("KAVEL_First.map"), kFatal, kCannotOpen, MakePOSmap) ||
        !LoadRow(g_ppPOSmap[2], DataFile("PKU.map"), kFatal, kCannotOpen, MakePOSmap))
      return false;
  }
  if (g_bNERPerson) {
    if (!LoadRow(g_pPersonRole, DataFile("nr.role"), kFatal, kCannotOpen, MakePOS) ||
        !LoadRow(g_pPersonContext, DataFile("nr.ctx"), kFatal, kCannotOpen, MakeContext) ||
        !LoadRow(g_pPersonFSA, DataFile("nr.fsa"), kFatal, kCannotOpen,
                 [](const std::string& p) { return Loaded<CFSA>(p); }))
      return false;
  }
  LoadRow(g_pKeyBlackList, DataFile("KeyBlackList.pdat"), kSilent, "", MakePDAT);
  return LoadRow(g_pEnglishDict, EnglishFile("English.pdat"), kFatal, kCannotOpen, MakePDAT) &&
         LoadRow(g_pEnglishWordList, EnglishFile("English.wordlist"), kFatal, kCannotOpen,
                 MakeWordList) &&
         LoadRow(g_pEnglishUnigram, EnglishFile("English.ung"), kFatal, kCannotOpen, MakeUnigram) &&
         LoadRow(g_pEnglishPOS, EnglishFile("English.pos"), kFatal, kCannotOpen, MakePOS) &&
         LoadRow(g_pEnglishIrre2Reg, EnglishFile("Irrel2regular.map"), kFatal, kCannotOpen,
                 [](const std::string& p) { return Loaded<CIDMaps>(p); }) &&
         LoadRow(g_pEngNEDict, EnglishFile("ne.pdat"), kFatal, kCannotOpen, MakePDAT) &&
         LoadRow(g_pEngNEPOS, EnglishFile("ne.pos"), kFatal, kCannotOpen, MakePOS);
}

bool LookUpSpecialIds() {
  struct SpecialWord {
    int* pnId;
    const char* sWord;
  };
  static const SpecialWord kWords[] = {
      {&gSent_StartID, "\xCA\xBC##\xCA\xBC"},   {&gSent_EndID, "\xC4\xA9##\xC4\xA9"},
      {&gUnknown_x_ID, "\xCE\xB4##\xB4\xAE"},   {&gUnknown_nr_ID, "\xCE\xB4##\xC8\xCB"},
      {&gUnknown_ns_ID, "\xCE\xB4##\xB5\xD8"},  {&gUnknown_nt_ID, "\xCE\xB4##\xCD\xC5"},
      {&gUnknown_t_ID, "\xCE\xB4##\xCA\xB1"},   {&gUnknown_m_ID, "\xCE\xB4##\xCA\xFD"},
      {&gUnknown_nz_ID, "\xCE\xB4##\xD7\xA8"},  {&gQuatation_LD_ID, "\xA1\xB0"},
      {&gQuatation_RD_ID, "\xA1\xB1"},          {&gQuatation_LS_ID, "\xA1\xAE"},
      {&gQuatation_RS_ID, "\xA1\xAF"},          {&gPunctation_WP_ID, "\xA1\xAA\xA1\xAA\xA1\xAA"},
      {&gOneID, "\xD2\xBB"},
  };
  const int kRequired = 9;  // the markers and class tokens
  bool bComplete = true;
  for (int k = 0; k < static_cast<int>(sizeof(kWords) / sizeof(kWords[0])); ++k) {
    *kWords[k].pnId = g_pCoreDict != nullptr ? g_pCoreDict->Find(kWords[k].sWord) : -1;
    if (k < kRequired && *kWords[k].pnId < 0) bComplete = false;
  }
  if (!bComplete) {
    WriteError("The Core Dictionary has been destroyed! ");
    SetLastErrorMessage("The Core Dictionary has been destroyed! ");
  }
  return bComplete;
}

void ReleaseDataSet() {
  Destroy(g_pCharset);
  Destroy(g_pCoreDict);
  Destroy(g_pUnigram);
  Destroy(g_pBiDict);
  {
    std::unique_lock<std::shared_mutex> writer(g_UserDictLock);
    Destroy(g_pUserDict);
  }
  Destroy(g_pFieldDict);
  Destroy(g_pGranDict);
  Destroy(g_pCorePOS);
  Destroy(g_pPOSContext);
  if (g_ppPOSmap != nullptr) {
    for (int k = 0; k < 4; ++k) Destroy(g_ppPOSmap[k]);
    delete[] g_ppPOSmap;
    g_ppPOSmap = nullptr;
  }
  Destroy(g_pFieldPOS);
  Destroy(g_pGranPOS);
  Destroy(g_pPersonRole);
  Destroy(g_pPersonContext);
  Destroy(g_pPersonFSA);
  Destroy(g_pKeyBlackList);
  Destroy(g_pEnglishDict);
  Destroy(g_pEnglishWordList);
  Destroy(g_pEnglishPOS);
  Destroy(g_pEnglishUnigram);
  Destroy(g_pEnglishIrre2Reg);
  Destroy(g_pEngNEDict);
  Destroy(g_pEngNEPOS);
}
