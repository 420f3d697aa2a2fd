#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "segment/pre_process.h"
#include "segment_fixture.h"

namespace {

struct AtomCase {
  const char* sText;
  const char* sAtoms;
};

class AtomSegmentTest : public SegmentData {
 protected:
  void Check(const std::vector<AtomCase>& cases) {
    for (const AtomCase& c : cases) EXPECT_EQ(c.sAtoms, Atoms(c.sText)) << c.sText;
  }
  void SetUp() override {
    g_nGranularity = 0;
    g_bUserDictPrior = false;
  }
  void TearDown() override {
    g_nGranularity = 0;
    g_bUserDictPrior = false;
  }
  // Atoms of the first sentence of a UTF-8 text, and how many bytes it took.
  std::string Atoms(const std::string& sUtf8, int* pnUsed = nullptr) {
    m_sLine = Gbk(sUtf8);
    const char* pNext = m_pre.AtomSegment(m_sLine.c_str(), 0);
    if (pnUsed != nullptr) *pnUsed = static_cast<int>(pNext - m_sLine.c_str());
    return Describe(m_sLine, m_pre.m_pAtom, m_pre.m_nAtomSize);
  }
  CPreProcess m_pre{s_pCharset, s_pCore, nullptr};
  std::string m_sLine;
};

TEST_F(AtomSegmentTest, BlanksAndLineBreaks) {
  int nUsed = 0;
  EXPECT_EQ("\n/E", Atoms("\n我们", &nUsed));
  EXPECT_EQ(1, nUsed);  // a line break ends the sentence
  EXPECT_EQ(" /E 我/w", Atoms(" 我", &nUsed));
  EXPECT_EQ(3, nUsed);
  EXPECT_EQ(" /E \t/E  /E 们/w \r/E", Atoms(" \t 们\r我", &nUsed));
  EXPECT_EQ(6, nUsed);
  // Start and end atoms: empty ranges at the sentence's first and stop offsets.
  Atoms("我\n们");
  ASSERT_EQ(4, m_pre.m_nAtomSize);
  EXPECT_EQ(0, m_pre.m_pAtom[0].start);
  EXPECT_EQ(0, m_pre.m_pAtom[0].end);
  EXPECT_EQ(120, m_pre.m_pAtom[0].type);
  EXPECT_EQ(gSent_StartID, m_pre.m_pAtom[0].handle);
  EXPECT_EQ(3, m_pre.m_pAtom[3].start);
  EXPECT_EQ(3, m_pre.m_pAtom[3].end);
  EXPECT_EQ(121, m_pre.m_pAtom[3].type);
  EXPECT_EQ(gSent_EndID, m_pre.m_pAtom[3].handle);
  EXPECT_EQ(255, m_pre.m_pAtom[1].POS_id);
}

TEST_F(AtomSegmentTest, SentenceEndsAtMarkAfterFiveAtoms) {
  int nUsed = 0;
  // Fifth atom: the sentence goes on.
  EXPECT_EQ("我/w 我/w 我/w 我/w !/- 们/w", Atoms("我我我我!们", &nUsed));
  EXPECT_EQ(11, nUsed);
  // Sixth atom: it ends the sentence; "!" has no full-width form in the dictionary.
  EXPECT_EQ("我/w 我/w 我/w 我/w 我/w 。/w", Atoms("我我我我我。们", &nUsed));
  EXPECT_EQ(12, nUsed);
  EXPECT_EQ("我/w 我/w 我/w 我/w 我/w !/-", Atoms("我我我我我!们", &nUsed));
  EXPECT_EQ(11, nUsed);
}

TEST_F(AtomSegmentTest, PunctuationQuotesEscapesAndDashes) {
  Check({
               {"\"a\"b\"", "\"/LD a/x:8 \"/RD b/x:8 \"/LD"},
               {"'a'b'", "'/LS a/x:8 '/RS b/x:8 '/LS"},
               {"\"'\"'", "\"/LD '/LS \"/RD '/RS"},
               // Mapped ASCII delimiters: "，" is a word, "％" is not.
               {",%", ",/w %/-"},
               // An escaped block spans both markers, line breaks included.
               {"^^a\nb^^c", "^^a\nb^^/-:99 c/x:8"},
               {"^^^^", "^^^^/-:99"},
               {"我^^ab", "我/w ^/- ^/- ab/x:8"},
               {"^^^", "^/- ^/- ^/-"},
               {"^^a^^b^^", "^^a^^/-:99 b/x:8 ^/- ^/-"},
               {"^", "^/-"},
               // Dash runs.
               {"——我", "——/WP 我/w"},
               {"—我", "—/- 我/w"},
               {"--—", "--—/WP"},
           }
           );
}

TEST_F(AtomSegmentTest, QuotesPairWithinOneSentenceOnly) {
  std::string sLine = Gbk("\"我\n\"们");
  const char* pNext = m_pre.AtomSegment(sLine.c_str(), 0);
  EXPECT_EQ("\"/LD 我/w \n/E", Describe(sLine, m_pre.m_pAtom, m_pre.m_nAtomSize));
  m_pre.AtomSegment(sLine.c_str(), static_cast<int>(pNext - sLine.c_str()));
  EXPECT_EQ("\"/LD 们/w", Describe(sLine, m_pre.m_pAtom, m_pre.m_nAtomSize));
}

TEST_F(AtomSegmentTest, DigitAndLetterRunsByGranularity) {
  std::vector<AtomCase> coarse = {
      {"12ab我", "12ab/x:8 我/w"},
      {"12O", "12O/m"},
      {"ab12", "ab12/x:8"},
      {"12:30", "12:30/m"},
      {"1１", "1１/m"},
      {"１⒈", "１/m ⒈/m"},
      {"3万", "3万/m"},
      {"3万元", "3/m 万/- 元/-"},
      {"3ab万", "3ab/x:8 万/m:9"},  // numerals join digits only while they are numbers
      // Letter runs: a full stop after an English word is split off.
      {"mr.我", "mr/x:8 ./w 我/w"},
      {"zz.", "zz./x:8"},
      {"a.b.", "a.b./x:8"},
      {"etc.", "etc/x:8 ./w"},
  };
  Check(coarse);
  g_nGranularity = 1;
  std::vector<AtomCase> fine = {
      {"12ab我", "12/m ab/x:8 我/w"},
      {"ab12", "ab/x:8 12/m"},
      {"12O", "12/m O/x:8"},
  };
  Check(fine);
}

TEST_F(AtomSegmentTest, NumeralRuns) {
  Check({
               {"三点五", "三点五/m:9"},
               {"三点", "三/w:9 点/-"},        // 点 never ends a numeral
               {"三时半", "三时半/m:9"},       // 时 stays only before 半
               {"三时", "三时/t:9"},           // otherwise it is a time unit
               {"一万元", "一/w:9 万/- 元/-"}, // 元 cuts 万 off
               {"万元", "万/- 元/-"},
               {"二-三", "二-三/m:9"},
               {"二:三", "二:三/t:9"},           // a connector makes it a time
               {"三十分", "三/w:9 十分/w:9"},  // the dictionary word 十分 stops the run
               {"第十第", "第/- 十/m:9 第/-"},
               {"第十", "第十/m"},
               {"第人", "第/- 人/w"},
               {"两人", "两/w 人/w"},
               {"九〇O", "九〇O/m:9"},
           }
           );
}

TEST_F(AtomSegmentTest, NumberFollowUps) {
  Check({
               {"12日", "12日/t"},
               {"31日", "31日/t"},
               {"32日", "32/m 日/-"},
               {"45分", "45分/t"},
               {"60分", "60/m 分/-"},
               {"123分", "123/m 分/-"},
               {"5秒", "5秒/t"},
               {"5秒前", "5/m 秒/- 前/-"},
               {"5时后", "5/m 时/- 后/-"},
               {"5时半", "5时/t 半/-"},
               {"五月", "五月/w:9"},            // a time that is a dictionary word
               {"五月份", "五月份/t:9"},
               {"1998年", "1998年/t"},
               {"1998年代", "1998/m 年/- 代/-"},
               {"98年", "98年/t"},
               {"30年", "30/m 年/-"},
               {"２００８年", "２００８年/t"},
               {"约12人", "约12/m 人/w"},
               {"近三", "近三/m"},
               {"约", "约/-"},
           }
           );
}

TEST_F(AtomSegmentTest, DictionaryPriorityWordsAreWholeAtoms) {
  CPDAT field(0);
  field.AddWord(Gbk("中国人民").c_str());
  field.AddWordComplete();
  CTrie user;
  user.AddTrie(Gbk("我们的").c_str(), true);
  g_pFieldDict = &field;
  g_pUserDict = &user;
  EXPECT_EQ("中/w 国/w 人/w 民/w", Atoms("中国人民"));
  g_bUserDictPrior = true;
  EXPECT_EQ("中国人民/-:101 我们的/-:101 12/m", Atoms("中国人民我们的12"));
  g_pFieldDict = nullptr;
  g_pUserDict = nullptr;
}

TEST_F(AtomSegmentTest, NeverReadsPastTheText) {
  // Lone lead bytes at the end, and texts cut short inside a rule's look-ahead.
  Check({
               {"我\xB0", "我/w <B0>/-"},
               {"\xB0", "<B0>/-"},
               {"5\xD4", "5/m <D4>/-"},
               {"五月\xB7", "五月/w:9 <B7>/-"},
               {"三\xCA", "三/w:9 <CA>/-"},
               {"一十", "一十/m:9"},
               {"^^", "^/- ^/-"},
               {"ab.", "ab./x:8"},
           }
           );
  // A NUL inside ends the text.
  std::string sLine = Gbk("我们") + std::string(1, '\0') + "12";
  m_pre.AtomSegment(sLine.c_str(), 0);
  EXPECT_EQ("我/w 们/w", Describe(sLine, m_pre.m_pAtom, m_pre.m_nAtomSize));
}

TEST_F(AtomSegmentTest, CharVectorLeavesOutMarkersBlanksAndStopTypes) {
  std::vector<std::string> vecChar;
  std::string sLine = Gbk("我 ab,三\n中");
  EXPECT_EQ(4, m_pre.GetCharVector(sLine.c_str(), vecChar, false));
  EXPECT_EQ(Gbk("我"), vecChar[0]);
  EXPECT_EQ("ab", vecChar[1]);
  EXPECT_EQ(",", vecChar[2]);
  EXPECT_EQ(Gbk("三"), vecChar[3]);
  EXPECT_EQ(2, m_pre.GetCharVector(sLine.c_str(), vecChar, true));  // types 0 to 6 dropped
  EXPECT_EQ("ab", vecChar[0]);
  EXPECT_EQ(Gbk("三"), vecChar[1]);
}

}  // namespace
