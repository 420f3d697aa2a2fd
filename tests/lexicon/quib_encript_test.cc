#include "lexicon/quib_encript.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "table_fixture.h"

namespace {

std::string SampleBytes(size_t n) {
  std::string s(n, 0);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + 3);
  return s;
}

TEST(WordListKeyTest, IsA136ByteGbkTextOf58DoubleByteCharactersAnd20AsciiBytes) {
  const char* sKey = WordListScrambleKey();
  ASSERT_EQ(strlen(sKey), 136u);
  int nDouble = 0, nAscii = 0;
  for (size_t i = 0; i < 136;) {
    unsigned char c = static_cast<unsigned char>(sKey[i]);
    if (c >= 0x81 && c <= 0xFE) {
      unsigned char c2 = static_cast<unsigned char>(sKey[i + 1]);
      ASSERT_TRUE(c2 >= 0x40 && c2 != 0x7F && c2 != 0xFF) << "trail byte at " << i + 1;
      ++nDouble;
      i += 2;
    } else {
      ASSERT_LT(c, 0x80) << "byte " << i;
      ++nAscii;
      ++i;
    }
  }
  EXPECT_EQ(nDouble, 58);
  EXPECT_EQ(nAscii, 20);
}

TEST(QuibEncriptTest, XorsWithTheRepeatedKeyAndUndoesItself) {
  CQuibEncript scrambler(WordListScrambleKey());
  const std::string sPlain = SampleBytes(300);  // longer than two key lengths
  std::string s = sPlain;
  ASSERT_TRUE(scrambler.Encrypt(&s[0], s.size()));
  const char* sKey = WordListScrambleKey();
  for (size_t i : {0u, 1u, 135u, 136u, 137u, 299u}) {
    EXPECT_EQ(s[i], static_cast<char>(sPlain[i] ^ sKey[i % 136])) << "byte " << i;
  }
  ASSERT_TRUE(scrambler.Encrypt(s));
  EXPECT_EQ(s, sPlain);
}

TEST(QuibEncriptTest, EmptyOrNullKeyReportsFalseAndChangesNothing) {
  for (const char* sKey : {"", static_cast<const char*>(nullptr)}) {
    CQuibEncript scrambler(sKey);
    std::string s = SampleBytes(40);
    const std::string sBefore = s;
    EXPECT_FALSE(scrambler.Encrypt(&s[0], s.size()));
    EXPECT_FALSE(scrambler.Encrypt(s));
    EXPECT_EQ(s, sBefore);
  }
}

class QuibEncriptFileTest : public TableTest {};

TEST_F(QuibEncriptFileTest, FileFormsScrambleFromTheOffsetOrTheOpenPosition) {
  CQuibEncript scrambler("ab");
  WriteAll(Path("src"), "xyHELLO");
  ASSERT_TRUE(scrambler.Encrypt(Path("src").c_str(), Path("dst").c_str(), 2));
  std::string sExpected = "HELLO";
  ASSERT_TRUE(scrambler.Encrypt(sExpected));
  EXPECT_EQ(ReadAll(Path("dst")), sExpected);

  FILE* fp = fopen(Path("src").c_str(), "rb");
  ASSERT_NE(fp, nullptr);
  ASSERT_EQ(fseek(fp, 2, SEEK_SET), 0);
  std::string sDst2 = Path("dst2");
  EXPECT_TRUE(scrambler.Encrypt(fp, &sDst2[0]));
  fclose(fp);
  EXPECT_EQ(ReadAll(sDst2), sExpected);
}

TEST_F(QuibEncriptFileTest, FileFormsFailWithoutTouchingTheDestination) {
  WriteAll(Path("src"), "abc");
  WriteAll(Path("dst"), "old");
  CQuibEncript scrambler("k");
  EXPECT_FALSE(scrambler.Encrypt(Path("missing").c_str(), Path("dst").c_str(), 0));
  EXPECT_FALSE(scrambler.Encrypt(Path("src").c_str(), Path("dst").c_str(), 4));
  EXPECT_FALSE(scrambler.Encrypt(Path("src").c_str(), Path("no/such/dir").c_str(), 0));
  EXPECT_FALSE(CQuibEncript("").Encrypt(Path("src").c_str(), Path("dst").c_str(), 0));
  EXPECT_EQ(ReadAll(Path("dst")), "old");
}

}  // namespace
