#include "tagger/text_lines.h"

#include "base/read_file.h"

bool CTextLines::Next(std::string* psLine) {
  if (m_nPos >= m_sText.size()) return false;
  size_t nEnd = m_sText.find('\n', m_nPos);
  if (nEnd == std::string::npos) nEnd = m_sText.size();
  size_t nLen = nEnd - m_nPos;
  if (nLen > 0 && m_sText[m_nPos + nLen - 1] == '\r') --nLen;
  psLine->assign(m_sText, m_nPos, nLen);
  m_nPos = nEnd + 1;
  ++m_nLine;
  return true;
}
