#include "segment/charset.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/binary_io.h"
#include "base/read_file.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

CCharset::CCharset() : m_pData(new unsigned char[kCodeCount]()) {}

CCharset::~CCharset() = default;

void CCharset::MarkBlanks(unsigned char* pData) const {
  pData[9] = pData[10] = pData[13] = pData[32] = kBlankType;
}

int CCharset::Import(const char* sFilename) {
  std::string sText;
  if (!ReadTextFile(sFilename, &sText)) return 0;
  std::unique_ptr<unsigned char[]> pData(new unsigned char[kCodeCount]());
  int nCount = 0;
  size_t nPos = 0;
  while (nPos < sText.size()) {
    size_t nEnd = sText.find('\n', nPos);
    if (nEnd == std::string::npos) nEnd = sText.size();
    const char* p = sText.data() + nPos;
    const char* pLineEnd = sText.data() + nEnd;
    nPos = nEnd + 1;
    while (p < pLineEnd && IsBlank(*p)) ++p;
    const char* pToken = p;
    while (p < pLineEnd && !IsBlank(*p)) ++p;
    size_t nTokenLen = static_cast<size_t>(p - pToken);
    if (nTokenLen == 0) continue;
    while (p < pLineEnd && IsBlank(*p)) ++p;
    std::string sNumber(p, pLineEnd);
    char* pNumEnd = nullptr;
    long nType = strtol(sNumber.c_str(), &pNumEnd, 10);
    if (pNumEnd == sNumber.c_str()) continue;
    unsigned char b0 = static_cast<unsigned char>(pToken[0]);
    int nCode = b0;
    // A lone high byte is its own code, so an exported 0x80 reads back as 0x80.
    if (b0 >= 0x80 && nTokenLen > 1) nCode = b0 * 256 + static_cast<unsigned char>(pToken[1]);
    pData[nCode] = static_cast<unsigned char>(nType & 0xFF);
    ++nCount;
  }
  MarkBlanks(pData.get());
  m_pData = std::move(pData);
  m_nSize = nCount;
  return nCount;
}

int CCharset::Export(const char* sFilename) const {
  if (sFilename == nullptr) return 0;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return 0;
  FILE* fp = writer.File();
  for (int nCode = 1; nCode < kCodeCount; ++nCode) {
    int nHigh = nCode >> 8, nLow = nCode & 0xFF;
    if (nCode < 0x100) {
      if (nCode >= 0x21 && nCode <= 0x80) fprintf(fp, "%c\t%d\n", nCode, m_pData[nCode]);
    } else if (nHigh >= 0xA1 && nHigh <= 0xF7 && nLow >= 0xA1 && nLow <= 0xFE) {
      char sChar[3] = {static_cast<char>(nHigh), static_cast<char>(nLow), 0};
      fprintf(fp, "%s\t%d\n", sChar, m_pData[nCode]);
    }
  }
  if (!writer.Commit()) return 0;
  return m_nSize;
}

bool CCharset::ImportSource(const char* sFilename, std::string* psError) {
  std::string sText;
  if (!ReadTextFile(sFilename, &sText)) {
    if (psError != nullptr) *psError = std::string("cannot open ") + (sFilename ? sFilename : "(null)");
    return false;
  }
  return ParseSource(sText, psError);
}

bool CCharset::Save(const char* sFilename) const {
  if (sFilename == nullptr) return false;
  AtomicFileWriter writer(sFilename);
  if (!writer.IsOpen()) return false;
  writer.WriteInt32(m_nSize);
  writer.Write(m_pData.get(), kCodeCount);
  return writer.Commit();
}

bool CCharset::Load(const char* sFilename) {
  BinaryFileReader reader;
  if (!reader.Open(sFilename)) return false;
  if (reader.Size() != 4 + static_cast<size_t>(kCodeCount)) return false;
  int32_t nSize = 0;
  std::unique_ptr<unsigned char[]> pData(new unsigned char[kCodeCount]);
  if (!reader.ReadInt32(&nSize) || !reader.ReadArray(pData.get(), 1, kCodeCount)) return false;
  m_pData = std::move(pData);
  m_nSize = nSize;
  return true;
}

int CCharset::GetType(int nChar) const {
  if (nChar < 0 || nChar >= kCodeCount) return -1;
  return m_pData[nChar];
}

int CCharset::GetType(const char* sChar) const {
  if (sChar == nullptr) return -1;
  unsigned char b0 = static_cast<unsigned char>(sChar[0]);
  int nCode = b0;
  if (b0 >= 0x80 && sChar[1] != 0) nCode = b0 * 256 + static_cast<unsigned char>(sChar[1]);
  return m_pData[nCode];
}
