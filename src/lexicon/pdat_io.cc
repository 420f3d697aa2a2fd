// CPDAT files: the binary ".pdat" form and the text word lists.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/binary_io.h"
#include "base/log.h"
#include "lexicon/pdat.h"

namespace {

constexpr int kCodeCount = 0x10000;
constexpr size_t kHeaderBytes = 4 * kCodeCount + 8;  // ids, bound, count
constexpr size_t kFixedBytes = kHeaderBytes + 4;      // plus the mode

bool ValidCells(const std::vector<CPDAT::state>& vecCells, int nLowerBound, unsigned int nItemCount) {
  for (const CPDAT::state& cell : vecCells) {
    if (cell.check < -2 || cell.check > nLowerBound) return false;
    if (cell.handle < -1 || static_cast<int64_t>(cell.handle) >= static_cast<int64_t>(nItemCount)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool CPDAT::Save(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  writer.Write(m_charset.data(), sizeof(int) * kCodeCount);
  writer.WriteInt32(m_nLowerBound);
  writer.WriteInt32(static_cast<int32_t>(m_nItemCount));
  if (m_pData.empty()) {
    // Never laid out: the empty dictionary.
    const state unused = {-1, -1, -1};
    writer.Write(&unused, sizeof(unused));
  } else {
    writer.Write(m_pData.data(), sizeof(state) * (static_cast<size_t>(m_nLowerBound) + 1));
  }
  writer.WriteInt32(m_nMode);
  return writer.Commit();
}

bool CPDAT::Load(const char* sFilename) {
  if (sFilename == nullptr) return false;
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  size_t nSize = reader.Size();
  if (nSize < kFixedBytes + sizeof(state) || (nSize - kFixedBytes) % sizeof(state) != 0) return false;

  std::vector<int> vecCharset(kCodeCount);
  int32_t nLowerBound = 0;
  uint32_t nItemCount = 0;
  if (!reader.ReadArray(vecCharset.data(), sizeof(int), kCodeCount) ||
      !reader.ReadInt32(&nLowerBound) || !reader.ReadUInt32(&nItemCount)) {
    return false;
  }
  if (nLowerBound < 0 ||
      static_cast<uint64_t>(nLowerBound) + 1 != (nSize - kFixedBytes) / sizeof(state)) {
    return false;
  }
  int nCharsetSize = 0;
  for (int nId : vecCharset) {
    if (nId < -1 || nId > nLowerBound) return false;
    if (nId >= 0) nCharsetSize++;
  }
  std::vector<state> vecCells(static_cast<size_t>(nLowerBound) + 1);
  int32_t nMode = 0;
  if (!reader.ReadArray(vecCells.data(), sizeof(state), vecCells.size()) ||
      !reader.ReadInt32(&nMode) || !reader.AtEnd()) {
    return false;
  }
  if (nMode < 0 || nMode > 2 || !ValidCells(vecCells, nLowerBound, nItemCount)) return false;

  m_charset.swap(vecCharset);
  m_pData.swap(vecCells);
  m_nLength = static_cast<int>(m_pData.size());
  m_nLowerBound = nLowerBound;
  m_nItemCount = nItemCount;
  m_charsetSize = nCharsetSize;
  m_nMode = nMode;
  return true;
}

int CPDAT::Import(const char* sFilename, CPDAT* pCoreDict) {
  if (sFilename == nullptr || !m_word_trie) return 0;
  FILE* fpIn = fopen(sFilename, "rb");
  if (fpIn == nullptr) return 0;
  std::string sEcho = std::string(sFilename) + "_export.txt";
  FILE* fpEcho = fopen(sEcho.c_str(), "wb");
  if (fpEcho == nullptr) {
    fclose(fpIn);
    return 0;
  }
  AddWordInit();
  static const char kBlanks[] = " \t\r\n\v\f";
  char sLine[3072];
  std::string sEntry;
  while (fgets(sLine, sizeof(sLine), fpIn) != nullptr) {
    size_t nLineLen = strlen(sLine);
    while (nLineLen > 0 && (sLine[nLineLen - 1] == '\n' || sLine[nLineLen - 1] == '\r')) {
      sLine[--nLineLen] = 0;
    }
    const char* pToken = sLine + strspn(sLine, kBlanks);
    if (*pToken == 0) continue;
    if (strncmp(pToken, "\xEF\xBB\xBF", 3) == 0) pToken += 3;
    if (*pToken == '[') {
      const char* pClose = strchr(pToken + 1, ']');
      sEntry.assign(pToken + 1, pClose ? pClose : sLine + nLineLen);
    } else {
      sEntry.assign(pToken, strcspn(pToken, kBlanks));
    }
    for (char& ch : sEntry) {
      if (ch == '_') ch = ' ';
    }
    bool bBlank = sEntry.find_first_of(" \t") != std::string::npos;
    fprintf(fpEcho, bBlank ? "[%s]\n" : "%s\n", sEntry.c_str());
    if (pCoreDict != nullptr && pCoreDict->Find(sEntry.c_str()) >= 0) continue;
    AddWord(sEntry.c_str(), false);
    if (m_nItemCount > 0 && m_nItemCount % 100 == 0) {
      printf("%u\t%s Completed!\r", m_nItemCount, sEntry.c_str());
    }
  }
  fclose(fpIn);
  fclose(fpEcho);
  AddWordComplete();
  return static_cast<int>(m_nItemCount);
}

bool CPDAT::Export(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  int nMaxId = -1;
  for (int nId : m_charset) nMaxId = std::max(nMaxId, nId);
  std::vector<std::string> vecChars(static_cast<size_t>(nMaxId + 1));
  for (int c = 0; c < kCodeCount; c++) {
    int nId = m_charset[c];
    if (nId < 0) continue;
    if (c < 256) {
      vecChars[nId] = std::string(1, static_cast<char>(c));
    } else {
      vecChars[nId] = std::string{static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
  }
  const int nCells = m_pData.empty() ? 0 : m_nLowerBound + 1;
  std::vector<const std::string*> vecPath;
  std::string sWord;
  for (int i = 0; i < nCells; i++) {
    if (m_pData[i].handle < 0 || m_pData[i].base > 0) continue;
    // Walk the parent links up to the first level; a damaged chain (a loop or
    // an id without a character) skips the word.
    vecPath.clear();
    bool bValid = false;
    for (int nCell = i, nSteps = 0; nSteps <= nCells; nSteps++) {
      int nParent = m_pData[nCell].check;
      int64_t nId = nCell;
      if (nParent >= 0) nId -= std::llabs(static_cast<long long>(m_pData[nParent].base));
      if (nParent < -2 || nParent == -1 || nId < 0 || nId >= static_cast<int64_t>(vecChars.size())) break;
      vecPath.push_back(&vecChars[nId]);
      if (nParent == -2) {
        bValid = true;
        break;
      }
      nCell = nParent;
    }
    if (!bValid) continue;
    sWord.clear();
    for (auto it = vecPath.rbegin(); it != vecPath.rend(); ++it) sWord += **it;
    if (Find(sWord.c_str(), static_cast<unsigned int>(sWord.size())) != m_pData[i].handle) {
      WriteLog(sWord + " handle error");
    }
    sWord += '\n';
    writer.Write(sWord.data(), sWord.size());
  }
  return writer.Commit();
}
