// CCodeTran: loading and the shared translation loop.
#include "encoding/code_tran.h"

#include <cstring>

#include "base/log.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"

namespace {

struct FileSet {
  const char* gbkDict;
  const char* gbkList;
  const char* codeDict;
  const char* codeList;
  const char* code2gbk;
  const char* gbk2code;
};

const FileSet kFiles[5] = {
    {"GBKA.pdat", "GBKA.wordlist", "UTF8.pdat", "UTF8.wordlist", "UTF2GBKA.map", "GBKA2UTF.map"},
    {"GBK.pdat", "GBK.wordlist", "BIG5.pdat", "BIG5.wordlist", "BIG2GBK.map", "GBK2BIG.map"},
    {"GBK.pdat", "GBK.wordlist", "GBKA.pdat", "GBKA.wordlist", "GBKA2GBK.map", "GBK2GBKA.map"},
    {"GBKA.pdat", "GBKA.wordlist", "UTF8.pdat", "UTF8.wordlist", "GBKA2UTF.map", "UTF2GBKA.map"},
    {"GBK.pdat", "GBK.wordlist", "UTF8.pdat", "UTF8.wordlist", "UTF2GBK.map", "GBK2UTF.map"},
};

const char kBom[] = "\xEF\xBB\xBF";

template <typename T>
bool LoadOne(T* pObject, const std::string& sPath) {
  if (pObject->Load(sPath.c_str())) return true;
  WriteError(sPath + " cannot load!\n");
  return false;
}

bool IsUtf8Code(int nEncoding) { return nEncoding == 1 || nEncoding == 4 || nEncoding == 5; }

}  // namespace

CCodeTran::CCodeTran(const char* sDataPath, int encoding) {
  if (encoding < 1 || encoding > 5) return;
  const FileSet& f = kFiles[encoding - 1];
  std::string sDir = std::string(sDataPath != nullptr ? sDataPath : ".") + "/";
  m_pGBKSrcDict = new CPDAT(1);
  m_pGBKWordList = new CWordList(false, m_pGBKSrcDict);
  m_pCodeDict = new CPDAT(1);
  m_pCodeWordList = new CWordList(false, m_pCodeDict);
  m_pCode2GBKMap = new CIDMaps();
  m_pGBK2CodeMap = new CIDMaps();
  bool ok = LoadOne(m_pGBKSrcDict, sDir + f.gbkDict) && LoadOne(m_pGBKWordList, sDir + f.gbkList) &&
            LoadOne(m_pCodeDict, sDir + f.codeDict) && LoadOne(m_pCodeWordList, sDir + f.codeList) &&
            LoadOne(m_pCode2GBKMap, sDir + f.code2gbk) && LoadOne(m_pGBK2CodeMap, sDir + f.gbk2code);
  if (!ok) {
    Free();
    return;
  }
  m_nEncoding = encoding;
  m_nStatus = 1;
  BuildFastTable(m_pCodeDict, m_pCodeWordList, m_pCode2GBKMap, m_pGBKWordList, IsUtf8Code(encoding),
                 m_vecToGBK);
  BuildFastTable(m_pGBKSrcDict, m_pGBKWordList, m_pGBK2CodeMap, m_pCodeWordList, false, m_vecFromGBK);
}

CCodeTran::~CCodeTran() { Free(); }

void CCodeTran::Free() {
  delete m_pGBKWordList;
  delete m_pCodeWordList;
  delete m_pGBKSrcDict;
  delete m_pCodeDict;
  delete m_pCode2GBKMap;
  delete m_pGBK2CodeMap;
  m_pGBKWordList = m_pCodeWordList = nullptr;
  m_pGBKSrcDict = m_pCodeDict = nullptr;
  m_pCode2GBKMap = m_pGBK2CodeMap = nullptr;
}

const char* CCodeTran::CodeToGBK(const char* sLine, std::string& result) const {
  return Translate(sLine, result, m_pCodeDict, m_pCode2GBKMap, m_pGBKWordList, false, &m_vecToGBK);
}

const char* CCodeTran::GBKToCode(const char* sLine, std::string& result) const {
  return Translate(sLine, result, m_pGBKSrcDict, m_pGBK2CodeMap, m_pCodeWordList, true, &m_vecFromGBK);
}

const char* CCodeTran::CodeTrans(const char* sLine, std::string& result, CPDAT* pSrcDict, CIDMaps* pIDMaps,
                                 CWordList* pDsnWordList, bool bOutput) const {
  return Translate(sLine, result, pSrcDict, pIDMaps, pDsnWordList, bOutput, nullptr);
}

size_t CCodeTran::CharLength(const unsigned char* p, size_t nLeft, bool bOutput) const {
  unsigned char c = p[0];
  if (c < 0x80 || nLeft < 2) return 1;
  bool bUtf8Source = !bOutput && IsUtf8Code(m_nEncoding);
  if (bUtf8Source) {
    size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 1;
    if (n > nLeft) return 1;
    for (size_t k = 1; k < n; ++k) {
      if ((p[k] & 0xC0) != 0x80) return 1;
    }
    return n;
  }
  // Double-byte encodings; the four-byte form of the extended GBK has a
  // digit as its second and fourth byte, which no double-byte trail has.
  if (c < 0x81 || c > 0xFE) return 1;
  if (p[1] >= 0x30 && p[1] <= 0x39) {
    if (nLeft >= 4 && p[2] >= 0x81 && p[2] <= 0xFE && p[3] >= 0x30 && p[3] <= 0x39) return 4;
    return 1;
  }
  return p[1] >= 0x40 && p[1] <= 0xFE && p[1] != 0x7F ? 2 : 1;
}

const char* CCodeTran::Translate(const char* sLine, std::string& result, CPDAT* pSrcDict, CIDMaps* pIDMaps,
                                 CWordList* pDsnWordList, bool bOutput, const FastTable* pTable) const {
  result.clear();
  if (sLine == nullptr || *sLine == 0 || pSrcDict == nullptr || pIDMaps == nullptr || pDsnWordList == nullptr) {
    return result.c_str();
  }
  const unsigned char* p = reinterpret_cast<const unsigned char*>(sLine);
  size_t n = strlen(sLine);
  size_t i = 0;
  if (!bOutput && IsUtf8Code(m_nEncoding) && n >= 3 && memcmp(sLine, kBom, 3) == 0) i = 3;
  result.reserve(n + n / 2);
  bool bPrevInvalid = false;
  bool bNoCloser = false;  // no "^^" is left after the last opener tried
  if (pTable != nullptr && pTable->empty()) pTable = nullptr;
  const bool bUtf8Key = !bOutput && IsUtf8Code(m_nEncoding);
  while (i < n) {
    unsigned char c = p[i];
    if (c < 0x80 && c != '^') {
      size_t nEnd = i + 1;
      while (nEnd < n && p[nEnd] < 0x80 && p[nEnd] != '^') ++nEnd;
      result.append(sLine + i, nEnd - i);
      i = nEnd;
      bPrevInvalid = false;
      continue;
    }
    if (pTable != nullptr) {
      // A run of table characters is gathered first and appended at once.
      char sRun[256];
      size_t nRun = 0;
      while (i < n && p[i] >= 0x80 && nRun + sizeof(FastChar::sText) <= sizeof(sRun)) {
        if (p[i] == 0xEF && n - i >= 3 && memcmp(p + i, kBom, 3) == 0) break;
        size_t nUnit = 0;
        const FastChar& entry = (*pTable)[CharKey(p + i, n - i, bUtf8Key, &nUnit)];
        if (nUnit == 0 || entry.nUnit != nUnit) break;
        memcpy(sRun + nRun, entry.sText, sizeof(entry.sText));
        nRun += entry.nText;
        i += nUnit;
      }
      if (nRun > 0) {
        result.append(sRun, nRun);
        bPrevInvalid = false;
        continue;
      }
    }
    if (c < 0x80) {
      if (c == '^' && i + 1 < n && p[i + 1] == '^' && !bNoCloser) {
        const char* pClose = strstr(sLine + i + 2, "^^");
        if (pClose != nullptr) {
          result.append(sLine + i + 2, pClose);
          i = static_cast<size_t>(pClose - sLine) + 2;
          bPrevInvalid = false;
          continue;
        }
        bNoCloser = true;
      }
      result += static_cast<char>(c);
      ++i;
      bPrevInvalid = false;
      continue;
    }
    // Longest dictionary character at i (characters are at most 4 bytes).
    size_t nUnit = 0;
    int nHandle = -1;
    bool bBom = n - i >= 3 && memcmp(p + i, kBom, 3) == 0;
    for (size_t len = n - i < 4 ? n - i : 4; len >= 1 && !bBom; --len) {
      nHandle = pSrcDict->Find(sLine + i, static_cast<unsigned int>(len));
      if (nHandle >= 0) {
        nUnit = len;
        break;
      }
    }
    if (nHandle >= 0) {
      int nCount = 0;
      const idmaps_info* pMaps = pIDMaps->GetMaps(nHandle, &nCount);
      if (pMaps != nullptr && nCount > 0) {
        const char* sText = pDsnWordList->GetWord(pMaps[0].handle2);
        if (sText != nullptr && *sText != 0) {
          result += sText;
          i += nUnit;
          bPrevInvalid = false;
          continue;
        }
      }
    } else {
      nUnit = CharLength(p + i, n - i, bOutput);
    }
    if (bOutput) {
      result += ' ';
    } else if (bPrevInvalid) {
      result.insert(result.size() - 2, 1, ' ');
    } else {
      result += "^^ ^^";
    }
    bPrevInvalid = true;
    i += nUnit;
  }
  return result.c_str();
}
