// The word graph over the atoms of a sentence, and the object's lifecycle.
#include <cstdlib>

#include "lexicon/pdat.h"
#include "segment/atom_state.h"
#include "segment/engine_globals.h"
#include "segment/pre_process.h"

namespace {
const unsigned int kInitialCandidates = 10;
}  // namespace

CPreProcess::CPreProcess(CCharset* pCharset, CPDAT* pCoreDict, CTrie* pUserDict)
    : m_pCharset(pCharset), m_pCoreDict(pCoreDict), m_pUserDict(pUserDict) {
  m_pVecCandidateHandle = static_cast<unsigned int*>(calloc(kInitialCandidates, sizeof(unsigned int)));
  m_pVecCandidatePosition = static_cast<unsigned int*>(calloc(kInitialCandidates, sizeof(unsigned int)));
  if (m_pVecCandidateHandle != nullptr && m_pVecCandidatePosition != nullptr) {
    m_nCadidateSize = kInitialCandidates;
  }
}

CPreProcess::~CPreProcess() {
  free(m_pVecCandidateHandle);
  free(m_pVecCandidatePosition);
}

bool CPreProcess::SetUserDict(CTrie* pUserDict) {
  m_pUserDict = pUserDict;
  return true;
}

size_t CPreProcess::GetReservedSize() const {
  return m_vecAtom.capacity() + m_vecNode.capacity() + m_vecSlot.capacity() + m_vecCounter.capacity();
}

bool CPreProcess::IsValidPosition(int nIndex, int nLen) const {
  if (nIndex < 0 || nIndex >= m_nAtomSize) return false;
  int nEnd = m_pAtom[nIndex].start + nLen;
  // Atom ends grow with the index; the end atom is not part of the text.
  for (int k = nIndex + 1; k < m_nAtomSize - 1; k++) {
    if (m_pAtom[k].end >= nEnd) return m_pAtom[k].end == nEnd;
  }
  return false;
}

const char* CPreProcess::FullSegment(const char* sLine, int nStart) {
  const char* pNext = AtomSegment(sLine, nStart);
  m_vecNode.clear();
  m_pWordGraph = nullptr;
  m_pWordCounter = nullptr;
  m_nGraphLength = 0;
  if (m_nAtomSize < 2) return pNext;

  const int nBase = m_pAtom[0].start;
  const word_t& endAtom = m_pAtom[m_nAtomSize - 1];
  m_nGraphLength = endAtom.start - nBase + 2;
  m_vecSlot.assign(m_nGraphLength, nullptr);
  m_vecCounter.assign(m_nGraphLength, 0);

  // Nodes go into one pool in slot order; the slot pointers are set once the
  // pool has stopped growing.
  m_vecNode.push_back(m_pAtom[0]);
  m_vecCounter[0] = 1;
  for (int k = 1; k < m_nAtomSize - 1; k++) {
    const word_t& atom = m_pAtom[k];
    m_vecNode.push_back(atom);
    int nCount = 1;
    bool bAlone = (IsSpecial(atom.handle, gUnknown_m_ID) && atom.type != 9) ||
                  IsSpecial(atom.handle, gUnknown_t_ID) || IsSpecial(atom.handle, gUnknown_x_ID) ||
                  (atom.type >= 1 && atom.type <= 4) || atom.type == 28;
    if (!bAlone && m_pCoreDict != nullptr) {
      unsigned int nFound = 0;
      m_pCoreDict->GetWords(sLine + atom.start, &m_pVecCandidateHandle, &m_pVecCandidatePosition,
                            &m_nCadidateSize, &nFound, atom.end - atom.start);
      for (unsigned int c = 0; c < nFound; c++) {
        int nLen = static_cast<int>(m_pVecCandidatePosition[c]);
        if (!IsValidPosition(k, nLen)) continue;
        word_t word;
        word.handle = static_cast<int>(m_pVecCandidateHandle[c]);
        word.start = atom.start;
        word.end = atom.start + nLen;
        word.type = atom.type;
        word.value = 0;
        m_vecNode.push_back(word);
        nCount++;
      }
    }
    m_vecCounter[atom.start - nBase + 1] = nCount;
  }
  m_vecNode.push_back(endAtom);
  m_vecCounter[m_nGraphLength - 1] = 1;

  size_t nNode = 0;
  for (int k = 0; k < m_nAtomSize; k++) {
    int nSlot = k == 0 ? 0 : m_pAtom[k].start - nBase + 1;
    m_vecSlot[nSlot] = &m_vecNode[nNode];
    nNode += m_vecCounter[nSlot];
  }
  m_pWordGraph = m_vecSlot.data();
  m_pWordCounter = m_vecCounter.data();
  return pNext;
}

int CPreProcess::GetCharVector(const char* sLine, std::vector<std::string>& vecChar, bool bStopRemove) {
  vecChar.clear();
  if (sLine == nullptr) return 0;
  AtomSegment(sLine, 0);
  for (int k = 0; k < m_nAtomSize; k++) {
    const word_t& atom = m_pAtom[k];
    if (atom.type > 119 || atom.type == 28 || (bStopRemove && atom.type <= 6)) continue;
    vecChar.emplace_back(sLine + atom.start, atom.end - atom.start);
  }
  return static_cast<int>(vecChar.size());
}
