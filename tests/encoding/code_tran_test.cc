#include "encoding/code_tran.h"

#include <gtest/gtest.h>

#include <random>
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

// Random texts of characters in both forms, stray bytes, blanks, quotes,
// markers and byte-order marks: the translator's own calls must answer
// exactly what the general loop over the same files answers.
TEST(CodeTranTest, DirectCallsMatchTheGeneralLoop) {
  const char* kFiles[6][4] = {
      {},
      {"UTF8.pdat", "UTF2GBKA.map", "GBKA.pdat", "GBKA2UTF.map"},
      {"BIG5.pdat", "BIG2GBK.map", "GBK.pdat", "GBK2BIG.map"},
      {"GBKA.pdat", "GBKA2GBK.map", "GBK.pdat", "GBK2GBKA.map"},
      {"UTF8.pdat", "GBKA2UTF.map", "GBKA.pdat", "UTF2GBKA.map"},
      {"UTF8.pdat", "UTF2GBK.map", "GBK.pdat", "GBK2UTF.map"},
  };
  const char* kLists[6][2] = {{},
                              {"GBKA.wordlist", "UTF8.wordlist"},
                              {"GBK.wordlist", "BIG5.wordlist"},
                              {"GBK.wordlist", "GBKA.wordlist"},
                              {"GBKA.wordlist", "UTF8.wordlist"},
                              {"GBK.wordlist", "UTF8.wordlist"}};
  const std::string sDir = EncodingDataDir() + "/";
  const std::vector<std::string> vecPieces = {
      "中", "說", "é", "ß", "\xE2\x80\x94", "😀", "\xEF\xBB\xBF", "^^", "^", " ", "\t", "\r\n", "\"", "a",
      "\xD6\xD0", "\xA4\xA4", "\xBB\xA1", "\x81\x30\x81\x30", "\x94\x39\xFC\x38", "\xFF", "\x80"};
  std::mt19937 rng(20261211);
  for (int nCode = 1; nCode <= 5; ++nCode) {
    CPDAT codeDict(1), gbkDict(1);
    CIDMaps toGbk, fromGbk;
    CWordList gbkList(false, &gbkDict), codeList(false, &codeDict);
    ASSERT_TRUE(codeDict.Load((sDir + kFiles[nCode][0]).c_str()));
    ASSERT_TRUE(toGbk.Load((sDir + kFiles[nCode][1]).c_str()));
    ASSERT_TRUE(gbkDict.Load((sDir + kFiles[nCode][2]).c_str()));
    ASSERT_TRUE(fromGbk.Load((sDir + kFiles[nCode][3]).c_str()));
    ASSERT_TRUE(gbkList.Load((sDir + kLists[nCode][0]).c_str()));
    ASSERT_TRUE(codeList.Load((sDir + kLists[nCode][1]).c_str()));
    const CCodeTran& tran = Translator(nCode);
    for (int nText = 0; nText < 3000; ++nText) {
      std::string sText;
      const int nLen = 1 + static_cast<int>(rng() % 12);
      for (int k = 0; k < nLen; ++k) {
        const unsigned nKind = rng() % 4;
        if (nKind == 0) {
          sText += static_cast<char>(0x81 + rng() % 0x7E);  // any lead, any trail
          sText += static_cast<char>(0x40 + rng() % 0xBF);
        } else if (nKind == 1) {
          const unsigned cp = 0x3000 + rng() % 0x7000;  // symbols and common characters
          sText += static_cast<char>(0xE0 | cp >> 12);
          sText += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
          sText += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
          sText += vecPieces[rng() % vecPieces.size()];
        }
      }
      std::string sFast, sGeneral;
      tran.CodeToGBK(sText.c_str(), sFast);
      tran.CodeTrans(sText.c_str(), sGeneral, &codeDict, &toGbk, &gbkList, false);
      ASSERT_EQ(sFast, sGeneral) << "code " << nCode << " to GBK: " << sText;
      tran.GBKToCode(sText.c_str(), sFast);
      tran.CodeTrans(sText.c_str(), sGeneral, &gbkDict, &fromGbk, &codeList, true);
      ASSERT_EQ(sFast, sGeneral) << "code " << nCode << " from GBK: " << sText;
    }
  }
}

// A dictionary where a character begins a longer word (of at most four
// bytes, the longest unit looked up): the longest word wins, and the
// character alone still translates by itself.
TEST(CodeTranTest, LongerWordsWinOverTheirFirstCharacter) {
  char sTemplate[] = "/tmp/kavel_codetran_XXXXXX";
  const std::string sDir = mkdtemp(sTemplate);
  struct Side {
    const char* dict;
    const char* list;
    std::vector<std::string> words;
  } sides[2] = {{"UTF8.pdat", "UTF8.wordlist", {"中", "中a", "国", "é"}},
                {"GBK.pdat", "GBK.wordlist", {"\xD6\xD0", "\xB9\xFA", "\xA8\xA6"}}};
  std::vector<int> vecHandles[2];
  for (int k = 0; k < 2; ++k) {
    CPDAT dict(1);
    for (const std::string& w : sides[k].words) vecHandles[k].push_back(dict.AddWord(w.c_str()));
    dict.AddWordComplete();
    ASSERT_TRUE(dict.Save((sDir + "/" + sides[k].dict).c_str()));
    CWordList list(false, &dict);
    for (const std::string& w : sides[k].words) list.AddWord(w.c_str());
    list.AddWordComplete();
    ASSERT_TRUE(list.Save((sDir + "/" + sides[k].list).c_str()));
  }
  // 中 -> 中, 中a -> 国 (to tell the longer match apart), 国 -> 国, é -> é.
  const int kToGbk[][2] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}};
  CIDMaps toGbk, fromGbk;
  toGbk.MapInit();
  fromGbk.MapInit();
  for (const auto& pair : kToGbk) {
    toGbk.MapAdd(vecHandles[0][pair[0]], vecHandles[1][pair[1]]);
    if (pair[0] != 1) fromGbk.MapAdd(vecHandles[1][pair[1]], vecHandles[0][pair[0]]);
  }
  toGbk.MapComplete();
  fromGbk.MapComplete();
  ASSERT_TRUE(toGbk.Save((sDir + "/UTF2GBK.map").c_str()));
  ASSERT_TRUE(fromGbk.Save((sDir + "/GBK2UTF.map").c_str()));

  CCodeTran tran(sDir.c_str(), 5);
  ASSERT_EQ(tran.GetStatus(), 1);
  std::string r;
  EXPECT_EQ(std::string(tran.CodeToGBK("中a中é中", r)), "\xB9\xFA\xD6\xD0\xA8\xA6\xD6\xD0");
  EXPECT_EQ(std::string(tran.CodeToGBK("中b中", r)), "\xD6\xD0" "b\xD6\xD0");
  EXPECT_EQ(std::string(tran.CodeToGBK("国中 国", r)), "\xB9\xFA\xD6\xD0 \xB9\xFA");
  EXPECT_EQ(std::string(tran.GBKToCode("\xD6\xD0\xB9\xFA\xA8\xA6", r)), "中国é");
  std::error_code ec;
  std::filesystem::remove_all(sDir, ec);
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
