// Saving, loading, text import and text export of CTrie.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/binary_io.h"
#include "lexicon/trie.h"

bool CTrie::Save(const char* sFileName) const {
  if (m_nItemCount == 0) return false;
  AtomicFileWriter writer(sFileName);
  if (!writer.IsOpen()) return false;
  if (!writer.WriteInt32(m_nItemCount) || !writer.WriteInt32(m_nItemDelNum) ||
      !writer.WriteInt32(m_iHeadIndex) || !m_pDynamicArry->Save(writer)) {
    return false;
  }
  return writer.Commit();
}

bool CTrie::Validate(const CDynamicArry& array, int nItemCount, int nDelNum, int iHead) {
  const int n = array.ElemNum();
  if (nItemCount <= 0 || nDelNum < 0 || nDelNum > nItemCount) return false;
  if (n == 0) return iHead == -1;
  if (iHead < 0 || iHead >= n) return false;
  for (int i = 0; i < n; ++i) {
    const trie_elem& elem = array.At(i);
    if (elem.children < -1 || elem.children >= n) return false;
    if (elem.nextNode < -1 || elem.nextNode >= n) return false;
    if (elem.handle < -1 || elem.handle >= nItemCount) return false;
  }
  // Every node reachable from the root must be reached by exactly one link;
  // a shared node or a loop would let a walk revisit nodes forever.
  std::vector<char> vecSeen(static_cast<size_t>(n), 0);
  std::vector<int> vecStack(1, iHead);
  while (!vecStack.empty()) {
    int i = vecStack.back();
    vecStack.pop_back();
    if (vecSeen[i]) return false;
    vecSeen[i] = 1;
    const trie_elem& elem = array.At(i);
    if (elem.nextNode != -1) vecStack.push_back(elem.nextNode);
    if (elem.children != -1) vecStack.push_back(elem.children);
  }
  return true;
}

bool CTrie::Load(const char* sFileName) {
  BinaryFileReader reader;
  if (!reader.Open(sFileName)) return false;
  int32_t nItemCount = 0;
  int32_t nDelNum = 0;
  int32_t iHead = -1;
  if (!reader.ReadInt32(&nItemCount) || nItemCount <= 0) return false;
  if (!reader.ReadInt32(&nDelNum) || !reader.ReadInt32(&iHead)) return false;
  CDynamicArry array;
  if (!array.Load(reader)) return false;
  for (int i = 0; i < array.ElemNum(); ++i) array.At(i).sPos[kPosSize - 1] = 0;
  if (!Validate(array, nItemCount, nDelNum, iHead)) return false;

  m_pDynamicArry->Swap(array);
  m_nItemCount = nItemCount;
  m_nItemDelNum = nDelNum;
  m_iHeadIndex = iHead;
  memset(m_sCurPos, 0, sizeof(m_sCurPos));
  IndexRoot();
  return true;
}

int CTrie::Import(const char* sFilename, CPDAT* /*pCoreDict*/) {
  if (sFilename == nullptr) return 0;
  FILE* fp = fopen(sFilename, "rb");
  if (fp == nullptr) return 0;
  Clear();
  char* pLine = nullptr;
  size_t nCap = 0;
  ssize_t nRead;
  std::string sToken;
  while ((nRead = getline(&pLine, &nCap, fp)) >= 0) {
    const char* p = pLine;
    const char* pEnd = pLine + nRead;
    while (p < pEnd && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' ||
                        *p == '\f')) {
      ++p;
    }
    const char* pToken = p;
    while (p < pEnd && *p != 0 && !(*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' ||
                                    *p == '\v' || *p == '\f')) {
      ++p;
    }
    if (p == pToken) continue;
    sToken.assign(pToken, p);
    if (Find(sToken.data(), sToken.size()) == -1) AddTrie(sToken.c_str(), false);
  }
  free(pLine);
  fclose(fp);
  return m_nItemCount;
}

int CTrie::Export(const char* sFile) const {
  if (sFile == nullptr || m_nItemCount == 0 || m_iHeadIndex < 0) return 0;
  AtomicFileWriter writer(sFile);
  if (!writer.IsOpen()) return 0;
  FILE* fp = writer.File();

  // Depth first: a node, then its children, then its later siblings.
  std::vector<unsigned int> vecCodes;
  std::vector<std::pair<int, size_t>> vecStack;
  std::string sWord;
  int iFirst = m_pDynamicArry->At(m_iHeadIndex).children;
  if (iFirst != -1) vecStack.emplace_back(iFirst, 0);
  while (!vecStack.empty()) {
    int i = vecStack.back().first;
    size_t nDepth = vecStack.back().second;
    vecStack.pop_back();
    const trie_elem& elem = m_pDynamicArry->At(i);
    vecCodes.resize(nDepth + 1);
    vecCodes[nDepth] = elem.node;
    if (elem.handle >= 0) {
      sWord.clear();
      for (unsigned int nCode : vecCodes) {
        if (nCode >= 256) sWord.push_back(static_cast<char>((nCode >> 8) & 0xff));
        sWord.push_back(static_cast<char>(nCode & 0xff));
      }
      fprintf(fp, "%s\t%s\n", sWord.c_str(), elem.sPos);
    }
    if (elem.nextNode != -1) vecStack.emplace_back(elem.nextNode, nDepth);
    if (elem.children != -1) vecStack.emplace_back(elem.children, nDepth + 1);
  }
  return writer.Commit() ? 1 : 0;
}
