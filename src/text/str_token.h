// Splitting lines into tokens.
#ifndef KAVEL_TEXT_STR_TOKEN_H_
#define KAVEL_TEXT_STR_TOKEN_H_

#include <cstddef>
#include <string>
#include <vector>

// A tokenizer over a caller-owned buffer. Each token is terminated in place by
// overwriting the delimiter that follows it with a NUL; the next call writes
// that byte back before it goes on, so once GetToken has returned null the
// buffer holds exactly its old bytes again. One object serves one sequence of
// calls on one thread.
class CStrToken {
 public:
  explicit CStrToken(bool bEnglish = false);

  // Returns the next token, or null when none is left. Pass the buffer as
  // pStart to begin (pEnd limits it; null means up to its NUL) and null to
  // continue. Leading spaces, tabs, CR and bytes of sDelimiter are skipped; a
  // token runs up to the next byte of sDelimiter. In English mode "." stays
  // inside a token when a non-delimiter other than "." follows it, and ","
  // when a non-delimiter byte of at most 0x38 follows it. Nothing at or past
  // pEnd or the NUL is read or written. A token that runs to the end of a
  // buffer limited by pEnd is not terminated unless the buffer is.
  // Starting a new buffer first writes back the byte cut from the previous
  // one, so a buffer abandoned before GetToken returned null must still be
  // alive then (or call Restore() before freeing it).
  char* GetToken(char* pStart, char* pEnd, const char* sDelimiter);

  // Writes back the byte that terminates the current token, if any.
  void Restore();

  // Shortens the current token to its first nLen bytes; the next call goes on
  // right after them (the cut-off bytes are not skipped as delimiters unless
  // they are). False when nLen is not shorter than the token.
  bool TruncateToken(size_t nLen);

  // The delimiter that ended the current token (0 when it ran to the end), and
  // all separator bytes that followed it.
  char GetSep() const { return m_cSep; }
  const std::vector<char>& GetSeps() const { return m_vecSep; }
  // True when the current token is the last one of the buffer.
  bool IsLastToken() const { return m_bOutputSep; }

 private:
  bool IsDelimiter(char c) const;
  bool EndsToken(const char* p) const;
  bool AtEnd(const char* p) const { return p >= m_pLineEnd || *p == 0; }

  bool m_bEnglish;
  bool m_bOutputSep = false;
  char* m_pLineStart = nullptr;
  char* m_pLineEnd = nullptr;
  char m_cSep = 0;
  std::vector<char> m_vecSep;
  char* m_pTokenEnd = nullptr;
  char* m_pTokenStart = nullptr;
  char* m_pCut = nullptr;  // where m_cSep was replaced by a NUL
  const char* m_sDelimiter = "";
};

// Clears vecResult and fills it with the tokens of a copy of sLine split at
// any byte of pDelimiter (leading spaces, tabs and CR of a token dropped), each
// without trailing CR and LF; empty tokens are dropped. Returns the count.
size_t GetStrVector(const char* sLine, const char* pDelimiter, std::vector<std::string>& vecResult);

// Cuts the next line from the text at pCur. Leading spaces, tabs, CR and LF
// are skipped; null (and *pNextRet null) at the end of the text. A line ends at
// the first CR or LF. With bInvalidCharConsidered, a "^^" marker before that
// end (or anywhere in a last line) that has a closing "^^" later in the text
// ends the line instead; when the line starts with it, the text between the
// markers is returned with *n_pStatus 1 and the line ends after the closing
// marker. A "^^" without a partner means nothing. The byte at the line end is
// saved in *chSep and replaced by a NUL, and *pNextRet points at it (null when
// the line runs to the end of the text); the caller writes *chSep back there
// before going on at *pNextRet. Null output pointers are allowed.
char* StrLine(char* pCur, char** pNextRet, char* chSep, int* n_pStatus,
              bool bInvalidCharConsidered);

#endif  // KAVEL_TEXT_STR_TOKEN_H_
