#include "lexicon/trie.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "common/test_files.h"
#include <vector>

namespace {

// GBK: zhong1, guo2, ren2, min2, hua2.
const char kZhong[] = "\xD6\xD0";
const char kGuo[] = "\xB9\xFA";
const char kRen[] = "\xC8\xCB";
const char kMin[] = "\xC3\xF1";
const char kHua[] = "\xBB\xAA";

std::string Cat(std::initializer_list<const char*> parts) {
  std::string s;
  for (const char* p : parts) s += p;
  return s;
}

int32_t IntAt(const std::string& s, size_t nOffset) {
  int32_t n;
  memcpy(&n, s.data() + nOffset, 4);
  return n;
}

void PutInt(std::string& s, size_t nOffset, int32_t n) { memcpy(&s[nOffset], &n, 4); }

std::string PosOf(CTrie& trie, const char* sWord) {
  int nHandle;
  if (trie.GetFreq(sWord, nHandle) < 0) return "<none>";
  char sPos[40];
  trie.GetPos(sPos, 40);
  return sPos;
}

class TrieTest : public ::testing::Test {
 protected:
  std::string Path(const char* sName) const { return m_tempDir.Path(sName); }
  ScopedTempDir m_tempDir{"kavel_trie"};
};

TEST(TrieAddTest, RepeatedAddKeepsHandleCountsAndTakesLastPos) {
  CTrie trie;
  EXPECT_EQ(trie.AddTrie("word v", false), 1);
  EXPECT_EQ(trie.AddTrie("other", false), 1);
  EXPECT_EQ(trie.AddTrie("  word\tnz  ", false), 2);
  EXPECT_EQ(trie.Find("word"), 0);
  EXPECT_EQ(trie.Find("other"), 1);
  int nHandle = -5;
  EXPECT_EQ(trie.GetFreq("word", nHandle), 2);
  EXPECT_EQ(nHandle, 0);
  EXPECT_EQ(PosOf(trie, "word"), "nz");
  EXPECT_EQ(PosOf(trie, "other"), "n");
  EXPECT_EQ(trie.GetLowerBound(), 2);
  EXPECT_EQ(trie.GetWordNum(), 3);
}

TEST(TrieAddTest, WholeWordKeepsBlanksAndOversizedInputIsIgnored) {
  CTrie trie;
  EXPECT_EQ(trie.AddTrie("new york", true), 1);
  EXPECT_EQ(trie.Find("new york", 8), 0);
  EXPECT_EQ(trie.Find("new"), -1);  // Find(text) looks up the first token only
  EXPECT_EQ(PosOf(trie, "new york"), "n");

  std::string sLong(1024, 'a');
  EXPECT_EQ(trie.AddTrie(sLong.c_str(), true), 1);
  EXPECT_EQ(trie.Find(sLong.c_str(), sLong.size()), -1);
  std::string sLongPos = "w " + std::string(40, 'p');
  EXPECT_EQ(trie.AddTrie(sLongPos.c_str(), false), 1);
  EXPECT_EQ(trie.Find("w"), -1);
  EXPECT_EQ(trie.AddTrie(("w " + std::string(39, 'p')).c_str(), false), 1);
  EXPECT_EQ(trie.Find("w"), 1);
  EXPECT_EQ(trie.AddTrie("   ", false), 1);
  EXPECT_EQ(trie.GetLowerBound(), 2);
}

TEST(TrieAddTest, AsciiCapitalsAreFolded) {
  CTrie trie;
  trie.AddTrie("WiFi", false);
  EXPECT_EQ(trie.Find("wifi"), 0);
  EXPECT_EQ(trie.AddTrie("WIFI", false), 2);
  int nHandle;
  EXPECT_EQ(trie.GetMaxWord("wIfIx", &nHandle), 4);
  EXPECT_EQ(nHandle, 0);
}

TEST(TrieDeleteTest, DeletedWordGetsAFreshHandleWhenAddedAgain) {
  CTrie trie;
  const std::string sZhongGuo = Cat({kZhong, kGuo});
  const std::string sZhongGuoRen = Cat({kZhong, kGuo, kRen});
  trie.AddTrie(sZhongGuoRen.c_str(), false);
  trie.AddTrie(kHua, false);

  // A path that is only a prefix is not a word.
  EXPECT_EQ(trie.DelTrie(sZhongGuo.c_str()), -1);
  EXPECT_EQ(trie.DelTrie("absent"), -1);
  EXPECT_EQ(trie.GetDeletedNum(), 0);

  EXPECT_EQ(trie.DelTrie(sZhongGuoRen.c_str()), 0);
  EXPECT_EQ(trie.GetDeletedNum(), 1);
  EXPECT_EQ(trie.Find(sZhongGuoRen.c_str()), -1);
  EXPECT_EQ(trie.DelTrie(sZhongGuoRen.c_str()), -1);
  int nHandle = 7;
  EXPECT_EQ(trie.GetFreq(sZhongGuoRen.c_str(), nHandle), -1);
  EXPECT_EQ(nHandle, 0);

  EXPECT_EQ(trie.AddTrie(sZhongGuoRen.c_str(), false), 2);
  EXPECT_EQ(trie.Find(sZhongGuoRen.c_str()), 2);
  EXPECT_EQ(trie.Find(kHua), 1);
}

TEST(TrieMaxWordTest, LongestStoredPrefixWithItsPos) {
  CTrie trie;
  int nHandle = 9;
  EXPECT_EQ(trie.GetMaxWord("x", &nHandle), -1);  // empty trie
  EXPECT_EQ(nHandle, -1);

  trie.AddTrie((Cat({kZhong, kGuo}) + " ns").c_str(), false);
  trie.AddTrie((Cat({kZhong, kGuo, kRen, kMin}) + " nt").c_str(), false);
  EXPECT_EQ(trie.GetMaxWord("x", nullptr), -1);

  struct Case {
    std::string sText;
    int nLen;
    int nHandle;
    const char* sPos;
  } cases[] = {
      {Cat({kZhong, kGuo, kRen, kMin, kHua}), 8, 1, "nt"},
      // The walk passes through the non-word node of the third character.
      {Cat({kZhong, kGuo, kRen, kHua}), 4, 0, "ns"},
      {Cat({kZhong, kHua}), 0, -1, nullptr},
      {Cat({kZhong}), 0, -1, nullptr},
      // A lone lead byte at the end is a code of its own.
      {std::string(kZhong) + "\xB9", 0, -1, nullptr},
      {"", 0, -1, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sText);
    EXPECT_EQ(trie.GetMaxWord(c.sText.c_str(), &nHandle), c.nLen);
    EXPECT_EQ(nHandle, c.nHandle);
    if (c.sPos != nullptr) {
      char sPos[40];
      trie.GetPos(sPos, 40);
      EXPECT_STREQ(sPos, c.sPos);
    }
    // The form that leaves the trie untouched answers the same.
    int nOwnHandle;
    char sOwnPos[40];
    EXPECT_EQ(static_cast<const CTrie&>(trie).GetMaxWord(c.sText.c_str(), &nOwnHandle, sOwnPos,
                                                         sizeof(sOwnPos)),
              c.nLen);
    EXPECT_EQ(nOwnHandle, c.nHandle);
    EXPECT_STREQ(sOwnPos, c.sPos != nullptr ? c.sPos : "");
  }
}

TEST_F(TrieTest, SaveWritesTheDocumentedLayout) {
  CTrie empty;
  EXPECT_FALSE(empty.Save(Path("empty.pdat").c_str()));
  EXPECT_NE(access(Path("empty.pdat").c_str(), F_OK), 0);

  CTrie trie;
  trie.AddTrie("ab v", false);
  trie.AddTrie("ac", false);
  trie.DelTrie("ac");
  ASSERT_TRUE(trie.Save(Path("t.pdat").c_str()));
  std::string s = ReadAll(Path("t.pdat"));
  // Root, a, b, c.
  ASSERT_EQ(s.size(), 20u + 64 * 4);
  EXPECT_EQ(IntAt(s, 0), 2);       // words assigned
  EXPECT_EQ(IntAt(s, 4), 1);       // deleted
  EXPECT_EQ(IntAt(s, 8), 0);       // root index
  EXPECT_EQ(IntAt(s, 12), 4);      // records
  EXPECT_EQ(IntAt(s, 16), 10000);  // capacity
  const size_t kRoot = 20, kA = 20 + 64, kB = 20 + 128, kC = 20 + 192;
  EXPECT_EQ(IntAt(s, kRoot + 4), 1);   // child_count
  EXPECT_EQ(IntAt(s, kRoot + 8), 1);   // children
  EXPECT_EQ(IntAt(s, kRoot + 12), -1);  // handle
  EXPECT_EQ(IntAt(s, kA + 0), 'a');
  EXPECT_EQ(IntAt(s, kA + 4), 2);
  EXPECT_EQ(IntAt(s, kA + 8), 2);
  EXPECT_EQ(IntAt(s, kA + 56), -1);
  EXPECT_EQ(IntAt(s, kB + 12), 0);
  EXPECT_EQ(s.substr(kB + 16, 3), std::string("v\0\0", 3));
  EXPECT_EQ(IntAt(s, kB + 56), 3);  // next sibling c
  EXPECT_EQ(IntAt(s, kB + 60), 1);
  EXPECT_EQ(IntAt(s, kC + 12), -1);  // deleted
  EXPECT_EQ(IntAt(s, kC + 60), 1);
}

TEST_F(TrieTest, SaveLoadRestoresWordsHandlesPosAndCounts) {
  CTrie trie;
  const std::string sGbk = Cat({kZhong, kGuo});
  trie.AddTrie((sGbk + " ns").c_str(), false);
  trie.AddTrie("alpha x", false);
  trie.AddTrie("alpha y", false);
  trie.AddTrie("beta", false);
  trie.DelTrie("beta");
  ASSERT_TRUE(trie.Save(Path("t.pdat").c_str()));

  CTrie loaded;
  loaded.AddTrie("stale", false);
  ASSERT_TRUE(loaded.Load(Path("t.pdat").c_str()));
  EXPECT_EQ(loaded.Find("stale"), -1);
  EXPECT_EQ(loaded.Find(sGbk.c_str()), 0);
  EXPECT_EQ(PosOf(loaded, sGbk.c_str()), "ns");
  int nHandle;
  EXPECT_EQ(loaded.GetFreq("alpha", nHandle), 2);
  EXPECT_EQ(nHandle, 1);
  EXPECT_EQ(PosOf(loaded, "alpha"), "y");
  EXPECT_EQ(loaded.Find("beta"), -1);
  EXPECT_EQ(loaded.GetDeletedNum(), 1);
  // Numbering continues where the saved trie stopped.
  EXPECT_EQ(loaded.AddTrie("gamma", false), 1);
  EXPECT_EQ(loaded.Find("gamma"), 3);
  // Growing past the loaded capacity keeps the old records.
  for (int i = 0; i < 10050; ++i) loaded.AddTrie(("w" + std::to_string(i)).c_str(), false);
  EXPECT_EQ(loaded.Find("alpha"), 1);
  EXPECT_EQ(loaded.Find("w10049"), 4 + 10049);
}

TEST_F(TrieTest, LoadRejectsDamagedFilesAndKeepsContents) {
  CTrie source;
  source.AddTrie("ab", false);  // records: root 0, a 1, b 2
  source.AddTrie("c", false);   // c 3
  ASSERT_TRUE(source.Save(Path("good.pdat").c_str()));
  const std::string sGood = ReadAll(Path("good.pdat"));
  ASSERT_EQ(sGood.size(), 20u + 64 * 4);
  auto Rec = [](int i, int nField) { return static_cast<size_t>(20 + 64 * i + nField); };

  struct Case {
    const char* sName;
    std::function<void(std::string&)> damage;
  } cases[] = {
      {"empty", [](std::string& s) { s.clear(); }},
      {"header only", [](std::string& s) { s.resize(12); }},
      {"truncated", [](std::string& s) { s.pop_back(); }},
      {"trailing byte", [](std::string& s) { s.push_back(0); }},
      {"no words", [](std::string& s) { PutInt(s, 0, 0); }},
      {"negative words", [](std::string& s) { PutInt(s, 0, -3); }},
      {"deleted above words", [](std::string& s) { PutInt(s, 4, 3); }},
      {"record count above file", [](std::string& s) { PutInt(s, 12, 5); }},
      {"record count below file", [](std::string& s) { PutInt(s, 12, 3); }},
      {"capacity below records", [](std::string& s) { PutInt(s, 16, 3); }},
      {"root out of range", [](std::string& s) { PutInt(s, 8, 4); }},
      {"root missing", [](std::string& s) { PutInt(s, 8, -1); }},
      {"child out of range", [&](std::string& s) { PutInt(s, Rec(1, 8), 4); }},
      {"sibling below -1", [&](std::string& s) { PutInt(s, Rec(1, 56), -2); }},
      {"handle not assigned", [&](std::string& s) { PutInt(s, Rec(3, 12), 2); }},
      {"child loops to root", [&](std::string& s) { PutInt(s, Rec(2, 8), 0); }},
      {"sibling loops to itself", [&](std::string& s) { PutInt(s, Rec(3, 56), 3); }},
      {"node shared by two parents", [&](std::string& s) { PutInt(s, Rec(3, 8), 2); }},
  };
  CTrie trie;
  trie.AddTrie("kept v", false);
  EXPECT_FALSE(trie.Load(Path("missing.pdat").c_str()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sName);
    std::string s = sGood;
    c.damage(s);
    WriteAll(Path("bad.pdat"), s);
    EXPECT_FALSE(trie.Load(Path("bad.pdat").c_str()));
    EXPECT_EQ(trie.Find("kept"), 0);
    EXPECT_EQ(trie.Find("ab"), -1);
  }
  // Sanity: the undamaged file loads.
  WriteAll(Path("bad.pdat"), sGood);
  EXPECT_TRUE(trie.Load(Path("bad.pdat").c_str()));
  EXPECT_EQ(trie.Find("c"), 1);
}

TEST_F(TrieTest, LoadTerminatesAnUnterminatedPosAndCapsCapacity) {
  CTrie source;
  source.AddTrie("w", false);
  ASSERT_TRUE(source.Save(Path("t.pdat").c_str()));
  std::string s = ReadAll(Path("t.pdat"));
  memset(&s[20 + 64 + 16], 'x', 40);
  PutInt(s, 16, 0x7fffffff);  // an absurd capacity is not allocated
  WriteAll(Path("t.pdat"), s);
  CTrie trie;
  ASSERT_TRUE(trie.Load(Path("t.pdat").c_str()));
  EXPECT_EQ(PosOf(trie, "w"), std::string(39, 'x'));
  EXPECT_EQ(trie.AddTrie("v", false), 1);
  EXPECT_EQ(trie.Find("v"), 1);
}

TEST_F(TrieTest, ExportListsLiveWordsOnceDepthFirst) {
  CTrie trie;
  EXPECT_EQ(trie.Export(Path("none.txt").c_str()), 0);
  const std::string sGbk = Cat({kZhong, kGuo});
  trie.AddTrie("ab v", false);
  trie.AddTrie("a", false);
  trie.AddTrie("ac", false);
  trie.AddTrie((sGbk + " ns").c_str(), false);
  trie.AddTrie("ab nz", false);
  trie.AddTrie("b", false);
  trie.DelTrie("ac");
  EXPECT_EQ(trie.Export(nullptr), 0);
  ASSERT_EQ(trie.Export(Path("out.txt").c_str()), 1);
  EXPECT_EQ(ReadAll(Path("out.txt")), "a\tn\nab\tnz\n" + sGbk + "\tns\nb\tn\n");
}

// Hundreds of first characters: lookups, additions after a reload and the
// export order must not depend on how the root's children are searched.
TEST_F(TrieTest, WideRootKeepsLookupsAdditionsAndOrder) {
  std::vector<std::string> vecWords;
  for (int i = 0; i < 300; ++i) {
    std::string s;
    s.push_back(static_cast<char>(0xB0 + (i * 7) % 40));
    s.push_back(static_cast<char>(0xA1 + (i * 13) % 90));
    if (i % 3 == 0) s += "x";
    vecWords.push_back(s);
  }
  CTrie trie;
  for (size_t i = 0; i < 200; ++i) trie.AddTrie(vecWords[i].c_str(), false);
  ASSERT_TRUE(trie.Save(Path("wide.pdat").c_str()));
  CTrie loaded;
  ASSERT_TRUE(loaded.Load(Path("wide.pdat").c_str()));
  for (size_t i = 200; i < vecWords.size(); ++i) {
    trie.AddTrie(vecWords[i].c_str(), false);
    loaded.AddTrie(vecWords[i].c_str(), false);
  }
  std::string sExpected;
  for (size_t i = 0; i < vecWords.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(trie.Find(vecWords[i].c_str()), static_cast<int>(i));
    EXPECT_EQ(loaded.Find(vecWords[i].c_str()), static_cast<int>(i));
    int nHandle;
    EXPECT_EQ(loaded.GetMaxWord((vecWords[i] + "zz").c_str(), &nHandle),
              static_cast<int>(vecWords[i].size()));
    EXPECT_EQ(nHandle, static_cast<int>(i));
    sExpected += vecWords[i] + "\tn\n";
  }
  ASSERT_EQ(loaded.Export(Path("wide.txt").c_str()), 1);
  EXPECT_EQ(ReadAll(Path("wide.txt")), sExpected);
}

TEST_F(TrieTest, ImportReplacesContentsWithFirstTokens) {
  CTrie trie;
  EXPECT_EQ(trie.Import(Path("missing.txt").c_str(), nullptr), 0);
  trie.AddTrie("old", false);
  WriteAll(Path("words.txt"), "alpha 3 nz\n\n  beta\r\nalpha\nBETA x\ngamma");
  EXPECT_EQ(trie.Import(Path("words.txt").c_str(), nullptr), 3);
  EXPECT_EQ(trie.Find("old"), -1);
  EXPECT_EQ(trie.Find("alpha"), 0);
  EXPECT_EQ(trie.Find("gamma"), 2);
  int nHandle;
  EXPECT_EQ(trie.GetFreq("beta", nHandle), 1);
  EXPECT_EQ(PosOf(trie, "alpha"), "n");
}

}  // namespace
