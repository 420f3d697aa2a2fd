// Resident identity-card numbers: validation of the 15- and 18-character
// forms (check character by ISO 7064 MOD 11-2) and the holder's details.
#ifndef KAVEL_ANALYSIS_ID_CHECKER_H_
#define KAVEL_ANALYSIS_ID_CHECKER_H_

#include <ctime>

struct _tPersonInfo {
  int gender = 0;        // 1 when the 17th character is an odd digit
  struct tm birthday {}; // tm_year (years since 1900), tm_mon (0-11), tm_mday
  int district_id = 0;   // the 6-digit address code
  char prov[14] = {0};   // province name (GBK), empty when unknown
};

// Calendar check of a birth date: month 1-12, day within the month (29
// February only in a leap year), the year not more than 150 years before the
// current one and, with bCIDBirthday, not after it.
bool IsValidDate(const struct tm& date, bool bCIDBirthday);

class CCIDChecker {
 public:
  // Reasons ValidCheck gives for rejecting a number.
  enum {
    kValid = 1,
    kBadLength = -1,
    kNotDigits = -2,
    kBadCheckCode = -3,
    kBadProvince = -4,
    kBadDate = -5,
  };

  CCIDChecker() = default;
  virtual ~CCIDChecker() = default;

  // 1 for a valid 15- or 18-character number, else one of the negative
  // reasons above. A 15-character number is checked in its 18-character form.
  // A null number has a bad length. Reads at most 19 bytes of sID.
  int ValidCheck(const char* sID) const;

  // Check character ('0'-'9' or 'X') of the first 17 characters; 0 when they
  // are not 17 digits.
  char GetCheckCode(const char* sID) const;

  // Writes the 18-character form of a 15-digit number (address code, "19",
  // the other 9 digits, check character) with a NUL into sNewID (at least 19
  // bytes). Returns 1; 0 with sNewID empty when sID is not 15 digits.
  int Change15To18(const char* sID, char* sNewID) const;

  // Fills info from an 18-character number (address code, birth date, gender,
  // province). False, leaving info partly filled, when the first 17
  // characters are not digits.
  bool ExtractPersonInfo(const char* sID, _tPersonInfo& info) const;

  // Sets info.prov from the province code district_id / 10000; false (prov
  // empty) when the code is not a known province.
  bool GetProv(_tPersonInfo& info) const;
};

#endif  // KAVEL_ANALYSIS_ID_CHECKER_H_
