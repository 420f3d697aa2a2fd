// Conversion of UTF-8 input lines to GBK for the engine, keeping for every
// GBK byte the offset of the input byte it came from.
#ifndef KAVEL_PROGRAMS_KAVEL_SEGMENT_TEXT_BRIDGE_H_
#define KAVEL_PROGRAMS_KAVEL_SEGMENT_TEXT_BRIDGE_H_

#include <string>
#include <vector>

// The GBK form of a UTF-8 line. vecOffset gets one entry per GBK byte plus a
// final one: the offset in the input of the character that byte belongs to
// (the input length at the end). A malformed byte or a character without a
// GBK code becomes "?".
void Utf8LineToGbk(const std::string& sLine, std::string& sGBK, std::vector<int>& vecOffset);

// GBK (nEncoding 0 or 3), BIG5 (2) or already UTF-8 text (anything else) as UTF-8.
std::string ToUtf8(const char* pText, size_t nLen, int nEncoding);

#endif  // KAVEL_PROGRAMS_KAVEL_SEGMENT_TEXT_BRIDGE_H_
