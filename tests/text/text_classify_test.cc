#include "text/text_classify.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

TEST(IsEnglishTextTest, SamplesTheText) {
  struct Case {
    const char* sText;
    bool bEnglish;
  } cases[] = {
      {"The quick brown fox jumps over the lazy dog.", true},
      {"The quick brown \xD6\xD0\xCE\xC4 fox jumps over the lazy dog.", false},
      {"1234567890 12345 abc", false},  // too few letters among the samples
      {"abcdefghij", true},
      {"\xA1\xA1" "abcdefghijklmnop", true},  // A1 and B1 are tolerated
      {"a\xD6xxxxxxxxxxxxxxxxxxx", false},  // byte 1 is tested too
      {"", false},
      {nullptr, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsEnglishText(c.sText), c.bEnglish) << (c.sText ? c.sText : "(null)");
  }
}

TEST(IsEnglishTextTest, ReadsFiles) {
  char sName[] = "/tmp/kavel_eng_XXXXXX";
  int fd = mkstemp(sName);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_FALSE(IsEnglishTextFile(sName));  // empty
  FILE* fp = fopen(sName, "wb");
  fputs("Plain English words in a file.", fp);
  fclose(fp);
  EXPECT_TRUE(IsEnglishTextFile(sName));
  unlink(sName);
  EXPECT_FALSE(IsEnglishTextFile(sName));
  EXPECT_FALSE(IsEnglishTextFile(nullptr));
}

TEST(BinarySearchTest, FindsWithoutRegardToCase) {
  const char* sTable[] = {"apple", "Banana", "cherry", "DATE", "fig"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(BinarySearch(sTable[i], sTable, 5), i);
  EXPECT_EQ(BinarySearch("BANANA", sTable, 5), 1);
  EXPECT_EQ(BinarySearch("date", sTable, 5), 3);
  EXPECT_EQ(BinarySearch("egg", sTable, 5), -1);
  EXPECT_EQ(BinarySearch("zzz", sTable, 5), -1);
  EXPECT_EQ(BinarySearch("apple", sTable, 0), -1);
  EXPECT_EQ(BinarySearch(nullptr, sTable, 5), -1);
  EXPECT_EQ(BinarySearch("apple", nullptr, 5), -1);
}

}  // namespace
