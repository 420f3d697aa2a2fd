// Building CIDMaps from text lists.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/line_reader.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "text/gbk_char.h"
#include "text/str_token.h"

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// The next entry of a pair line at or after nPos: a run of non-blank bytes,
// or the text between "[" and the next "]" (to the end of the line when
// there is none). "_" stands for a blank. False when no entry is left.
bool NextEntry(const std::string& sLine, size_t& nPos, std::string& sEntry) {
  while (nPos < sLine.size() && IsBlank(sLine[nPos])) ++nPos;
  if (nPos >= sLine.size()) return false;
  if (sLine[nPos] == '[') {
    size_t nClose = sLine.find(']', nPos + 1);
    if (nClose == std::string::npos) nClose = sLine.size();
    sEntry = sLine.substr(nPos + 1, nClose - nPos - 1);
    nPos = nClose < sLine.size() ? nClose + 1 : nClose;
  } else {
    size_t nStart = nPos;
    while (nPos < sLine.size() && !IsBlank(sLine[nPos])) ++nPos;
    sEntry = sLine.substr(nStart, nPos - nStart);
  }
  for (char& ch : sEntry) {
    if (ch == '_') ch = ' ';
  }
  return true;
}

void EchoEntry(FILE* fp, const std::string& sEntry, const char* sEnd) {
  if (fp == nullptr) return;
  bool bBracket = sEntry.find_first_of(" \t") != std::string::npos;
  fprintf(fp, bBracket ? "[%s]%s" : "%s%s", sEntry.c_str(), sEnd);
}

// sText without its last GBK character.
std::string WithoutLastChar(const std::string& sText) {
  size_t nLast = 0;
  size_t i = 0;
  char sChar[3];
  while (i < sText.size()) {
    nLast = i;
    size_t nLen = Getchar(sText.c_str() + i, sChar);
    if (nLen == 0) break;
    i += nLen;
  }
  return sText.substr(0, nLast);
}

}  // namespace

bool CIDMaps::AddWords(CPDAT* pDictLeft, CPDAT* pDictRight, const std::string& sSrc,
                       const std::string& sDsn) {
  int nHandle1 = pDictLeft->Find(sSrc.c_str());
  int nHandle2 = pDictRight->Find(sDsn.c_str());
  if (nHandle1 < 0 || nHandle2 < 0 || (pDictLeft == pDictRight && nHandle1 == nHandle2)) {
    std::string sMessage;
    if (nHandle1 < 0) sMessage += sSrc;
    if (nHandle2 < 0) sMessage += " " + sDsn;
    WriteError(sMessage + " invalid argument!");
    return false;
  }
  return MapAdd(nHandle1, nHandle2);
}

int CIDMaps::Import(const char* sFilename, CPDAT* pDictLeft, CPDAT* pDictRight) {
  if (pDictLeft == nullptr || pDictRight == nullptr) return 0;
  CLineReader reader(sFilename, true);
  if (!reader.IsOpen()) return 0;
  std::string sEcho = std::string(sFilename) + "_map_export.txt";
  FILE* fpEcho = fopen(sEcho.c_str(), "wb");
  MapInit();
  std::string sLine, sSrc, sDsn;
  int nLine = 0;
  while (reader.Next(&sLine)) {
    ++nLine;
    size_t nPos = 0;
    if (!NextEntry(sLine, nPos, sSrc) || !NextEntry(sLine, nPos, sDsn)) continue;
    EchoEntry(fpEcho, sSrc, "\t");
    EchoEntry(fpEcho, sDsn, "\n");
    if (nLine % 100 == 0) printf("Line %d: %s->%s\n", nLine, sSrc.c_str(), sDsn.c_str());
    AddWords(pDictLeft, pDictRight, sSrc, sDsn);
  }
  if (fpEcho != nullptr) fclose(fpEcho);
  MapComplete();
  return m_nSize;
}

int CIDMaps::ImportGroups(const char* sFilename, CPDAT* pDictLeft, CPDAT* pDictRight,
                          bool bBothWays) {
  if (pDictLeft == nullptr || pDictRight == nullptr) return 0;
  CLineReader reader(sFilename, true);
  if (!reader.IsOpen()) return 0;
  MapInit();
  std::string sLine;
  std::vector<std::string> vecTokens;
  int nLine = 0;
  while (reader.Next(&sLine)) {
    if (GetStrVector(sLine.c_str(), ", \t\r\n", vecTokens) == 0) continue;
    if (++nLine % 100 == 0) printf("Line %d: %s\n", nLine, sLine.c_str());
    for (size_t i = 1; i < vecTokens.size(); ++i) {
      AddWords(pDictLeft, pDictRight, vecTokens[0], vecTokens[i]);
      if (bBothWays) AddWords(pDictRight, pDictLeft, vecTokens[i], vecTokens[0]);
    }
  }
  MapComplete();
  return m_nSize;
}

int CIDMaps::ImportOne2Mul(const char* sFilename, CPDAT* pDictLeft, CPDAT* pDictRight) {
  return ImportGroups(sFilename, pDictLeft, pDictRight, false);
}

int CIDMaps::ImportSim(const char* sFilename, CPDAT* pDict) {
  return ImportGroups(sFilename, pDict, pDict, true);
}

int CIDMaps::Import(const char* sFilename, CPDAT* pDict) {
  if (pDict == nullptr) return 0;
  CLineReader reader(sFilename, true);
  if (!reader.IsOpen()) return 0;
  MapInit();
  std::string sLine;
  std::vector<std::string> vecFields;
  int nProcessed = 0;
  while (reader.Next(&sLine)) {
    if (GetStrVector(sLine.c_str(), "\t", vecFields) < 2) continue;
    if (nProcessed % 100 == 0) {
      printf("%d\r", nProcessed);
      fflush(stdout);
    }
    ++nProcessed;
    std::string sSrc = WithoutLastChar(vecFields.back());
    for (size_t i = 0; i + 1 < vecFields.size(); ++i) AddWords(pDict, pDict, sSrc, vecFields[i]);
  }
  MapComplete();
  return m_nSize;
}

int CIDMaps::Import(const char* sFilename1, const char* sFilename2, CPDAT* pDictLeft,
                    CPDAT* pDictRight) {
  if (pDictLeft == nullptr || pDictRight == nullptr) return 0;
  CLineReader reader1(sFilename1, true);
  CLineReader reader2(sFilename2, true);
  if (!reader1.IsOpen() || !reader2.IsOpen()) return 0;
  MapInit();
  std::string sLine1, sLine2, sSrc, sDsn;
  while (reader1.Next(&sLine1) && reader2.Next(&sLine2)) {
    size_t nPos1 = 0;
    size_t nPos2 = 0;
    if (!NextEntry(sLine1, nPos1, sSrc) || !NextEntry(sLine2, nPos2, sDsn)) continue;
    AddWords(pDictLeft, pDictRight, sSrc, sDsn);
  }
  MapComplete();
  return m_nSize;
}
