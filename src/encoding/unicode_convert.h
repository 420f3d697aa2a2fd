// Byte-level converters between UTF-8, UTF-16 code units and GBK.
//
// All converters are table-driven and never touch the process locale; they
// accept null, empty, binary and truncated input. Conventions for what does
// not convert:
//   - a character that has no GBK code becomes "?" (one byte for the whole
//     character, so its neighbours are never touched);
//   - a malformed byte (a lone lead byte, a stray continuation byte, a
//     sequence cut off by the end) becomes "?" on its own;
//   - utoGbk keeps its documented ideographic space A1 A1 instead.
#ifndef KAVEL_ENCODING_UNICODE_CONVERT_H_
#define KAVEL_ENCODING_UNICODE_CONVERT_H_

#include <cstddef>
#include <cstdint>
#include <string>

// GBK text to UTF-8 (appended to sUTF8Str after clearing it). Returns the
// number of characters written; a null text gives 0 and an empty result.
size_t ANSIToUTF8(const char* Str, std::string& sUTF8Str);
// UTF-8 text (a leading byte-order mark is dropped) to GBK. Returns 1.
size_t UTF8ToANSI(const char* sUTF8Str, std::string& sAnsiStr);

// NUL-terminated UTF-8 to 16-bit code units in a malloc'ed array the caller
// frees; *outsize is its length in bytes (without the terminating unit).
// Characters above U+FFFF become a surrogate pair; malformed bytes are
// skipped, and a sequence cut off by the end of the text ends the decoding.
void utf8_to_unicode(unsigned char* in, unsigned short** out, size_t* outsize);
// insize bytes of 16-bit units to NUL-terminated UTF-8 in a malloc'ed array
// (3 x units + 1 bytes); surrogate pairs become one 4-byte character, a lone
// surrogate is dropped.
void unicode_to_utf8(unsigned short* in, size_t insize, unsigned char** out);
// One code point to 1 to 6 UTF-8 bytes; 0 when outSize is 5 or less or the
// value exceeds 0x7FFFFFFF.
int unicode_to_utf8_one(unsigned long unic, unsigned char* pOutput, int outSize);
// num little-endian 16-bit units to GBK: ASCII as itself, other units as the
// two bytes of their GBK code or A1 A1 when they have none (a surrogate pair
// gives one A1 A1). The output is followed by two zero bytes: Gbkstring holds
// 2 x num + 2 bytes.
void utoGbk(const char* unicode, char* Gbkstring, size_t num);
// Two hex digits (either case) to a byte; 0 for a null pointer, and a
// non-digit counts as 0.
char x2c(const char* from);

// ---- Shared pieces of the converters ----

// The well-formed UTF-8 character at p (nLeft bytes available): its length
// 1 to 4 and code point, or 0 when the bytes there are malformed or cut off.
size_t DecodeUtf8Char(const unsigned char* p, size_t nLeft, uint32_t* pCodePoint);
// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(uint32_t nCodePoint, std::string& sOut);
// nLen bytes of a double-byte text (GBK, or BIG5 with its table) to UTF-8,
// appended to sOut. Returns the number of characters written.
size_t DoubleByteToUtf8(const char* pText, size_t nLen, const unsigned short* pToUnicode,
                        std::string& sOut);
// nLen bytes of UTF-8 to GBK, appended to sOut (never longer than nLen).
void Utf8ToGbk(const char* pText, size_t nLen, std::string& sOut);
// nUnits little-endian 16-bit units to GBK, appended to sOut (at most two
// bytes per unit).
void Utf16ToGbk(const char* pUnits, size_t nUnits, std::string& sOut);
// nUnits little-endian 16-bit units to UTF-8, appended to sOut.
void Utf16ToUtf8(const char* pUnits, size_t nUnits, std::string& sOut);

#endif  // KAVEL_ENCODING_UNICODE_CONVERT_H_
