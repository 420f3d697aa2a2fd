#include "tagger/hmm_tagger.h"

#include <vector>

#include "lexicon/pdat.h"
#include "segment/engine_globals.h"
#include "tagger/context_stat.h"
#include "tagger/pos.h"
#include "temp_dir.h"

namespace {

// Handles: s 0, a 1, b 2, e 3, x 4, y 5, z 6 (z has no candidates).
enum { kS = 0, kA = 1, kB = 2, kE = 3, kX = 4, kY = 5, kZ = 6 };

// Candidates (tag freq): s 0/10; a 1/3, 2/1; b 1/1, 2/2; e 3/10;
// x 5/4, 6/4 (an exact tie); y 7/1.
// Transition counts: 0->1 1, 0->2 3, 1->2 2, 1->3 2, 2->1 4, 2->3 1, 3->0 1;
// tags 5, 6 and 7 have none. With N = 100 this gives (natural logarithms):
//   ln P      to 1      to 2      to 3
//   from 0   -1.3721   -0.3516   -11.5129
//   from 1   -11.5129  -0.7369   -0.7369
//   from 2   -0.2801   -11.5129  -1.5338
// and the emissions ln(f + 0.02) - ln(C(t) + 2):
//   a/1 -0.6865  a/2 -1.9261  b/1 -1.7720  b/2 -1.2428  e/3 1.2060
class HmmTaggerTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    for (const char* sWord : {"s", "a", "b", "e", "x", "y", "z"}) m_dict.AddWord(sWord);
    m_dict.AddWordComplete();
    WriteAll(Path("pos.txt"),
             "s 0 10\n"
             "a 1 3\na 2 1\n"
             "b 1 1\nb 2 2\n"
             "e 3 10\n"
             "x 5 4\nx 6 4\n"
             "y 7 1\n");
    ASSERT_EQ(9, m_pos.Import(Path("pos.txt").c_str(), &m_dict, nullptr));
    m_context.SetSymbol(static_cast<unsigned char>(8));
    const int counts[][3] = {{0, 1, 1}, {0, 2, 3}, {1, 2, 2}, {1, 3, 2}, {2, 1, 4}, {2, 3, 1}, {3, 0, 1}};
    for (const auto& c : counts) ASSERT_TRUE(m_context.Add(c[0], c[1], c[2]));
    m_nOldPersonID = gUnknown_nr_ID;
  }
  void TearDown() override {
    gUnknown_nr_ID = m_nOldPersonID;
    TempDirTest::TearDown();
  }

  static std::vector<word_t> Words(const std::vector<int>& vecHandles, unsigned char nType = 0) {
    std::vector<word_t> vecWords(vecHandles.size());
    for (size_t i = 0; i < vecHandles.size(); ++i) {
      vecWords[i].handle = vecHandles[i];
      vecWords[i].start = vecWords[i].end = static_cast<int>(i);
      vecWords[i].type = nType;
    }
    return vecWords;
  }
  static std::vector<int> Tags(const std::vector<word_t>& vecWords) {
    std::vector<int> vecTags;
    for (const word_t& w : vecWords) vecTags.push_back(w.POS_id);
    return vecTags;
  }
  std::vector<int> Tag(CHMMTagger& tagger, const std::vector<int>& vecHandles) {
    std::vector<word_t> vecWords = Words(vecHandles);
    EXPECT_EQ(0, tagger.Tagging(vecWords.data(), static_cast<int>(vecWords.size())));
    return Tags(vecWords);
  }

  CPDAT m_dict;
  CPOS m_pos;
  CContextStat m_context;
  int m_nOldPersonID = -1;
};

TEST_F(HmmTaggerTest, FindsTheBestPathWhereTheLocallyBestTagMisleads) {
  CHMMTagger tagger(&m_pos, &m_context, 100, 21);
  // s a b e. After a: a/1 = -1.3721 - 0.6865 = -2.0586 beats a/2 = -0.3516 -
  // 1.9261 = -2.2777, so a word-by-word choice takes a/1 and then b/2
  // (total -4.3661). The best paths into b: b/1 from a/2, -2.2777 - 0.2801 -
  // 1.7720 = -4.3298; b/2 from a/1, -2.0586 - 0.7369 - 1.2428 = -4.0383.
  // Into e: from b/1 -4.3298 - 0.7369 = -5.0667, from b/2 -4.0383 - 1.5338 =
  // -5.5721; so e comes from b/1, which comes from a/2 (total -3.8607).
  const struct {
    std::vector<int> vecHandles, vecTags;
  } cases[] = {
      {{kS, kA, kB, kE}, {0, 2, 1, 3}},
      // The last word takes its best candidate, b/2 (-1.5944) over b/1 (-3.1441).
      {{kS, kB}, {0, 2}},
      // Every candidate of the first word starts at 0: a/2 -> a/1 scores
      // -0.2801 - 0.6865 and beats a/1 -> a/2, -0.7369 - 1.9261.
      {{kA, kA}, {2, 1}},
      // Equal scores keep the earlier candidate: x/5 and x/6 tie before y,
      // as the first word and as the last.
      {{kX, kY}, {5, 7}},
      {{kY, kX}, {7, 5}},
      {{kX}, {5}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.vecTags, Tag(tagger, c.vecHandles)) << ::testing::PrintToString(c.vecHandles);
  }
}

TEST_F(HmmTaggerTest, WordsWithoutCandidatesGetTheDefaultOrThePunctuationLabel) {
  CHMMTagger posTagger(&m_pos, &m_context, 100, 21);
  CHMMTagger roleTagger(&m_pos, &m_context, 100, 22);
  // Handles without records: -1, one inside the table and one far beyond it.
  const unsigned char types[] = {0, 1, 2, 3, 4, 5, 9, 255};
  for (unsigned char nType : types) {
    const int nExpectedPOS = (nType >= 1 && nType <= 4) ? 78 : 21;
    const int nExpectedRole = (nType >= 1 && nType <= 4) ? 78 : 22;
    std::vector<word_t> vecWords = Words({kS, -1, kZ, 100000, kE}, nType);
    posTagger.Tagging(vecWords.data(), 5);
    EXPECT_EQ((std::vector<int>{0, nExpectedPOS, nExpectedPOS, nExpectedPOS, 3}), Tags(vecWords)) << int(nType);
    vecWords = Words({-1, -1}, nType);
    roleTagger.Tagging(vecWords.data(), 2);
    EXPECT_EQ((std::vector<int>{nExpectedRole, nExpectedRole}), Tags(vecWords)) << int(nType);
  }
  // Without any tables every word still gets a label.
  CHMMTagger bare(nullptr, nullptr, 100, 21);
  EXPECT_EQ((std::vector<int>{21, 21}), Tag(bare, {kA, kB}));
}

TEST_F(HmmTaggerTest, PersonNameWordsTakeTheirTagFromTheirType) {
  CHMMTagger tagger(&m_pos, &m_context, 100, 21);
  gUnknown_nr_ID = kY;
  std::vector<word_t> vecWords = Words({kS, kY, kA, -1, kE}, 27);
  tagger.Tagging(vecWords.data(), 5);
  EXPECT_EQ(27, vecWords[1].POS_id);
  EXPECT_EQ(102, vecWords[1].type);
  for (int i : {0, 2, 3, 4}) EXPECT_EQ(27, vecWords[i].type) << i;
  EXPECT_EQ(21, vecWords[3].POS_id);

  // Without a person-name handle the words without a handle stay ordinary.
  gUnknown_nr_ID = -1;
  vecWords = Words({kS, -1, kE}, 27);
  tagger.Tagging(vecWords.data(), 3);
  EXPECT_EQ(21, vecWords[1].POS_id);
  EXPECT_EQ(27, vecWords[1].type);
}

TEST_F(HmmTaggerTest, ReusedWorkArraysGiveTheResultsOfAFreshTagger) {
  CHMMTagger tagger(&m_pos, &m_context, 100, 21);
  const std::vector<int> vecLong = {kS, kA, kB, kX, kA, kA, kB, kY, kA, kB, kE};
  const std::vector<int> vecShort = {kS, kB, kA};
  CHMMTagger freshLong(&m_pos, &m_context, 100, 21), freshShort(&m_pos, &m_context, 100, 21);
  const std::vector<int> vecLongTags = Tag(freshLong, vecLong);
  const std::vector<int> vecShortTags = Tag(freshShort, vecShort);
  EXPECT_EQ(vecLongTags, Tag(tagger, vecLong));
  EXPECT_EQ(vecShortTags, Tag(tagger, vecShort));
  EXPECT_EQ(vecLongTags, Tag(tagger, vecLong));

  // An empty call changes nothing.
  std::vector<word_t> vecWords = Words({kA});
  EXPECT_EQ(0, tagger.Tagging(vecWords.data(), 0));
  EXPECT_EQ(0, tagger.Tagging(vecWords.data(), -3));
  EXPECT_EQ(0, tagger.Tagging(nullptr, 5));
  EXPECT_EQ(255, vecWords[0].POS_id);
}

}  // namespace
