#include "base/read_file.h"

#include <sys/stat.h>

#include <cstring>
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
  // Names are compared exactly: on a case-sensitive file system "A.txt" and
  // "a.txt" are two files.
  if (m_fpFileRead == nullptr || m_sFileRead != sFilename) {
    FILE* fp = fopen(sFilename, "rb");
    if (fp == nullptr) {
      WriteLog(std::string("Failed open file  ") + sFilename);
      return 0;
    }
    if (m_fpFileRead != nullptr) fclose(m_fpFileRead);
    m_fpFileRead = fp;
    m_sFileRead = sFilename;
  }
  // The size is taken again on every call, so a file that grew or shrank since
  // it was opened is read as it is now.
  struct stat st;
  if (fstat(fileno(m_fpFileRead), &st) != 0) {
    WriteError("_fstat( _fileno(m_fpFileRead) failed");
    WriteError(sFilename);
    return 0;
  }
  if (!S_ISREG(st.st_mode)) {
    // A directory or device cannot be read as a whole file.
    WriteLog(std::string("Failed open file  ") + sFilename);
    fclose(m_fpFileRead);
    m_fpFileRead = nullptr;
    m_sFileRead.clear();
    return 0;
  }
  m_nFileSize = static_cast<size_t>(st.st_size);
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

bool ReadTextFile(const char* sFilename, std::string* psText) {
  if (sFilename == nullptr || psText == nullptr) return false;
  char* pBuffer = nullptr;
  size_t nSize = ReadFile(sFilename, &pBuffer);
  if (pBuffer == nullptr) return false;
  psText->assign(pBuffer, nSize);
  delete[] pBuffer;
  return true;
}
