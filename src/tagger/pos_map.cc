#include "tagger/pos_map.h"

#include <strings.h>

#include <cstring>

#include "tagger/text_lines.h"

CPOSmap::CPOSmap() { strcpy(m_pDefaultPos, "n"); }

CPOSmap::~CPOSmap() = default;

bool CPOSmap::Load(const char* sFilename) {
  std::string sText;
  if (!ReadTextFile(sFilename, &sText)) return false;
  std::vector<std::string> vecNames;
  CTextLines lines(sText);
  std::string sLine;
  while (lines.Next(&sLine)) {
    size_t nStart = sLine.find_first_not_of(" \t\r\v\f");
    if (nStart == std::string::npos) continue;
    size_t nEnd = sLine.find_first_of(" \t\r\v\f", nStart);
    if (nEnd == std::string::npos) nEnd = sLine.size();
    size_t nLen = nEnd - nStart;
    if (nLen > static_cast<size_t>(kMaxNameLen)) nLen = kMaxNameLen;
    vecNames.push_back(sLine.substr(nStart, nLen));
    if (vecNames.size() > static_cast<size_t>(kMaxItems)) return false;
  }
  m_pData.swap(vecNames);
  m_nItemCount = static_cast<unsigned char>(m_pData.size());
  return true;
}

unsigned char CPOSmap::GetID(const char* sPOS) const {
  if (sPOS == nullptr || sPOS[0] == 0) return 255;
  for (size_t i = 0; i < m_pData.size(); ++i) {
    if (strcasecmp(m_pData[i].c_str(), sPOS) == 0) return static_cast<unsigned char>(i);
  }
  return 255;
}

const char* CPOSmap::GetPOS(unsigned char nID) const {
  if (nID >= m_nItemCount) return m_pDefaultPos;
  return m_pData[nID].c_str();
}

bool CPOSmap::GetPOS(unsigned char nID, char* sPOSRet) const {
  if (sPOSRet != nullptr) strcpy(sPOSRet, GetPOS(nID));
  return nID < m_nItemCount;
}
