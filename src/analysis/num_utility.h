// Finer classes of number-like tokens, and Chinese numerals.
#ifndef KAVEL_ANALYSIS_NUM_UTILITY_H_
#define KAVEL_ANALYSIS_NUM_UTILITY_H_

#include <cstddef>

// Tag ids GetNumType answers (ids of the loaded tag set).
enum {
  kNumTypeDate = 52,      // date or time, such as 2016-01-02
  kNumTypePhone = 100,    // telephone-like number
  kNumTypeIDCard = 101,   // resident identity-card number
};

// Classifies the first size bytes of sLine (size 0: up to its NUL; never past
// a NUL either way). Full-width characters are folded to ASCII, the text is cut
// at "(", ")", "+", "-", "." and blank, and the pieces are judged joined:
// a date when there are several pieces, the first of 4 bytes starting with
// "1" or "2" and at most 8 bytes in all; a telephone-like number at 11 bytes,
// at 8 bytes not starting with "0" or "1", or at 11 to 14 bytes starting with
// "0"; an identity-card number at 15 or 18 bytes not starting with "0" that
// passes the card check. Otherwise -1 (also for a null text). The bytes are
// not tested for being digits: callers pass tokens already seen as numbers.
int GetNumType(const char* sLine, size_t size);

// Value of one Chinese numeral character (GBK, two bytes) at the start of
// sChineseNum: 0-9 for the digits in their plain and formal forms (also the
// circle zero), 10, 100, 1000, 10000 and 100000000 for the units; -2 for
// anything else, a null or a too short text.
long long ChineseNum2Digit(const char* sChineseNum);

// Value of a Chinese numeral expression with units (3050 written with the
// characters for three, thousand, zero, five, ten), of numerals read digit by
// digit when no unit occurs, or of ASCII digits. False, with *pValue
// untouched, for a null or empty text, and for a text that holds a character
// that is not a numeral or whose value passes 10^18; such a text is reported
// as the last error message and in the error log.
bool Str2Integer(const char* sChineseNum, long long* pValue);

#endif  // KAVEL_ANALYSIS_NUM_UTILITY_H_
