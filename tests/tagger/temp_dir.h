// A fresh directory per test, removed afterwards, and whole-file helpers.
#ifndef KAVEL_TESTS_TAGGER_TEMP_DIR_H_
#define KAVEL_TESTS_TAGGER_TEMP_DIR_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
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
  std::ofstream out(sPath, std::ios::binary);
  out << sData;
}

inline int32_t Int32At(const std::string& sData, size_t nOffset) {
  int32_t n = 0;
  memcpy(&n, sData.data() + nOffset, 4);
  return n;
}

inline std::string Int32Bytes(int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_tagger_XXXXXX";
    m_sDir = mkdtemp(sTemplate);
  }
  void TearDown() override { (void)system(("rm -rf " + m_sDir).c_str()); }
  std::string Path(const char* sName) const { return m_sDir + "/" + sName; }
  std::string m_sDir;
};

#endif  // KAVEL_TESTS_TAGGER_TEMP_DIR_H_
