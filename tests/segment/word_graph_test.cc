#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "segment/bigram_segment.h"
#include "segment/pre_process.h"
#include "segment_fixture.h"

namespace {

class WordGraphTest : public SegmentData {
 protected:
  // Slot contents as "slot:text,text;..." for the non-empty slots, in UTF-8.
  std::string Slots() const {
    std::string sOut;
    for (int i = 0; i < m_pre.m_nGraphLength; i++) {
      if (m_pre.m_pWordGraph[i] == nullptr) {
        EXPECT_EQ(0, m_pre.m_pWordCounter[i]) << i;
        continue;
      }
      if (!sOut.empty()) sOut += ";";
      sOut += std::to_string(i) + ":";
      for (int j = 0; j < m_pre.m_pWordCounter[i]; j++) {
        const word_t& w = m_pre.m_pWordGraph[i][j];
        if (j > 0) sOut += ",";
        bool bMarker = w.start == w.end;
        sOut += bMarker ? (w.type == 120 ? "S" : "E") : Utf8(m_sLine.substr(w.start, w.end - w.start));
      }
    }
    return sOut;
  }
  const char* Full(const std::string& sUtf8, int nStart = 0) {
    m_sLine = Gbk(sUtf8);
    return m_pre.FullSegment(m_sLine.c_str(), nStart);
  }
  CPreProcess m_pre{s_pCharset, s_pCore, nullptr};
  std::string m_sLine;
};

TEST_F(WordGraphTest, SlotsHoldTheAtomThenLongerWordsEndingOnAtoms) {
  struct Case {
    const char* sText;
    const char* sSlots;
  } cases[] = {
      {"中国人民", "0:S;1:中,中国,中国人;3:国;5:人,人民;7:民;9:E"},
      // Numbers, strings and punctuation stand alone: "12中" is a word but not a candidate.
      {"12中国", "0:S;1:12;3:中,中国;5:国;7:E"},
      {"ab中", "0:S;1:ab;3:中;5:E"},
      {"，中国", "0:S;1:，;3:中,中国;5:国;7:E"},
      // "中1" ends inside the atom "12".
      {"中12", "0:S;1:中;3:12;5:E"},
      {"我们的", "0:S;1:我,我们;3:们;5:的;7:E"},
  };
  for (const Case& c : cases) {
    Full(c.sText);
    EXPECT_EQ(c.sSlots, Slots()) << c.sText;
  }
  // Candidate nodes carry the atom's type, value 0 and no tag.
  Full("中国");
  const word_t& word = m_pre.m_pWordGraph[1][1];
  EXPECT_EQ(Handle("中国"), word.handle);
  EXPECT_EQ(0, word.start);
  EXPECT_EQ(4, word.end);
  EXPECT_EQ(0, word.type);
  EXPECT_EQ(0.0, word.value);
  EXPECT_EQ(255, word.POS_id);
}

TEST_F(WordGraphTest, SlotsAreCountedFromTheSentenceStartWithAbsoluteOffsets) {
  const char* pNext = Full("我们\n中国人民");
  EXPECT_EQ("0:S;1:我,我们;3:们;5:\n;6:E", Slots());
  int nSecond = static_cast<int>(pNext - m_sLine.c_str());
  EXPECT_EQ(5, nSecond);
  pNext = m_pre.FullSegment(m_sLine.c_str(), nSecond);
  EXPECT_EQ(m_sLine.c_str() + m_sLine.size(), pNext);
  EXPECT_EQ(10, m_pre.m_nGraphLength);
  EXPECT_EQ("0:S;1:中,中国,中国人;3:国;5:人,人民;7:民;9:E", Slots());
  EXPECT_EQ(5, m_pre.m_pWordGraph[0][0].start);
  EXPECT_EQ(5, m_pre.m_pWordGraph[1][2].start);
  EXPECT_EQ(11, m_pre.m_pWordGraph[1][2].end);
  EXPECT_EQ(13, m_pre.m_pWordGraph[9][0].start);
  // At the end of the text: only the start and end atoms.
  m_pre.FullSegment(m_sLine.c_str(), static_cast<int>(m_sLine.size()));
  EXPECT_EQ(2, m_pre.m_nAtomSize);
  EXPECT_EQ("0:S;1:E", Slots());
}

TEST_F(WordGraphTest, ValidPositionEndsOnALaterAtomOfTheSentence) {
  Full("中国人民\n我");
  struct Case {
    int nIndex;
    int nLen;
    bool bValid;
  } cases[] = {
      {1, 4, true},  {1, 3, false}, {1, 8, true},  {1, 9, true},  // up to the line break atom
      {1, 10, false},                                             // past the sentence
      {3, 2, false},                                              // must end on a later atom
      {3, 4, true},  {0, 2, true},  {0, 1, false}, {-1, 2, false}, {7, 1, false}, {6, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.bValid, m_pre.IsValidPosition(c.nIndex, c.nLen)) << c.nIndex << "/" << c.nLen;
  }
}

TEST_F(WordGraphTest, LongLinesKeepBuffersSizedBySentence) {
  const char* kSentences[] = {"中国人民12日我们。", "我们的\n", "ab.中国人\n", "^^我^^三点五分，两人民！\n"};
  std::string sLine;
  std::vector<std::string> vecParts;
  while (sLine.size() < 2 * 1024 * 1024) {
    vecParts.push_back(Gbk(kSentences[vecParts.size() % 4]));
    sLine += vecParts.back();
  }
  CPreProcess alone(s_pCharset, s_pCore, nullptr);
  CSegment segment(s_pCore, s_pUnigram, s_pBigram);
  size_t nMaxReserved = 0;
  int nStart = 0;
  for (size_t k = 0; k < vecParts.size(); k++) {
    const char* pNext = m_pre.FullSegment(sLine.c_str(), nStart);
    segment.BiSegment(m_pre.m_pWordGraph, m_pre.m_nGraphLength, m_pre.m_pWordCounter, m_pre.m_nAtomSize);
    // The same atoms as the sentence processed on its own, shifted.
    alone.AtomSegment(vecParts[k].c_str(), 0);
    ASSERT_EQ(alone.m_nAtomSize, m_pre.m_nAtomSize) << k;
    for (int a = 0; a < alone.m_nAtomSize; a++) {
      ASSERT_EQ(alone.m_pAtom[a].start + nStart, m_pre.m_pAtom[a].start) << k;
      ASSERT_EQ(alone.m_pAtom[a].end + nStart, m_pre.m_pAtom[a].end) << k;
      ASSERT_EQ(alone.m_pAtom[a].handle, m_pre.m_pAtom[a].handle) << k;
      ASSERT_EQ(alone.m_pAtom[a].type, m_pre.m_pAtom[a].type) << k;
    }
    nStart += static_cast<int>(vecParts[k].size());
    ASSERT_EQ(sLine.c_str() + nStart, pNext);
    nMaxReserved = std::max(nMaxReserved, m_pre.GetReservedSize() + segment.GetReservedSize());
  }
  EXPECT_LT(nMaxReserved, 1000u);
}

}  // namespace
