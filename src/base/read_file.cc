#include "base/read_file.h"

#include <strings.h>
#include <sys/stat.h>

#include <new>

#include "base/log.h"

CReadFile::CReadFile() = default;

CReadFile::~CReadFile() {
  if (m_fpFileRead != nullptr) fclose(m_fpFileRead);
}

size_t CReadFile::ReadFile(const char* sFilename, char** pBuffer, long offset, size_t length,
                           bool bZeroIsAll) {
  if (sFilename == nullptr || pBuffer == nullptr) return 0;
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_fpFileRead == nullptr || strcasecmp(m_sFileRead.c_str(), sFilename) != 0) {
    FILE* fp = fopen(sFilename, "rb");
    if (fp == nullptr) {
      WriteLog(std::string("Failed open file  ") + sFilename);
      return 0;
    }
    struct stat st;
    if (fstat(fileno(fp), &st) != 0 || !S_ISREG(st.st_mode)) {
      // A directory or device cannot be read as a whole file.
      WriteError("_fstat( _fileno(m_fpFileRead) failed");
      WriteError(sFilename);
      fclose(fp);
      return 0;
    }
    if (m_fpFileRead != nullptr) fclose(m_fpFileRead);
    m_fpFileRead = fp;
    m_nFileSize = static_cast<size_t>(st.st_size);
    m_sFileRead = sFilename;
  }
  size_t nCount = length;
  if (length == 0 && bZeroIsAll) nCount = m_nFileSize;
  // Never promise more bytes than the file holds past the offset.
  size_t nAvail = (offset >= 0 && static_cast<size_t>(offset) < m_nFileSize)
                      ? m_nFileSize - static_cast<size_t>(offset)
                      : 0;
  if (nCount > nAvail) nCount = nAvail;
  char* pBuf = new (std::nothrow) char[nCount + 1];
  if (pBuf == nullptr) return 0;
  size_t nRead = 0;
  if (nCount > 0 && fseek(m_fpFileRead, offset, SEEK_SET) == 0) {
    nRead = fread(pBuf, 1, nCount, m_fpFileRead);
  }
  pBuf[nRead] = 0;
  *pBuffer = pBuf;
  return nRead;
}

size_t ReadFile(const char* sFilename, char** pBuffer, long offset, size_t length,
                bool bZeroIsAll) {
  CReadFile reader;
  return reader.ReadFile(sFilename, pBuffer, offset, length, bZeroIsAll);
}
