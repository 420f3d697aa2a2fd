#include "lexicon/trie.h"

#include <cstring>

#include "text/gbk_char.h"

namespace {

bool IsBlank(unsigned char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

// Finds the next white-space-delimited token in [p, pEnd); false when none.
bool NextToken(const char*& p, const char* pEnd, const char*& pToken, size_t& nLen) {
  while (p < pEnd && IsBlank(static_cast<unsigned char>(*p))) ++p;
  if (p == pEnd) return false;
  pToken = p;
  while (p < pEnd && !IsBlank(static_cast<unsigned char>(*p))) ++p;
  nLen = static_cast<size_t>(p - pToken);
  return true;
}

void SetPos(char* sDest, const char* sPos, size_t nLen) {
  memset(sDest, 0, CTrie::kPosSize);
  memcpy(sDest, sPos, nLen);
}

}  // namespace

CTrie::CTrie()
    : m_nItemCount(0),
      m_nItemDelNum(0),
      m_pDynamicArry(new CDynamicArry()),
      m_iHeadIndex(-1),
      m_iRootTail(-1) {
  memset(m_sCurPos, 0, sizeof(m_sCurPos));
}

CTrie::~CTrie() { delete m_pDynamicArry; }

void CTrie::Clear() {
  m_pDynamicArry->Reset();
  m_nItemCount = 0;
  m_nItemDelNum = 0;
  m_iHeadIndex = -1;
  memset(m_sCurPos, 0, sizeof(m_sCurPos));
  m_vecRootChild.clear();
  m_iRootTail = -1;
}

void CTrie::IndexRoot() {
  m_vecRootChild.clear();
  m_iRootTail = -1;
  if (m_iHeadIndex < 0) return;
  int nCount = 0;
  for (int i = m_pDynamicArry->At(m_iHeadIndex).children; i != -1;
       i = m_pDynamicArry->At(i).nextNode) {
    ++nCount;
  }
  if (nCount < kRootIndexMin) return;
  m_vecRootChild.assign(kCodeCount, -1);
  for (int i = m_pDynamicArry->At(m_iHeadIndex).children; i != -1;
       i = m_pDynamicArry->At(i).nextNode) {
    unsigned int nCode = m_pDynamicArry->At(i).node;
    // The first of several equal codes is the one a list scan finds.
    if (nCode < kCodeCount && m_vecRootChild[nCode] == -1) m_vecRootChild[nCode] = i;
    m_iRootTail = i;
  }
}

int CTrie::FindChild(int iParent, unsigned int nCode) const {
  if (iParent == m_iHeadIndex && !m_vecRootChild.empty() && nCode < kCodeCount) {
    return m_vecRootChild[nCode];
  }
  int iChild = m_pDynamicArry->At(iParent).children;
  while (iChild != -1) {
    const trie_elem& elem = m_pDynamicArry->At(iChild);
    if (elem.node == nCode) return iChild;
    iChild = elem.nextNode;
  }
  return -1;
}

int CTrie::Walk(const char* sWord, size_t nLen) const {
  if (m_iHeadIndex < 0 || sWord == nullptr || nLen == 0) return -1;
  int iCur = m_iHeadIndex;
  size_t i = 0;
  while (i < nLen && iCur != -1) {
    unsigned int nCode = static_cast<unsigned int>(GetCharCode(sWord, i, nLen));
    iCur = FindChild(iCur, nCode);
  }
  return iCur;
}

int CTrie::AddTrie(const char* sLine, bool bWholeWord) {
  if (sLine == nullptr) return 1;
  size_t nLineLen = strlen(sLine);
  if (nLineLen >= static_cast<size_t>(kMaxLineLen)) return 1;

  const char* pWord = sLine;
  size_t nWordLen = nLineLen;
  const char* pPos = "";
  size_t nPosLen = 0;
  if (!bWholeWord) {
    const char* p = sLine;
    const char* pEnd = sLine + nLineLen;
    if (!NextToken(p, pEnd, pWord, nWordLen)) return 1;
    if (!NextToken(p, pEnd, pPos, nPosLen)) nPosLen = 0;
  }
  if (nWordLen == 0) return 1;
  if (nPosLen >= static_cast<size_t>(kPosSize)) return 1;
  if (nPosLen == 0) {
    pPos = "n";
    nPosLen = 1;
  }
  if (m_iHeadIndex < 0) {
    int iRoot = m_pDynamicArry->NewElem();
    if (iRoot < 0) return 1;
    trie_elem& root = m_pDynamicArry->At(iRoot);
    root.handle = -1;
    root.children = -1;
    root.nextNode = -1;
    m_iHeadIndex = iRoot;
  }
  char sPos[kPosSize];
  SetPos(sPos, pPos, nPosLen);
  return BuildTRIE(pWord, nWordLen, sPos);
}

int CTrie::BuildTRIE(const char* sWord, size_t nLen, const char* sPos) {
  int iCur = m_iHeadIndex;
  size_t i = 0;
  while (i < nLen) {
    unsigned int nCode = static_cast<unsigned int>(GetCharCode(sWord, i, nLen));
    bool bLast = i >= nLen;
    // Search the child list, remembering its tail for a new sibling.
    int iLast = -1;
    int iChild;
    bool bIndexed = iCur == m_iHeadIndex && !m_vecRootChild.empty();
    if (bIndexed && nCode < kCodeCount) {
      iChild = m_vecRootChild[nCode];
      iLast = m_iRootTail;
    } else {
      iChild = m_pDynamicArry->At(iCur).children;
      while (iChild != -1 && m_pDynamicArry->At(iChild).node != nCode) {
        iLast = iChild;
        iChild = m_pDynamicArry->At(iChild).nextNode;
      }
    }
    if (iChild == -1) {
      iChild = m_pDynamicArry->NewElem();
      if (iChild < 0) return 1;
      trie_elem& elem = m_pDynamicArry->At(iChild);
      elem.node = nCode;
      elem.children = -1;
      elem.nextNode = -1;
      elem.handle = -1;
      if (iLast == -1) {
        m_pDynamicArry->At(iCur).children = iChild;
      } else {
        m_pDynamicArry->At(iLast).nextNode = iChild;
      }
      m_pDynamicArry->At(iCur).child_count++;
      if (iCur == m_iHeadIndex) {
        if (bIndexed) {
          if (nCode < kCodeCount) m_vecRootChild[nCode] = iChild;
          m_iRootTail = iChild;
        } else if (m_pDynamicArry->At(iCur).child_count >= kRootIndexMin) {
          IndexRoot();
        }
      }
    }
    iCur = iChild;
    if (bLast) {
      trie_elem& elem = m_pDynamicArry->At(iCur);
      if (elem.freq == 0 || elem.handle == -1) elem.handle = m_nItemCount++;
      memcpy(elem.sPos, sPos, kPosSize);
      elem.freq++;
      return elem.freq > 1 ? 2 : 1;
    }
  }
  return 1;
}

int CTrie::DelTrie(const char* sWord) {
  if (sWord == nullptr) return -1;
  int iNode = Walk(sWord, strlen(sWord));
  if (iNode < 0) return -1;
  trie_elem& elem = m_pDynamicArry->At(iNode);
  if (elem.handle < 0) return -1;
  int nHandle = elem.handle;
  elem.handle = -1;
  m_nItemDelNum++;
  return nHandle;
}

int CTrie::Find(const char* sWordO) const {
  if (sWordO == nullptr) return -1;
  size_t nLen = strnlen(sWordO, kMaxLineLen);
  if (nLen >= static_cast<size_t>(kMaxLineLen)) return -1;
  const char* p = sWordO;
  const char* pToken = nullptr;
  size_t nTokenLen = 0;
  if (!NextToken(p, sWordO + nLen, pToken, nTokenLen)) return -1;
  return Find(pToken, nTokenLen);
}

int CTrie::Find(const char* sWord, unsigned long nLen) const {
  int iNode = Walk(sWord, nLen);
  return iNode < 0 ? -1 : m_pDynamicArry->At(iNode).handle;
}

int CTrie::GetMaxWord(const char* sLine, int* rtnHandle) {
  char sPos[kPosSize];
  int nLen = GetMaxWord(sLine, rtnHandle, sPos, kPosSize);
  if (nLen > 0) memcpy(m_sCurPos, sPos, kPosSize);
  return nLen;
}

int CTrie::GetMaxWord(const char* sLine, int* rtnHandle, char* sPos, int nPosSize) const {
  if (rtnHandle == nullptr) return -1;
  *rtnHandle = -1;
  if (sPos != nullptr && nPosSize > 0) sPos[0] = 0;
  if (m_iHeadIndex < 0) return -1;
  if (sLine == nullptr) return 0;
  // Walks up to the terminating NUL without measuring the text first, so a
  // scan over a long sentence stays linear.
  const unsigned char* s = reinterpret_cast<const unsigned char*>(sLine);
  int iCur = m_iHeadIndex;
  size_t i = 0;
  int nMatched = 0;
  int iMatched = -1;
  while (s[i] != 0) {
    unsigned int nCode;
    if (s[i] >= 0x80 && s[i + 1] != 0) {
      nCode = s[i] * 256u + s[i + 1];
      i += 2;
    } else {
      nCode = (s[i] >= 'A' && s[i] <= 'Z') ? s[i] + 0x20u : s[i];
      i += 1;
    }
    iCur = FindChild(iCur, nCode);
    if (iCur < 0) break;
    const trie_elem& elem = m_pDynamicArry->At(iCur);
    if (elem.handle >= 0) {
      nMatched = static_cast<int>(i);
      *rtnHandle = elem.handle;
      iMatched = iCur;
    }
  }
  if (iMatched >= 0 && sPos != nullptr && nPosSize > 0) {
    const trie_elem& elem = m_pDynamicArry->At(iMatched);
    size_t nCopy = strnlen(elem.sPos, kPosSize - 1);
    if (nCopy > static_cast<size_t>(nPosSize - 1)) nCopy = nPosSize - 1;
    memcpy(sPos, elem.sPos, nCopy);
    sPos[nCopy] = 0;
  }
  return nMatched;
}

int CTrie::GetFreq(const char* sWord, int& nHandle) {
  nHandle = 0;
  if (sWord == nullptr) return -1;
  int iNode = Walk(sWord, strlen(sWord));
  if (iNode < 0) return -1;
  const trie_elem& elem = m_pDynamicArry->At(iNode);
  if (elem.handle < 0) return -1;
  nHandle = elem.handle;
  memcpy(m_sCurPos, elem.sPos, kPosSize);
  return elem.freq;
}

void CTrie::GetPos(char* sPos, int nSize) const {
  if (sPos == nullptr || nSize <= 0) return;
  size_t nCopy = nSize < kPosSize ? static_cast<size_t>(nSize) : static_cast<size_t>(kPosSize);
  memcpy(sPos, m_sCurPos, nCopy - 1);
  sPos[nCopy - 1] = 0;
}
