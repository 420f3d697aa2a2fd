#include "text/str_token.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// All tokens of sText; checks that the buffer is restored afterwards.
std::vector<std::string> Tokens(const std::string& sText, const char* sDelimiter, bool bEnglish,
                                size_t nLimit = std::string::npos) {
  std::string sBuffer = sText;
  char* pStart = &sBuffer[0];
  char* pEnd = nLimit == std::string::npos ? nullptr : pStart + nLimit;
  CStrToken token(bEnglish);
  std::vector<std::string> vec;
  for (char* p = token.GetToken(pStart, pEnd, sDelimiter); p != nullptr;
       p = token.GetToken(nullptr, nullptr, sDelimiter)) {
    size_t nLen = 0;
    while (p + nLen < pStart + (pEnd ? nLimit : sBuffer.size()) && p[nLen] != 0) nLen++;
    vec.emplace_back(p, nLen);
  }
  EXPECT_EQ(sBuffer, sText) << "buffer not restored";
  return vec;
}

using V = std::vector<std::string>;

TEST(StrTokenTest, SplitsAndRestoresTheBuffer) {
  struct Case {
    const char* sText;
    const char* sDelimiter;
    bool bEnglish;
    V vecExpected;
  } cases[] = {
      {"a,b;;c", ",;", false, {"a", "b", "c"}},
      {",, \t a b\t;c;", ",;", false, {"a b\t", "c"}},  // only leading blanks are skipped
      {";;;", ";", false, {}},
      {"", ",", false, {}},
      {"abc", nullptr, false, {"abc"}},
      // English mode keeps "." and "," inside words and numbers.
      {"3.14 e.g. end..x", " ,.", true, {"3.14", "e.g", "end", "x"}},
      {"1,000 a,b 9,9", " ,", true, {"1,000", "a", "b", "9", "9"}},
      {"x,", " ,", true, {"x"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Tokens(c.sText, c.sDelimiter, c.bEnglish), c.vecExpected) << c.sText;
  }
}

TEST(StrTokenTest, NeverReadsOrWritesPastTheLimit) {
  // The limit cuts "cd;ef" to "cd": nothing beyond is touched.
  EXPECT_EQ(Tokens("ab;cd;ef", ";", false, 5), (V{"ab", "cd"}));
  // A delimiter right at the limit in English mode: the byte after it is
  // outside the buffer and must not decide anything.
  std::string s = "ab.";
  char* p = new char[3];
  memcpy(p, s.data(), 3);  // no terminating NUL on purpose
  CStrToken token(true);
  char* pTok = token.GetToken(p, p + 3, ".");
  ASSERT_NE(pTok, nullptr);
  EXPECT_EQ(std::string(pTok), "ab");
  EXPECT_EQ(token.GetToken(nullptr, nullptr, "."), nullptr);
  EXPECT_EQ(std::string(p, 3), "ab.");
  delete[] p;
}

TEST(StrTokenTest, ReportsSeparatorsAndTruncates) {
  std::string s = "word's ,next";
  CStrToken token(true);
  char* p = token.GetToken(&s[0], nullptr, " ,");
  ASSERT_STREQ(p, "word's");
  EXPECT_EQ(token.GetSep(), ' ');
  EXPECT_EQ(token.GetSeps(), (std::vector<char>{' ', ','}));
  EXPECT_FALSE(token.IsLastToken());
  // Cut before "'s": the rest is delivered as the next token.
  ASSERT_TRUE(token.TruncateToken(4));
  EXPECT_STREQ(p, "word");
  EXPECT_FALSE(token.TruncateToken(4));
  EXPECT_STREQ(token.GetToken(nullptr, nullptr, " ,"), "'s");
  EXPECT_STREQ(token.GetToken(nullptr, nullptr, " ,"), "next");
  EXPECT_TRUE(token.IsLastToken());
  EXPECT_EQ(token.GetToken(nullptr, nullptr, " ,"), nullptr);
  EXPECT_EQ(s, "word's ,next");
  EXPECT_EQ(CStrToken().GetToken(nullptr, nullptr, ","), nullptr);
}

TEST(GetStrVectorTest, DropsEmptyTokensAndLineEnds) {
  std::vector<std::string> vec{"stale"};
  EXPECT_EQ(GetStrVector("a\t\tb c\r\n\t\r\n", "\t", vec), 2u);
  EXPECT_EQ(vec, (V{"a", "b c"}));
  EXPECT_EQ(GetStrVector("(1)+2-3.4 5", "()+-. ", vec), 5u);
  EXPECT_EQ(vec, (V{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(GetStrVector(nullptr, ",", vec), 0u);
  EXPECT_TRUE(vec.empty());
  EXPECT_EQ(GetStrVector("a,b", nullptr, vec), 1u);
}

// Cuts all lines of sText the way callers do, restoring each separator.
std::vector<std::pair<std::string, int>> Lines(const std::string& sText, bool bMarkers) {
  std::vector<char> vecBuf(sText.begin(), sText.end());
  vecBuf.push_back(0);
  std::vector<std::pair<std::string, int>> vec;
  char* pCur = vecBuf.data();
  while (pCur != nullptr) {
    char* pNext = nullptr;
    char cSep = 'x';
    int nStatus = -1;
    char* pLine = StrLine(pCur, &pNext, &cSep, &nStatus, bMarkers);
    if (pLine == nullptr) {
      EXPECT_EQ(pNext, nullptr);
      break;
    }
    vec.emplace_back(pLine, nStatus);
    if (pNext != nullptr) *pNext = cSep;
    pCur = pNext;
  }
  return vec;
}

TEST(StrLineTest, CutsLinesAndMarkedSpans) {
  using L = std::vector<std::pair<std::string, int>>;
  struct Case {
    const char* sText;
    bool bMarkers;
    L vecExpected;
  } cases[] = {
      {"  one\r\n\n\t two \rthree", false, {{"one", 0}, {"two ", 0}, {"three", 0}}},
      {" \r\n\t", false, {}},
      {"", false, {}},
      {"a^^b^^c", false, {{"a^^b^^c", 0}}},
      {"a^^b c^^d\ne", true, {{"a", 0}, {"b c", 1}, {"d", 0}, {"e", 0}}},
      {"^^x\ny^^", true, {{"x\ny", 1}}},
      {"a\n^^b^^", true, {{"a", 0}, {"b", 1}}},
      // Markers without a partner mean nothing.
      {"a^^b\nc", true, {{"a^^b", 0}, {"c", 0}}},
      {"^^", true, {{"^^", 0}}},
      {"a^^^", true, {{"a^^^", 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.sText, c.bMarkers), c.vecExpected) << c.sText;
  EXPECT_EQ(StrLine(nullptr, nullptr, nullptr, nullptr, true), nullptr);
}

}  // namespace
