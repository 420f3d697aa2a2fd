// Character classes used by atom segmentation: reading one GBK character,
// the full-width forms of ASCII delimiters and the tests that tell whether a
// piece of text reads as a number, a day or a year.
//
// Functions that take a length read exactly that many bytes (a length of 0
// means "up to the terminating NUL"); a double-byte character whose second
// byte would lie past the length is read as one byte.
#ifndef KAVEL_SEGMENT_CHAR_CLASS_H_
#define KAVEL_SEGMENT_CHAR_CLASS_H_

#include <cstddef>

// Byte length of the character at sBuffer and its code in *npCharCode
// (optional): 0 with code -1 at the terminating NUL or for a null pointer; 1
// for a byte below 0x80 or a high byte followed by the NUL; otherwise 2, the
// code being first byte * 256 + second byte.
size_t Getchar(const char* sBuffer, int* npCharCode);

// Writes the one-character string cDelemiter to sWordRet (at least 3 bytes),
// then, for one of . , ; : ? ! % ( ) { + } [ ] / =, replaces it with the GBK
// full-width form and returns true. False for any other character.
bool Delimiter2DictFormat(char cDelemiter, char* sWordRet);

// Number of units of sWord (first nLen bytes) that belong to sCharSet. A
// two-byte unit belongs when its first occurrence in sCharSet starts at an
// even offset; a single byte when it occurs anywhere in sCharSet.
size_t GetCharCount(const char* sCharSet, const char* sWord, size_t nLen);

// Whether the text can be a day or hour number: at most three Chinese or
// full-width digits (or ten), or one or two ASCII digits.
bool IsDayTime(const char* sNum, unsigned nLen);

// Whether the text can be a year: Chinese numerals, four ASCII characters,
// two ASCII characters beginning above '4', a long number or one beginning
// with a full-width 5..9, or the thousand forms of Chinese years.
bool IsYearTime(const char* sNum, int length);

// Whether the text is a number: an optional sign, full-width or ASCII digits,
// an optional decimal or ratio separator with digits after it, an optional
// percent or per-mille sign and an optional run of magnitude characters
// (hundred, thousand, ten thousand, ...).
bool IsAllNum(const char* sString, size_t nLen);

// True when none of the first length bytes is 0x80 or above.
bool IsAllSingleByte(unsigned char* sString, size_t length);

#endif  // KAVEL_SEGMENT_CHAR_CLASS_H_
