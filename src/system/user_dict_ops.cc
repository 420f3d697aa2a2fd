// Changes to the process-wide user dictionary made by processors.
#include <mutex>
#include <new>
#include <shared_mutex>

#include "lexicon/trie.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"
#include "system/user_dict_lock.h"

namespace {
// Installs pUserDict in every processor. The caller holds g_UserDictLock
// exclusively.
void AnnounceUserDict(CTrie* pUserDict) {
  g_pUserDict = pUserDict;
  std::lock_guard<std::mutex> slots(g_mutex);
  if (g_pKAVEL != nullptr) g_pKAVEL->SetUserDict(pUserDict);
  for (unsigned int k = 0; g_vecKAVEL != nullptr && k < g_nCopyMemSize; ++k)
    if (g_vecKAVEL[k] != nullptr && g_vecKAVEL[k] != g_pKAVEL) g_vecKAVEL[k]->SetUserDict(pUserDict);
}
}  // namespace

int AddUserWordO(const char* sWord) {
  if (sWord == nullptr || sWord[0] == 0) return 0;
  std::unique_lock<std::shared_mutex> writer(g_UserDictLock);
  if (g_pUserDict == nullptr) {
    CTrie* pUserDict = new (std::nothrow) CTrie();
    if (pUserDict == nullptr) return 0;
    AnnounceUserDict(pUserDict);
  }
  if (g_pUserDict->Find(sWord) >= 0) return 0;
  return g_pUserDict->AddTrie(sWord, false);
}

int CMainSystem::DelUsrWord(const char* sWord) {
  if (sWord == nullptr) return -1;
  std::unique_lock<std::shared_mutex> writer(g_UserDictLock);
  if (g_pUserDict == nullptr) return -1;
  return g_pUserDict->DelTrie(sWord);
}

int CMainSystem::AddUsrWord(const char* sWord) {
  if (sWord == nullptr) return 0;
  std::unique_lock<std::shared_mutex> writer(g_UserDictLock);
  if (g_pUserDict == nullptr) return 0;
  return g_pUserDict->AddTrie(sWord, false);
}
