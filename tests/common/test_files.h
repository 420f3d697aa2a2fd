// File helpers shared by the tests: whole-file reading and writing, 32-bit
// fields of binary files, and a temporary directory removed with its owner.
#ifndef KAVEL_TESTS_COMMON_TEST_FILES_H_
#define KAVEL_TESTS_COMMON_TEST_FILES_H_

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteAll(const std::string& sPath, const std::string& sData) {
  std::ofstream out(sPath, std::ios::binary | std::ios::trunc);
  out << sData;
}

// The 32-bit little-endian field at byte nOffset (0 past the end).
inline int32_t Int32At(const std::string& sData, size_t nOffset) {
  int32_t n = 0;
  if (nOffset + 4 <= sData.size()) memcpy(&n, sData.data() + nOffset, 4);
  return n;
}

inline std::string Int32Bytes(int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

// A fresh directory under /tmp, removed with everything in it when the
// object goes.
class ScopedTempDir {
 public:
  explicit ScopedTempDir(const char* sPrefix = "kavel") {
    std::string sTemplate = std::string("/tmp/") + sPrefix + "_XXXXXX";
    if (mkdtemp(&sTemplate[0]) != nullptr) m_sDir = sTemplate;
  }
  ~ScopedTempDir() {
    std::error_code ec;
    if (!m_sDir.empty()) std::filesystem::remove_all(m_sDir, ec);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::string& Dir() const { return m_sDir; }
  std::string Path(const std::string& sName) const { return m_sDir + "/" + sName; }

 private:
  std::string m_sDir;
};

#endif  // KAVEL_TESTS_COMMON_TEST_FILES_H_
