// HTML to plain text.
#include "encoding/html_to_text.h"

#include <cctype>
#include <cstring>
#include <string>

#include "encoding/unicode_convert.h"

namespace {

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsCapitalHex(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Position of sNeedle in p[from, n), or n.
size_t FindIn(const char* p, size_t from, size_t n, const char* sNeedle) {
  size_t m = strlen(sNeedle);
  for (size_t k = from; k + m <= n; ++k) {
    if (memcmp(p + k, sNeedle, m) == 0) return k;
  }
  return n;
}

class Output {
 public:
  Output(char* p, size_t nCapacity) : m_p(p), m_nCapacity(nCapacity) {}
  bool Full() const { return m_nLen >= m_nCapacity; }
  char Last() const { return m_nLen > 0 ? m_p[m_nLen - 1] : 0; }
  // Appends the bytes only when all of them fit.
  void Put(const char* s, size_t n) {
    if (m_nLen + n > m_nCapacity) return;
    memcpy(m_p + m_nLen, s, n);
    m_nLen += n;
  }
  void Put(char c) { Put(&c, 1); }
  void Space() {
    if (Last() != ' ') Put(' ');
  }
  size_t Length() const { return m_nLen; }

 private:
  char* m_p;
  size_t m_nCapacity;
  size_t m_nLen = 0;
};

}  // namespace

size_t vHtmlToText(const char* pInPut, size_t iInPutLen, char* pOutPut, size_t& iOutPutLen) {
  size_t nLimit = iOutPutLen;
  iOutPutLen = 0;
  if (pOutPut == nullptr) return 0;
  if (nLimit == 1 || pInPut == nullptr) {
    pOutPut[0] = 0;
    return 0;
  }
  // Room for the text; the NUL takes the last byte of a limited buffer.
  size_t nCapacity = nLimit == 0 ? iInPutLen : nLimit - 1;
  Output out(pOutPut, nCapacity);
  const char* p = pInPut;
  const unsigned char* u = reinterpret_cast<const unsigned char*>(pInPut);
  size_t n = iInPutLen;
  size_t i = n >= 3 && memcmp(p, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
  while (i < n && !out.Full()) {
    size_t nLeft = n - i;
    unsigned char c = u[i];
    if (c == '<' && nLeft > 1 && (IsAsciiLetter(u[i + 1]) || u[i + 1] == '/' || u[i + 1] == '!' || u[i + 1] == '?')) {
      if (nLeft > 4 && memcmp(p + i, "<!--", 4) == 0) {
        size_t k = FindIn(p, i + 4, n, "-->");
        if (k < n) {
          i = k + 3;
          out.Space();
          continue;
        }
      } else if (nLeft > 15 && strncasecmp(p + i, "<script>", 8) == 0) {
        size_t k = i + 8;
        while (k + 2 < n && !(p[k] == '<' && p[k + 1] == '/' && (p[k + 2] == 's' || p[k + 2] == 'S'))) ++k;
        if (k + 2 < n) {
          size_t e = k + 3;
          while (e < n && p[e] != '>') ++e;
          if (e < n) {
            i = e + 1;
            out.Space();
            continue;
          }
        }
      } else {
        size_t nEnd = nLeft > 500 ? i + 501 : n;
        size_t k = i + 1;
        while (k < nEnd && p[k] != '>') ++k;
        if (k < nEnd) {
          i = k + 1;
          out.Space();
          continue;
        }
      }
      out.Put(static_cast<char>(c));
      ++i;
      continue;
    }
    if (c == '&') {
      // Every entity form ends within ten bytes of the "&".
      size_t nSemi = i + 1;
      size_t nEnd = nLeft > 11 ? i + 11 : n;
      while (nSemi < nEnd && p[nSemi] != ';') ++nSemi;
      if (nSemi < nEnd) {
        size_t nDist = nSemi - i;
        if (nLeft > 1 && p[i + 1] == '#' && nDist <= 10) {
          unsigned long v = 0;
          for (size_t k = i + 2; k < nSemi && isdigit(u[k]) && v <= 0x10FFFF; ++k) v = v * 10 + (u[k] - '0');
          if (v == 0 || (v >= 127 && v <= 254) || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) {
            out.Space();
          } else {
            std::string s;
            AppendUtf8(static_cast<uint32_t>(v), s);
            out.Put(s.data(), s.size());
          }
          i = nSemi + 1;
          continue;
        }
        if (nDist == 3 && memcmp(p + i, "&lt;", 4) == 0) {
          out.Put('<');
          i += 4;
          continue;
        }
        if (nDist == 3 && memcmp(p + i, "&gt;", 4) == 0) {
          out.Put('>');
          i += 4;
          continue;
        }
        if (nLeft > 1 && IsAsciiLetter(u[i + 1]) && nDist < 10) {
          out.Space();
          i = nSemi + 1;
          continue;
        }
      }
    } else if (c == '%' && nLeft > 2 && IsCapitalHex(u[i + 1]) && IsCapitalHex(u[i + 2])) {
      char b = x2c(p + i + 1);
      if (b != 0) out.Put(b);
      i += 3;
      continue;
    } else if (c == 'n' && nLeft >= 5 && memcmp(p + i, "nbsp;", 5) == 0) {
      if (out.Last() == ' ') out.Put(' ');
      i += 5;
      continue;
    } else if (c == 0) {
      // Zero bytes (pairs of them in wide text, and lone ones) would cut the
      // text short.
      ++i;
      continue;
    }
    if (c == ' ') {
      out.Space();
    } else {
      out.Put(static_cast<char>(c));
    }
    ++i;
  }
  // Compaction: no leading spaces, no space after a space.
  size_t nLen = out.Length();
  size_t w = 0;
  for (size_t r = 0; r < nLen; ++r) {
    if (pOutPut[r] == ' ' && (w == 0 || pOutPut[w - 1] == ' ')) continue;
    pOutPut[w++] = pOutPut[r];
  }
  pOutPut[w] = 0;
  iOutPutLen = w;
  return w;
}
