#include "base/config_reader.h"

#include <cstring>

bool GetXMLItemValue(const char* sLine, const char* sItemName, std::string& sValue) {
  sValue.clear();
  if (sLine == nullptr || sItemName == nullptr) return false;
  std::string sTag = std::string("<") + sItemName + ">";
  const char* pStart = strstr(sLine, sTag.c_str());
  if (pStart == nullptr) return false;
  pStart += sTag.size();
  std::string sClose = std::string("</") + sItemName + ">";
  const char* pEnd = strstr(pStart, sClose.c_str());
  if (pEnd == nullptr) {
    sValue.assign(pStart);
  } else {
    sValue.assign(pStart, pEnd - pStart);
  }
  return true;
}

bool GetXMLItemValue(const char* sLine, const char* sItemName, char* sValue) {
  if (sValue == nullptr) return false;
  std::string s;
  bool bFound = GetXMLItemValue(sLine, sItemName, s);
  memcpy(sValue, s.c_str(), s.size() + 1);
  return bFound;
}

size_t GetFileLinesCount(FILE* fp) {
  if (fp == nullptr) return 0;
  rewind(fp);
  char sLine[1000];
  size_t nCount = 0;
  while (fgets(sLine, sizeof(sLine), fp) != nullptr) nCount++;
  clearerr(fp);
  rewind(fp);
  return nCount;
}
