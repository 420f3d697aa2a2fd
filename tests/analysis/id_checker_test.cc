#include "analysis/id_checker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(IdCheckerTest, ValidCheckReasons) {
  struct Case {
    const char* id;
    int expected;
  };
  const Case kCases[] = {
      {"11010519491231002X", 1},    // correct check character
      {"370102199001011231", 1},
      {"440304200002290014", 1},    // 29 February of a leap year
      {"110105491231002", 1},       // 15 digits, checked in the long form
      {"11010519491231002x", -3},   // lower-case x is not X
      {"110105194912310021", -3},   // wrong check character
      {"990105194912310023", -4},   // no province 99
      {"440304190002290018", -5},   // 1900 is not a leap year
      {"11010519900230001X", -5},   // 30 February
      {"110105300001010014", -5},   // born in the year 3000
      {"1101051949123100", -1},
      {"11010519491231002X1", -1},
      {"", -1},
      {"1101A519491231002X", -2},
      {"11010549123100A", -2},
  };
  CCIDChecker checker;
  for (const Case& c : kCases) EXPECT_EQ(checker.ValidCheck(c.id), c.expected) << c.id;
  EXPECT_EQ(checker.ValidCheck(nullptr), -1);
}

TEST(IdCheckerTest, LongFormAndCheckCode) {
  CCIDChecker checker;
  char sLong[19];
  ASSERT_EQ(checker.Change15To18("110105491231002", sLong), 1);
  EXPECT_STREQ(sLong, "11010519491231002X");
  EXPECT_EQ(checker.GetCheckCode("37010219900101123"), '1');

  // Non-digits never index outside the check table.
  EXPECT_EQ(checker.GetCheckCode("3701021990010112!"), 0);
  EXPECT_EQ(checker.GetCheckCode("370102"), 0);
  EXPECT_EQ(checker.Change15To18("11010549123100", sLong), 0);
  EXPECT_STREQ(sLong, "");
}

TEST(IdCheckerTest, PersonInfo) {
  CCIDChecker checker;
  _tPersonInfo info;
  ASSERT_TRUE(checker.ExtractPersonInfo("150102198712240047", info));
  EXPECT_EQ(info.district_id, 150102);
  EXPECT_EQ(info.birthday.tm_year + 1900, 1987);
  EXPECT_EQ(info.birthday.tm_mon + 1, 12);
  EXPECT_EQ(info.birthday.tm_mday, 24);
  EXPECT_EQ(info.gender, 0);
  EXPECT_STREQ(info.prov, "\xC4\xDA\xC3\xC9\xB9\xC5");  // the longest name fits

  ASSERT_TRUE(checker.ExtractPersonInfo("11010519491231003X", info));
  EXPECT_EQ(info.gender, 1);
  EXPECT_STREQ(info.prov, "\xB1\xB1\xBE\xA9");

  info.district_id = 990000;
  EXPECT_FALSE(checker.GetProv(info));
  EXPECT_STREQ(info.prov, "");
}

TEST(IdCheckerTest, DateLimits) {
  struct tm date {};
  date.tm_year = 2001 - 1900;
  date.tm_mon = 3;  // April
  date.tm_mday = 31;
  EXPECT_FALSE(IsValidDate(date, false));
  date.tm_mday = 30;
  EXPECT_TRUE(IsValidDate(date, false));
  date.tm_year = 2400 - 1900;  // in the future
  EXPECT_TRUE(IsValidDate(date, false));
  EXPECT_FALSE(IsValidDate(date, true));
  date.tm_year = 1700 - 1900;  // more than 150 years ago
  EXPECT_FALSE(IsValidDate(date, false));
  date.tm_year = 2000 - 1900;
  date.tm_mon = 1;
  date.tm_mday = 29;
  EXPECT_TRUE(IsValidDate(date, true));
  date.tm_mon = 12;
  EXPECT_FALSE(IsValidDate(date, true));
}

}  // namespace
