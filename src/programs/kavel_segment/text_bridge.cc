#include "programs/kavel_segment/text_bridge.h"

#include <cstdint>

#include "encoding/code_table.h"
#include "encoding/unicode_convert.h"

void Utf8LineToGbk(const std::string& sLine, std::string& sGBK, std::vector<int>& vecOffset) {
  sGBK.clear();
  vecOffset.clear();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(sLine.data());
  size_t i = 0;
  while (i < sLine.size()) {
    uint32_t nCode = 0;
    size_t nLen = DecodeUtf8Char(p + i, sLine.size() - i, &nCode);
    const size_t nBefore = sGBK.size();
    if (nLen == 0) {
      nLen = 1;
      sGBK.push_back('?');
    } else {
      Utf8ToGbk(sLine.data() + i, nLen, sGBK);
      if (sGBK.size() == nBefore) sGBK.push_back('?');
    }
    vecOffset.insert(vecOffset.end(), sGBK.size() - nBefore, static_cast<int>(i));
    i += nLen;
  }
  vecOffset.push_back(static_cast<int>(sLine.size()));
}

std::string ToUtf8(const char* pText, size_t nLen, int nEncoding) {
  std::string sOut;
  if (nEncoding == 0 || nEncoding == 3) DoubleByteToUtf8(pText, nLen, GbkToUnicodeTable(), sOut);
  else if (nEncoding == 2) DoubleByteToUtf8(pText, nLen, Big5ToUnicodeTable(), sOut);
  else sOut.assign(pText, nLen);
  return sOut;
}
