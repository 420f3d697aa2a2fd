// Cutting an English text into terms.
#include <cstring>

#include "english/english.h"
#include "lexicon/pdat.h"

namespace {

const char kDelimiters[] = " \t\r\n:\"&-=+()[]<>/?!#$*~`{};|,^";

bool IsDelimiter(char c) { return c != 0 && strchr(kDelimiters, c) != nullptr; }

// Blanks, tabs and CRs separate terms without becoming terms.
bool IsSilent(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Bytes of the character at i: a byte of 0x80 or more pairs with the next.
size_t CharLen(const std::string& s, size_t i) {
  return static_cast<unsigned char>(s[i]) >= 0x80 && i + 1 < s.size() ? 2 : 1;
}

// Whether the delimiter at i ends a token: a comma stays inside one when a
// byte up to '8' that is not a delimiter follows ("1,000").
bool EndsToken(const std::string& s, size_t i) {
  if (!IsDelimiter(s[i])) return false;
  if (s[i] != ',' || i + 1 >= s.size()) return true;
  char cNext = s[i + 1];
  return IsDelimiter(cNext) || static_cast<unsigned char>(cNext) > 0x38;
}

}  // namespace

void CEnglish::AddTerm(size_t nStart, size_t nEnd) {
  english_term_result term;
  term.start = static_cast<int>(nStart);
  term.length = static_cast<int>(nEnd - nStart);
  term.word.assign(m_sLine, nStart, nEnd - nStart);
  term.original_word = term.word;
  term.unit_count = 1;
  term.word_ID = m_tables.pDict != nullptr
                     ? m_tables.pDict->Find(term.word.c_str(), static_cast<unsigned int>(term.length))
                     : -1;
  AddWord(term);
}

std::vector<english_term_result>& CEnglish::ProcessA(const char* sLineOrig) {
  RefreshTables();
  m_vecResult.clear();
  m_sLine.assign(sLineOrig != nullptr ? sLineOrig : "");
  const std::string& s = m_sLine;
  size_t n = s.size();
  size_t i = 0;
  bool bAfterCut = false;
  while (i < n) {
    if (!bAfterCut) {
      // Delimiters before the next token, each a term unless silent.
      while (i < n && IsDelimiter(s[i])) {
        if (!IsSilent(s[i])) AddTerm(i, i + 1);
        ++i;
      }
      if (i >= n) break;
    }
    bAfterCut = false;

    size_t nStart = i;
    size_t nLast = i, nBeforeLast = i;  // starts of the last two characters
    while (i < n && !EndsToken(s, i)) {
      nBeforeLast = nLast;
      nLast = i;
      i += CharLen(s, i);
    }
    size_t nLen = i - nStart;
    if (nLen == 0) {  // cannot happen after the delimiter loop; keeps progress certain
      ++i;
      continue;
    }
    bool bKnown = m_tables.pDict != nullptr &&
                  m_tables.pDict->Find(s.c_str() + nStart, static_cast<unsigned int>(nLen)) >= 0;
    size_t nCut = i;
    if (!bKnown) {
      if (nLen > 1 && i - nLast == 1 && s[nLast] == '.') {
        nCut = nLast;
      } else if (nLen > 2 && i - nLast == 1 && s[nLast] == 's' && nLast - nBeforeLast == 1 &&
                 s[nBeforeLast] == '\'') {
        nCut = nBeforeLast;
      }
    }
    AddTerm(nStart, nCut);
    if (nCut < i) {
      // The cut-off "." or "'s" is the next token.
      i = nCut;
      bAfterCut = true;
    }
  }
  return m_vecResult;
}

const char* CEnglish::Process(const char* sLine, bool bPOStagged) {
  ProcessA(sLine);
  return GetResultString(m_sLine.c_str(), m_vecResult, bPOStagged);
}
