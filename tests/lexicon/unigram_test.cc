#include "lexicon/unigram.h"

#include <string>
#include <vector>

#include "base/last_error.h"
#include "lexicon/word_list.h"
#include "table_fixture.h"

namespace {

class UnigramTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    m_pDict = MakeDict({"alpha", "beta", "gamma", "big apple"});
  }
  int Import(CUnigram* pUnigram, const std::string& sText, int nModel) {
    WriteAll(Path("counts.txt"), sText);
    return pUnigram->Import(Path("counts.txt").c_str(), m_pDict.get(), nModel);
  }
  std::unique_ptr<CPDAT> m_pDict;
};

TEST_F(UnigramTest, ImportBuildsTheExactFileAndEchoesEveryEntry) {
  CUnigram unigram(-1);
  ASSERT_EQ(Import(&unigram, "alpha 5\nbeta 7\n\nalpha 3\nunknown 9\ngamma\n", 2), 4);
  EXPECT_EQ(ReadAll(Path("counts.txt_unigram_export.txt")),
            "alpha\t5\nbeta\t7\nalpha\t8\nunknown\t\ngamma\t0\n");
  EXPECT_EQ(ReadAll(Path("counts.txt.log")), "");

  ASSERT_TRUE(unigram.Save(Path("u.unig").c_str()));
  const std::string sFile = ReadAll(Path("u.unig"));
  const int nBound = Field(sFile, 4);
  EXPECT_GE(nBound, 4);  // covers every handle of the dictionary
  EXPECT_GE(nBound, m_pDict->GetLowerBound());
  ASSERT_EQ(sFile.size(), 12u + 4 * (nBound + 1));
  EXPECT_EQ(Field(sFile, 0), 4);    // lines of known words, the number-less one included
  EXPECT_EQ(Field(sFile, 8), 15);   // 5 + 7 + 3 + 0
  EXPECT_EQ(Field(sFile, 12), 8);   // alpha
  EXPECT_EQ(Field(sFile, 16), 7);   // beta
  EXPECT_EQ(Field(sFile, 20), 0);   // gamma
  EXPECT_EQ(Field(sFile, 24), 0);   // big apple

  CUnigram loaded(-1);
  ASSERT_TRUE(loaded.Load(Path("u.unig").c_str()));
  for (int h = -1; h <= nBound + 1; ++h) EXPECT_EQ(loaded.GetFreq(h), unigram.GetFreq(h)) << h;
  EXPECT_EQ(loaded.GetTotalFreq(), 15);
  EXPECT_EQ(loaded.GetItemCount(), 4);
}

TEST_F(UnigramTest, RepeatModelsCombineNonZeroNumbers) {
  struct Case {
    int model;
    int stored;
  } cases[] = {{0, 3}, {1, 5}, {2, 8}};
  for (const Case& c : cases) {
    CUnigram unigram(-1);
    EXPECT_EQ(Import(&unigram, "alpha 5\nalpha 3\nalpha 0\n", c.model), 3) << c.model;
    EXPECT_EQ(unigram.GetFreq(0), c.stored) << c.model;
    EXPECT_EQ(unigram.GetTotalFreq(), 8) << c.model;
  }
}

TEST_F(UnigramTest, BracketedEntriesTakeTheNumberAfterTheBracket) {
  CUnigram unigram(-1);
  EXPECT_EQ(Import(&unigram, "[big_apple] 4\n[big apple] 6\n", 2), 2);
  EXPECT_EQ(unigram.GetFreq(3), 10);
  EXPECT_EQ(ReadAll(Path("counts.txt_unigram_export.txt")), "[big apple]\t4\n[big apple]\t10\n");
}

TEST_F(UnigramTest, LookupsOutsideTheBoundAndTheHighestHandle) {
  CUnigram sized(5);
  EXPECT_EQ(sized.GetBound(), 5);
  EXPECT_EQ(sized.GetFreq(-1), 0);
  EXPECT_EQ(sized.GetFreq(5), 0);

  // Two one-character words fill cells 0 and 1: the highest handle equals
  // the dictionary's cell bound and must still be answered.
  auto pDict = MakeDict({"a", "b"});
  ASSERT_EQ(pDict->GetLowerBound(), 1);
  WriteAll(Path("ab.txt"), "a 2\nb 4\n");
  CUnigram unigram(-1);
  ASSERT_EQ(unigram.Import(Path("ab.txt").c_str(), pDict.get(), 0), 2);
  EXPECT_EQ(unigram.GetFreq(1), 4);
  EXPECT_EQ(unigram.GetFreq(unigram.GetBound()), 0);
}

TEST_F(UnigramTest, ExportAndListingOrderByDescendingCount) {
  CUnigram unigram(-1);
  Import(&unigram, "alpha 2\nbeta 9\ngamma -4\n[big_apple] 2\n", 0);
  CWordList words(false, m_pDict.get());
  for (const char* w : {"alpha", "beta", "gamma", "big apple"}) words.AddWord(w);
  words.AddWordComplete();
  ASSERT_EQ(unigram.Export(Path("out.txt").c_str(), &words), 1);
  EXPECT_EQ(ReadAll(Path("out.txt")), "beta\t9\nalpha\t2\nbig apple\t2\n");

  std::vector<unigram_elem> listing;
  ASSERT_EQ(unigram.OutputFreq(listing), 4u);
  EXPECT_EQ(listing[0].handle, 1);
  EXPECT_EQ(listing[3].handle, 2);
  EXPECT_EQ(listing[3].freq, -4);

  const std::string sBad = Path("no/dir/out.txt");
  EXPECT_EQ(unigram.Export(sBad.c_str(), &words), 0);
  EXPECT_EQ(std::string(GetLastErrorMessage()), "Failed open file " + sBad);
}

TEST_F(UnigramTest, LoaderRejectsDamagedFilesAndKeepsItsContents) {
  CUnigram good(-1);
  Import(&good, "alpha 5\nbeta 7\n", 0);
  ASSERT_TRUE(good.Save(Path("good").c_str()));
  const std::string sGood = ReadAll(Path("good"));
  const int nBound = Field(sGood, 4);
  struct Case {
    const char* name;
    std::string data;
  };
  const std::vector<Case> cases = {
      {"empty", ""},
      {"cut in the header", sGood.substr(0, 8)},
      {"cut in the counts", sGood.substr(0, sGood.size() - 4)},
      {"extra bytes", sGood + Ints({0})},
      {"bound below -1", Ints({0, -2, 0})},
      {"bound larger than the file", Ints({2, nBound + 1, 12}) + sGood.substr(12)},
      {"huge bound", Ints({2, 0x7FFFFFFF, 12}) + sGood.substr(12)},
      {"negative size", Ints({-1, nBound, 12}) + sGood.substr(12)},
  };
  CUnigram unigram(-1);
  ASSERT_TRUE(unigram.Load(Path("good").c_str()));
  EXPECT_FALSE(unigram.Load(Path("missing").c_str()));
  for (const Case& c : cases) {
    WriteAll(Path("bad"), c.data);
    EXPECT_FALSE(unigram.Load(Path("bad").c_str())) << c.name;
    EXPECT_EQ(unigram.GetFreq(1), 7) << c.name;
    EXPECT_EQ(unigram.GetTotalFreq(), 12) << c.name;
  }

  // The empty table is a 12-byte file and loads back.
  ASSERT_TRUE(CUnigram(-1).Save(Path("empty").c_str()));
  EXPECT_EQ(ReadAll(Path("empty")), Ints({0, -1, 0}));
  ASSERT_TRUE(unigram.Load(Path("empty").c_str()));
  EXPECT_EQ(unigram.GetFreq(0), 0);
}

}  // namespace
