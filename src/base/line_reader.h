// Line-by-line reading of text files of any line length.
#ifndef KAVEL_BASE_LINE_READER_H_
#define KAVEL_BASE_LINE_READER_H_

#include <cstddef>
#include <cstdio>
#include <string>

// Reads a text file one line at a time into a reused buffer. Lines have no
// length limit; the line end ("\n" or "\r\n", and any run of them) is removed.
class CLineReader {
 public:
  // Reads from a file the caller keeps open and closes.
  explicit CLineReader(FILE* fp) : m_fp(fp) {}
  // Opens the file ("rb") and closes it at destruction; check IsOpen(). With
  // bSkipByteOrderMark a UTF-8 byte-order mark at the start of the first line
  // is dropped.
  CLineReader(const char* sFilename, bool bSkipByteOrderMark);
  ~CLineReader();
  CLineReader(const CLineReader&) = delete;
  CLineReader& operator=(const CLineReader&) = delete;

  bool IsOpen() const { return m_fp != nullptr; }
  // The next line; false at the end of the file.
  bool Next(std::string* pLine);

 private:
  FILE* m_fp;
  bool m_bOwned = false;
  bool m_bSkipByteOrderMark = false;
  bool m_bFirst = true;
  char* m_sBuf = nullptr;
  size_t m_nCap = 0;
};

#endif  // KAVEL_BASE_LINE_READER_H_
