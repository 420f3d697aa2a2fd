// Character tables built from the C library's converters.
#include "encoding/code_table.h"

#include <iconv.h>

#include <cstring>
#include <vector>

CharsetCodec::CharsetCodec(const char* sCharset) {
  iconv_t dec = iconv_open("UTF-32LE", sCharset);
  iconv_t enc = iconv_open(sCharset, "UTF-32LE");
  if (dec != reinterpret_cast<iconv_t>(-1)) m_pDecoder = dec;
  if (enc != reinterpret_cast<iconv_t>(-1)) m_pEncoder = enc;
}

CharsetCodec::~CharsetCodec() {
  if (m_pDecoder != nullptr) iconv_close(static_cast<iconv_t>(m_pDecoder));
  if (m_pEncoder != nullptr) iconv_close(static_cast<iconv_t>(m_pEncoder));
}

bool CharsetCodec::Decode(const char* pBytes, size_t nLen, uint32_t* pCodePoint) {
  if (m_pDecoder == nullptr || pBytes == nullptr || nLen == 0 || nLen > 8) return false;
  iconv_t cd = static_cast<iconv_t>(m_pDecoder);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[8];
  memcpy(in, pBytes, nLen);
  char out[16];
  char* pIn = in;
  char* pOut = out;
  size_t nIn = nLen;
  size_t nOut = sizeof(out);
  if (iconv(cd, &pIn, &nIn, &pOut, &nOut) == static_cast<size_t>(-1) || nIn != 0) return false;
  if (iconv(cd, nullptr, nullptr, &pOut, &nOut) == static_cast<size_t>(-1)) return false;
  if (pOut - out != 4) return false;
  uint32_t cp = 0;
  for (int k = 3; k >= 0; --k) cp = cp * 256 + static_cast<unsigned char>(out[k]);
  *pCodePoint = cp;
  return true;
}

size_t CharsetCodec::Encode(uint32_t nCodePoint, char* pOut) {
  if (m_pEncoder == nullptr || pOut == nullptr) return 0;
  iconv_t cd = static_cast<iconv_t>(m_pEncoder);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[4];
  for (int k = 0; k < 4; ++k) in[k] = static_cast<char>((nCodePoint >> (8 * k)) & 0xFF);
  char out[8];
  char* pIn = in;
  char* pDst = out;
  size_t nIn = 4;
  size_t nOut = sizeof(out);
  if (iconv(cd, &pIn, &nIn, &pDst, &nOut) == static_cast<size_t>(-1) || nIn != 0) return 0;
  size_t nLen = static_cast<size_t>(pDst - out);
  memcpy(pOut, out, nLen);
  return nLen;
}

namespace {

struct Tables {
  std::vector<unsigned short> unicodeToGbk = std::vector<unsigned short>(65536, 0);
  std::vector<unsigned short> gbkToUnicode = std::vector<unsigned short>(kDoubleByteTableSize, 0);
  std::vector<unsigned short> big5ToUnicode = std::vector<unsigned short>(kDoubleByteTableSize, 0);
};

// Every well-formed pair of the encoding into its table; the first pair
// seen for a code unit wins in the reverse table (when one is given).
void FillDoubleByte(const char* sCharset, std::vector<unsigned short>& toUnicode,
                    std::vector<unsigned short>* pFromUnicode) {
  CharsetCodec codec(sCharset);
  if (!codec.IsOpen()) return;
  for (int first = 0x81; first <= 0xFE; ++first) {
    for (int second = 0x40; second <= 0xFE; ++second) {
      if (second == 0x7F) continue;
      char pair[2] = {static_cast<char>(first), static_cast<char>(second)};
      uint32_t cp = 0;
      if (!codec.Decode(pair, 2, &cp) || cp == 0 || cp > 0xFFFF) continue;
      toUnicode[DoubleByteIndex(static_cast<unsigned char>(first),
                                static_cast<unsigned char>(second))] = static_cast<unsigned short>(cp);
      if (pFromUnicode != nullptr && (*pFromUnicode)[cp] == 0) {
        (*pFromUnicode)[cp] = static_cast<unsigned short>(first * 256 + second);
      }
    }
  }
}

const Tables& GetTables() {
  static const Tables* pTables = [] {
    Tables* t = new Tables;
    for (int c = 0; c < 0x80; ++c) t->unicodeToGbk[c] = static_cast<unsigned short>(c);
    FillDoubleByte("GBK", t->gbkToUnicode, &t->unicodeToGbk);
    if (t->unicodeToGbk[0x20AC] == 0) t->unicodeToGbk[0x20AC] = 0x80;
    FillDoubleByte("BIG5", t->big5ToUnicode, nullptr);
    return t;
  }();
  return *pTables;
}

}  // namespace

const unsigned short* CodeTable() { return GetTables().unicodeToGbk.data(); }
const unsigned short* GbkToUnicodeTable() { return GetTables().gbkToUnicode.data(); }
const unsigned short* Big5ToUnicodeTable() { return GetTables().big5ToUnicode.data(); }
