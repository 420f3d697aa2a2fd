#include "segment/char_class.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "segment_fixture.h"

namespace {

TEST(CharClassTest, GetcharReadsOneCharacterAndItsCode) {
  struct Case {
    const char* sText;
    size_t nLen;
    int nCode;
  } cases[] = {
      {"", 0, -1}, {"a", 1, 'a'}, {"\xD6\xD0x", 2, 0xD6D0}, {"\xB0", 1, 0xB0}, {"\x80\x41", 2, 0x8041},
  };
  for (const Case& c : cases) {
    int nCode = 7;
    EXPECT_EQ(c.nLen, Getchar(c.sText, &nCode)) << c.sText;
    EXPECT_EQ(c.nCode, nCode) << c.sText;
  }
  int nCode = 7;
  EXPECT_EQ(0u, Getchar(static_cast<const char*>(nullptr), &nCode));
  EXPECT_EQ(-1, nCode);
}

TEST(CharClassTest, DelimitersMapToTheirFullWidthForms) {
  const char* kAscii = ".,;:?!%(){+}[]/=";
  const char* kFull = "。，；：？！％（）｛＋｝［］／＝";
  std::string sFull = Gbk(kFull);
  for (size_t k = 0; k < strlen(kAscii); k++) {
    char sWord[3] = {'x', 'x', 'x'};
    EXPECT_TRUE(Delimiter2DictFormat(kAscii[k], sWord)) << kAscii[k];
    EXPECT_EQ(sFull.substr(2 * k, 2), std::string(sWord)) << kAscii[k];
  }
  for (char c : {'a', '-', '"', '^', '<'}) {
    char sWord[3] = {'x', 'x', 'x'};
    EXPECT_FALSE(Delimiter2DictFormat(c, sWord)) << c;
    EXPECT_EQ(std::string(1, c), std::string(sWord));
  }
}

TEST(CharClassTest, CharCountUsesEvenAlignedMembership) {
  std::string sSet = Gbk("百千");  // B0D9 C7A7: the pair D9C7 straddles two characters
  struct Case {
    std::string sWord;
    size_t nLen;
    size_t nCount;
  } cases[] = {
      {Gbk("三百千万"), 0, 2},
      {Gbk("三百千万"), 4, 1},
      {"\xD9\xC7", 0, 0},
      {"ab", 0, 0},
      {Gbk("百") + "\xC7", 0, 2},  // a lone byte counts when it occurs anywhere in the set
  };
  for (const Case& c : cases) EXPECT_EQ(c.nCount, GetCharCount(sSet.c_str(), c.sWord.c_str(), c.nLen));
  EXPECT_EQ(2u, GetCharCount("0123456789", "1a2", 0));
}

TEST(CharClassTest, NumberDayAndYearTests) {
  struct Case {
    const char* sText;
    bool bDay;
    bool bYear;
    bool bNum;
  } cases[] = {
      {"5", true, false, true},
      {"12", true, false, true},
      {"123", false, false, true},
      {"十五", true, false, false},
      {"二十五", true, false, false},
      {"二十五日", false, false, false},
      {"１２", true, false, true},
      {"1998", false, true, true},
      {"98", true, true, true},
      {"30", true, false, true},
      {"abcd", false, true, false},
      {"１９９８", false, true, true},
      {"２００８", false, true, true},  // a long number,
      {"123456", false, true, true},
      {"二千", false, false, false},
      {"二〇〇八", false, true, false},
      {"千", false, true, true},
      {"3.5", false, false, true},
      {"3.5%", false, true, true},  // any four ASCII bytes,
      {"50％", false, false, true},
      {"-12", false, false, true},
      {"+3", false, false, true},
      {"第3", false, false, true},
      {"12万", false, false, true},
      {"3千万", false, false, true},
      {"3万人", false, false, false},
      {"３．５", false, true, true},
      {"1/2", false, false, true},
      {".5", false, false, false},
      {"3%万", false, false, false},
      {"1a", false, false, false},
  };
  for (const Case& c : cases) {
    std::string s = Gbk(c.sText);
    EXPECT_EQ(c.bDay, IsDayTime(s.c_str(), 0)) << c.sText;
    EXPECT_EQ(c.bYear, IsYearTime(s.c_str(), 0)) << c.sText;
    EXPECT_EQ(c.bNum, IsAllNum(s.c_str(), 0)) << c.sText;
  }
  // Lengths limit what is read.
  EXPECT_TRUE(IsAllNum("12ab", 2));
  EXPECT_TRUE(IsDayTime("12345", 2));
  EXPECT_TRUE(IsYearTime("1998xyz", 4));
}

TEST(CharClassTest, SingleByteTest) {
  std::string s = Gbk("ab中");
  unsigned char* p = reinterpret_cast<unsigned char*>(&s[0]);
  EXPECT_TRUE(IsAllSingleByte(p, 2));
  EXPECT_FALSE(IsAllSingleByte(p, 0));
  EXPECT_FALSE(IsAllSingleByte(p, 3));
}

}  // namespace
