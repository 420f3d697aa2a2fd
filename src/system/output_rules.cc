// Joins of the output stage: dictionary words over several segmented words,
// reduplications, "@" mentions, address-like runs, numbers, double slashes
// and person names.
#include <cstring>
#include <mutex>
#include <shared_mutex>
#include <string>

#include "analysis/num_utility.h"
#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "lexicon/word_list.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"
#include "system/output_rules.h"
#include "system/user_dict_lock.h"
#include "tagger/pos_map.h"

namespace {
const unsigned char kTypeDictWord = 101;
const unsigned char kTagNoDictTag = 21;
const unsigned char kTagReduplication = 18;
const unsigned char kTagMention = 24;
const unsigned char kTagAddress = 96;
const unsigned char kTagMail = 97;
const unsigned char kTagDoubleSlash = 98;
const int kMaxMentionWords = 139;

bool IsProtectedTag(unsigned char nTag) { return nTag >= 78 && nTag <= 92; }
bool IsAddressType(unsigned char nType) {
  return nType == 8 || nType == 7 || nType == 5 || nType == 29;
}
bool IsDigitType(unsigned char nType) { return nType == 29 || nType == 7 || nType == 5; }
bool EndsMention(unsigned char nType) {
  return nType == 121 || nType == 1 || nType == 2 || nType == 4 || nType == 28;
}
bool IsTimeWord(const word_t& word) {
  return gUnknown_t_ID >= 0 && word.handle == gUnknown_t_ID;
}
bool IsNumberTag(unsigned char nTag) { return nTag == 84 || nTag == 83 || nTag == 87; }
bool IsNameEndTag(unsigned char nTag) {
  return nTag == 4 || nTag == 12 || nTag == 22 || nTag == 41 || nTag == 71;
}
}  // namespace

int CMainSystem::MatchDictWord(const char* pLine, word_t* pWords, int nWordCount, int i,
                               bool bTag, result_t& record, bool& bBlank, int& nStep) {
  word_t& word = pWords[i];
  const int nWordLen = word.end - word.start;
  const bool bProtected = IsProtectedTag(word.POS_id);
  int nField = 0;
  int nFieldHandle = -1;
  bool bFieldBlank = false;
  if (g_pFieldDict != nullptr) {
    nField = g_pFieldDict->GetMaxWord(pLine + word.start, &nFieldHandle, &bFieldBlank);
    if (nField <= 0) bFieldBlank = false;
    if (nField > 0 && (nField < nWordLen || (nField == nWordLen && bProtected))) nField = 0;
  }
  int nUser = 0;
  int nUserHandle = -1;
  char sUserPOS[40] = {0};
  {
    std::shared_lock<std::shared_mutex> reader(g_UserDictLock);
    if (g_pUserDict != nullptr) {
      const CTrie* pUserDict = g_pUserDict;
      nUser = pUserDict->GetMaxWord(pLine + word.start, &nUserHandle, sUserPOS, sizeof(sUserPOS));
    }
  }
  if (nUser < 0) nUser = 0;
  if (nUser == nWordLen && bProtected) nUser = 0;

  const bool bField = nField > nUser && nField > 1;
  const bool bUser = !bField && nUser >= nField && nUser > 1;
  if (!bField && !bUser) return 0;
  const int nEnd = word.start + (bField ? nField : nUser);
  int s = 1;
  while (i + s < nWordCount && pWords[i + s].start < nEnd) ++s;
  const bool bFits =
      i + s < nWordCount ? pWords[i + s].start == nEnd : pWords[nWordCount - 1].end == nEnd;
  if (!bFits) {
    nStep = 1;
    bBlank = false;
    return 0;
  }
  nStep = s;
  bBlank = bFieldBlank;
  word.type = kTypeDictWord;
  word.handle = bTag ? (bField ? nFieldHandle : nUserHandle) : 0;
  const char* sPOS = sUserPOS;
  if (bField) sPOS = (g_pFieldPOS != nullptr) ? g_pFieldPOS->GetWord(nFieldHandle) : "";
  if (sPOS == nullptr) sPOS = "";
  strncpy(record.sPOS, sPOS, sizeof(record.sPOS) - 1);
  record.sPOS[sizeof(record.sPOS) - 1] = 0;
  const CPOSmap* pMap = OutputTagSet(m_nPOSmap);
  int nTag = (pMap != nullptr && record.sPOS[0] != 0) ? pMap->GetID(record.sPOS) : 255;
  if (nTag == 255) nTag = kTagNoDictTag;
  record.iPOS = nTag;
  if (bUser) word.POS_id = static_cast<unsigned char>(nTag);
  record.word_ID = -1;
  record.word_type = 1;
  return 1;
}

void CMainSystem::JoinWords(const char* pLine, word_t* pWords, int nWordCount, int i, bool bTag,
                            int& nStep, int& nLen, bool& bBlank) {
  word_t& word = pWords[i];
  const char* pText = pLine + word.start;
  auto first = [&](int k) { return pLine[pWords[k].start]; };
  auto length = [&](int k) { return pWords[k].end - pWords[k].start; };

  // "one" + X + X: a reduplication read as a number.
  if (gOneID >= 0 && word.handle == gOneID && i + 2 < nWordCount && length(i + 1) == 2 &&
      length(i + 2) == 2 && pWords[i + 2].handle == pWords[i + 1].handle &&
      memcmp(pLine + pWords[i + 1].start, pLine + pWords[i + 2].start, 2) == 0) {
    nStep = 3;
    nLen = pWords[i + 2].end - word.start;
    word.handle = gUnknown_m_ID;
    if (bTag) word.POS_id = kTagReduplication;
    return;
  }
  // A mention: "@" and the words up to the next punctuation or blank.
  if (pText[0] == '@') {
    const int nFrom = nStep;
    while (i + nStep < nWordCount - 1 && nStep <= kMaxMentionWords &&
           (first(i + nStep) == '-' || first(i + nStep) == '_' ||
            !EndsMention(pWords[i + nStep].type)))
      ++nStep;
    if (nStep > nFrom) {
      nLen = pWords[i + nStep].start - word.start;
      word.POS_id = kTagMention;
    }
    return;
  }
  if (IsAddressType(word.type)) {
    int s = nStep;
    int nDots = 0;
    bool bAt = false;
    while (i + s < nWordCount) {
      const word_t& next = pWords[i + s];
      const char c = first(i + s);
      bool bTake = IsAddressType(next.type) || c == '/' || c == '\\' || c == '_' || c == '.' ||
                   c == '@';
      if (!bTake && c == ':') {
        const char cAfter = pLine[next.start + 1];
        bTake = (i + s + 1 < nWordCount - 1 &&
                 (pWords[i + s + 1].type == 8 || pWords[i + s + 1].type == 7)) ||
                cAfter == '/' || cAfter == '\\';
      }
      if (!bTake) break;
      if (c == '@') bAt = true;
      if (c == '.') ++nDots;
      ++s;
    }
    if (s >= 3 && nDots > 0) {
      nStep = s;
      nLen = i + s < nWordCount ? pWords[i + s].start - word.start
                                : pWords[nWordCount - 1].end - word.start;
      word.POS_id = bAt ? kTagMail : kTagAddress;
      return;
    }
    nStep = 1;
    nLen = i + 1 < nWordCount ? pWords[i + 1].start - word.start : word.end - word.start;
    // Dates and times are words of their own ("2000年", "12月", "31日"): they
    // neither start nor continue a number join.
    const bool bNumber =
        !IsTimeWord(word) &&
        (word.type == 7 || word.type == 29 ||
         (word.type == 5 && pText[0] != '+' && pText[0] != '-' && pText[0] != '='));
    if (!bNumber) return;
    s = 1;
    while (i + s < nWordCount) {
      const char c = first(i + s);
      if (IsTimeWord(pWords[i + s])) break;
      if (!IsDigitType(pWords[i + s].type) && !IsNumberTag(pWords[i + s].POS_id) &&
          (c == 0 || strchr("()+-. ", c) == nullptr))
        break;
      ++s;
    }
    while (s > 1 && first(i + s - 1) == ' ') --s;  // trailing blanks stay outside
    bBlank = false;
    for (int k = 1; k < s; ++k)
      if (first(i + k) == ' ') bBlank = true;
    nStep = s;
    if (s > 1) nLen = pWords[i + s - 1].end - word.start;
    const int nNumType = GetNumType(pText, static_cast<size_t>(nLen));
    if (nNumType > 0) word.POS_id = static_cast<unsigned char>(nNumType);
    return;
  }
  // A double slash.
  if (pText[0] == '/' && i + 2 < nWordCount && first(i + 1) == '/') {
    nStep = 2;
    nLen = pWords[i + 2].start - word.start;
    word.POS_id = kTagDoubleSlash;
    return;
  }
  // A two-character surname or title and a one-character given name: joined
  // and remembered as a user word.
  if ((word.POS_id == 24 || word.POS_id == 27) && length(i) == 4 && i + 1 < nWordCount &&
      length(i + 1) == 2 && IsNameEndTag(pWords[i + 1].POS_id)) {
    nStep = 2;
    nLen = pWords[i + 1].end - word.start;
    std::string sEntry(pText, nLen);
    sEntry += " nr";
    AddUserWordO(sEntry.c_str());
  }
}
