// Walking GBK (and UTF-8) text one character at a time.
//
// A GBK character is one byte below 0x80, or two bytes whose first byte is
// 0x80 or more. The character code of a double-byte character is
// first byte * 256 + second byte; a single byte is its own code.
#ifndef KAVEL_TEXT_GBK_CHAR_H_
#define KAVEL_TEXT_GBK_CHAR_H_

#include <cstddef>

// Copies the character at sBuffer (two bytes when the first is 0x80 or more
// and the next is not 0, else one) into sChar (at least 3 bytes) with a NUL.
// Returns its length; 0 at the end of the text.
size_t Getchar(const char* sBuffer, char* sChar);

// The same for a UTF-8 character, whose length comes from its lead byte and is
// cut to the bytes left in the text (sChar holds at least 7 bytes).
size_t GetUTF8Char(const char* sBuffer, char* sChar);

// Code of the character at byte i of a text of nSize bytes; advances i past
// it. A byte of 0x80 or more that is not the last forms a pair with the next
// byte; ASCII capitals are folded to lower case. A null text or i at or past
// nSize gives 0 and advances i by one.
size_t GetCharCode(const char* sLine, size_t& i, size_t nSize);

// First occurrence of strCharSet in string when it starts on a 2-byte
// boundary; null when it starts on an odd byte, is absent or strCharSet is
// empty. Later occurrences are not examined.
const char* CC_Find(const char* string, const char* strCharSet);

// Counts the characters of sText (UTF-8 units when bUTF8, else GBK units):
// multi-byte characters into nMultiCharCount, single bytes other than space,
// tab, CR and LF into nSingleCharCount. Returns the sum of both.
int CharStat(const char* sText, size_t& nSingleCharCount, size_t& nMultiCharCount, bool bUTF8);

#endif  // KAVEL_TEXT_GBK_CHAR_H_
