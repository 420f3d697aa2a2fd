#include "lexicon/bigram.h"

#include <string>
#include <vector>

#include "lexicon/word_list.h"
#include "table_fixture.h"

namespace {

class BigramTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    m_pDict = MakeDict({"alpha", "beta", "gamma", "delta"});
  }
  int Import(CBigram* pBigram, const std::string& sText, bool bAtLink) {
    WriteAll(Path("pairs.txt"), sText);
    return pBigram->Import(Path("pairs.txt").c_str(), m_pDict.get(), bAtLink);
  }
  // alpha beta twice, alpha gamma, gamma alpha; beta and delta have no pairs.
  int ImportSample(CBigram* pBigram) {
    return Import(pBigram,
                  "alpha beta 5\nalpha gamma 2\ngamma alpha 9\nalpha  beta\t4\n"
                  "unknown beta 3\nbeta\nbeta gamma\n\n",
                  false);
  }
  std::unique_ptr<CPDAT> m_pDict;
};

TEST_F(BigramTest, ImportBuildsTheExactFile) {
  CBigram bigram(true, 0);
  ASSERT_EQ(ImportSample(&bigram), 4);
  ASSERT_TRUE(bigram.Save(Path("b.big").c_str()));
  const std::string sFile = ReadAll(Path("b.big"));
  const int nBound = Field(sFile, 4);
  EXPECT_GE(nBound, 4);
  EXPECT_GE(nBound, m_pDict->GetLowerBound());
  ASSERT_EQ(sFile.size(), 8u + 8 * 4 + 8 * nBound);
  EXPECT_EQ(Field(sFile, 0), 4);
  // Pairs sorted by first, then second handle; the duplicate is kept.
  EXPECT_EQ(Field(sFile, 8), 1);
  EXPECT_EQ(Field(sFile, 16), 1);
  EXPECT_EQ(Field(sFile, 12) + Field(sFile, 20), 9);
  EXPECT_EQ(Field(sFile, 24), 2);
  EXPECT_EQ(Field(sFile, 28), 2);
  EXPECT_EQ(Field(sFile, 32), 0);
  EXPECT_EQ(Field(sFile, 36), 9);
  const int nIndex = 40;
  const int expected[][2] = {{0, 2}, {-1, -1}, {3, 3}, {-1, -1}};
  for (int h = 0; h < 4; ++h) {
    EXPECT_EQ(Field(sFile, nIndex + 8 * h), expected[h][0]) << h;
    EXPECT_EQ(Field(sFile, nIndex + 8 * h + 4), expected[h][1]) << h;
  }
  for (int h = 4; h < nBound; ++h) EXPECT_EQ(Field(sFile, nIndex + 8 * h), -1) << h;
}

TEST_F(BigramTest, LookupsFindPairsAndAnswerZeroOtherwise) {
  CBigram imported(true, 0);
  ImportSample(&imported);
  ASSERT_TRUE(imported.Save(Path("b.big").c_str()));
  CBigram loaded(true, 0);
  ASSERT_TRUE(loaded.Load(Path("b.big").c_str()));
  const int nBound = loaded.GetBound();
  struct Case {
    int h1, h2, freq;
  } cases[] = {
      {0, 2, 2}, {2, 0, 9},        // present
      {1, 0, 0}, {3, 3, 0},        // first word without pairs
      {0, 3, 0}, {0, 0, 0},        // absent second word
      {0, -1, 0}, {-1, 1, 0},      // negative handles
      {nBound, 0, 0}, {0, nBound + 1, 0},
  };
  for (CBigram* pBigram : {&imported, &loaded}) {
    for (const Case& c : cases) EXPECT_EQ(pBigram->GetFreq(c.h1, c.h2), c.freq) << c.h1 << "," << c.h2;
    const int nTwice = pBigram->GetFreq(0, 1);
    EXPECT_TRUE(nTwice == 5 || nTwice == 4) << nTwice;
  }
}

TEST_F(BigramTest, AtLinkedImportSplitsAtTheFirstAt) {
  CBigram bigram(true, 0);
  ASSERT_EQ(Import(&bigram, "alpha@beta 5\nbeta@ 3\nnolink 4\n@gamma 1\ngamma@delta@x 2\n", true), 1);
  EXPECT_EQ(bigram.GetFreq(0, 1), 5);
  EXPECT_EQ(bigram.Import(Path("missing").c_str(), m_pDict.get(), true), 0);
}

TEST_F(BigramTest, WritableTableAccumulatesAndDropsRarePairsWhenSaved) {
  CBigram table(false, 4);
  EXPECT_EQ(table.AddItem(0, 2, 1), 0);
  EXPECT_EQ(table.AddItem(0, 1, 1), 0);  // inserted before handle 2
  EXPECT_EQ(table.AddItem(0, 2, 2), 1);  // accumulated: 3
  EXPECT_EQ(table.AddItem(0, 3, 2), 2);
  EXPECT_EQ(table.AddItem(2, 1, 5), 0);
  EXPECT_EQ(table.AddItem(4, 1, 5), -1);
  EXPECT_EQ(table.AddItem(0, -1, 5), -1);
  EXPECT_EQ(table.GetItemCount(), 4);

  ASSERT_TRUE(table.Save(Path("w.big").c_str()));
  EXPECT_EQ(table.GetItemCount(), 2);
  // Groups are laid out in handle order; empty ones have end = start - 1.
  EXPECT_EQ(ReadAll(Path("w.big")),
            Ints({2, 4, 2, 3, 1, 5, 0, 0, 1, 0, 1, 1, 2, 1}));
  CBigram loaded(true, 0);
  ASSERT_TRUE(loaded.Load(Path("w.big").c_str()));
  EXPECT_EQ(loaded.GetFreq(0, 2), 3);
  EXPECT_EQ(loaded.GetFreq(0, 3), 0);  // frequency 2 is below the threshold
  EXPECT_EQ(loaded.GetFreq(0, 1), 0);
  EXPECT_EQ(loaded.GetFreq(1, 0), 0);  // empty group
  EXPECT_EQ(loaded.GetFreq(2, 1), 5);
  EXPECT_EQ(loaded.AddItem(0, 2, 1), 0);  // loaded tables are read-only
  EXPECT_EQ(loaded.GetFreq(0, 2), 3);

  CWordList words(false, m_pDict.get());
  for (const char* w : {"alpha", "beta", "gamma", "delta"}) words.AddWord(w);
  words.AddWordComplete();
  ASSERT_TRUE(loaded.Export(Path("out.txt").c_str(), &words));
  EXPECT_EQ(ReadAll(Path("out.txt")), "alpha\tgamma\t3\ngamma\tbeta\t5\n");
  EXPECT_FALSE(loaded.Export(Path("no/dir/out.txt").c_str(), &words));
}

// Groups of every size from 0 to 40 at shifting offsets, so that large groups
// start and end at every position within a block of the lookup samples.
TEST_F(BigramTest, LargeGroupsAnswerEveryPairAndOnlyThose) {
  const int nBound = 400;
  CBigram table(false, nBound);
  for (int h1 = 0; h1 <= 40; ++h1)
    for (int k = 0; k < h1; ++k) table.AddItem(h1, 3 * k + h1 % 3, 3 + h1 * 100 + k);
  ASSERT_TRUE(table.Save(Path("large.big").c_str()));
  CBigram loaded(true, 0);
  ASSERT_TRUE(loaded.Load(Path("large.big").c_str()));
  for (CBigram* pBigram : {&table, &loaded}) {
    for (int h1 = 0; h1 <= 40; ++h1) {
      for (int h2 = 0; h2 < nBound; ++h2) {
        const int k = (h2 - h1 % 3) / 3;
        const bool bPresent = h2 >= h1 % 3 && (h2 - h1 % 3) % 3 == 0 && k < h1;
        ASSERT_EQ(pBigram->GetFreq(h1, h2), bPresent ? 3 + h1 * 100 + k : 0) << h1 << "," << h2;
      }
    }
  }
}

TEST_F(BigramTest, FilterKeepsPairsAtTheThreshold) {
  CBigram table(false, 3);
  table.AddItem(0, 1, 2);
  table.AddItem(0, 2, 3);
  table.AddItem(1, 0, 7);
  table.FilterWithThreshold(3);
  EXPECT_EQ(table.GetItemCount(), 2);
  ASSERT_TRUE(table.Dynamic2Static());
  EXPECT_EQ(table.GetFreq(0, 1), 0);
  EXPECT_EQ(table.GetFreq(0, 2), 3);
  EXPECT_EQ(table.GetFreq(1, 0), 7);
  EXPECT_FALSE(CBigram(true, 0).Dynamic2Static());
}

TEST_F(BigramTest, LoaderRejectsDamagedFilesAndKeepsItsContents) {
  CBigram good(true, 0);
  ImportSample(&good);
  ASSERT_TRUE(good.Save(Path("good").c_str()));
  const std::string sGood = ReadAll(Path("good"));
  auto With = [&sGood](std::initializer_list<std::pair<size_t, int32_t>> changes) {
    std::string s = sGood;
    for (const auto& change : changes) memcpy(&s[change.first], &change.second, 4);
    return s;
  };
  const size_t nIndex = 40;  // index entry h at nIndex + 8 * h
  struct Case {
    const char* name;
    std::string data;
  };
  const std::vector<Case> cases = {
      {"empty", ""},
      {"cut in the header", sGood.substr(0, 6)},
      {"cut in the pairs", sGood.substr(0, 20)},
      {"extra bytes", sGood + Ints({-1, -1})},
      {"size larger than the file", With({{0, 5}})},
      {"negative size", With({{0, -1}})},
      {"negative bound", With({{4, -1}})},
      {"group beyond the pairs", With({{nIndex + 16, 3}, {nIndex + 20, 4}})},
      {"negative start", With({{nIndex, -2}})},
      {"end before start - 1", With({{nIndex + 16, 3}, {nIndex + 20, 1}})},
      {"overlapping groups", With({{nIndex + 16, 2}})},
      {"groups out of handle order", With({{nIndex + 24, 0}, {nIndex + 28, 0}})},
      {"second handles descending", With({{8, 2}})},
      {"negative second handle", With({{32, -1}})},
  };
  CBigram bigram(true, 0);
  ASSERT_TRUE(bigram.Load(Path("good").c_str()));
  EXPECT_FALSE(bigram.Load(Path("missing").c_str()));
  for (const Case& c : cases) {
    WriteAll(Path("bad"), c.data);
    EXPECT_FALSE(bigram.Load(Path("bad").c_str())) << c.name;
    EXPECT_EQ(bigram.GetFreq(2, 0), 9) << c.name;
    EXPECT_EQ(bigram.GetItemCount(), 4) << c.name;
  }
}

}  // namespace
