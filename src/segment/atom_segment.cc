// Atom segmentation: the main pass over a sentence, punctuation and the
// follow-up of number atoms.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <shared_mutex>

#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "segment/atom_state.h"
#include "segment/char_class.h"
#include "segment/charset.h"
#include "segment/engine_globals.h"
#include "segment/pre_process.h"
#include "system/user_dict_lock.h"

namespace {

word_t MarkerAtom(int nOffset, int nHandle, int nType) {
  word_t atom;
  atom.handle = nHandle;
  atom.start = nOffset;
  atom.end = nOffset;
  atom.type = static_cast<unsigned char>(nType);
  return atom;
}

// The leading decimal number of the text, read like atoi: an optional sign
// and ASCII digits, 0 when there are none. Saturates instead of overflowing.
long LeadingNumber(const char* s, int nLen) {
  int p = 0;
  bool bNegative = false;
  if (p < nLen && (s[p] == '+' || s[p] == '-')) bNegative = s[p++] == '-';
  long n = 0;
  for (; p < nLen && s[p] >= '0' && s[p] <= '9'; p++) {
    if (n < 1000000) n = n * 10 + (s[p] - '0');
  }
  return bNegative ? -n : n;
}

}  // namespace

int CPreProcess::CharAt(const char* sLine, int j, int* pnType, int* pnCode) const {
  int nCode = -1;
  int nLen = static_cast<int>(Getchar(sLine + j, &nCode));
  int nType = -1;
  if (nLen > 0) {
    nType = m_pCharset != nullptr ? m_pCharset->GetType(nCode) : 0;
    if (nType < 0) nType = 0;
  }
  if (pnType != nullptr) *pnType = nType;
  if (pnCode != nullptr) *pnCode = nCode;
  return nLen;
}

const char* CPreProcess::AtomSegment(const char* sLine, int nStart) {
  m_vecAtom.clear();
  m_pAtom = nullptr;
  m_nAtomSize = 0;
  if (sLine == nullptr) return nullptr;
  int i = std::max(nStart, 0);
  AtomState state;
  m_vecAtom.push_back(MarkerAtom(i, gSent_StartID, 120));
  while (sLine[i] != 0 && !state.bSentenceEnd) i = NextAtom(sLine, i, state);
  m_vecAtom.push_back(MarkerAtom(i, gSent_EndID, 121));
  m_pAtom = m_vecAtom.data();
  m_nAtomSize = static_cast<int>(m_vecAtom.size());
  return sLine + i;
}

int CPreProcess::NextAtom(const char* sLine, int i, AtomState& state) {
  word_t atom;
  atom.start = i;
  bool bPrior = false;
  if (g_bUserDictPrior) {
    int nHandle = -1;
    int nField = g_pFieldDict != nullptr ? g_pFieldDict->GetMaxWord(sLine + i, &nHandle) : 0;
    // The form that leaves the shared trie untouched: workers run this at once,
    // and user-word changes may run beside them, hence the shared lock.
    char sPos[CTrie::kPosSize];
    int nUser = 0;
    {
      std::shared_lock<std::shared_mutex> reader(g_UserDictLock);
      if (g_pUserDict != nullptr) nUser = g_pUserDict->GetMaxWord(sLine + i, &nHandle, sPos, sizeof(sPos));
    }
    int nWord = std::max(std::max(nField, nUser), 0);
    if (nWord > 0) {
      atom.end = i + nWord;
      atom.type = 101;
      atom.handle = -1;
      bPrior = true;
    }
  }
  if (!bPrior) {
    int nType = 0;
    int nCode = 0;
    atom.end = i + CharAt(sLine, i, &nType, &nCode);
    atom.handle = m_pCoreDict != nullptr ? m_pCoreDict->Find(nCode) : -1;
    atom.type = static_cast<unsigned char>(nType & 0xFF);
    char sMapped[3];
    switch (atom.type) {
      case 1:
      case 3:
        ApplyPunctuationRule(sLine, nCode, atom, state);
        break;
      case 2:
        // The five atoms before it do not count the start atom.
        if (m_vecAtom.size() > 5) state.bSentenceEnd = true;
        if (nCode < 0x80 && Delimiter2DictFormat(static_cast<char>(nCode), sMapped)) {
          atom.handle = m_pCoreDict != nullptr ? m_pCoreDict->Find(sMapped) : -1;
        }
        break;
      case 4: {
        int j = atom.end;
        int nType2 = 0;
        int nLen = 0;
        while ((nLen = CharAt(sLine, j, &nType2)) > 0 && nType2 == 4) j += nLen;
        if (j > atom.end) {
          atom.end = j;
          atom.handle = gPunctation_WP_ID;
        }
        break;
      }
      case 6:
        atom.handle = gUnknown_m_ID;
        break;
      case 5:
      case 7:
      case 29:
        ApplyNumberRunRule(sLine, nCode, atom);
        break;
      case 8:
        ApplyLetterRunRule(sLine, atom);
        break;
      case 9:
      case 10:
      case 11:
        ApplyNumeralRunRule(sLine, atom);
        break;
      case 13:
        ApplyPrefixNumberRule(sLine, atom);
        break;
      case 28:
        atom.handle = gSent_EndID;
        if (nCode != 0x20 && nCode != 0x09) state.bSentenceEnd = true;
        break;
      default:
        break;
    }
  }
  bool bAppend = true;
  if (IsSpecial(atom.handle, gUnknown_m_ID)) bAppend = ApplyNumberFollowUp(sLine, atom);
  if (bAppend) m_vecAtom.push_back(atom);
  word_t& last = m_vecAtom.back();
  if ((IsSpecial(last.handle, gUnknown_t_ID) || IsSpecial(last.handle, gUnknown_m_ID)) &&
      m_pCoreDict != nullptr) {
    int nHandle = m_pCoreDict->Find(sLine + last.start, static_cast<unsigned>(last.end - last.start));
    if (nHandle >= 0) last.handle = nHandle;
  }
  return last.end;
}

int CPreProcess::FindCaretPair(const char* sLine, int nFrom, AtomState& state) const {
  if (state.nCaretFrom >= 0 && nFrom >= state.nCaretFrom &&
      (state.nCaretAt < 0 || nFrom <= state.nCaretAt)) {
    return state.nCaretAt;
  }
  const char* p = strstr(sLine + nFrom, "^^");
  state.nCaretFrom = nFrom;
  state.nCaretAt = p != nullptr ? static_cast<int>(p - sLine) : -1;
  return state.nCaretAt;
}

void CPreProcess::ApplyPunctuationRule(const char* sLine, int nCode, word_t& atom, AtomState& state) {
  if (nCode == 0x27) {
    atom.handle = state.bSingleQuatation ? gQuatation_RS_ID : gQuatation_LS_ID;
    state.bSingleQuatation = !state.bSingleQuatation;
    return;
  }
  if (nCode == 0x22) {
    atom.handle = state.bDoubleQuatation ? gQuatation_RD_ID : gQuatation_LD_ID;
    state.bDoubleQuatation = !state.bDoubleQuatation;
    return;
  }
  if (nCode >= 0x80) return;
  if (nCode == '^' && sLine[atom.start + 1] == '^') {
    int nClose = FindCaretPair(sLine, atom.start + 2, state);
    if (nClose >= 0) {
      atom.end = nClose + 2;
      atom.type = 99;
    }
    return;
  }
  char sMapped[3];
  if (Delimiter2DictFormat(static_cast<char>(nCode), sMapped)) {
    atom.handle = m_pCoreDict != nullptr ? m_pCoreDict->Find(sMapped) : -1;
  }
}

bool CPreProcess::ApplyNumberFollowUp(const char* sLine, word_t& atom) {
  word_t& prev = m_vecAtom.back();
  if (m_vecAtom.size() > 1 && (prev.type == 17 || prev.type == 20)) {
    prev.end = atom.end;
    prev.handle = gUnknown_m_ID;
    return false;
  }
  int nType = 0;
  int nLen = CharAt(sLine, atom.end, &nType);
  if (nLen == 0) return true;
  int nNext = 0;
  if (CharAt(sLine, atom.end + nLen, &nNext) == 0) nNext = 0;
  const char* sText = sLine + atom.start;
  int nTextLen = atom.end - atom.start;
  if (nType == 16 || nType == 18 || nType == 21 || nType == 22 || nType == 25) {
    if (!IsDayTime(sText, static_cast<unsigned>(nTextLen))) return true;
    long nValue = LeadingNumber(sText, nTextLen);
    if (nValue > 59 || (nType == 21 && nValue > 31)) return true;
    if ((nType == 25 && nNext == 26) || (nType == 18 && (nNext == 26 || nNext == 27))) return true;
    const char* pUnit = sLine + atom.end;
    atom.handle = gUnknown_t_ID;
    atom.end += nLen;
    // "month" followed by "part" joins as a whole.
    if (strncmp(pUnit, "\xD4\xC2\xB7\xDD", 4) == 0) atom.end += 2;
  } else if (nType == 23) {
    if (nNext != 24 && IsYearTime(sText, nTextLen)) {
      atom.end += nLen;
      atom.handle = gUnknown_t_ID;
    }
  }
  return true;
}
