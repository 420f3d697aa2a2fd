#include "tagger/fsa.h"

#include "temp_dir.h"

namespace {

const char kSource[] =
    "state count\n4\n"
    "input count\n3\n"
    "accepting states\n2 3\t9\n"      // 9 is not a state
    "their tag ids\n24\t27\n"
    "transitions\n"
    "0 0 1\n1 1 2\n2 1 3\n3 2 0\n"
    "-1 0 1\n"                        // negative source
    "0 5 1\n"                         // no such input
    "1 0 7\n"                         // no such target
    "\nnot a transition\n";

class FsaTest : public TempDirTest {
 protected:
  void ExpectAutomaton(const CFSA& fsa) {
    EXPECT_EQ(4, fsa.GetStateCount());
    EXPECT_EQ(3, fsa.GetInputSetSize());
    const int next[4][3] = {{1, -1, -1}, {-1, 2, -1}, {-1, 3, -1}, {-1, -1, 0}};
    for (int s = 0; s < 4; ++s) {
      for (int i = 0; i < 3; ++i) EXPECT_EQ(next[s][i], fsa.GetNextState(s, i)) << s << "," << i;
    }
    const bool accepted[] = {false, false, true, true};
    const int ids[] = {0, 0, 24, 27};
    for (int s = 0; s < 4; ++s) {
      EXPECT_EQ(accepted[s], fsa.IsAccepted(s)) << s;
      EXPECT_EQ(ids[s], fsa.GetPosId(s)) << s;
    }
    for (auto si : std::vector<std::pair<int, int>>{{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {1000, 1000}}) {
      EXPECT_EQ(-1, fsa.GetNextState(si.first, si.second));
    }
    EXPECT_FALSE(fsa.IsAccepted(4));
    EXPECT_EQ(0, fsa.GetPosId(-1));
  }
};

TEST_F(FsaTest, ImportSkipsOutOfRangeEntriesAndSavesTheExactLayout) {
  WriteAll(Path("nr.txt"), kSource);
  CFSA fsa;
  ASSERT_TRUE(fsa.Import(Path("nr.txt").c_str()));
  ExpectAutomaton(fsa);
  ASSERT_TRUE(fsa.Save(Path("nr.fsa").c_str()));
  std::string sFile = ReadAll(Path("nr.fsa"));
  ASSERT_EQ(8u + 8 * 4 + 4 * 4 * 3, sFile.size());
  EXPECT_EQ(3, Int32At(sFile, 0));
  EXPECT_EQ(4, Int32At(sFile, 4));
  const int accepted[] = {0, 0, 1, 1}, ids[] = {0, 0, 24, 27};
  const int next[] = {1, -1, -1, -1, 2, -1, -1, 3, -1, -1, -1, 0};
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(accepted[s], Int32At(sFile, 8 + 4 * s));
    EXPECT_EQ(ids[s], Int32At(sFile, 24 + 4 * s));
  }
  for (int k = 0; k < 12; ++k) EXPECT_EQ(next[k], Int32At(sFile, 40 + 4 * k)) << k;

  CFSA loaded;
  ASSERT_TRUE(loaded.Load(Path("nr.fsa").c_str()));
  ExpectAutomaton(loaded);
}

TEST_F(FsaTest, ListingAndSourceExports) {
  WriteAll(Path("nr.txt"), kSource);
  CFSA fsa;
  ASSERT_TRUE(fsa.Import(Path("nr.txt").c_str()));
  ASSERT_TRUE(fsa.Export(Path("listing.txt").c_str()));
  // The listing leaves out transitions to state 0.
  EXPECT_EQ(
      "state count\n4\ninput size\n3\nAccepted State\n3\n2\t3\t\n24\t27\t\n"
      "Transitive State-Input-NextState\n0\t0\t1\n1\t1\t2\n2\t1\t3\n",
      ReadAll(Path("listing.txt")));
  ASSERT_TRUE(fsa.ExportSource(Path("source.txt").c_str()));
  CFSA again;
  ASSERT_TRUE(again.Import(Path("source.txt").c_str()));
  ExpectAutomaton(again);
}

TEST_F(FsaTest, BadSourcesAndFilesAreRejectedAndKeepTheAutomaton) {
  WriteAll(Path("nr.txt"), kSource);
  CFSA good;
  ASSERT_TRUE(good.Import(Path("nr.txt").c_str()));
  ASSERT_TRUE(good.Save(Path("good.fsa").c_str()));
  const std::string sGood = ReadAll(Path("good.fsa"));
  auto Patched = [&](size_t nOffset, int32_t nValue) {
    std::string s = sGood;
    s.replace(nOffset, 4, Int32Bytes(nValue));
    return s;
  };
  struct Case {
    const char* sName;
    std::string sData;
  } files[] = {
      {"empty", ""},
      {"counts cut", sGood.substr(0, 6)},
      {"one byte short", sGood.substr(0, sGood.size() - 1)},
      {"one byte long", sGood + "x"},
      {"negative inputs", Patched(0, -3)},
      {"negative states", Patched(4, -4)},
      {"huge counts", Patched(0, 1 << 20).replace(4, 4, Int32Bytes(1 << 20))},
      {"more inputs than stored", Patched(0, 4)},
      {"target beyond the states", Patched(40, 4)},
      {"target below -1", Patched(40, -2)},
  };
  for (const Case& c : files) {
    WriteAll(Path("bad.fsa"), c.sData);
    CFSA fsa;
    ASSERT_TRUE(fsa.Load(Path("good.fsa").c_str()));
    EXPECT_FALSE(fsa.Load(Path("bad.fsa").c_str())) << c.sName;
    ExpectAutomaton(fsa);
  }
  Case sources[] = {
      {"no counts", "caption\n"},
      {"state count not a number", "c\nmany\nc\n3\n"},
      {"negative state count", "c\n-4\nc\n3\n"},
      {"too many cells", "c\n100000\nc\n100000\n"},
  };
  for (const Case& c : sources) {
    WriteAll(Path("bad.txt"), c.sData);
    CFSA fsa;
    ASSERT_TRUE(fsa.Import(Path("nr.txt").c_str()));
    std::string sError;
    EXPECT_FALSE(fsa.Import(Path("bad.txt").c_str(), &sError)) << c.sName;
    EXPECT_FALSE(sError.empty());
    ExpectAutomaton(fsa);
  }
  CFSA fsa;
  EXPECT_FALSE(fsa.Load(Path("missing.fsa").c_str()));
  EXPECT_FALSE(fsa.Import(Path("missing.txt").c_str()));
}

}  // namespace
