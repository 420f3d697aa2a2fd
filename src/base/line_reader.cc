#include "base/line_reader.h"

#include <sys/types.h>

#include <cstdlib>
#include <cstring>

CLineReader::CLineReader(const char* sFilename, bool bSkipByteOrderMark)
    : m_fp(sFilename != nullptr ? fopen(sFilename, "rb") : nullptr),
      m_bOwned(true),
      m_bSkipByteOrderMark(bSkipByteOrderMark) {}

CLineReader::~CLineReader() {
  if (m_bOwned && m_fp != nullptr) fclose(m_fp);
  free(m_sBuf);
}

bool CLineReader::Next(std::string* pLine) {
  if (m_fp == nullptr) return false;
  ssize_t nRead = getline(&m_sBuf, &m_nCap, m_fp);
  if (nRead < 0) return false;
  size_t nLen = static_cast<size_t>(nRead);
  while (nLen > 0 && (m_sBuf[nLen - 1] == '\n' || m_sBuf[nLen - 1] == '\r')) --nLen;
  size_t nStart = 0;
  if (m_bFirst && m_bSkipByteOrderMark && nLen >= 3 && memcmp(m_sBuf, "\xEF\xBB\xBF", 3) == 0) {
    nStart = 3;
  }
  m_bFirst = false;
  pLine->assign(m_sBuf + nStart, nLen - nStart);
  return true;
}
