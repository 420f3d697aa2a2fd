#include "encoding/unicode_convert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "encoding/code_table.h"

namespace {

TEST(UnicodeConvertTest, GbkAndUtf8WithoutLocale) {
  struct Case {
    std::string gbk, utf8;
  } cases[] = {
      {"\xD6\xD0\xCE\xC4 abc\r\n", "中文 abc\r\n"},
      {"", ""},
      {"\xA3\xAC\xA1\xA3", "，。"},
  };
  for (const Case& c : cases) {
    std::string s;
    ANSIToUTF8(c.gbk.c_str(), s);
    EXPECT_EQ(s, c.utf8);
    EXPECT_EQ(UTF8ToANSI(c.utf8.c_str(), s), 1u);
    EXPECT_EQ(s, c.gbk);
  }
  std::string s;
  // Characters outside GBK and malformed bytes become "?" one by one.
  UTF8ToANSI("a😀b\xE4\xB8\xAD\xE4", s);
  EXPECT_EQ(s, "a?b\xD6\xD0?");
  UTF8ToANSI("\xEF\xBB\xBF\xC0\xAFx", s);
  EXPECT_EQ(s, "??x");
  EXPECT_EQ(ANSIToUTF8("\xD6\xD0\xD6", s), 2u);
  EXPECT_EQ(s, "中?");
  EXPECT_EQ(ANSIToUTF8(nullptr, s), 0u);
  EXPECT_EQ(s, "");
  EXPECT_EQ(CodeTable()['A'], 'A');
  EXPECT_EQ(CodeTable()[0x4E2D], 0xD6D0);
  EXPECT_EQ(CodeTable()[0x20AC], 0x80);
  EXPECT_EQ(CodeTable()[0xE000 + 0x1800], 0);  // private use without GBK code
}

TEST(UnicodeConvertTest, Utf16Units) {
  unsigned short* units = nullptr;
  size_t size = 0;
  utf8_to_unicode(reinterpret_cast<unsigned char*>(const_cast<char*>("a中😀\xE4\xB8")), &units, &size);
  ASSERT_NE(units, nullptr);
  ASSERT_EQ(size, 8u);  // the cut-off sequence ends the decoding
  EXPECT_EQ(units[0], 'a');
  EXPECT_EQ(units[1], 0x4E2D);
  EXPECT_EQ(units[2], 0xD83D);
  EXPECT_EQ(units[3], 0xDE00);
  unsigned char* utf8 = nullptr;
  unicode_to_utf8(units, size, &utf8);
  EXPECT_STREQ(reinterpret_cast<char*>(utf8), "a中😀");
  free(utf8);

  char gbk[2 * 4 + 2];
  utoGbk(reinterpret_cast<const char*>(units), gbk, 4);
  EXPECT_EQ(std::string(gbk, 6), "a\xD6\xD0\xA1\xA1" + std::string(1, '\0'));
  EXPECT_EQ(gbk[6], 0);
  free(units);

  utf8_to_unicode(nullptr, &units, &size);
  EXPECT_EQ(size, 0u);
  free(units);
  unicode_to_utf8(nullptr, 4, &utf8);
  EXPECT_STREQ(reinterpret_cast<char*>(utf8), "");
  free(utf8);
}

TEST(UnicodeConvertTest, OneCodePointAndHex) {
  struct Case {
    unsigned long cp;
    std::string bytes;
  } cases[] = {
      {0x41, "A"},           {0x4E2D, "\xE4\xB8\xAD"},         {0x1F600, "\xF0\x9F\x98\x80"},
      {0x200000, "\xF8\x88\x80\x80\x80"}, {0x7FFFFFFF, "\xFD\xBF\xBF\xBF\xBF\xBF"},
  };
  for (const Case& c : cases) {
    unsigned char buf[6];
    int n = unicode_to_utf8_one(c.cp, buf, 6);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), n), c.bytes);
  }
  unsigned char buf[8];
  EXPECT_EQ(unicode_to_utf8_one(0x41, buf, 5), 0);
  EXPECT_EQ(unicode_to_utf8_one(0x80000000UL, buf, 8), 0);
  EXPECT_EQ(x2c("4e"), 'N');
  EXPECT_EQ(static_cast<unsigned char>(x2c("FF")), 0xFF);
  EXPECT_EQ(x2c(nullptr), 0);
  EXPECT_EQ(x2c(""), 0);
}

}  // namespace
