// CPDAT scans (all prefixes, longest word, maximum matching) and term
// statistics.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "lexicon/pdat.h"

namespace {

// GBK: 中 国 人 民 银 行 大 华 共 和 你 好
const std::string Z = "\xD6\xD0", G = "\xB9\xFA", R = "\xC8\xCB", M = "\xC3\xF1", Y = "\xD2\xF8",
                  H = "\xD0\xD0", D = "\xB4\xF3", U = "\xBB\xAA", O = "\xB9\xB2", E = "\xBA\xCD",
                  N = "\xC4\xE3", A = "\xBA\xC3";

std::unique_ptr<CPDAT> Built(const std::vector<std::string>& vecWords) {
  std::unique_ptr<CPDAT> pDict(new CPDAT(0));
  for (const std::string& w : vecWords) pDict->AddWord(w.c_str());
  pDict->AddWordComplete();
  return pDict;
}

TEST(PdatScanTest, GetWordsListsPrefixesShortestFirst) {
  auto pDict = Built({Z, Z + G, Z + G + R, Z + G + R + M + Y, G});
  struct Case {
    int min_length;
    std::vector<unsigned> handles, lengths;
  } cases[] = {{0, {0, 1, 2, 3}, {2, 4, 6, 10}}, {2, {1, 2, 3}, {4, 6, 10}}, {10, {}, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.min_length);
    unsigned int *pH = nullptr, *pP = nullptr, nMem = 0, nCount = 0;
    EXPECT_EQ(pDict->GetWords((Z + G + R + M + Y + H).c_str(), &pH, &pP, &nMem, &nCount, c.min_length), 10);
    ASSERT_EQ(nCount, c.handles.size());
    EXPECT_EQ(nMem, c.handles.empty() ? 0u : 5u);
    for (unsigned k = 0; k < nCount; k++) {
      EXPECT_EQ(pH[k], c.handles[k]);
      EXPECT_EQ(pP[k], c.lengths[k]);
    }
    free(pH);
    free(pP);
  }
}

TEST(PdatScanTest, GetMaxWordMatchesAcrossWhiteSpace) {
  auto pDict = Built({"ab cd", "ab", "x"});
  struct Case {
    const char* text;
    int length, handle;
    bool blank;
  } cases[] = {
      {"ab\t  cdx", 7, 0, true}, {"ab cd", 5, 0, true}, {"ab c", 2, 1, false},
      {"abx", 2, 1, false},      {"x y", 1, 2, false},  {"q", 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int nHandle = 99;
    bool bBlank = !c.blank;
    EXPECT_EQ(pDict->GetMaxWord(c.text, &nHandle, &bBlank), c.length);
    EXPECT_EQ(nHandle, c.handle);
    EXPECT_EQ(bBlank, c.blank);
  }
}

struct SegmentCase {
  const char* name;
  std::string text;
  int limit;
  std::string units;          // separated by '#'
  std::vector<int> all_ids;   // with bInvalidStore
};

TEST(PdatScanTest, MMSegment) {
  // Handles: 中国 0, 中国人民 1, 中华 2, 中华人民共和国 3.
  auto pDict = Built({Z + G, Z + G + R + M, Z + U, Z + U + R + M + O + E + G});
  const SegmentCase cases[] = {
      {"unknown characters and ASCII runs", N + A + "abc12 de", -1,
       N + "#" + A + "#abc12# #de#", {-1, -1, -1, -1, -1}},
      {"word then a failed longer match", Z + G + R + D, -1, Z + G + "#" + R + "#" + D + "#", {0, -1, -1}},
      {"word then a wrong parent", Z + G + M, -1, Z + G + "#" + M + "#", {0, -1}},
      {"whole long word", Z + U + R + M + O + E + G, -1, Z + U + R + M + O + E + G + "#", {3}},
      {"length limit 6", Z + U + R + M + O + E + G, 6,
       Z + U + "#" + R + "#" + M + "#" + O + "#" + E + "#" + G + "#", {2, -1, -1, -1, -1, -1}},
      {"prefix without a word", Z + "x", -1, Z + "#x#", {-1, -1}},
      {"punctuation is not a run", "a-b", -1, "a#-#b#", {-1, -1, -1}},
      {"empty", "", -1, "", {}},
  };
  for (const SegmentCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(std::string(pDict->MMSegment(c.text.c_str(), c.limit, '#')), c.units);
    for (bool bInvalidStore : {true, false}) {
      int* pIDs = nullptr;
      int nIDSize = 0, nResultSize = 0;
      char* sResult = nullptr;
      int nCount = pDict->MMSegment(c.text.c_str(), &pIDs, &nIDSize, &sResult, &nResultSize, true,
                                    bInvalidStore, c.limit, '#');
      std::vector<int> vecExpected;
      for (int h : c.all_ids) {
        if (bInvalidStore || h != -1) vecExpected.push_back(h);
      }
      EXPECT_EQ(std::vector<int>(pIDs, pIDs + nCount), vecExpected);
      EXPECT_EQ(std::string(sResult), c.units);
      EXPECT_GE(nResultSize, static_cast<int>(6 * c.text.size() + 1));
      EXPECT_GE(nIDSize, static_cast<int>(c.text.size() + 2));
      free(pIDs);
      free(sResult);
    }
  }
}

TEST(PdatScanTest, TopWordsLeaveOutLongerWordsContainingEarlierOnes) {
  struct Case {
    const char* name;
    std::vector<std::string> terms;
    int top;
    std::string report;
  } cases[] = {
      {"4-byte word inside a longer one", {Z + G, Z + G, Z + G, Z + G + R, Z + G + R, "ab"}, -1,
       Z + G + "/3#ab/1#"},
      {"2-byte word does not hide", {Z, Z, Z, Z + G + R, Z + G + R}, -1, Z + "/3#" + Z + G + R + "/2#"},
      {"left-out entries count towards n", {Z + G, Z + G, Z + G, R + Z + G, R + Z + G, "ab"}, 2,
       Z + G + "/3#"},
      {"not inside", {Z + G, Z + G, R + M + Y}, -1, Z + G + "/2#" + R + M + Y + "/1#"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CPDAT dict(0);
    std::vector<std::string> vecTerms = c.terms;
    dict.WordFreq(vecTerms);
    EXPECT_EQ(std::string(dict.GetTopWords(c.top)), c.report);
  }
}

TEST(PdatScanTest, WordFreqCountsOnlyTheLatestCall) {
  CPDAT dict(0);
  std::vector<std::string> vecFirst = {"x", "y"}, vecSecond = {"y", "y", "z"};
  EXPECT_EQ(dict.WordFreq(vecFirst), 2u);
  EXPECT_EQ(dict.WordFreq(vecSecond), 3u);
  EXPECT_STREQ(dict.GetTopWords(-1), "y/2#z/1#x/0#");
  // The report left the statistics in handle order: counting goes on.
  EXPECT_EQ(dict.AddWord("x", true), 0);
  EXPECT_STREQ(dict.GetTopWords(1), "y/2#");
  std::vector<_stTermFreq>& vecTop = dict.GetTopWordVector();
  ASSERT_EQ(vecTop.size(), 3u);
  EXPECT_EQ(vecTop[0].word, "y");
  dict.ResetFreq();
  EXPECT_STREQ(dict.GetTopWords(-1), "y/0#x/0#z/0#");
}

}  // namespace
