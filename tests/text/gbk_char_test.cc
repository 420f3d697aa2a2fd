#include "text/gbk_char.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GetcharTest, TakesOneOrTwoBytes) {
  char sChar[8];
  EXPECT_EQ(Getchar("\xD6\xD0x", sChar), 2u);
  EXPECT_STREQ(sChar, "\xD6\xD0");
  EXPECT_EQ(Getchar("\xD6", sChar), 1u);  // lone high byte at the end
  EXPECT_EQ(Getchar("", sChar), 0u);
  EXPECT_EQ(Getchar(nullptr, sChar), 0u);
  EXPECT_EQ(GetUTF8Char("\xE4\xB8\xAD!", sChar), 3u);
  EXPECT_EQ(GetUTF8Char("\xE4\xB8", sChar), 2u);  // cut to the bytes left
  EXPECT_EQ(GetUTF8Char("\xFC", sChar), 1u);
}

TEST(GetCharCodeTest, PairsFoldsAndStopsAtTheEnd) {
  const char sText[] = "\xB0\xA1Z\xC4";
  size_t i = 0;
  EXPECT_EQ(GetCharCode(sText, i, 4), 0xB0A1u);
  EXPECT_EQ(i, 2u);
  EXPECT_EQ(GetCharCode(sText, i, 4), static_cast<size_t>('z'));
  EXPECT_EQ(GetCharCode(sText, i, 4), 0xC4u);  // last byte stands alone
  EXPECT_EQ(i, 4u);
  EXPECT_EQ(GetCharCode(sText, i, 4), 0u);
  size_t j = 0;
  EXPECT_EQ(GetCharCode(nullptr, j, 3), 0u);
  EXPECT_EQ(j, 1u);
}

TEST(CCFindTest, OnlyAlignedFirstOccurrence) {
  // "\xA1\xA2\xA1\xA3": the code A2 A1 first occurs at offset 1.
  const char sTable[] = "\xA1\xA2\xA1\xA3\xA2\xA1";
  EXPECT_EQ(CC_Find(sTable, "\xA1\xA3"), sTable + 2);
  EXPECT_EQ(CC_Find(sTable, "\xA2\xA1"), nullptr);
  EXPECT_EQ(CC_Find(sTable, "\xB0\xA1"), nullptr);
  EXPECT_EQ(CC_Find(sTable, ""), nullptr);
  EXPECT_EQ(CC_Find(nullptr, "a"), nullptr);
}

TEST(CharStatTest, CountsGbkAndUtf8Units) {
  size_t nSingle = 9, nMulti = 9;
  EXPECT_EQ(CharStat("a \xD6\xD0\t\xCE\xC4\r\nb", nSingle, nMulti, false), 4);
  EXPECT_EQ(nSingle, 2u);
  EXPECT_EQ(nMulti, 2u);
  EXPECT_EQ(CharStat("\xE4\xB8\xAD" "a", nSingle, nMulti, true), 2);
  EXPECT_EQ(CharStat(nullptr, nSingle, nMulti, true), 0);
}

}  // namespace
