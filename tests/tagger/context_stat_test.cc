#include "tagger/context_stat.h"

#include <climits>
#include <vector>

#include "tagger/pos_map.h"
#include "temp_dir.h"

namespace {

// A literal 0 would also match the name overloads.
constexpr unsigned char kZero = 0;

class ContextStatTest : public TempDirTest {
 protected:
  // Three tags; row 0 is frequent, row 2 never occurs as the previous tag.
  void Fill(CContextStat* pStat) {
    pStat->SetSymbol(static_cast<unsigned char>(3));
    ASSERT_TRUE(pStat->Add(0, 1, 6));
    ASSERT_TRUE(pStat->Add(0, 2, 2));
    ASSERT_TRUE(pStat->Add(1, 0, 1));
    ASSERT_TRUE(pStat->Add(1, 0, 1));
  }
  void ExpectFilled(const CContextStat& stat) {
    EXPECT_EQ(10, stat.GetTotalFreq());
    EXPECT_EQ(8, stat.GetFrequency(kZero));
    EXPECT_EQ(2, stat.GetFrequency(1));
    EXPECT_EQ(0, stat.GetFrequency(2));
    EXPECT_EQ(0, stat.GetFrequency(3));
    EXPECT_DOUBLE_EQ((0.9 * 6 / 8 + 0.1 * 8 / 10) * 0.99999 + 0.00001, stat.GetContextPossibility(0, 1));
    EXPECT_DOUBLE_EQ((0.9 * 2 / 2 + 0.1 * 2 / 10) * 0.99999 + 0.00001, stat.GetContextPossibility(1, 0));
    // A zero cell in a frequent row, a row that never occurs, ids out of range.
    for (auto pc : std::vector<std::pair<int, int>>{{0, 0}, {2, 0}, {3, 0}, {0, 3}, {255, 255}}) {
      EXPECT_DOUBLE_EQ(0.00001, stat.GetContextPossibility(pc.first, pc.second)) << pc.first << "," << pc.second;
    }
  }
};

TEST_F(ContextStatTest, ProbabilitiesFollowTheSmoothedFormula) {
  CContextStat stat;
  Fill(&stat);
  ExpectFilled(stat);
  EXPECT_FALSE(stat.Add(3, 0, 1));
  EXPECT_FALSE(stat.Add(0, 3, 1));
  EXPECT_FALSE(stat.Add(kZero, kZero, INT_MAX));  // the row total would overflow
  EXPECT_EQ(10, stat.GetTotalFreq());
  stat.Destroy();
  EXPECT_EQ(0, stat.GetTableLen());
  EXPECT_DOUBLE_EQ(0.00001, stat.GetContextPossibility(0, 1));
}

TEST_F(ContextStatTest, FileWithoutNamesHasTheExactLayoutAndLoadsBack) {
  CContextStat stat;
  Fill(&stat);
  WriteAll(Path("tags.map"), "a\nn\nv\n");
  CPOSmap map;
  ASSERT_TRUE(map.Load(Path("tags.map").c_str()));
  ASSERT_TRUE(stat.Save(Path("t.ctx").c_str(), map));

  std::string sFile = ReadAll(Path("t.ctx"));
  ASSERT_EQ(1u + 4 + 4 * 3 + 4 * 9, sFile.size());
  EXPECT_EQ(3, sFile[0]);
  EXPECT_EQ(10, Int32At(sFile, 1));
  const int totals[] = {8, 2, 0};
  const int counts[] = {0, 6, 2, 2, 0, 0, 0, 0, 0};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(totals[i], Int32At(sFile, 5 + 4 * i));
  for (int i = 0; i < 9; ++i) EXPECT_EQ(counts[i], Int32At(sFile, 17 + 4 * i));

  EXPECT_EQ(
      "Total frequency=10:\nTable Len=3\nSymbol:\n               a     n     v \n"
      "No. 0=    a:     0     6     2 total=8:\n"
      "No. 1=    n:     2     0     0 total=2:\n"
      "No. 2=    v:     0     0     0 total=0:\n",
      ReadAll(Path("t.ctx.shw")));
  ASSERT_TRUE(stat.Export(Path("ids.txt").c_str(), nullptr));
  EXPECT_EQ(0u, ReadAll(Path("ids.txt")).find("Total frequency=10:\nTable Len=3\nSymbol:\n               0     1     2 \n"
                                               "No. 0=    0:     0     6     2 total=8:\n"));

  CContextStat loaded;
  ASSERT_TRUE(loaded.Load(Path("t.ctx").c_str(), false));
  EXPECT_FALSE(loaded.HasSymbols());
  ExpectFilled(loaded);
  EXPECT_FALSE(loaded.Load(Path("t.ctx").c_str(), true));  // no names in this file
}

TEST_F(ContextStatTest, NamedTablesSortNamesAndFindThemInAnyCase) {
  const char* names[] = {"v", "N", "a"};
  CContextStat stat;
  ASSERT_TRUE(stat.SetSymbol(3, const_cast<char**>(names)));
  EXPECT_EQ(0, stat.FindSymbol("A"));
  EXPECT_EQ(1, stat.FindSymbol("n"));
  EXPECT_EQ(2, stat.FindSymbol("V"));
  EXPECT_EQ(-1, stat.FindSymbol("x"));
  EXPECT_TRUE(stat.Add("n", "V", 4));
  EXPECT_TRUE(stat.Add("a", "a", 1));
  EXPECT_FALSE(stat.Add("x", "a", 1));
  EXPECT_EQ(4, stat.GetFrequency("N"));
  EXPECT_EQ(0, stat.GetFrequency("x"));
  EXPECT_DOUBLE_EQ((0.9 + 0.1 * 4 / 5) * 0.99999 + 0.00001, stat.GetContextPossibility("n", "v"));
  EXPECT_DOUBLE_EQ(0.00001, stat.GetContextPossibility("n", "x"));

  CPOSmap noMap;
  ASSERT_TRUE(stat.Save(Path("named.ctx").c_str(), noMap));
  std::string sFile = ReadAll(Path("named.ctx"));
  ASSERT_EQ(1u + 300 + 4 + 12 + 36, sFile.size());
  EXPECT_EQ(std::string("a\0", 2), sFile.substr(1, 2));
  EXPECT_EQ(std::string(99, '\0'), sFile.substr(2, 99));
  EXPECT_EQ(std::string("N\0", 2), sFile.substr(101, 2));
  EXPECT_EQ(5, Int32At(sFile, 301));
  EXPECT_NE(std::string::npos, ReadAll(Path("named.ctx.shw")).find("No. 1=  N:     0     0     4 total=4:\n"));

  CContextStat loaded;
  EXPECT_FALSE(loaded.Load(Path("named.ctx").c_str(), false));
  ASSERT_TRUE(loaded.Load(Path("named.ctx").c_str(), true));
  EXPECT_EQ(4, loaded.GetFrequency("n"));
  EXPECT_EQ(4, loaded.GetCount(1, 2));

  std::vector<char*> tooMany(256, const_cast<char*>("t"));
  EXPECT_FALSE(stat.SetSymbol(256, tooMany.data()));
  const char* withNull[] = {"a", nullptr};
  EXPECT_FALSE(stat.SetSymbol(2, const_cast<char**>(withNull)));
  EXPECT_EQ(4, stat.GetFrequency("n"));
}

TEST_F(ContextStatTest, LoadRejectsInconsistentFilesAndKeepsTheTable) {
  CContextStat stat;
  Fill(&stat);
  ASSERT_TRUE(stat.Save(Path("good.ctx").c_str(), CPOSmap()));
  const char* names[] = {"a", "b"};
  CContextStat named;
  ASSERT_TRUE(named.SetSymbol(2, const_cast<char**>(names)));
  ASSERT_TRUE(named.Save(Path("named.ctx").c_str(), CPOSmap()));
  const std::string sGood = ReadAll(Path("good.ctx"));
  const std::string sNamed = ReadAll(Path("named.ctx"));
  auto Patched = [&](size_t nOffset, int32_t nValue) {
    std::string s = sGood;
    s.replace(nOffset, 4, Int32Bytes(nValue));
    return s;
  };
  std::string sSwapped = sNamed;
  sSwapped[1] = 'b';
  sSwapped[101] = 'a';
  struct Case {
    const char* sName;
    std::string sData;
    bool bOriginal;
  } cases[] = {
      {"empty", "", false},
      {"one byte short", sGood.substr(0, sGood.size() - 1), false},
      {"one byte long", sGood + "x", false},
      {"larger N", std::string(1, '\4') + sGood.substr(1), false},
      {"smaller N", std::string(1, '\2') + sGood.substr(1), false},
      {"total off", Patched(1, 11), false},
      {"row total off", Patched(5, 7), false},
      {"cell off", Patched(17 + 4, 5), false},
      {"names out of order", sSwapped, true},
  };
  for (const Case& c : cases) {
    WriteAll(Path("bad.ctx"), c.sData);
    CContextStat loaded;
    ASSERT_TRUE(loaded.Load(Path("good.ctx").c_str(), false));
    EXPECT_FALSE(loaded.Load(Path("bad.ctx").c_str(), c.bOriginal)) << c.sName;
    ExpectFilled(loaded);
  }
  CContextStat loaded;
  EXPECT_FALSE(loaded.Load(Path("missing.ctx").c_str(), false));
  // A table of no tags is one zero byte and a zero total.
  WriteAll(Path("zero.ctx"), std::string(5, '\0'));
  EXPECT_TRUE(loaded.Load(Path("zero.ctx").c_str(), false));
  EXPECT_EQ(0, loaded.GetTableLen());
}

}  // namespace
