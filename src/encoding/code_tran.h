// CCodeTran: table-driven translation between GBK and one caller encoding.
//
// Codes and their files (loaded from the data directory):
//   1  UTF-8  GBKA.pdat GBKA.wordlist UTF8.pdat UTF8.wordlist UTF2GBKA.map GBKA2UTF.map
//   2  BIG5   GBK.pdat  GBK.wordlist  BIG5.pdat BIG5.wordlist BIG2GBK.map  GBK2BIG.map
//   3  GBKA   GBK.pdat  GBK.wordlist  GBKA.pdat GBKA.wordlist GBKA2GBK.map GBK2GBKA.map
//   4  UTF-8  GBKA.pdat GBKA.wordlist UTF8.pdat UTF8.wordlist GBKA2UTF.map UTF2GBKA.map
//   5  UTF-8  GBK.pdat  GBK.wordlist  UTF8.pdat UTF8.wordlist UTF2GBK.map  GBK2UTF.map
//
// Translation keeps every byte of line structure: ASCII (white space, CR,
// LF included) is copied unchanged. A character without a counterpart
// becomes "^^ ^^" towards GBK (a run of n such characters "^^" n spaces
// "^^") and one space towards the caller's encoding. A "^^...^^" span of
// the input passes through without its markers. Work is linear in the text.
//
// After construction the object is only read and may be shared by threads.
#ifndef KAVEL_ENCODING_CODE_TRAN_H_
#define KAVEL_ENCODING_CODE_TRAN_H_

#include <string>
#include <vector>

class CPDAT;
class CIDMaps;
class CWordList;

class CCodeTran {
 public:
  // Loads the six files of the code (1 to 5); check GetStatus(). A missing
  // file is reported to the error log as its path and " cannot load!".
  CCodeTran(const char* sDataPath, int encoding);
  virtual ~CCodeTran();
  CCodeTran(const CCodeTran&) = delete;
  CCodeTran& operator=(const CCodeTran&) = delete;

  // 1 when every file loaded, else 0.
  int GetStatus() const { return m_nStatus; }
  int GetEncodeType() const { return m_nEncoding; }

  // The caller's text in GBK / GBK text in the caller's encoding, in result;
  // returns result's text ("" for a null or empty input or an unready
  // translator).
  const char* CodeToGBK(const char* sLine, std::string& result) const;
  const char* GBKToCode(const char* sLine, std::string& result) const;
  // The translation both directions share: units of pSrcDict, mapped by
  // pIDMaps, written from pDsnWordList; bOutput tells the direction towards
  // the caller's encoding. CodeToGBK and GBKToCode give the same result as
  // this call with the translator's own files, only faster.
  const char* CodeTrans(const char* sLine, std::string& result, CPDAT* pSrcDict, CIDMaps* pIDMaps,
                        CWordList* pDsnWordList, bool bOutput) const;

  // Whole files (the result is followed by "\n"). For code 1 a leading UTF-8
  // byte-order mark of the source is skipped, and GBKToCodeFile writes one.
  // False when the source is empty or unreadable or the destination cannot
  // be written.
  bool CodeToGBKFile(const char* sSrcFile, const char* sDsnFile) const;
  bool GBKToCodeFile(const char* sSrcFile, const char* sDsnFile) const;

 private:
  // The translation of one character found by itself, for the characters
  // whose translation never depends on the bytes after them: the source
  // dictionary has no longer word that begins with them. nUnit is the
  // character's byte length, 0 for no entry.
  struct FastChar {
    char sText[4];
    unsigned char nText;
    unsigned char nUnit;
  };
  // 65536 entries indexed by CharKey, or empty when the files do not allow
  // the shortcut.
  using FastTable = std::vector<FastChar>;

  void Free();
  // Code and byte length (0: none) of the character at p as a table key: a
  // two- or three-byte UTF-8 character when bUtf8Key, else a lead byte of
  // 0x81 to 0xFE with a trail byte from 0x40.
  static unsigned int CharKey(const unsigned char* p, size_t nLeft, bool bUtf8Key, size_t* pUnit);
  // Fills table from the loaded files of one direction (code_tran_fast.cc).
  static void BuildFastTable(CPDAT* pSrcDict, CWordList* pSrcWordList, CIDMaps* pIDMaps,
                             CWordList* pDsnWordList, bool bUtf8Key, FastTable& table);
  const char* Translate(const char* sLine, std::string& result, CPDAT* pSrcDict, CIDMaps* pIDMaps,
                        CWordList* pDsnWordList, bool bOutput, const FastTable* pTable) const;
  // Byte length of the character at p in the source encoding of a
  // direction (1 for a malformed byte).
  size_t CharLength(const unsigned char* p, size_t nLeft, bool bOutput) const;

  CPDAT* m_pGBKSrcDict = nullptr;
  CWordList* m_pGBKWordList = nullptr;
  CPDAT* m_pCodeDict = nullptr;
  CWordList* m_pCodeWordList = nullptr;
  CIDMaps* m_pCode2GBKMap = nullptr;
  CIDMaps* m_pGBK2CodeMap = nullptr;
  FastTable m_vecToGBK;    // keyed by the caller's characters
  FastTable m_vecFromGBK;  // keyed by GBK characters
  int m_nEncoding = 0;
  int m_nStatus = 0;
};

#endif  // KAVEL_ENCODING_CODE_TRAN_H_
