// Exclusion between readers and writers of the process-wide user dictionary.
//
// Calls that add to, clear or replace g_pUserDict hold the lock exclusively;
// lookups hold it shared and use the lookups that leave the trie untouched.
//
// Lock order: g_UserDictLock before g_mutex (a writer announces a new
// dictionary to the processors under g_mutex); never the other way round.
#ifndef KAVEL_SYSTEM_USER_DICT_LOCK_H_
#define KAVEL_SYSTEM_USER_DICT_LOCK_H_

#include <mutex>
#include <shared_mutex>

inline std::shared_mutex g_UserDictLock;

#endif  // KAVEL_SYSTEM_USER_DICT_LOCK_H_
