// Helpers shared by the word-list, unigram and bigram tests: a scratch
// directory, whole-file reading and writing, little-endian fields and a small
// dictionary built in memory.
#ifndef KAVEL_TESTS_LEXICON_TABLE_FIXTURE_H_
#define KAVEL_TESTS_LEXICON_TABLE_FIXTURE_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "base/log.h"
#include "common/test_files.h"
#include "lexicon/pdat.h"

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_sLogPath = m_sDir;  // keeps the log lines of skipped words out of the build tree
  }

  std::string Path(const std::string& sName) const { return m_tempDir.Path(sName); }

  // The 32-bit little-endian field at byte nOffset.
  static int32_t Field(const std::string& sData, size_t nOffset) {
    int32_t n = 0;
    if (nOffset + 4 <= sData.size()) memcpy(&n, sData.data() + nOffset, 4);
    return n;
  }
  static std::string Ints(std::initializer_list<int32_t> values) {
    std::string s;
    for (int32_t n : values) s.append(reinterpret_cast<const char*>(&n), 4);
    return s;
  }
  // A completed dictionary whose words get handles 0, 1, ... in list order.
  static std::unique_ptr<CPDAT> MakeDict(std::initializer_list<const char*> words) {
    std::unique_ptr<CPDAT> pDict(new CPDAT(0));
    for (const char* w : words) pDict->AddWord(w);
    pDict->AddWordComplete();
    return pDict;
  }

  ScopedTempDir m_tempDir{"kavel_tables"};
  const std::string& m_sDir = m_tempDir.Dir();
};

#endif  // KAVEL_TESTS_LEXICON_TABLE_FIXTURE_H_
