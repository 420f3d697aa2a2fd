#include "segment/bigram_segment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "segment/pre_process.h"
#include "segment_fixture.h"

namespace {

class BigramSegmentTest : public SegmentData {
 protected:
  std::string Path(const std::string& sUtf8) {
    m_sLine = Gbk(sUtf8);
    m_pre.FullSegment(m_sLine.c_str(), 0);
    int nCount = m_seg.BiSegment(m_pre.m_pWordGraph, m_pre.m_nGraphLength, m_pre.m_pWordCounter,
                                 m_pre.m_nAtomSize);
    EXPECT_EQ(nCount, m_seg.m_nWordCount);
    if (nCount < 2) return "<none>";
    EXPECT_EQ(gSent_StartID, m_seg.m_pWords[0].handle);
    EXPECT_EQ(gSent_EndID, m_seg.m_pWords[nCount - 1].handle);
    return Describe(m_sLine, m_seg.m_pWords, nCount);
  }
  static word_t Word(int handle, int start, int end, int type) {
    word_t w;
    w.handle = handle;
    w.start = start;
    w.end = end;
    w.type = static_cast<unsigned char>(type);
    return w;
  }
  CPreProcess m_pre{s_pCharset, s_pCore, nullptr};
  CSegment m_seg{s_pCore, s_pUnigram, s_pBigram};
  std::string m_sLine;
};

TEST_F(BigramSegmentTest, ChoosesTheMostProbablePath) {
  struct Case {
    const char* sText;
    const char* sPath;
  } cases[] = {
      {"中国人民", "中国/w 人民/w"},  // the pair beats the longer word
      {"我们的", "我们/w 的/w"},
      {"民", "民/w"},                 // a lone atom: start, atom, end
      {"12日", "12日/t"},
      {"^^", "^/- ^/-"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.sPath, Path(c.sText)) << c.sText;
  Path("民");
  EXPECT_EQ(3, m_seg.m_nWordCount);
}

TEST_F(BigramSegmentTest, VisitedNodesAndPathWordsCarryTheirUnigramFrequency) {
  Path("中国人民");
  for (int i = 0; i < m_pre.m_nGraphLength; i++) {
    for (int j = 0; j < m_pre.m_pWordCounter[i]; j++) {
      const word_t& w = m_pre.m_pWordGraph[i][j];
      EXPECT_EQ(s_pUnigram->GetFreq(w.handle), w.value) << i << "/" << j;
    }
  }
  ASSERT_EQ(4, m_seg.m_nWordCount);
  EXPECT_EQ(60, m_seg.m_pWords[1].value);
  EXPECT_EQ(30, m_seg.m_pWords[2].value);
  EXPECT_EQ(s_pUnigram->GetFreq(gSent_StartID), m_seg.m_pWords[0].value);
  EXPECT_EQ(s_pUnigram->GetFreq(gSent_EndID), m_seg.m_pWords[3].value);
}

TEST_F(BigramSegmentTest, EqualScoresKeepTheFirstWordOfTheSlot) {
  // Slot 1 holds two nodes of equal score, told apart by their type; a
  // better-scoring later node wins.
  word_t start = Word(gSent_StartID, 0, 0, 120);
  word_t end = Word(gSent_EndID, 2, 2, 121);
  for (int nSecond : {Handle("中"), Handle("中国")}) {
    std::vector<word_t> slot0 = {start};
    std::vector<word_t> slot1 = {Word(Handle("中"), 0, 2, 0), Word(nSecond, 0, 2, 7)};
    std::vector<word_t> slot3 = {end};
    word_t* pGraph[4] = {slot0.data(), slot1.data(), nullptr, slot3.data()};
    int nCounter[4] = {1, 2, 0, 1};
    ASSERT_EQ(3, m_seg.BiSegment(pGraph, 4, nCounter, 3));
    EXPECT_EQ(nSecond == Handle("中") ? 0 : 7, m_seg.m_pWords[1].type);
  }
}

TEST_F(BigramSegmentTest, BrokenGraphsGiveShortOrEmptyPaths) {
  word_t start = Word(gSent_StartID, 5, 5, 120);
  word_t end = Word(gSent_EndID, 7, 7, 121);
  word_t* pNone[3] = {&start, nullptr, &end};
  int nCounter[3] = {1, 0, 1};
  // No word after the start word: the path stops there.
  EXPECT_EQ(1, m_seg.BiSegment(pNone, 3, nCounter, 3));
  EXPECT_EQ(0, m_seg.BiSegment(pNone, 1, nCounter, 3));
  EXPECT_EQ(0, m_seg.BiSegment(nullptr, 3, nCounter, 3));
  word_t* pNoEnd[3] = {&start, nullptr, nullptr};
  EXPECT_EQ(0, m_seg.BiSegment(pNoEnd, 3, nCounter, 3));
}

}  // namespace
