// Whole-file reading.
#ifndef KAVEL_BASE_READ_FILE_H_
#define KAVEL_BASE_READ_FILE_H_

#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>

// A reader that keeps one file open between calls. Opening and reading of one
// object are serialised, so one reader may serve several threads.
class CReadFile {
 public:
  CReadFile();
  ~CReadFile();
  CReadFile(const CReadFile&) = delete;
  CReadFile& operator=(const CReadFile&) = delete;

  // Reads `length` bytes from `offset` (the whole file when length is 0 and
  // bZeroIsAll is true) into a new zero-terminated array of length + 1 bytes
  // that the caller frees with delete[]. Returns the number of bytes placed in
  // the buffer, never more than the file holds past the offset. A missing
  // file or one that is not a regular file (a directory) returns 0 and leaves
  // *pBuffer untouched; an empty file returns 0 with a one-byte buffer holding
  // a zero.
  size_t ReadFile(const char* sFilename, char** pBuffer, long offset = 0, size_t length = 0,
                  bool bZeroIsAll = true);

 private:
  std::string m_sFileRead;
  FILE* m_fpFileRead = nullptr;
  std::mutex m_mutex;
  size_t m_nFileSize = 0;
};

// CReadFile::ReadFile on a reader made for this call alone.
size_t ReadFile(const char* sFilename, char** pBuffer, long offset = 0, size_t length = 0,
                bool bZeroIsAll = true);

// The whole file as a string; false when it cannot be read (a missing file,
// a directory).
bool ReadTextFile(const char* sFilename, std::string* psText);

#endif  // KAVEL_BASE_READ_FILE_H_
