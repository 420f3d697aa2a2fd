// The character-type table: one small integer type for every character code
// (0..0xFFFF, the code of a GBK double-byte character being first byte * 256 +
// second byte, a single byte being its own code). Type 0 means no type; the
// atom segmenter gives the other numbers their roles.
//
// Binary file ("charset.type"), 65,540 bytes exactly:
//   0   4        m_nSize, signed 32-bit little-endian
//   4   65536    one type byte per code, indexed by code
//
// Text form (Import / Export), one entry per line: a character (GBK), white
// space, its type as a decimal number (the low byte is kept).
//
// Source form (ImportSource), the readable table the data set is kept in:
//   # a comment runs from '#' to the end of the line
//   <type>: <item> <item> ...
// where <type> is a decimal number 0..255 and each <item> is a character code
// in hexadecimal (1 to 4 digits, optionally "0x"-prefixed: "20", "A1A1") or an
// inclusive range of codes "LO-HI" ("A3B0-A3B9"). Items may be separated by
// blanks, tabs or commas. Later lines override earlier ones for the same code.
//
// Whatever the text or source says, Import and ImportSource end by giving tab,
// line feed, carriage return and space (codes 9, 10, 13, 32) type 28.
#ifndef KAVEL_SEGMENT_CHARSET_H_
#define KAVEL_SEGMENT_CHARSET_H_

#include <memory>
#include <string>

class CCharset {
 public:
  static const int kCodeCount = 0x10000;
  static const int kBlankType = 28;

  // An all-zero table; m_nSize is 0.
  CCharset();
  virtual ~CCharset();
  CCharset(const CCharset&) = delete;
  CCharset& operator=(const CCharset&) = delete;

  // Replaces the whole table with the text form. Returns the number of entries
  // read (also stored as m_nSize); 0, leaving the table as it was, when the
  // file cannot be opened. Lines without a character and a number are skipped.
  int Import(const char* sFilename);
  // Writes the text form: every single byte 0x21..0x80 and every two-byte
  // code with both bytes in the GBK ranges (high 0xA1..0xF7, low 0xA1..0xFE),
  // type 0 included. Returns m_nSize; 0 when the file cannot be written.
  int Export(const char* sFilename) const;

  // Replaces the whole table with a source file (see the file comment).
  // Returns false, leaving the table as it was and describing the first fault
  // in *psError (may be null) with its line number, when the file cannot be
  // read or a line is malformed. m_nSize becomes the number of codes listed.
  bool ImportSource(const char* sFilename, std::string* psError);
  // The same on source text in memory.
  bool ParseSource(const std::string& sText, std::string* psError);

  // Binary form. Save writes atomically (a failed save keeps the old file).
  // Load accepts only a file of exactly 65,540 bytes; otherwise it returns
  // false and leaves the table as it was.
  bool Save(const char* sFilename) const;
  bool Load(const char* sFilename);

  // The type of a code; -1 for a code outside 0..0xFFFF.
  int GetType(int nChar) const;
  // The type of the first character of sChar (two bytes when its first byte
  // is 0x80 or above and a second byte follows); -1 for a null pointer.
  int GetType(const char* sChar) const;

  int GetSize() const { return m_nSize; }

 private:
  // Gives the blanks and line breaks their fixed type.
  void MarkBlanks(unsigned char* pData) const;

  std::unique_ptr<unsigned char[]> m_pData;
  int m_nSize = 0;
};

#endif  // KAVEL_SEGMENT_CHARSET_H_
