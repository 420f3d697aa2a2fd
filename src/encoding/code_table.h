// Character tables between Unicode (BMP code units), GBK and BIG5.
//
// The tables come from the C library's character converters and are built
// once, on first use, by whichever thread gets there first; afterwards they
// are read-only and safe to share.
#ifndef KAVEL_ENCODING_CODE_TABLE_H_
#define KAVEL_ENCODING_CODE_TABLE_H_

#include <cstddef>
#include <cstdint>

// Entries of a double-byte-to-Unicode table (see DoubleByteIndex).
constexpr size_t kDoubleByteTableSize = 24576;

// Slot of a double-byte character (lead >= 0x80) in a 24576-entry table:
// (second - 0x40) * 128 + (first - 0x80) when the second byte is above 0x40,
// first - 0x80 otherwise.
inline size_t DoubleByteIndex(unsigned char first, unsigned char second) {
  return second > 0x40 ? static_cast<size_t>(second - 0x40) * 128 + (first - 0x80)
                       : static_cast<size_t>(first - 0x80);
}

// 65536 entries: the GBK code (first byte * 256 + second byte) of every
// Unicode code unit; ASCII maps to itself, U+20AC to 0x80, and a unit without
// a GBK character to 0.
const unsigned short* CodeTable();

// 24576 entries each: the Unicode code unit of every GBK / BIG5 double-byte
// character, 0 where a slot holds none.
const unsigned short* GbkToUnicodeTable();
const unsigned short* Big5ToUnicodeTable();

// True for a well-formed GBK double-byte pair (lead 0x81-0xFE, trail
// 0x40-0xFE without 0x7F); BIG5 pairs have the same shape.
inline bool IsDoubleBytePair(unsigned char first, unsigned char second) {
  return first >= 0x81 && first <= 0xFE && second >= 0x40 && second <= 0xFE && second != 0x7F;
}

// One character at a time between a named encoding of the C library's
// converters and Unicode code points. Not shareable between threads.
class CharsetCodec {
 public:
  explicit CharsetCodec(const char* sCharset);
  ~CharsetCodec();
  CharsetCodec(const CharsetCodec&) = delete;
  CharsetCodec& operator=(const CharsetCodec&) = delete;

  // False when the C library does not know the encoding.
  bool IsOpen() const { return m_pDecoder != nullptr && m_pEncoder != nullptr; }
  // Decodes pBytes as exactly one character; false otherwise.
  bool Decode(const char* pBytes, size_t nLen, uint32_t* pCodePoint);
  // Encodes one code point (pOut holds 8 bytes); returns the byte count, 0
  // when the encoding has no such character.
  size_t Encode(uint32_t nCodePoint, char* pOut);

 private:
  void* m_pDecoder = nullptr;
  void* m_pEncoder = nullptr;
};

#endif  // KAVEL_ENCODING_CODE_TABLE_H_
