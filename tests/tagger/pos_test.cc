#include "tagger/pos.h"

#include <ctime>
#include <vector>

#include "base/log.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"
#include "tagger/pos_map.h"
#include "temp_dir.h"

namespace {

// Handles: a 0, b 1, c 2, dog 3, cat 4. Tags: a 0, n 1, v 2.
class PosTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    m_sOldLogPath = g_sLogPath;
    g_sLogPath = m_sDir;
    for (const char* sWord : {"a", "b", "c", "dog", "cat"}) m_dict.AddWord(sWord);
    m_dict.AddWordComplete();
    WriteAll(Path("tags.map"), "a\nn\nv\n");
    ASSERT_TRUE(m_map.Load(Path("tags.map").c_str()));
    WriteAll(Path("words.txt"),
             "dog n 5\n"
             "dog\tv\t3\n"
             "dog n 7\n"      // the same word and tag again: the larger frequency stays
             "cat N 2\n"      // tag names in any case
             "c v 1\n"
             "\n"
             "zebra n 1\n"    // not in the dictionary
             "a xx 4\n"       // not in the tag set
             "b n\n");        // no frequency
  }
  void TearDown() override {
    g_sLogPath = m_sOldLogPath;
    TempDirTest::TearDown();
  }
  CPDAT m_dict;
  CPOSmap m_map;
  std::string m_sOldLogPath;
};

TEST_F(PosTest, ImportGroupsByHandleMergesDuplicatesAndWritesTheExactLayout) {
  CPOS pos;
  ASSERT_EQ(5, pos.Import(Path("words.txt").c_str(), &m_dict, &m_map));
  const int nBound = pos.GetBound();
  ASSERT_GE(nBound, 5);
  ASSERT_TRUE(pos.Save(Path("t.pos").c_str()));
  std::string sFile = ReadAll(Path("t.pos"));
  ASSERT_EQ(8u + 8 * 5 + 8 * nBound, sFile.size());
  EXPECT_EQ(5, Int32At(sFile, 0));
  EXPECT_EQ(nBound, Int32At(sFile, 4));
  // Records: c/v 1, dog/n 7, dog/v 3, cat/n 2, then the record freed by the merge.
  const int expected[][2] = {{2, 1}, {1, 7}, {2, 3}, {1, 2}, {255, 0}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(expected[i][0], static_cast<unsigned char>(sFile[8 + 8 * i])) << i;
    EXPECT_EQ(std::string(3, '\0'), sFile.substr(9 + 8 * i, 3)) << i;
    EXPECT_EQ(expected[i][1], Int32At(sFile, 12 + 8 * i)) << i;
  }
  const int index[][2] = {{-1, -1}, {-1, -1}, {0, 1}, {1, 2}, {3, 1}};
  for (int h = 0; h < 5; ++h) {
    EXPECT_EQ(index[h][0], Int32At(sFile, 48 + 8 * h)) << h;
    EXPECT_EQ(index[h][1], Int32At(sFile, 52 + 8 * h)) << h;
  }
  // The lines left out are logged whole.
  std::string sLog = ReadAll(LogFileName(m_sDir.c_str(), false, time(nullptr)));
  for (const char* sLine : {"\tzebra n 1\n", "\ta xx 4\n", "\tb n\n"}) {
    EXPECT_NE(std::string::npos, sLog.find(sLine)) << sLine;
  }
}

TEST_F(PosTest, LookupsAnswerNeutralValuesOutsideTheTable) {
  CPOS built;
  ASSERT_EQ(5, built.Import(Path("words.txt").c_str(), &m_dict, &m_map));
  ASSERT_TRUE(built.Save(Path("t.pos").c_str()));
  CPOS pos;
  ASSERT_TRUE(pos.Load(Path("t.pos").c_str()));

  int nCount = -1;
  const POS_info* pInfo = pos.GetPOS(3, &nCount);
  ASSERT_EQ(2, nCount);
  EXPECT_EQ(1, pInfo[0].POS_id);
  EXPECT_EQ(7, pInfo[0].freq);
  EXPECT_EQ(2, pInfo[1].POS_id);
  EXPECT_EQ(1, pos.GetPOS(3));
  EXPECT_EQ(3, pos.GetPOSFreq(3, 2));
  EXPECT_EQ(0, pos.GetPOSFreq(3, 0));
  EXPECT_EQ(7, pos.GetMaxPOS(3)->freq);
  EXPECT_EQ(2, pos.GetMaxPOS(2)->POS_id);

  for (int handle : {-1, 0, 1, pos.GetBound(), pos.GetBound() + 1000}) {
    nCount = -1;
    EXPECT_EQ(nullptr, pos.GetPOS(handle, &nCount)) << handle;
    EXPECT_EQ(0, nCount) << handle;
    EXPECT_EQ(255, pos.GetPOS(handle)) << handle;
    EXPECT_EQ(0, pos.GetPOSFreq(handle, 1)) << handle;
    EXPECT_EQ(nullptr, pos.GetMaxPOS(handle)) << handle;
  }

  std::vector<POS_elem> vecItems(1);
  EXPECT_EQ(2, pos.GetAllItem(vecItems, {3}));
  ASSERT_EQ(3u, vecItems.size());
  EXPECT_EQ(2, vecItems[1].handle);
  EXPECT_EQ(4, vecItems[2].handle);
  EXPECT_EQ(1, vecItems[2].POS_id);
}

TEST_F(PosTest, ExportedTextImportsBackToTheSameRecords) {
  CPOS pos;
  ASSERT_EQ(5, pos.Import(Path("words.txt").c_str(), &m_dict, &m_map));
  CWordList words(false, &m_dict);
  for (const char* sWord : {"a", "b", "c", "dog", "cat"}) words.AddWord(sWord);
  words.AddWordComplete();

  ASSERT_TRUE(pos.Export(Path("names.txt").c_str(), &m_map, &words));
  EXPECT_EQ("c\tv\t1\ndog\tn\t7\ndog\tv\t3\ncat\tn\t2\n", ReadAll(Path("names.txt")));
  ASSERT_TRUE(pos.Export(Path("ids.txt").c_str(), nullptr, nullptr));
  EXPECT_EQ("2\t2\t1\n3\t1\t7\n3\t2\t3\n4\t1\t2\n", ReadAll(Path("ids.txt")));

  CPOS again;
  ASSERT_EQ(4, again.Import(Path("names.txt").c_str(), &m_dict, &m_map));
  std::vector<POS_elem> vecBefore, vecAfter;
  pos.GetAllItem(vecBefore, {});
  again.GetAllItem(vecAfter, {});
  ASSERT_EQ(vecBefore.size(), vecAfter.size());
  for (size_t i = 0; i < vecBefore.size(); ++i) {
    EXPECT_EQ(vecBefore[i].handle, vecAfter[i].handle);
    EXPECT_EQ(vecBefore[i].POS_id, vecAfter[i].POS_id);
    EXPECT_EQ(vecBefore[i].freq, vecAfter[i].freq);
  }
}

TEST_F(PosTest, DecimalTagsUseTheLowByteAndEveryHandleOfTheDictionaryIsIndexed) {
  // Three one-character words fill cells 0..2: the highest cell index (2) is
  // below the word count (3), yet the last handle must keep its tags.
  CPDAT small;
  for (const char* sWord : {"x", "y", "z"}) small.AddWord(sWord);
  small.AddWordComplete();
  WriteAll(Path("ids.txt"), "z 300 4\nx 7 1\ny 255 9\n");
  CPOS pos;
  ASSERT_EQ(2, pos.Import(Path("ids.txt").c_str(), &small, nullptr));
  EXPECT_GE(pos.GetBound(), 3);
  EXPECT_EQ(44, pos.GetPOS(2));  // 300 & 0xFF
  EXPECT_EQ(7, pos.GetPOS(0));
  EXPECT_EQ(255, pos.GetPOS(1));  // 255 is no tag: the line is not imported

  EXPECT_EQ(0, pos.Import(Path("missing.txt").c_str(), &small, nullptr));
  EXPECT_EQ(0, pos.Import(Path("ids.txt").c_str(), nullptr, nullptr));
  EXPECT_EQ(44, pos.GetPOS(2));
}

TEST_F(PosTest, LoadRejectsInconsistentFilesAndKeepsTheTable) {
  CPOS built;
  ASSERT_EQ(5, built.Import(Path("words.txt").c_str(), &m_dict, &m_map));
  ASSERT_TRUE(built.Save(Path("good.pos").c_str()));
  const std::string sGood = ReadAll(Path("good.pos"));
  const size_t nIndex = 8 + 8 * 5;  // index entry of handle h at nIndex + 8 * h
  auto Patched = [&](size_t nOffset, int32_t nValue) {
    std::string s = sGood;
    s.replace(nOffset, 4, Int32Bytes(nValue));
    return s;
  };
  struct Case {
    const char* sName;
    std::string sData;
  } cases[] = {
      {"empty", ""},
      {"counts cut", sGood.substr(0, 6)},
      {"one byte short", sGood.substr(0, sGood.size() - 1)},
      {"one byte long", sGood + "x"},
      {"negative size", Patched(0, -1)},
      {"negative bound", Patched(4, -1)},
      {"size beyond the file", Patched(0, 1 << 30)},
      {"size too small for the file", Patched(0, 4)},
      {"start beyond the records", Patched(nIndex + 8 * 3, 5)},
      {"run beyond the records", Patched(nIndex + 8 * 3 + 4, 5)},
      {"empty run", Patched(nIndex + 8 * 3 + 4, 0)},
      {"negative count", Patched(nIndex + 8 * 3 + 4, -3)},
      {"start below -1", Patched(nIndex + 8 * 3, -2)},
      {"no start but a count", Patched(nIndex, 2)},
  };
  for (const Case& c : cases) {
    WriteAll(Path("bad.pos"), c.sData);
    CPOS pos;
    ASSERT_TRUE(pos.Load(Path("good.pos").c_str()));
    EXPECT_FALSE(pos.Load(Path("bad.pos").c_str())) << c.sName;
    EXPECT_EQ(7, pos.GetPOSFreq(3, 1)) << c.sName;
    EXPECT_EQ(5, pos.GetSize()) << c.sName;
  }
  CPOS pos;
  EXPECT_FALSE(pos.Load(Path("missing.pos").c_str()));
  EXPECT_FALSE(pos.Load(m_sDir.c_str()));
}

}  // namespace
