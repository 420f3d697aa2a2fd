#include "lexicon/quib_encript.h"

#include <cstring>

#include "base/binary_io.h"

namespace {

// Lists scrambled with any other key cannot be read back; never change it.
const char kWordListKey[] =
    "\xB4\xBA\xB7\xE7\xB7\xF7\xB9\xFD\xC9\xBD\xB8\xDA\xA3\xAC\xCF\xAA"
    "\xCB\xAE\xC8\xC6\xD7\xC5\xCA\xAF\xC7\xC5\xC1\xF7\xCF\xF2\xD4\xB6"
    "\xB7\xBD\xB5\xC4\xB4\xE5\xD7\xAF\xA3\xBB\xC0\xCF\xCA\xF7\xCF\xC2"
    "\xB5\xC4\xCA\xAF\xB5\xCA\xC9\xCF\xD7\xF8\xD7\xC5\xC1\xBD\xCE\xBB"
    "\xCF\xC2\xC6\xE5\xB5\xC4\xC0\xCF\xC8\xCB\xA3\xAC\xC6\xE5\xC5\xCC"
    "\xC5\xD4\xB1\xDF\xB7\xC5\xD7\xC5\xD2\xBB\xBA\xF8\xC7\xE5\xB2\xE8"
    "\xA3\xAC\xB2\xE8\xCF\xE3\xC6\xAE\xC2\xFA\xD5\xFB\xCC\xF5\xD0\xA1"
    "\xCF\xEF\xA1\xA3 Ink & Tea 7"
    ":40 pm. ";
static_assert(sizeof(kWordListKey) == 136 + 1, "the word-list key is 136 bytes");

// Reads fp from its current position to the end.
bool ReadRest(FILE* fp, std::string* pData) {
  char sChunk[65536];
  size_t nRead;
  while ((nRead = fread(sChunk, 1, sizeof(sChunk), fp)) > 0) pData->append(sChunk, nRead);
  return ferror(fp) == 0;
}

}  // namespace

const char* WordListScrambleKey() { return kWordListKey; }

CQuibEncript::CQuibEncript(const char* sKey) : m_sKey(sKey != nullptr ? sKey : "") {
  m_nKeyLen = static_cast<unsigned int>(m_sKey.size());
}

bool CQuibEncript::Encrypt(char* sSrcMem, unsigned long nLen) {
  if (m_nKeyLen == 0) return false;
  if (sSrcMem == nullptr) return nLen == 0;
  const char* sKey = m_sKey.data();
  unsigned long k = 0;
  for (unsigned long i = 0; i < nLen; ++i) {
    sSrcMem[i] ^= sKey[k];
    if (++k == m_nKeyLen) k = 0;
  }
  return true;
}

bool CQuibEncript::Encrypt(std::string& sSrcMem) {
  if (m_nKeyLen == 0) return false;
  return Encrypt(&sSrcMem[0], sSrcMem.size());
}

bool CQuibEncript::ScrambleToFile(const std::string& sData, const char* sDstFilename) {
  std::string sOut = sData;
  if (!Encrypt(sOut)) return false;
  AtomicFileWriter writer(sDstFilename);
  if (!writer.IsOpen()) return false;
  writer.Write(sOut.data(), sOut.size());
  return writer.Commit();
}

bool CQuibEncript::Encrypt(const char* sSrcFilename, const char* sDstFilename, long offset) {
  if (m_nKeyLen == 0 || sSrcFilename == nullptr || offset < 0) return false;
  FILE* fp = fopen(sSrcFilename, "rb");
  if (fp == nullptr) return false;
  std::string sData;
  bool bOk = fseek(fp, 0, SEEK_END) == 0 && ftell(fp) >= offset && fseek(fp, offset, SEEK_SET) == 0 &&
             ReadRest(fp, &sData);
  fclose(fp);
  return bOk && ScrambleToFile(sData, sDstFilename);
}

bool CQuibEncript::Encrypt(FILE* fpSrc, char* sDstFilename) {
  if (m_nKeyLen == 0 || fpSrc == nullptr) return false;
  std::string sData;
  if (!ReadRest(fpSrc, &sData)) return false;
  return ScrambleToFile(sData, sDstFilename);
}
