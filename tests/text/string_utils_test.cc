#include "text/string_utils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(StrNormalizeTest, CollapsesAndTrimsWhiteSpace) {
  struct Case {
    const char* sIn;
    const char* sOut;
  } cases[] = {
      {" \t a \t\r\n  b\t \n", "a b"},
      {"ab", "ab"},
      {"  \t", ""},
      {"", ""},
      {"a\r\nb", "a b"},
  };
  for (const Case& c : cases) {
    std::string s(c.sIn);
    EXPECT_STREQ(StrNormalize(&s[0]), c.sOut) << '"' << c.sIn << '"';
  }
  EXPECT_EQ(StrNormalize(nullptr), nullptr);
}

TEST(TrimWordTest, RemovesAsciiAndFullWidthSpacesOnCharacterBoundaries) {
  struct Case {
    std::string sIn;
    bool bResult;
    std::string sOut;
  } cases[] = {
      {"\xA1\xA1 \r\nword\xA3\xA0\xA1\xA1\n", true, "word"},
      {"\xA1\xA1\xD6\xD0\xA1\xA1\xCE\xC4 ", true, "\xD6\xD0\xA1\xA1\xCE\xC4"},
      {"   ", true, ""},
      {"\xA1\xA1\t\xA3\xA0", true, ""},
      {"", false, ""},
      // The trailing A1 A1 bytes straddle a character (C4 A1) and a lone A1:
      // no full-width space is there to remove.
      {"\xC4\xA1\xA1", true, "\xC4\xA1\xA1"},
  };
  for (Case& c : cases) {
    std::string s = c.sIn;
    EXPECT_EQ(gfn_bTrimWord(s), c.bResult);
    EXPECT_EQ(s, c.sOut);
  }
}

TEST(ReplaceSubstrTest, ReplacesEachOccurrenceOnce) {
  struct Case {
    const char* sIn;
    const char* sOld;
    const char* sNew;
    size_t nCount;
    const char* sOut;
  } cases[] = {
      {"a_b_c_", "_", " ", 3, "a b c "},
      {"xax a", "a", "aa", 2, "xaax aa"},  // inserted text is not searched again
      {"aaa", "aa", "b", 1, "ba"},
      {"abc", "", "x", 0, "abc"},
      {"abc", nullptr, "x", 0, "abc"},
      {"", "a", "b", 0, ""},
      {"abcabc", "bc", nullptr, 2, "aa"},
  };
  for (const Case& c : cases) {
    std::string s(c.sIn);
    EXPECT_EQ(gfn_vReplaceSubstr(s, c.sOld, c.sNew), c.nCount) << c.sIn;
    EXPECT_EQ(s, c.sOut) << c.sIn;
  }
}

TEST(QuanJiaoTest, ConvertsDigitsLettersAndPunctuation) {
  struct Case {
    std::string sIn;
    bool bChanged;
    std::string sOut;
  } cases[] = {
      {"\xA3\xB0\xA3\xB9\xA3\xC1\xA3\xDA\xA3\xE1\xA3\xFA", true, "09AZaz"},
      {"\xA1\xA2\xA1\xA3\xA1\xB0x\xA1\xB1\xA3\xA8\xA3\xA9\xA3\xDF\xA3\xFD", true,
       ",.\"x\"()_}"},
      {"\xA8\x42\xA8\x44\xA9\x6F\xA9\x80\xA9\x85\xA9\x88", true, ".-,+\\@"},
      // Chinese characters, the full-width space and ASCII stay as they are.
      {"\xD6\xD0\xA3\xA0 ab", false, "\xD6\xD0\xA3\xA0 ab"},
      // The second byte of one character and the first of the next spell the
      // table code A1 A2, but no character A1 A2 is there.
      {"\xB0\xA1\xA2\xC0", false, "\xB0\xA1\xA2\xC0"},
      {"", false, ""},
  };
  for (Case& c : cases) {
    std::string s = c.sIn;
    EXPECT_EQ(QuanJiao2BanJiao(&s[0]), c.bChanged);
    EXPECT_STREQ(s.c_str(), c.sOut.c_str());
  }
  EXPECT_FALSE(QuanJiao2BanJiao(nullptr));
}

TEST(QuanJiaoTest, LoneTrailingHighByteIsCopiedWithoutReadingPastIt) {
  // Heap buffer sized exactly, so a read past the NUL is caught by the
  // address sanitizer.
  const char sText[] = "\xA3\xB1\xB0";
  char* p = new char[sizeof(sText)];
  memcpy(p, sText, sizeof(sText));
  EXPECT_TRUE(QuanJiao2BanJiao(p));
  EXPECT_STREQ(p, "1\xB0");
  delete[] p;
}

}  // namespace
