#include "base/binary_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

BinaryFileReader::~BinaryFileReader() {
  if (m_fp != nullptr) fclose(m_fp);
}

bool BinaryFileReader::Open(const char* sFilename) {
  if (m_fp != nullptr) {
    fclose(m_fp);
    m_fp = nullptr;
  }
  m_nSize = m_nPos = 0;
  if (sFilename == nullptr) return false;
  FILE* fp = fopen(sFilename, "rb");
  if (fp == nullptr) return false;
  struct stat st;
  if (fstat(fileno(fp), &st) != 0 || !S_ISREG(st.st_mode)) {
    fclose(fp);
    return false;
  }
  m_fp = fp;
  m_nSize = static_cast<size_t>(st.st_size);
  return true;
}

bool BinaryFileReader::CanRead(size_t nElemSize, size_t nCount) const {
  if (m_fp == nullptr) return false;
  if (nElemSize != 0 && nCount > Remaining() / nElemSize) return false;
  return true;
}

bool BinaryFileReader::ReadArray(void* pDest, size_t nElemSize, size_t nCount) {
  if (!CanRead(nElemSize, nCount)) return false;
  size_t nBytes = nElemSize * nCount;
  if (nBytes == 0) return true;
  if (pDest == nullptr) return false;
  if (fread(pDest, 1, nBytes, m_fp) != nBytes) {
    // The file changed under us or the device failed: the position is now
    // unknown, so nothing more is read.
    m_nPos = m_nSize;
    return false;
  }
  m_nPos += nBytes;
  return true;
}

bool BinaryFileReader::ReadInt32(int32_t* pValue) {
  return ReadArray(pValue, sizeof(*pValue), 1);
}

bool BinaryFileReader::ReadUInt32(uint32_t* pValue) {
  return ReadArray(pValue, sizeof(*pValue), 1);
}

AtomicFileWriter::AtomicFileWriter(const char* sFilename) {
  if (sFilename == nullptr || *sFilename == 0) return;
  m_sTarget = sFilename;
  static std::atomic<unsigned> s_nSerial{0};
  m_sTemp = m_sTarget + ".tmp" + std::to_string(static_cast<long>(getpid())) + "-" +
            std::to_string(s_nSerial.fetch_add(1));
  m_fp = fopen(m_sTemp.c_str(), "wb");
}

AtomicFileWriter::~AtomicFileWriter() {
  if (m_fp != nullptr) fclose(m_fp);
  if (!m_bCommitted && !m_sTemp.empty()) unlink(m_sTemp.c_str());
}

bool AtomicFileWriter::Write(const void* pData, size_t nBytes) {
  if (m_fp == nullptr || m_bFailed) return false;
  if (pData == nullptr && nBytes != 0) {
    m_bFailed = true;
    return false;
  }
  if (nBytes != 0 && fwrite(pData, 1, nBytes, m_fp) != nBytes) m_bFailed = true;
  return !m_bFailed;
}

bool AtomicFileWriter::WriteInt32(int32_t nValue) {
  return Write(&nValue, sizeof(nValue));
}

bool AtomicFileWriter::Commit() {
  if (m_fp == nullptr) return false;
  if (fflush(m_fp) != 0 || ferror(m_fp)) m_bFailed = true;
  if (fclose(m_fp) != 0) m_bFailed = true;
  m_fp = nullptr;
  if (m_bFailed) return false;
  if (rename(m_sTemp.c_str(), m_sTarget.c_str()) != 0) return false;
  m_bCommitted = true;
  return true;
}
