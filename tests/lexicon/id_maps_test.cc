#include "lexicon/id_maps.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/log.h"
#include "common/test_files.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"

namespace {

std::string Ints(std::initializer_list<int32_t> values) {
  std::string s;
  for (int32_t n : values) s.append(reinterpret_cast<const char*>(&n), 4);
  return s;
}

std::vector<int> Targets(const CIDMaps& map, int nHandle) {
  int nCount = -1;
  const idmaps_info* pMaps = map.GetMaps(nHandle, &nCount);
  std::vector<int> vec;
  for (int i = 0; i < nCount; ++i) vec.push_back(pMaps[i].handle2);
  EXPECT_EQ(pMaps == nullptr, nCount == 0);
  return vec;
}

// GBK: zhong1 guo2 (China), mei3 guo2 (USA), ying1 guo2 (UK).
const char kChina[] = "\xD6\xD0\xB9\xFA";
const char kUsa[] = "\xC3\xC0\xB9\xFA";
const char kUk[] = "\xD3\xA2\xB9\xFA";

class IDMapsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_sLogPath = m_sDir;
    g_bLog = true;
    // Handles: apple 0, banana 1, China 2, USA 3, UK 4, "new york" 5.
    for (const char* sWord : {"apple", "banana", kChina, kUsa, kUk, "new york"}) {
      m_dict.AddWord(sWord);
    }
    m_dict.AddWordComplete();
    ASSERT_EQ(m_dict.Find("new york"), 5);
  }
  std::string Path(const char* sName) const { return m_tempDir.Path(sName); }
  std::string ErrorLog() const {
    return ReadAll(LogFileName(m_sDir.c_str(), true, static_cast<long long>(time(nullptr))));
  }

  ScopedTempDir m_tempDir{"kavel_idmaps"};
  const std::string& m_sDir = m_tempDir.Dir();
  CPDAT m_dict{0};
};

TEST_F(IDMapsTest, BuildMergesRepeatsAndSavesTheDocumentedLayout) {
  CIDMaps map;
  map.MapInit();
  map.MapAdd(2, 3);
  map.MapAdd(0, 5);
  map.MapAdd(2, 1);
  map.MapAdd(-1, 4);  // ignored
  map.MapAdd(2, 3);   // repeat: counted, stored once
  map.MapComplete();
  EXPECT_EQ(map.GetSize(), 4);
  EXPECT_EQ(map.GetBound(), 3);
  EXPECT_EQ(Targets(map, 2), (std::vector<int>{1, 3}));
  EXPECT_EQ(map.GetMapID(2), 1);
  EXPECT_EQ(map.GetMapID(0), 5);
  for (int nHandle : {1, 3, -1}) {
    SCOPED_TRACE(nHandle);
    EXPECT_TRUE(Targets(map, nHandle).empty());
    EXPECT_EQ(map.GetMapID(nHandle), -1);
  }

  ASSERT_TRUE(map.Save(Path("m.map").c_str()));
  EXPECT_EQ(ReadAll(Path("m.map")), Ints({4, 3, 5, 1, 3, -1, 0, 0, -1, -1, 1, 2}));
  CIDMaps loaded;
  ASSERT_TRUE(loaded.Load(Path("m.map").c_str()));
  EXPECT_EQ(Targets(loaded, 2), (std::vector<int>{1, 3}));
  EXPECT_EQ(loaded.GetSize(), 4);
}

TEST_F(IDMapsTest, ManyPairsInReverseOrderGroupCorrectly) {
  CIDMaps map;
  map.MapInit();
  for (int i = 19999; i >= 0; --i) map.MapAdd(i / 4, 1000 - i % 4);
  map.MapComplete();
  EXPECT_EQ(map.GetBound(), 5000);
  for (int h : {0, 2500, 4999}) {
    EXPECT_EQ(Targets(map, h), (std::vector<int>{997, 998, 999, 1000}));
  }
}

TEST_F(IDMapsTest, LoadRejectsDamagedFilesAndKeepsContents) {
  const std::string sGood = Ints({3, 2, 7, 8, 9, 0, 1, -1, -1});
  struct Case {
    const char* sName;
    std::string sData;
  } cases[] = {
      {"empty", ""},
      {"header only", Ints({3, 2})},
      {"truncated", sGood.substr(0, sGood.size() - 1)},
      {"trailing byte", sGood + "x"},
      {"negative size", Ints({-1, 0})},
      {"bound too large", Ints({3, 3, 7, 8, 9, 0, 1, -1, -1})},
      {"end past targets", Ints({3, 2, 7, 8, 9, 0, 3, -1, -1})},
      {"start past targets", Ints({3, 2, 7, 8, 9, 4, 4, -1, -1})},
      {"start after end + 1", Ints({3, 2, 7, 8, 9, 2, 0, -1, -1})},
      {"negative start", Ints({3, 2, 7, 8, 9, -1, 1, -1, -1})},
  };
  CIDMaps map;
  map.MapInit();
  map.MapAdd(1, 6);
  map.MapComplete();
  EXPECT_FALSE(map.Load(Path("missing.map").c_str()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sName);
    WriteAll(Path("bad.map"), c.sData);
    EXPECT_FALSE(map.Load(Path("bad.map").c_str()));
    EXPECT_EQ(Targets(map, 1), std::vector<int>{6});
  }
  // An empty group written as end == start - 1 is accepted and holds nothing.
  WriteAll(Path("ok.map"), Ints({3, 2, 7, 8, 9, 0, 1, 2, 1}));
  ASSERT_TRUE(map.Load(Path("ok.map").c_str()));
  EXPECT_EQ(Targets(map, 0), (std::vector<int>{7, 8}));
  EXPECT_TRUE(Targets(map, 1).empty());
}

TEST_F(IDMapsTest, PairImportEchoesBracketsAndReportsInvalidPairs) {
  WriteAll(Path("pairs.txt"),
           "\xEF\xBB\xBF" "apple banana\n"
           "[new york]\tapple\n"
           "new_york " + std::string(kChina) + "\r\n"
           "apple kiwi\n"
           "kiwi grape\n"
           "apple apple\n"
           "apple banana\n"
           "lonely\n");
  CIDMaps map;
  EXPECT_EQ(map.Import(Path("nothing.txt").c_str(), &m_dict, &m_dict), 0);
  EXPECT_EQ(map.Import(Path("pairs.txt").c_str(), &m_dict, &m_dict), 4);
  EXPECT_EQ(Targets(map, 0), std::vector<int>{1});
  EXPECT_EQ(Targets(map, 5), (std::vector<int>{0, 2}));

  EXPECT_EQ(ReadAll(Path("pairs.txt_map_export.txt")),
            "apple\tbanana\n[new york]\tapple\n[new york]\t" + std::string(kChina) +
                "\napple\tkiwi\nkiwi\tgrape\napple\tapple\napple\tbanana\n");
  std::string sLog = ErrorLog();
  EXPECT_NE(sLog.find("\t kiwi invalid argument!\n"), std::string::npos) << sLog;
  EXPECT_NE(sLog.find("\tkiwi grape invalid argument!\n"), std::string::npos);
  EXPECT_NE(sLog.find("\t invalid argument!\n"), std::string::npos);  // apple -> apple
}

TEST_F(IDMapsTest, OneToManyAndParallelFileImports) {
  CIDMaps map;
  WriteAll(Path("multi.txt"), "apple, banana " + std::string(kChina) + "\n\nbanana\n" +
                                  kUk + "\t" + kUsa + ",kiwi\n");
  EXPECT_EQ(map.ImportOne2Mul(Path("multi.txt").c_str(), &m_dict, &m_dict), 3);
  EXPECT_EQ(Targets(map, 0), (std::vector<int>{1, 2}));
  EXPECT_EQ(Targets(map, 4), std::vector<int>{3});
  EXPECT_NE(ErrorLog().find("\t kiwi invalid argument!\n"), std::string::npos);

  WriteAll(Path("left.txt"), "\xEF\xBB\xBF" "apple x\nkiwi\nbanana\nUK\n");
  WriteAll(Path("right.txt"), std::string(kChina) + "\n" + kUsa + "\n" + kUk + " y\n");
  EXPECT_EQ(map.Import(Path("left.txt").c_str(), Path("missing").c_str(), &m_dict, &m_dict), 0);
  EXPECT_EQ(map.Import(Path("left.txt").c_str(), Path("right.txt").c_str(), &m_dict, &m_dict), 2);
  EXPECT_EQ(Targets(map, 0), std::vector<int>{2});
  EXPECT_EQ(Targets(map, 1), std::vector<int>{4});
  EXPECT_TRUE(Targets(map, 4).empty());  // the earlier map is gone
}

TEST_F(IDMapsTest, TabImportTakesTheSourceFromTheLastField) {
  WriteAll(Path("tab.txt"), "apple\tbanana\t" + std::string(kChina) + "*\n" +
                                "banana\t" + kUsa + "\xBB\xAA\n" + "apple\n" + "banana\tUSAx\n");
  CIDMaps map;
  EXPECT_EQ(map.Import(Path("tab.txt").c_str(), &m_dict), 3);
  EXPECT_EQ(Targets(map, 2), (std::vector<int>{0, 1}));
  EXPECT_EQ(Targets(map, 3), std::vector<int>{1});  // last GBK character dropped whole
}

TEST_F(IDMapsTest, SimilarGroupsAreSymmetric) {
  WriteAll(Path("sim.txt"), std::string(kChina) + " " + kUsa + "," + kUk + "\n");
  CIDMaps map;
  EXPECT_EQ(map.ImportSim(Path("sim.txt").c_str(), &m_dict), 4);
  std::vector<int> vec;
  EXPECT_EQ(map.GetSimMaps(2, vec), 2u);
  EXPECT_EQ(vec, (std::vector<int>{3, 4}));
  EXPECT_EQ(map.GetSimMaps(3, vec), 2u);
  EXPECT_EQ(vec, (std::vector<int>{2, 4}));
  EXPECT_EQ(map.GetSimMaps(4, vec), 2u);
  EXPECT_EQ(vec, (std::vector<int>{2, 3}));
  EXPECT_EQ(map.GetSimMaps(0, vec), 0u);
  EXPECT_TRUE(vec.empty());
}

TEST_F(IDMapsTest, ExportsListGroupsWithTheirTexts) {
  CWordList words(false, &m_dict);
  for (const char* sWord : {"apple", "banana", kChina, kUsa, kUk, "new york"}) {
    words.AddWord(sWord);
  }
  words.AddWordComplete();
  CIDMaps map;
  map.MapInit();
  map.MapAdd(0, 1);
  map.MapAdd(5, 2);
  map.MapAdd(5, 0);
  map.MapComplete();

  ASSERT_TRUE(map.Export(Path("all.txt").c_str(), &words, &words, false));
  EXPECT_EQ(ReadAll(Path("all.txt")),
            "Data Size=3,Index Size=6\n"
            "Handle=0(apple),Start=0\tEnd=0 count=1\n data=1(banana) \n"
            "Handle=5(new york),Start=1\tEnd=2 count=2\n data=0(apple) 2(" +
                std::string(kChina) + ") \n");
  ASSERT_TRUE(map.Export(Path("debug.txt").c_str(), &words, &words, true));
  EXPECT_EQ(ReadAll(Path("debug.txt")).find("Handle=0("), std::string::npos);
  EXPECT_FALSE(map.Export(Path("no/such/dir.txt").c_str(), &words, &words, false));

  std::vector<map_str> vecPairs(1);
  EXPECT_EQ(map.Export(vecPairs, &words, &words), 4u);
  EXPECT_EQ(vecPairs[1].src, "apple");
  EXPECT_EQ(vecPairs[1].dsn, "banana");
  EXPECT_EQ(vecPairs[3].src, "new york");
  EXPECT_EQ(vecPairs[3].dsn, kChina);
}

}  // namespace
