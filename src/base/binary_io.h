// Safe reading and writing of the engine's binary data files.
//
// The data files are raw 32-bit little-endian dumps without header or magic.
// Nothing in them is trusted: BinaryFileReader checks every count against the
// bytes actually left in the file before anything is allocated or copied, and
// AtomicFileWriter writes under a temporary name and renames it over the target
// only when every byte went out, so a failed save keeps the old file.
#ifndef KAVEL_BASE_BINARY_IO_H_
#define KAVEL_BASE_BINARY_IO_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

static_assert(sizeof(int) == 4, "the data formats need a 32-bit int");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the data formats are little-endian dumps of memory");

class BinaryFileReader {
 public:
  BinaryFileReader() = default;
  ~BinaryFileReader();
  BinaryFileReader(const BinaryFileReader&) = delete;
  BinaryFileReader& operator=(const BinaryFileReader&) = delete;

  // Opens a regular file for reading; false when it is missing or not a file.
  bool Open(const char* sFilename);

  size_t Size() const { return m_nSize; }
  size_t Remaining() const { return m_nSize - m_nPos; }
  bool AtEnd() const { return m_nPos == m_nSize; }

  // True when nCount elements of nElemSize bytes are still in the file.
  bool CanRead(size_t nElemSize, size_t nCount) const;

  bool ReadInt32(int32_t* pValue);
  bool ReadUInt32(uint32_t* pValue);
  // Reads nCount elements of nElemSize bytes; false, reading nothing, when
  // fewer are left.
  bool ReadArray(void* pDest, size_t nElemSize, size_t nCount);

 private:
  FILE* m_fp = nullptr;
  size_t m_nSize = 0;
  size_t m_nPos = 0;
};

class AtomicFileWriter {
 public:
  // Opens "<sFilename>.tmp<pid>-<serial>" for writing ("wb"), a name no other
  // writer of this process uses at the same time; check IsOpen().
  explicit AtomicFileWriter(const char* sFilename);
  // Removes the temporary file unless Commit() succeeded.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool IsOpen() const { return m_fp != nullptr; }
  // The open temporary file, for writers that format text into it.
  FILE* File() { return m_fp; }

  bool Write(const void* pData, size_t nBytes);
  bool WriteInt32(int32_t nValue);

  // Flushes, closes and renames the temporary file over the target. False
  // when any write failed or the rename did not happen; the target is then
  // left as it was.
  bool Commit();

 private:
  std::string m_sTarget;
  std::string m_sTemp;
  FILE* m_fp = nullptr;
  bool m_bFailed = false;
  bool m_bCommitted = false;
};

#endif  // KAVEL_BASE_BINARY_IO_H_
