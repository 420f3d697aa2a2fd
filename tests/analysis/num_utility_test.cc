#include "analysis/num_utility.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NumUtilityTest, NumberTypes) {
  struct Case {
    const char* text;
    size_t size;
    int expected;
  };
  const Case kCases[] = {
      {"2016-01-02", 0, 52},
      {"1999.12", 0, 52},
      {"2016-01-020", 0, -1},        // 9 bytes joined
      {"20160102", 0, 100},          // one piece: not a date
      {"010-12345678", 0, 100},
      {"23456789", 0, 100},
      {"12345678", 0, -1},
      {"01234567", 0, -1},
      {"13912345678", 0, 100},
      {"(0755) 1234 5678", 0, 100},  // 12 bytes starting with 0
      {"123456789012", 0, -1},
      {"11010519491231002X", 0, 101},
      {"110105194912310021", 0, -1},  // wrong check character
      {"110105491231002", 0, 101},
      {"\xA3\xB2\xA3\xB0\xA3\xB1\xA3\xB6\xA3\xAD\xA3\xB0\xA3\xB1\xA3\xAD\xA3\xB0\xA3\xB2", 0, 52},
      {"23456789999", 8, 100},        // only the first 8 bytes count
      {"2345", 100, -1},              // a size past the NUL stops at it
      {"", 0, -1},
      {"-.-", 0, -1},
      {"\xA3", 0, -1},
  };
  for (const Case& c : kCases) EXPECT_EQ(GetNumType(c.text, c.size), c.expected) << c.text;
  EXPECT_EQ(GetNumType(nullptr, 0), -1);
  std::string sLong(100000, '7');
  EXPECT_EQ(GetNumType(sLong.c_str(), 0), -1);
}

TEST(NumUtilityTest, ChineseNumerals) {
  EXPECT_EQ(ChineseNum2Digit("\xC8\xFD"), 3);
  EXPECT_EQ(ChineseNum2Digit("\xD2\xDA"), 100000000);
  EXPECT_EQ(ChineseNum2Digit("ab"), -2);
  EXPECT_EQ(ChineseNum2Digit("\xC8"), -2);
  EXPECT_EQ(ChineseNum2Digit(nullptr), -2);

  struct Case {
    const char* text;
    long long expected;
  };
  const Case kCases[] = {
      {"\xC8\xFD\xC7\xA7\xC1\xE3\xCE\xE5\xCA\xAE", 3050},
      {"\xD2\xBB\xB6\xFE\xC8\xFD", 123},
      {"\xCA\xAE\xCE\xE5", 15},
      {"\xC1\xBD\xCD\xF2\xC1\xE3\xC8\xFD", 20003},
      {"\xD2\xBB\xD2\xDA\xB6\xFE\xC7\xA7\xCD\xF2", 120000000},
      {"2017", 2017},
  };
  for (const Case& c : kCases) {
    long long nValue = -1;
    EXPECT_TRUE(Str2Integer(c.text, &nValue)) << c.text;
    EXPECT_EQ(nValue, c.expected) << c.text;
  }
  long long nValue = 7;
  EXPECT_FALSE(Str2Integer("\xC8\xFDx", &nValue));
  EXPECT_FALSE(Str2Integer(std::string(40, '9').c_str(), &nValue));
  EXPECT_FALSE(Str2Integer("", &nValue));
  EXPECT_EQ(nValue, 7);
}

}  // namespace
