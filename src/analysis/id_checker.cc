#include "analysis/id_checker.h"

#include <cstring>

namespace {

struct ProvinceRow {
  int code;
  const char* name;  // GBK
};

const ProvinceRow kProvinces[] = {
    {11, "\xB1\xB1\xBE\xA9"},
    {12, "\xCC\xEC\xBD\xF2"},
    {13, "\xBA\xD3\xB1\xB1"},
    {14, "\xC9\xBD\xCE\xF7"},
    {15, "\xC4\xDA\xC3\xC9\xB9\xC5"},
    {21, "\xC1\xC9\xC4\xFE"},
    {22, "\xBC\xAA\xC1\xD6"},
    {23, "\xBA\xDA\xC1\xFA\xBD\xAD"},
    {31, "\xC9\xCF\xBA\xA3"},
    {32, "\xBD\xAD\xCB\xD5"},
    {33, "\xD5\xE3\xBD\xAD"},
    {34, "\xB0\xB2\xBB\xD5"},
    {35, "\xB8\xA3\xBD\xA8"},
    {36, "\xBD\xAD\xCE\xF7"},
    {37, "\xC9\xBD\xB6\xAB"},
    {41, "\xBA\xD3\xC4\xCF"},
    {42, "\xBA\xFE\xB1\xB1"},
    {43, "\xBA\xFE\xC4\xCF"},
    {44, "\xB9\xE3\xB6\xAB"},
    {45, "\xB9\xE3\xCE\xF7"},
    {46, "\xBA\xA3\xC4\xCF"},
    {50, "\xD6\xD8\xC7\xEC"},
    {51, "\xCB\xC4\xB4\xA8"},
    {52, "\xB9\xF3\xD6\xDD"},
    {53, "\xD4\xC6\xC4\xCF"},
    {54, "\xCE\xF7\xB2\xD8"},
    {61, "\xC9\xC2\xCE\xF7"},
    {62, "\xB8\xCA\xCB\xE0"},
    {63, "\xC7\xE0\xBA\xA3"},
    {64, "\xC4\xFE\xCF\xC4"},
    {65, "\xD0\xC2\xBD\xAE"},
    {71, "\xCC\xA8\xCD\xE5"},
    {81, "\xCF\xE3\xB8\xDB"},
    {82, "\xB0\xC4\xC3\xC5"},
    {91, "\xB9\xFA\xCD\xE2"},
};

const int kWeights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
const char kCheckCodes[] = "10X98765432";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when the first n bytes of s are all digits (stops at a NUL).
bool AllDigits(const char* s, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (!IsDigit(s[i])) return false;
  }
  return true;
}

int DigitsValue(const char* s, size_t n) {
  int nValue = 0;
  for (size_t i = 0; i < n; ++i) nValue = nValue * 10 + (s[i] - '0');
  return nValue;
}

bool IsLeapYear(int nYear) { return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0; }

}  // namespace

bool IsValidDate(const struct tm& date, bool bCIDBirthday) {
  int nMonth = date.tm_mon + 1;
  int nDay = date.tm_mday;
  int nYear = date.tm_year + 1900;
  if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31) return false;
  if (nMonth == 2 && nDay > (IsLeapYear(nYear) ? 29 : 28)) return false;
  if ((nMonth == 4 || nMonth == 6 || nMonth == 9 || nMonth == 11) && nDay > 30) return false;

  time_t now = time(nullptr);
  struct tm tmNow {};
  if (localtime_r(&now, &tmNow) == nullptr) return true;
  int nThisYear = tmNow.tm_year + 1900;
  if (nThisYear - nYear > 150) return false;
  if (bCIDBirthday && nYear > nThisYear) return false;
  return true;
}

char CCIDChecker::GetCheckCode(const char* sID) const {
  if (sID == nullptr || !AllDigits(sID, 17)) return 0;
  int nSum = 0;
  for (int i = 0; i < 17; ++i) nSum += (sID[i] - '0') * kWeights[i];
  return kCheckCodes[nSum % 11];
}

int CCIDChecker::Change15To18(const char* sID, char* sNewID) const {
  if (sNewID == nullptr) return 0;
  sNewID[0] = 0;
  if (sID == nullptr || strnlen(sID, 16) != 15 || !AllDigits(sID, 15)) return 0;
  memcpy(sNewID, sID, 6);
  sNewID[6] = '1';
  sNewID[7] = '9';
  memcpy(sNewID + 8, sID + 6, 9);
  sNewID[17] = GetCheckCode(sNewID);
  sNewID[18] = 0;
  return 1;
}

bool CCIDChecker::ExtractPersonInfo(const char* sID, _tPersonInfo& info) const {
  if (sID == nullptr || !AllDigits(sID, 17)) return false;
  info.district_id = DigitsValue(sID, 6);
  info.birthday = tm{};
  info.birthday.tm_year = DigitsValue(sID + 6, 4) - 1900;
  info.birthday.tm_mon = DigitsValue(sID + 10, 2) - 1;
  info.birthday.tm_mday = DigitsValue(sID + 12, 2);
  info.gender = (sID[16] - '0') % 2;
  GetProv(info);
  return true;
}

bool CCIDChecker::GetProv(_tPersonInfo& info) const {
  int nCode = info.district_id / 10000;
  for (const ProvinceRow& row : kProvinces) {
    if (row.code == nCode) {
      strncpy(info.prov, row.name, sizeof(info.prov) - 1);
      info.prov[sizeof(info.prov) - 1] = 0;
      return true;
    }
  }
  info.prov[0] = 0;
  return false;
}

int CCIDChecker::ValidCheck(const char* sID) const {
  if (sID == nullptr) return kBadLength;
  size_t nLen = strnlen(sID, 19);
  if (nLen != 15 && nLen != 18) return kBadLength;
  char sLong[19];
  if (nLen == 15) {
    if (Change15To18(sID, sLong) != 1) return kNotDigits;
  } else {
    memcpy(sLong, sID, 18);
    sLong[18] = 0;
  }
  if (!AllDigits(sLong, 17)) return kNotDigits;
  if (sLong[17] != GetCheckCode(sLong)) return kBadCheckCode;
  _tPersonInfo info;
  ExtractPersonInfo(sLong, info);
  if (!GetProv(info)) return kBadProvince;
  if (!IsValidDate(info.birthday, true)) return kBadDate;
  return kValid;
}
