#include "english/english.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "english_fixture.h"

namespace {

class EnglishTest : public EnglishFixture {};

TEST_F(EnglishTest, CutsTokensAndDelimiters) {
  CEnglish parser(m_tables);
  struct Case {
    const char* text;
    const char* terms;
  };
  const Case kCases[] = {
      {"Hello, world.", "Hello/n@0 ,/w@5 world/n@7 ./w@12"},
      {"John's", "John/nx@0 's/nx@4"},
      {"it's", "it/nx@0 's/nx@2"},
      {"a...", "a../nx@0 ./w@3"},        // only the last "." is cut off
      {"....", ".../nx@0 ./w@3"},
      {"(go)!", "(/nx@0 go/v@1 )/nx@3 !/nx@4"},
      {"  \t\r", ""},
      {"1,000 and 1,9", "1,000/m@0 and/nx@6 1/m@10 ,/w@11 9/m@12"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(Terms(parser.ProcessA(c.text)), c.terms) << c.text;
  }
}

TEST_F(EnglishTest, TagsAndBaseForms) {
  CEnglish parser(m_tables);
  const auto& terms = parser.ProcessA("went Apple apple zzz @john bob@mail.com 3.5% 13912345678 11010519491231002X");
  ASSERT_EQ(terms.size(), 9u);
  EXPECT_EQ(terms[0].word_ID, m_dict.Find("go"));  // weak irregular form
  EXPECT_EQ(terms[0].original_word, "go");
  EXPECT_STREQ(terms[0].sPOS, "v");
  EXPECT_STREQ(terms[1].sPOS, "nt");  // a capital prefers an organisation
  EXPECT_STREQ(terms[2].sPOS, "n");
  EXPECT_STREQ(terms[3].sPOS, "nx");
  EXPECT_STREQ(terms[4].sPOS, "nr");
  EXPECT_STREQ(terms[5].sPOS, "em");
  EXPECT_EQ(terms[6].word_type, kEngNumber);
  EXPECT_STREQ(terms[6].sPOS, "m");
  EXPECT_STREQ(terms[7].sPOS, "mt");
  EXPECT_STREQ(terms[8].sPOS, "mi");

  int nHandle = -2;
  EXPECT_EQ(parser.GetWordPos("wentworth", 4, &nHandle), 8);
  EXPECT_EQ(nHandle, m_dict.Find("go"));
  EXPECT_EQ(parser.GetWordPos("Apple", 5, &nHandle), 31);
  EXPECT_EQ(parser.GetWordPos("zzz", 3, &nHandle), 255);
  EXPECT_EQ(nHandle, -1);
  EXPECT_EQ(parser.GetWordPos("go", 100, nullptr), 8);  // stops at the NUL
  EXPECT_EQ(parser.GetWordPos(nullptr, 3, &nHandle), 255);

  EXPECT_STREQ(GetEngWordOrign("went", m_tables), "go");
  const char* sHello = "hello";
  EXPECT_EQ(GetEngWordOrign(sHello, m_tables), sHello);
  EXPECT_EQ(GetEngWordOrign(nullptr, m_tables), nullptr);
}

TEST_F(EnglishTest, WordTypes) {
  CEnglish parser(m_tables);
  struct Case {
    const char* word;
    int type;
    int pos;
  };
  const Case kCases[] = {
      {"Hello", 1, 255}, {"@John", 2, 255}, {"NASA", 3, 255}, {"abc123", 4, 255},
      {"123abc", 4, 255}, {"3.5%", 6, 18}, {"-12", 6, 18}, {"hello", 7, 255},
      {"e.g.", 7, 255}, {"'", 8, 255}, {":", 8, 255}, {".", 100, 255},
      {"?", 100, 255}, {"\r", 100, 1}, {"ab\n", 100, 1}, {"#", 0, 255},
  };
  for (const Case& c : kCases) {
    english_term_result term;
    term.word = c.word;
    EXPECT_EQ(parser.GetWordType(term), c.type) << c.word;
    EXPECT_EQ(term.iPOS, c.pos) << c.word;
  }
}

TEST_F(EnglishTest, ResultString) {
  CEnglish parser(m_tables);
  EXPECT_STREQ(parser.Process("Hello, world.", true), "Hello/n ,/w world/n ./w ");
  EXPECT_STREQ(parser.Process("Hello, world.", false), "Hello , world . ");
  // A line break is a term of its own, written without tag or blank.
  EXPECT_STREQ(parser.Process("Hello\r\nworld", true), "Hello/n \nworld/n ");
  EXPECT_EQ(parser.GetResult()[1].iPOS, 1);

  EnglishTables untagged = m_tables;
  untagged.pPOSmap = nullptr;
  CEnglish plain(untagged);
  EXPECT_STREQ(plain.Process("Hello, world.", true), "Hello , world . ");
  EXPECT_EQ(plain.GetResult()[0].iPOS, 7);
}

TEST_F(EnglishTest, DictionaryWordsAreMerged) {
  CEnglish parser(WithDictionaries());
  EXPECT_STREQ(parser.Process("I love New York.", true), "I/x4 love/v [New York]ns ./w ");
  const auto& terms = parser.GetResult();
  ASSERT_EQ(terms.size(), 4u);
  EXPECT_EQ(terms[2].start, 7);
  EXPECT_EQ(terms[2].length, 8);
  EXPECT_EQ(terms[2].word_ID, -1);
  EXPECT_EQ(terms[2].word_type, 1);
  EXPECT_EQ(terms[2].unit_count, 2);
  EXPECT_EQ(terms[2].iPOS, 29);

  // A user word across a delimiter; its tag is in the set.
  EXPECT_STREQ(parser.Process("my e-mail", true), "my/nx e-mail/nu ");
  // A match ending inside a term is not used ("new yo" in "New York").
  CEnglish noLong(WithDictionaries());
  std::vector<english_term_result> terms2 = noLong.ProcessA("New Yorker");
  EXPECT_STREQ(noLong.GetResultString("New Yorker", terms2, true), "New/nx Yorker/nx ");
  // A single field word takes the field tag; not in the tag set: id 21.
  noLong.ProcessA("Paris");
  EXPECT_STREQ(noLong.GetResult()[0].sPOS, "nsf");
  EXPECT_EQ(noLong.GetResult()[0].iPOS, 21);
  // Terms whose offsets do not fit the line are written, never merged.
  EXPECT_STREQ(noLong.GetResultString("New", terms2, true), "New/nx Yorker/nx ");
  EXPECT_STREQ(noLong.GetResultString(nullptr, terms2, false), "New Yorker ");
}

TEST_F(EnglishTest, HostileInput) {
  CEnglish parser(WithDictionaries());
  EXPECT_TRUE(parser.ProcessA(nullptr).empty());
  EXPECT_STREQ(parser.Process("", true), "");
  EXPECT_STREQ(parser.Process(nullptr, true), "");

  // Every byte value: the terms cover the text without overlap, and the
  // double-byte characters (trail bytes such as "|" included) stay whole.
  std::string sBinary;
  for (int c = 1; c < 256; ++c) sBinary += static_cast<char>(c);
  sBinary += " \x81|\xB0\xA1";
  const auto& terms = parser.ProcessA(sBinary.c_str());
  int nCovered = 0;
  for (const auto& t : terms) {
    EXPECT_GE(t.start, nCovered);
    EXPECT_EQ(sBinary.compare(t.start, t.length, t.word), 0);
    nCovered = t.start + t.length;
  }
  EXPECT_EQ(terms.back().word, "\x81|\xB0\xA1");
  parser.GetResultString(sBinary.c_str(), parser.ProcessA(sBinary.c_str()), true);

  // Long input runs in linear time: long tokens, long dot runs, many terms.
  std::string sLong;
  for (int i = 0; i < 20000; ++i) sLong += "Hello, world. e-mail New York 3.5% ";
  sLong += std::string(200000, 'a') + std::string(200000, '.');
  const std::string sResult = parser.Process(sLong.c_str(), true);
  EXPECT_GT(sResult.size(), sLong.size());
  // Every sentence comes out, and the long tokens stay whole.
  size_t nHello = 0;
  for (size_t n = sResult.find("Hello"); n != std::string::npos; n = sResult.find("Hello", n + 1))
    ++nHello;
  EXPECT_EQ(nHello, 20000u);
  EXPECT_NE(sResult.find(std::string(200000, 'a')), std::string::npos);
}

}  // namespace
