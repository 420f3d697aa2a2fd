// A fresh directory per test, removed afterwards, and whole-file helpers.
#ifndef KAVEL_TESTS_TAGGER_TEMP_DIR_H_
#define KAVEL_TESTS_TAGGER_TEMP_DIR_H_

#include <gtest/gtest.h>

#include "common/test_files.h"
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

class TempDirTest : public ::testing::Test {
 protected:
  std::string Path(const char* sName) const { return m_tempDir.Path(sName); }
  ScopedTempDir m_tempDir{"kavel_tagger"};
  const std::string& m_sDir = m_tempDir.Dir();
};

#endif  // KAVEL_TESTS_TAGGER_TEMP_DIR_H_
