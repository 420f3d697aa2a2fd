#include "base/config_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(GetXMLItemValueTest, TakesTheFirstValueByPlainTagSearch) {
  struct Case {
    const char* sLine;
    const char* sItem;
    bool bFound;
    const char* sValue;
  } cases[] = {
      {"<Log>on</Log><Log>off</Log>", "Log", true, "on"},
      {"<A>x</A>", "A", true, "x"},
      {"<A>rest of text", "A", true, "rest of text"},
      {"<AB>x</AB>", "A", false, ""},
      {"<Log> off</Log>", "Log", true, " off"},  // nothing is trimmed
      {"<A></A>", "A", true, ""},
      {"", "A", false, ""},
      {nullptr, "A", false, ""},
      {"<A>x</A>", nullptr, false, ""},
  };
  for (const Case& c : cases) {
    std::string sLine = c.sLine ? c.sLine : "";
    std::vector<char> vecValue(sLine.size() + 1, 'z');
    EXPECT_EQ(GetXMLItemValue(c.sLine, c.sItem, vecValue.data()), c.bFound) << sLine;
    EXPECT_STREQ(vecValue.data(), c.sValue) << sLine;
    std::string sValue = "stale";
    EXPECT_EQ(GetXMLItemValue(c.sLine, c.sItem, sValue), c.bFound);
    EXPECT_EQ(sValue, c.sValue);
  }
}

TEST(GetFileLinesCountTest, CountsLinesAndRewinds) {
  struct Case {
    std::string sContent;
    size_t nLines;
  } cases[] = {
      {"a\nb\nc", 3},
      {"a\nb\n", 2},
      {"", 0},
      {"\n\n", 2},
      {std::string(2500, 'x') + "\nend\n", 4},  // a long line counts per 999 bytes
  };
  for (const Case& c : cases) {
    FILE* fp = tmpfile();
    ASSERT_NE(fp, nullptr);
    fwrite(c.sContent.data(), 1, c.sContent.size(), fp);
    EXPECT_EQ(GetFileLinesCount(fp), c.nLines);
    EXPECT_EQ(ftell(fp), 0);
    fclose(fp);
  }
  EXPECT_EQ(GetFileLinesCount(nullptr), 0u);
}

TEST(GetFileLinesCountTest, ReadErrorEndsTheCount) {
  FILE* fp = fopen("/tmp", "r");
  if (fp == nullptr) GTEST_SKIP() << "directories cannot be opened as files here";
  EXPECT_EQ(GetFileLinesCount(fp), 0u);
  fclose(fp);
}

}  // namespace
