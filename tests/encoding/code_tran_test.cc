#include "encoding/code_tran.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding_fixture.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"

namespace {

// The translator of a code over the generated files, one per code.
const CCodeTran& Translator(int nCode) {
  static CCodeTran* tran[6] = {};
  if (tran[nCode] == nullptr) tran[nCode] = new CCodeTran(EncodingDataDir().c_str(), nCode);
  return *tran[nCode];
}

std::string ToGBK(int nCode, const std::string& s) {
  std::string r;
  Translator(nCode).CodeToGBK(s.c_str(), r);
  return r;
}

std::string FromGBK(int nCode, const std::string& s) {
  std::string r;
  Translator(nCode).GBKToCode(s.c_str(), r);
  return r;
}

// Texts of every shape of line structure, in UTF-8, with characters that
// have the same form in simplified and traditional writing.
const std::vector<std::string> kTexts = {
    "Plain ASCII, with punctuation: a+b=c; {x} [y] ~^_^~ 100%",
    "中文 text 和 ASCII 123，第二句。",
    "第一行\r\n第二行\r\n\r\n\r\n第五行\r\n",
    "\n\n  上下左右\n\t大小多少\n   \n天地人和",
    "  \t \r\n",
};

struct CodeCase {
  int code;
  const char* charset;  // the caller's encoding
  const char* gbkSide;  // the engine side of the translator
  bool traditional;
};

TEST(CodeTranTest, RoundTripsKeepEveryByte) {
  const CodeCase cases[] = {
      {1, "UTF-8", "GB18030", false}, {2, "BIG5", "GBK", true}, {3, "GB18030", "GBK", false},
      {4, "UTF-8", "GB18030", false}, {5, "UTF-8", "GBK", false},
  };
  for (const CodeCase& c : cases) {
    ASSERT_EQ(Translator(c.code).GetStatus(), 1) << c.code;
    EXPECT_EQ(Translator(c.code).GetEncodeType(), c.code);
    std::vector<std::string> texts = kTexts;
    for (const char* s : c.traditional ? kTraditional : kSimplified) texts.push_back(s);
    for (const std::string& text : texts) {
      std::string sCode = Recode(text, c.charset);
      std::string sGbk = Recode(text, c.gbkSide);
      ASSERT_FALSE(sCode.empty()) << text;
      EXPECT_EQ(ToGBK(c.code, sCode), sGbk) << "code " << c.code << ": " << text;
      EXPECT_EQ(FromGBK(c.code, sGbk), sCode) << "code " << c.code << ": " << text;
    }
  }
}

TEST(CodeTranTest, CharactersWithoutCounterpart) {
  // Simplified-only characters have no BIG5 form: one space each.
  EXPECT_EQ(FromGBK(2, Recode("我们这个人", "GBK")), Recode("我", "BIG5") + "   " + Recode("人", "BIG5"));
  // Emoji are outside GBK: one marked run per run, never touching the
  // neighbours; back towards UTF-8 the markers go and the spaces stay.
  EXPECT_EQ(ToGBK(5, "中😀😀a😀"), Recode("中", "GBK") + "^^  ^^a^^ ^^");
  EXPECT_EQ(FromGBK(5, "a^^  ^^b"), "a  b");
  // The extended GBK keeps them as four-byte characters.
  std::string sWide = ToGBK(1, "中😀a");
  EXPECT_EQ(sWide.size(), 2u + 4u + 1u);
  EXPECT_EQ(FromGBK(1, sWide), "中😀a");
  // Malformed bytes: a cut-off UTF-8 sequence, a lone GBK lead byte.
  EXPECT_EQ(ToGBK(5, "a\xE4\xB8"), "a^^  ^^");
  EXPECT_EQ(FromGBK(5, "\xD6\xD0\xD6"), "中 ");
  EXPECT_EQ(ToGBK(2, "\xFF x"), "^^ ^^ x");
}

TEST(CodeTranTest, ByteOrderMarkAndSpans) {
  EXPECT_EQ(ToGBK(1, "\xEF\xBB\xBF中"), "\xD6\xD0");
  EXPECT_EQ(ToGBK(5, "\xEF\xBB\xBF" "abc"), "abc");
  // A marked span passes through without its markers, in either direction;
  // an unpaired marker is ordinary text.
  EXPECT_EQ(FromGBK(5, "^^\xD6\xD0^^\xD6\xD0"), "\xD6\xD0中");
  EXPECT_EQ(FromGBK(5, "x^^y"), "x^^y");
  std::string r;
  EXPECT_STREQ(Translator(5).CodeToGBK(nullptr, r), "");
  EXPECT_STREQ(Translator(5).GBKToCode("", r), "");
}

TEST(CodeTranTest, FilesAndLoadFailures) {
  const std::string sDir = EncodingDataDir();
  WriteAll(sDir + "/in.txt", "\xEF\xBB\xBF第一行\r\n\r\n第二行");
  ASSERT_TRUE(Translator(1).CodeToGBKFile((sDir + "/in.txt").c_str(), (sDir + "/gbk.txt").c_str()));
  EXPECT_EQ(ReadAll(sDir + "/gbk.txt"), Recode("第一行\r\n\r\n第二行\n", "GB18030"));
  ASSERT_TRUE(Translator(1).GBKToCodeFile((sDir + "/gbk.txt").c_str(), (sDir + "/back.txt").c_str()));
  EXPECT_EQ(ReadAll(sDir + "/back.txt"), "\xEF\xBB\xBF第一行\r\n\r\n第二行\n\n");
  WriteAll(sDir + "/empty.txt", "");
  EXPECT_FALSE(Translator(1).CodeToGBKFile((sDir + "/empty.txt").c_str(), (sDir + "/x.txt").c_str()));
  EXPECT_FALSE(Translator(1).CodeToGBKFile((sDir + "/none.txt").c_str(), (sDir + "/x.txt").c_str()));
  EXPECT_FALSE(Translator(1).CodeToGBKFile((sDir + "/in.txt").c_str(), "/nonexistent/dir/x.txt"));

  for (int nCode : {0, 6, -1}) EXPECT_EQ(CCodeTran(sDir.c_str(), nCode).GetStatus(), 0);
  CCodeTran missing("/nonexistent", 2);
  EXPECT_EQ(missing.GetStatus(), 0);
  EXPECT_EQ(missing.GetEncodeType(), 0);
  std::string r;
  EXPECT_STREQ(missing.CodeToGBK("abc", r), "");
}

// Where characters land in the generated files, read with the lexicon
// classes alone.
TEST(CodeTranTest, GeneratedFilesPlaceCharacters) {
  const std::string sDir = EncodingDataDir() + "/";
  CPDAT gbk(1), gbka(1), big5(1);
  ASSERT_TRUE(gbk.Load((sDir + "GBK.pdat").c_str()));
  ASSERT_TRUE(gbka.Load((sDir + "GBKA.pdat").c_str()));
  ASSERT_TRUE(big5.Load((sDir + "BIG5.pdat").c_str()));
  EXPECT_EQ(gbk.GetMode(), 1);
  CWordList utf8List(false, nullptr), gbkList(false, nullptr);
  ASSERT_TRUE(utf8List.Load((sDir + "UTF8.wordlist").c_str()));
  ASSERT_TRUE(gbkList.Load((sDir + "GBK.wordlist").c_str()));
  CIDMaps gbk2utf, big2gbk, gbka2utf;
  ASSERT_TRUE(gbk2utf.Load((sDir + "GBK2UTF.map").c_str()));
  ASSERT_TRUE(big2gbk.Load((sDir + "BIG2GBK.map").c_str()));
  ASSERT_TRUE(gbka2utf.Load((sDir + "GBKA2UTF.map").c_str()));

  int h = gbk.Find("\xD6\xD0");  // 中
  ASSERT_GE(h, 0);
  EXPECT_STREQ(gbkList.GetWord(h), "\xD6\xD0");
  EXPECT_STREQ(utf8List.GetWord(gbk2utf.GetMapID(h)), "\xE4\xB8\xAD");
  // 中 in BIG5 is A4 A4; the traditional 說 (BIG5 BB A1) lands on GBK D5 66.
  EXPECT_STREQ(gbkList.GetWord(big2gbk.GetMapID(big5.Find("\xA4\xA4"))), "\xD6\xD0");
  EXPECT_STREQ(gbkList.GetWord(big2gbk.GetMapID(big5.Find("\xBB\xA1"))), "\xD5\x66");
  // ASCII maps to itself; a four-byte character of the extended GBK maps
  // to its UTF-8 form.
  EXPECT_STREQ(gbkList.GetWord(gbk.Find("A")), "A");
  EXPECT_STREQ(utf8List.GetWord(gbka2utf.GetMapID(gbka.Find("\x94\x39\xFC\x38"))), "\xF0\x9F\x98\x82");
}

}  // namespace
