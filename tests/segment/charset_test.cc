#include "segment/charset.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const std::string& sPath, const std::string& sData) {
  std::ofstream out(sPath, std::ios::binary);
  out << sData;
}

class CharsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_charset_XXXXXX";
    m_sDir = mkdtemp(sTemplate);
  }
  void TearDown() override { (void)system(("rm -rf " + m_sDir).c_str()); }
  std::string Path(const char* sName) const { return m_sDir + "/" + sName; }
  std::string m_sDir;
};

const char kSource[] =
    "# digits and their full-width forms\n"
    "5: 30-39 A3B0-A3B9   # 0-9\n"
    "8: 41-5A, 61-7A\n"
    "28: A1A1             # full-width space\n"
    "2: 0x21 A3A1\n"
    "9: B6FE\n"
    "1: 20 9              # the blanks are forced to 28 whatever is said\n"
    "7: 35                # a later line overrides an earlier one\n";

TEST_F(CharsetTest, SourceGivesTypesToCodesAndRangesWithBlanksForced) {
  CCharset charset;
  std::string sError;
  ASSERT_TRUE(charset.ParseSource(kSource, &sError)) << sError;
  struct Case {
    int nCode;
    int nType;
  } cases[] = {{0x30, 5}, {0x39, 5}, {0x35, 7},   {0xA3B0, 5}, {0xA3B9, 5}, {0xA3BA, 0}, {'A', 8},
               {'z', 8},  {'[', 0},  {0xA1A1, 28}, {'!', 2},    {0xA3A1, 2}, {0xB6FE, 9}, {' ', 28},
               {'\t', 28}, {'\n', 28}, {'\r', 28}, {0, 0},      {0xFFFF, 0}};
  for (const Case& c : cases) EXPECT_EQ(c.nType, charset.GetType(c.nCode)) << std::hex << c.nCode;
  // 10 + 10 + 2*26 + 1 + 2 + 1 + 2 distinct codes listed.
  EXPECT_EQ(78, charset.GetSize());
  EXPECT_EQ(-1, charset.GetType(-1));
  EXPECT_EQ(-1, charset.GetType(0x10000));
  EXPECT_EQ(9, charset.GetType("\xB6\xFE\xCA\xAE"));
  EXPECT_EQ(0, charset.GetType("\xB6"));  // a lone high byte is its own code
  EXPECT_EQ(-1, charset.GetType(static_cast<const char*>(nullptr)));
}

TEST_F(CharsetTest, MalformedSourceIsRejectedWithItsLineAndKeepsTheTable) {
  const char* cases[] = {
      "5 30-39\n",        // no colon
      "256: 30\n",        // type too large
      "x: 30\n",          // type not a number
      "5: 3G\n",          // not hexadecimal
      "5: 12345\n",       // more than four digits
      "5: 39-30\n",       // reversed range
      "5:\n",             // no codes
      "5: 30-\n",         // half a range
  };
  for (const char* sSource : cases) {
    CCharset charset;
    ASSERT_TRUE(charset.ParseSource("3: 2C\n", nullptr));
    std::string sError;
    EXPECT_FALSE(charset.ParseSource(std::string("# ok\n") + sSource, &sError)) << sSource;
    EXPECT_EQ(0u, sError.find("line 2:")) << sError;
    EXPECT_EQ(3, charset.GetType(',')) << sSource;
    EXPECT_EQ(1, charset.GetSize());
  }
}

TEST_F(CharsetTest, BinaryFileIsTheSizeAndTheTypeBytes) {
  CCharset charset;
  ASSERT_TRUE(charset.ParseSource(kSource, nullptr));
  ASSERT_TRUE(charset.Save(Path("charset.type").c_str()));
  std::string sFile = ReadAll(Path("charset.type"));
  ASSERT_EQ(65540u, sFile.size());
  int32_t nSize;
  memcpy(&nSize, sFile.data(), 4);
  EXPECT_EQ(78, nSize);
  EXPECT_EQ(5, sFile[4 + 0x30]);
  EXPECT_EQ(28, sFile[4 + 0x20]);
  EXPECT_EQ(9, sFile[4 + 0xB6FE]);
  EXPECT_EQ(0, sFile[4 + 0xFFFF]);

  CCharset loaded;
  ASSERT_TRUE(loaded.Load(Path("charset.type").c_str()));
  EXPECT_EQ(78, loaded.GetSize());
  for (int nCode = 0; nCode < 0x10000; ++nCode) ASSERT_EQ(charset.GetType(nCode), loaded.GetType(nCode));
}

TEST_F(CharsetTest, LoadRejectsFilesOfTheWrongSizeAndKeepsTheTable) {
  CCharset good;
  ASSERT_TRUE(good.ParseSource("6: B6FE\n", nullptr));
  ASSERT_TRUE(good.Save(Path("good.type").c_str()));
  std::string sGood = ReadAll(Path("good.type"));
  struct Case {
    const char* sName;
    std::string sData;
  } cases[] = {{"empty", ""},
               {"header only", sGood.substr(0, 4)},
               {"one byte short", sGood.substr(0, sGood.size() - 1)},
               {"one byte long", sGood + "x"}};
  for (const Case& c : cases) {
    WriteAll(Path("bad.type"), c.sData);
    CCharset charset;
    ASSERT_TRUE(charset.Load(Path("good.type").c_str()));
    EXPECT_FALSE(charset.Load(Path("bad.type").c_str())) << c.sName;
    EXPECT_EQ(6, charset.GetType(0xB6FE)) << c.sName;
  }
  CCharset charset;
  EXPECT_FALSE(charset.Load(Path("missing.type").c_str()));
  EXPECT_FALSE(charset.Load(m_sDir.c_str()));
}

TEST_F(CharsetTest, TextFormRoundTripsThroughExportAndImport) {
  CCharset charset;
  ASSERT_TRUE(charset.ParseSource("5: 30-39\n8: 41-5A\n4: 80\n11: B6FE\n3: A3AC\n", nullptr));
  ASSERT_GT(charset.Export(Path("charset.txt").c_str()), 0);
  std::string sText = ReadAll(Path("charset.txt"));
  EXPECT_NE(std::string::npos, sText.find("0\t5\n"));
  EXPECT_NE(std::string::npos, sText.find("\xB6\xFE\t11\n"));
  EXPECT_NE(std::string::npos, sText.find("\xB0\xA1\t0\n"));  // untyped GBK characters are listed too

  CCharset imported;
  // Every single byte 0x21..0x80 and every GBK code A1..F7 x A1..FE.
  EXPECT_EQ(0x80 - 0x21 + 1 + (0xF7 - 0xA1 + 1) * (0xFE - 0xA1 + 1), imported.Import(Path("charset.txt").c_str()));
  for (int nCode = 0; nCode < 0x10000; ++nCode) ASSERT_EQ(charset.GetType(nCode), imported.GetType(nCode)) << nCode;

  // The text form reads "character type" lines; the low byte of the number is kept.
  WriteAll(Path("small.txt"), "A 8\n\n\xB6\xFE  267\nnot-a-line\n");
  CCharset small;
  EXPECT_EQ(2, small.Import(Path("small.txt").c_str()));
  EXPECT_EQ(8, small.GetType('A'));
  EXPECT_EQ(11, small.GetType(0xB6FE));
  EXPECT_EQ(28, small.GetType(' '));
  EXPECT_EQ(0, small.Import(Path("missing.txt").c_str()));
  EXPECT_EQ(8, small.GetType('A'));
}

}  // namespace
