// Line access to small text files read whole, for the table builders of
// this folder.
#ifndef KAVEL_TAGGER_TEXT_LINES_H_
#define KAVEL_TAGGER_TEXT_LINES_H_

#include <string>

#include "base/read_file.h"

// Walks the lines of a text. Next() gives each line in turn without its line
// feed (and without a carriage return before it).
class CTextLines {
 public:
  explicit CTextLines(const std::string& sText) : m_sText(sText) {}
  bool Next(std::string* psLine);
  int LineNumber() const { return m_nLine; }

 private:
  const std::string& m_sText;
  size_t m_nPos = 0;
  int m_nLine = 0;
};

#endif  // KAVEL_TAGGER_TEXT_LINES_H_
