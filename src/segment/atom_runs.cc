// Atom segmentation: runs of digits, letters and numerals that grow an atom
// beyond its first character.
#include "lexicon/pdat.h"
#include "segment/atom_state.h"
#include "segment/engine_globals.h"
#include "segment/pre_process.h"

namespace {

inline bool IsLetterO(int nCode) { return nCode == 'O' || nCode == 'o'; }

// Whether the four bytes at p are all present (none is the terminating NUL).
inline bool HasFourBytes(const char* p) { return p[0] != 0 && p[1] != 0 && p[2] != 0 && p[3] != 0; }

}  // namespace

void CPreProcess::ApplyNumberRunRule(const char* sLine, int nCode, word_t& atom) {
  const int nFirst = atom.type;
  bool bNum = true;
  int j = atom.end;
  // An '=' typed as a digit never starts a run.
  while (nCode != '=') {
    int nType = 0;
    int nNextCode = 0;
    int nLen = CharAt(sLine, j, &nType, &nNextCode);
    if (nLen == 0) break;
    bool bJoins = nType == 5 || (nType == 7 && nFirst != 29) || (nType == 29 && nFirst != 7) ||
                  ((nType == 10 || nType == 11) && bNum) || nType == 3 ||
                  (nType == 8 && g_nGranularity == 0);
    if (!bJoins) break;
    if (g_nGranularity == 0 && nType == 8 && !IsLetterO(nNextCode)) bNum = false;
    j += nLen;
    if (nType == 11) {
      int nAfter = 0;
      if (CharAt(sLine, j, &nAfter) > 0 && nAfter == 12) {
        j -= nLen;  // the numeral belongs with the character after it
        break;
      }
    }
  }
  atom.end = j;
  if (bNum) {
    atom.handle = gUnknown_m_ID;
  } else {
    atom.type = 8;
    atom.handle = gUnknown_x_ID;
  }
}

void CPreProcess::ApplyLetterRunRule(const char* sLine, word_t& atom) {
  int j = atom.end;
  int nType = 0;
  int nLen = 0;
  while ((nLen = CharAt(sLine, j, &nType)) > 0) {
    bool bJoins = nType == 3 || nType == 8 ||
                  ((nType == 5 || nType == 7 || nType == 29) && g_nGranularity == 0);
    if (!bJoins) break;
    j += nLen;
  }
  atom.end = j;
  // An English word before a full stop: the stop becomes an atom of its own.
  int nWordLen = atom.end - atom.start - 1;
  if (nWordLen > 0 && sLine[atom.end - 1] == '.' && g_pEnglishDict != nullptr &&
      g_pEnglishDict->Find(sLine + atom.start, static_cast<unsigned>(nWordLen)) > 0) {
    atom.end--;
  }
  atom.handle = gUnknown_x_ID;
}

void CPreProcess::ApplyNumeralRunRule(const char* sLine, word_t& atom) {
  int nType = 0;
  int nCode = 0;
  int nLen = CharAt(sLine, atom.end, &nType, &nCode);
  if (atom.type == 11 && nType == 12) return;
  bool bNum = !(nType == 8 && !IsLetterO(nCode));
  int nPrev = atom.type;  // type of the last character taken
  int nPrevLen = 0;       // and its byte length
  int j = atom.end;
  while (nLen > 0) {
    bool bTakes = nType == 9 || nType == 10 || nType == 3 || nType == 4 || nType == 11 || nType == 18 ||
                  nType == 16 || nType == 15 || IsLetterO(nCode) || nCode == '0';
    if (!bTakes) break;
    // A two-character dictionary word ahead ends the numeral here.
    if (m_pCoreDict != nullptr && HasFourBytes(sLine + j) && m_pCoreDict->Find(sLine + j, 4) >= 0) {
      bNum = true;
      break;
    }
    nPrev = nType;
    nPrevLen = nLen;
    j += nLen;
    nLen = CharAt(sLine, j, &nType, &nCode);
    if (nPrev == 18 && nType == 19) {
      j += nLen;
      nLen = CharAt(sLine, j, &nType, &nCode);
      continue;
    }
    if ((nPrev == 11 && nType == 12) || nPrev == 18) {
      j -= nPrevLen;
      break;
    }
    if (nPrev == 3 || nType == 4) bNum = false;
  }
  // A numeral run never ends in a character that only stands inside one.
  if (nPrev == 15 || nPrev == 16) j -= nPrevLen;
  atom.end = j;
  if (bNum) {
    atom.handle = gUnknown_m_ID;
    atom.type = 9;
  } else {
    atom.handle = gUnknown_t_ID;
  }
}

void CPreProcess::ApplyPrefixNumberRule(const char* sLine, word_t& atom) {
  int j = atom.end;
  int nLast = -1;
  int nType = 0;
  int nLen = 0;
  while ((nLen = CharAt(sLine, j, &nType)) > 0 && (nType == 10 || nType == 11 || nType == 13)) {
    nLast = nType;
    j += nLen;
  }
  if (nLast == 10 || nLast == 11) {
    atom.end = j;
    atom.handle = gUnknown_m_ID;
  }
}
