#include "encoding/code_detect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "encoding_fixture.h"

namespace {

class CodeDetectTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(CodeTrans_Initialize((EncodingDataDir() + "/CodeTrans.model").c_str()), 0);
  }
  static void TearDownTestSuite() { CodeTrans_Destroy(); }
};

std::string Utf16Le(const std::string& sUtf8) { return Recode(sUtf8, "UTF-16LE"); }

_enCodeType Detect(const std::string& s) { return CodeTrans_CodeDetect(s.data(), s.size()); }

TEST_F(CodeDetectTest, TellsEncodingsApart) {
  for (size_t k = 0; k < sizeof(kSimplified) / sizeof(kSimplified[0]); ++k) {
    const std::string simp = kSimplified[k], trad = kTraditional[k];
    EXPECT_EQ(Detect(Recode(simp, "GBK")), kCodeTypeGbk) << simp;
    EXPECT_EQ(Detect(simp), kCodeTypeUtf8) << simp;
    EXPECT_EQ(Detect(trad), kCodeTypeUtf8) << trad;
    EXPECT_EQ(Detect(Utf16Le(simp)), kCodeTypeUtf16Le) << simp;
    EXPECT_EQ(Detect(Recode(trad, "BIG5")), kCodeTypeBig5) << trad;
  }
  // Text without high bytes is GBK; byte-order marks decide or weigh.
  EXPECT_EQ(Detect("Plain ASCII text, nothing else: 1 + 1 = 2.\r\n"), kCodeTypeGbk);
  EXPECT_EQ(Detect(""), kCodeTypeGbk);
  EXPECT_EQ(Detect("\xFF\xFE" + Utf16Le("abc")), kCodeTypeUtf16Le);
  EXPECT_EQ(Detect("\xEF\xBB\xBF" "abc"), kCodeTypeUtf8);
  EXPECT_EQ(Detect(Utf16Le("Hello, world")), kCodeTypeUtf16Le);
  EXPECT_EQ(CodeTrans_CodeDetect(nullptr, 5), kCodeTypeUnknown);
}

TEST_F(CodeDetectTest, ConvertsToGbkAndUtf8) {
  const std::string simp = kSimplified[0], trad = kTraditional[0];
  const std::string gbk = Recode(simp, "GBK");
  struct Case {
    _enCodeType type;
    std::string text;
    std::string gbk;
  } cases[] = {
      {0, simp, gbk},
      {0, gbk, gbk},
      {0, Recode(trad, "BIG5"), Recode(trad, "GBK")},
      {0, Utf16Le(simp), gbk},
      {kCodeTypeUtf8, "\xEF\xBB\xBF" + simp, gbk},
      // Out-of-GBK characters and malformed bytes keep their neighbours.
      {kCodeTypeUtf8, "a😀b\xE4\xB8", "a?b??"},
      {kCodeTypeUtf16Le, Utf16Le("a😀b"), "a\xA1\xA1" "b"},
      {kCodeTypeBig5, "\xA4\xA4\xA4", "\xD6\xD0?"},
  };
  for (const Case& c : cases) {
    std::vector<char> buf(c.text.size() + 1, 'x');
    size_t n = 0;
    EXPECT_EQ(CodeTrans_ToAnsi(c.type, c.text.data(), c.text.size(), buf.data(), n), c.gbk.size());
    EXPECT_EQ(std::string(buf.data(), n), c.gbk);
    EXPECT_EQ(buf[n], 0);
  }
  // Towards UTF-8, with a limit that never splits a character.
  std::vector<char> out(4 * gbk.size() + 1);
  size_t n = 0;
  CodeTrans_ToUtf8(kCodeTypeGbk, gbk.data(), gbk.size(), out.data(), n);
  EXPECT_EQ(std::string(out.data(), n), simp);
  n = 7;
  CodeTrans_ToUtf8(kCodeTypeGbk, gbk.data(), gbk.size(), out.data(), n);
  EXPECT_EQ(std::string(out.data(), n), simp.substr(0, 6));
  std::string wide = Utf16Le("a😀");
  n = 0;
  CodeTrans_ToUtf8(kCodeTypeUtf16Le, wide.data(), wide.size(), out.data(), n);
  EXPECT_EQ(std::string(out.data(), n), "a😀");
  // An undetermined or unknown type gives the empty text.
  char small[8] = "xxxxxxx";
  n = 99;
  EXPECT_EQ(CodeTrans_ToAnsi(5, "abc", 3, small, n), 0u);
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(small[0], 0);
  EXPECT_EQ(CodeTrans_ToAnsi(0, nullptr, 3, small, n), 0u);
}

// Model files that must be rejected, leaving nothing loaded.
TEST(CodeDetectModelTest, RejectsDamagedFiles) {
  const std::string sDir = EncodingDataDir();
  const std::string good = ReadAll(sDir + "/CodeTrans.model");
  ASSERT_GT(good.size(), 98308u + 16u);
  auto with = [&](size_t nOffset, int32_t v) {
    std::string s = good;
    memcpy(&s[nOffset], &v, 4);
    return s;
  };
  const size_t kStates = 98308;
  int32_t n = 0;
  memcpy(&n, good.data() + 98304, 4);
  struct Case {
    std::string data;
    int code;
  } cases[] = {
      {good.substr(0, 1000), -1},
      {good.substr(0, 50000), -2},
      {good.substr(0, 98306), -3},
      {good.substr(0, good.size() - 8), -4},
      {with(98304, -1), -5},
      {with(98304, n + 1), -4},
      {good + "x", -5},
      {with(kStates + 16 * 5 + 0, n), -5},     // base out of range
      {with(kStates + 16 * 5 + 4, n + 7), -5},  // check out of range
      {with(kStates + 16 * 5 + 8, -2), -5},     // fail out of range
  };
  for (const Case& c : cases) {
    WriteAll(sDir + "/bad.model", c.data);
    EXPECT_EQ(CodeTrans_Initialize((sDir + "/bad.model").c_str()), c.code);
    EXPECT_EQ(g_pstTrieTable, nullptr);
    EXPECT_EQ(CodeTrans_CodeDetect("abc", 3), kCodeTypeUnknown);
  }
  EXPECT_EQ(CodeTrans_Initialize((sDir + "/missing.model").c_str()), -1);
  EXPECT_EQ(CodeTrans_Initialize(nullptr), -1);

  // A failure link that does not lead nearer the start would loop.
  std::string looping = good;
  for (int32_t s = 1; s < n; ++s) {
    int32_t check = 0;
    memcpy(&check, good.data() + kStates + 16 * s + 4, 4);
    if (check > 0) {
      memcpy(&looping[kStates + 16 * s + 8], &s, 4);
      break;
    }
  }
  WriteAll(sDir + "/bad.model", looping);
  EXPECT_EQ(CodeTrans_Initialize((sDir + "/bad.model").c_str()), -5);
  ASSERT_EQ(CodeTrans_Initialize((sDir + "/CodeTrans.model").c_str()), 0);
  CodeTrans_Destroy();
}

}  // namespace
