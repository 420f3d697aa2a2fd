// Byte scrambler of the scrambled word lists.
//
// Byte i of a buffer is combined by exclusive or with key byte i modulo the
// key length. The operation is its own inverse: the same call scrambles and
// unscrambles.
#ifndef KAVEL_LEXICON_QUIB_ENCRIPT_H_
#define KAVEL_LEXICON_QUIB_ENCRIPT_H_

#include <cstdio>
#include <string>

class CQuibEncript {
 public:
  // Copies the key; a null key is the empty key.
  explicit CQuibEncript(const char* sKey);

  // Scrambles nLen bytes in place. False, with the buffer unchanged, when the
  // key is empty (or the buffer is null while nLen is not 0).
  bool Encrypt(char* sSrcMem, unsigned long nLen);
  // The same on the bytes of a string.
  bool Encrypt(std::string& sSrcMem);
  // Reads sSrcFilename from byte offset to its end, scrambles the bytes and
  // writes them to sDstFilename, replacing it only when the whole write
  // succeeded. False when the key is empty, the offset is negative or beyond
  // the file, or a file cannot be opened, read or written.
  bool Encrypt(const char* sSrcFilename, const char* sDstFilename, long offset);
  // The same from the current position of an open file to its end.
  bool Encrypt(FILE* fpSrc, char* sDstFilename);

  unsigned int KeyLength() const { return m_nKeyLen; }

 private:
  bool ScrambleToFile(const std::string& sData, const char* sDstFilename);

  std::string m_sKey;
  unsigned int m_nKeyLen;
};

// The fixed key of the engine's scrambled word lists: a 136-byte GBK text
// (58 double-byte characters and 20 ASCII bytes), NUL-terminated.
const char* WordListScrambleKey();

#endif  // KAVEL_LEXICON_QUIB_ENCRIPT_H_
