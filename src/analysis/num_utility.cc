#include "analysis/num_utility.h"

#include <cstring>
#include <string>
#include <vector>

#include "analysis/id_checker.h"
#include "base/last_error.h"
#include "base/log.h"
#include "text/str_token.h"
#include "text/string_utils.h"

namespace {

struct NumeralRow {
  const char* text;  // GBK, two bytes
  long long value;
};

const NumeralRow kNumerals[] = {
    {"\xC1\xE3", 0},
    {"\xA1\xF0", 0},
    {"\xD2\xBB", 1},
    {"\xD2\xBC", 1},
    {"\xB6\xFE", 2},
    {"\xC1\xBD", 2},
    {"\xB7\xA1", 2},
    {"\xC8\xFD", 3},
    {"\xC8\xFE", 3},
    {"\xCB\xC4", 4},
    {"\xCB\xC1", 4},
    {"\xCE\xE5", 5},
    {"\xCE\xE9", 5},
    {"\xC1\xF9", 6},
    {"\xC2\xBD", 6},
    {"\xC6\xDF", 7},
    {"\xC6\xE2", 7},
    {"\xB0\xCB", 8},
    {"\xB0\xC6", 8},
    {"\xBE\xC5", 9},
    {"\xBE\xC1", 9},
    {"\xCA\xAE", 10},
    {"\xCA\xB0", 10},
    {"\xB0\xD9", 100},
    {"\xB0\xDB", 100},
    {"\xC7\xA7", 1000},
    {"\xC7\xAA", 1000},
    {"\xCD\xF2", 10000},
    {"\xD2\xDA", 100000000},
};

const long long kValueLimit = 1000000000000000000LL;

}  // namespace

int GetNumType(const char* sLine, size_t size) {
  if (sLine == nullptr) return -1;
  size_t nLen = size == 0 ? strlen(sLine) : strnlen(sLine, size);
  std::string sText(sLine, nLen);
  QuanJiao2BanJiao(&sText[0]);
  sText.resize(strlen(sText.c_str()));

  std::vector<std::string> vecPieces;
  GetStrVector(sText.c_str(), "()+-. ", vecPieces);
  std::string sJoined;
  for (const std::string& sPiece : vecPieces) sJoined += sPiece;
  size_t n = sJoined.size();
  if (n == 0) return -1;

  const std::string& sFirst = vecPieces.front();
  if (vecPieces.size() >= 2 && sFirst.size() == 4 && (sFirst[0] == '1' || sFirst[0] == '2') && n <= 8)
    return kNumTypeDate;
  if (n == 11 || (n == 8 && sJoined[0] != '0' && sJoined[0] != '1')) return kNumTypePhone;
  if (n > 10 && n <= 14 && sJoined[0] == '0') return kNumTypePhone;
  if ((n == 15 || n == 18) && sJoined[0] != '0') {
    CCIDChecker checker;
    if (checker.ValidCheck(sJoined.c_str()) > 0) return kNumTypeIDCard;
  }
  return -1;
}

long long ChineseNum2Digit(const char* sChineseNum) {
  if (sChineseNum == nullptr || sChineseNum[0] == 0 || sChineseNum[1] == 0) return -2;
  for (const NumeralRow& row : kNumerals) {
    if (sChineseNum[0] == row.text[0] && sChineseNum[1] == row.text[1]) return row.value;
  }
  return -2;
}

bool Str2Integer(const char* sChineseNum, long long* pValue) {
  if (sChineseNum == nullptr || sChineseNum[0] == 0) return false;
  // Each character once: its value, or -2 for a non-numeral.
  std::vector<long long> vecValues;
  bool bUnits = false;
  bool bValid = true;
  for (const char* p = sChineseNum; *p != 0;) {
    long long nValue = -2;
    if (*p >= '0' && *p <= '9') {
      nValue = *p - '0';
      ++p;
    } else if (static_cast<unsigned char>(*p) >= 0x80 && p[1] != 0) {
      nValue = ChineseNum2Digit(p);
      p += 2;
    } else {
      ++p;
    }
    if (nValue == -2) {
      bValid = false;
      break;
    }
    if (nValue >= 10) bUnits = true;
    vecValues.push_back(nValue);
  }

  long long nResult = 0;
  if (bValid && !bUnits) {
    for (long long nDigit : vecValues) {
      if (nResult >= kValueLimit / 10) {
        bValid = false;
        break;
      }
      nResult = nResult * 10 + nDigit;
    }
  } else if (bValid) {
    // total: completed hundred-millions and ten-thousands; section: the
    // current group below ten thousand; nNum: the pending digit.
    long long nTotal = 0, nSection = 0, nNum = 0;
    for (long long nValue : vecValues) {
      if (nValue < 10) {
        nNum = nValue;
      } else if (nValue < 10000) {
        if (nNum == 0 && nValue == 10) nNum = 1;
        nSection += nNum * nValue;
        nNum = 0;
      } else if (nValue == 10000) {
        nTotal += (nSection + nNum) * 10000;
        nSection = nNum = 0;
      } else {
        long long nSum = nTotal + nSection + nNum;
        if (nSum >= kValueLimit / 100000000LL) {
          bValid = false;
          break;
        }
        nTotal = nSum * 100000000LL;
        nSection = nNum = 0;
      }
    }
    nResult = nTotal + nSection + nNum;
  }
  if (!bValid) {
    std::string sMessage = std::string(sChineseNum) +
                           " using invalid charater in Chinese numeric expression. ";
    SetLastErrorMessage(sMessage);
    WriteError(sMessage);
    return false;
  }
  if (pValue != nullptr) *pValue = nResult;
  return true;
}
