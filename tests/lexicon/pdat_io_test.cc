// CPDAT files: checked loading, import from word lists and export.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lexicon/pdat.h"

namespace {

std::string TempPath(const std::string& sName) {
  return testing::TempDir() + "pdat_io_" + std::to_string(getpid()) + "_" + sName;
}

std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& sPath, const std::string& sBytes) {
  std::ofstream(sPath, std::ios::binary) << sBytes;
}

void PutInt(std::string& sBytes, size_t nOffset, int32_t nValue) {
  memcpy(&sBytes[nOffset], &nValue, 4);
}

constexpr size_t kCellsAt = 262152;

// A small dictionary file: "ab", "ac", "b" (cells 0..3, see the layout test).
std::string SmallFile() {
  CPDAT dict(0);
  for (const char* w : {"ab", "ac", "b"}) dict.AddWord(w);
  dict.AddWordComplete();
  std::string sPath = TempPath("small.pdat");
  dict.Save(sPath.c_str());
  std::string sBytes = ReadAll(sPath);
  remove(sPath.c_str());
  return sBytes;
}

struct BadFileCase {
  const char* name;
  std::function<void(std::string&)> damage;  // applied to a valid file
};

TEST(PdatIoTest, LoadRejectsDamagedFilesAndKeepsOldContents) {
  const std::string sGood = SmallFile();
  ASSERT_EQ(sGood.size(), 262156u + 12 * 4);
  const BadFileCase cases[] = {
      {"empty", [](std::string& s) { s.clear(); }},
      {"truncated by one byte", [](std::string& s) { s.pop_back(); }},
      {"one byte too many", [](std::string& s) { s.push_back(0); }},
      {"header only", [](std::string& s) { s.resize(262156); }},
      {"bound above the cells", [](std::string& s) { PutInt(s, 262144, 4); }},
      {"bound below the cells", [](std::string& s) { PutInt(s, 262144, 2); }},
      {"negative bound", [](std::string& s) { PutInt(s, 262144, -1); }},
      {"bound overflowing", [](std::string& s) { PutInt(s, 262144, INT_MAX); }},
      {"character id too high", [](std::string& s) { PutInt(s, 4 * 'z', 4); }},
      {"character id below -1", [](std::string& s) { PutInt(s, 4 * 'z', -2); }},
      {"check beyond the bound", [](std::string& s) { PutInt(s, kCellsAt + 12 * 2 + 4, 4); }},
      {"check below -2", [](std::string& s) { PutInt(s, kCellsAt + 12 * 2 + 4, -3); }},
      {"handle beyond the count", [](std::string& s) { PutInt(s, kCellsAt + 12 * 2 + 8, 3); }},
      {"handle below -1", [](std::string& s) { PutInt(s, kCellsAt + 12 * 2 + 8, -2); }},
      {"unknown mode", [](std::string& s) { PutInt(s, s.size() - 4, 7); }},
  };
  const std::string sPath = TempPath("bad.pdat");
  for (const BadFileCase& c : cases) {
    SCOPED_TRACE(c.name);
    CPDAT dict(1);
    dict.AddWord("kept");
    dict.AddWordComplete();
    std::string sBytes = sGood;
    c.damage(sBytes);
    WriteAll(sPath, sBytes);
    EXPECT_FALSE(dict.Load(sPath.c_str()));
    EXPECT_EQ(dict.Find("kept"), 0);
    EXPECT_EQ(dict.GetMode(), 1);
    EXPECT_EQ(dict.GetItemCount(), 1u);
  }
  CPDAT dict(0);
  EXPECT_FALSE(dict.Load(TempPath("missing.pdat").c_str()));
  EXPECT_FALSE(dict.Load(testing::TempDir().c_str()));  // a directory
  EXPECT_EQ(dict.Find("ab"), -1);
  WriteAll(sPath, sGood);
  ASSERT_TRUE(dict.Load(sPath.c_str()));
  EXPECT_EQ(dict.Find("ac"), 1);
  remove(sPath.c_str());
}

TEST(PdatIoTest, ExtremeBasesStayInsideTheCells) {
  std::string sBytes = SmallFile();
  const std::string sPath = TempPath("bases.pdat");
  for (int nBase : {INT_MIN, INT_MAX, -INT_MAX, 1000000, 3}) {
    SCOPED_TRACE(nBase);
    for (int nCell = 0; nCell < 4; nCell++) PutInt(sBytes, kCellsAt + 12 * nCell, nBase);
    WriteAll(sPath, sBytes);
    CPDAT dict(0);
    ASSERT_TRUE(dict.Load(sPath.c_str()));
    for (const char* w : {"ab", "ac", "b", "abc", "bbbb", "a b"}) {
      int nHandle = dict.Find(w);
      EXPECT_GE(nHandle, -1);
      EXPECT_LE(nHandle, 2);
      dict.GetMaxWord(w, &nHandle, nullptr);
      unsigned int *pH = nullptr, *pP = nullptr, nMem = 0, nCount = 0;
      dict.GetWords(w, &pH, &pP, &nMem, &nCount, 0);
      free(pH);
      free(pP);
      dict.MMSegment(w, -1, ' ');
    }
    std::string sExport = TempPath("bases.txt");
    EXPECT_TRUE(dict.Export(sExport.c_str()));
    remove(sExport.c_str());
  }
  remove(sPath.c_str());
}

TEST(PdatIoTest, SaveFailsWithoutTouchingTheTarget) {
  CPDAT dict(0);
  dict.AddWord("a");
  dict.AddWordComplete();
  EXPECT_FALSE(dict.Save((testing::TempDir() + "no/such/dir/x.pdat").c_str()));
  EXPECT_FALSE(dict.Export((testing::TempDir() + "no/such/dir/x.txt").c_str()));
}

// Import, save, load: every entry looks up the same before and after, in
// each mode, and the echo file lists the entries as read.
TEST(PdatIoTest, ImportSaveLoadRoundTrip) {
  const std::string sList =
      "\xEF\xBB\xBF" "alpha extra\n"
      "  \n"
      "[new york] tail\n"
      "ice_cream\n"
      "\xD6\xD0\xB9\xFA\r\n"
      "ALPHA\n"
      "[open\n"
      "x,y\n";
  const std::string sEcho = "alpha\n[new york]\n[ice cream]\n\xD6\xD0\xB9\xFA\nALPHA\nopen\nx,y\n";
  const char* kEntries[] = {"alpha", "new york", "ice cream", "\xD6\xD0\xB9\xFA", "ALPHA", "open", "x,y"};
  const unsigned kCounts[] = {6, 7, 6};  // modes 0 and 2 fold ALPHA into alpha
  const std::string sPath = TempPath("words.txt");
  WriteAll(sPath, sList);
  for (int nMode : {0, 1, 2}) {
    SCOPED_TRACE(nMode);
    CPDAT dict(nMode);
    EXPECT_EQ(dict.Import(sPath.c_str()), static_cast<int>(kCounts[nMode]));
    EXPECT_EQ(ReadAll(sPath + "_export.txt"), sEcho);
    std::string sBin = TempPath("words.pdat");
    ASSERT_TRUE(dict.Save(sBin.c_str()));
    EXPECT_EQ(ReadAll(sBin).size(), 262156u + 12 * (dict.GetLowerBound() + 1));
    CPDAT loaded(nMode == 1 ? 0 : 1);
    ASSERT_TRUE(loaded.Load(sBin.c_str()));
    remove(sBin.c_str());
    EXPECT_EQ(loaded.GetMode(), nMode);
    EXPECT_EQ(loaded.GetItemCount(), dict.GetItemCount());
    std::set<int> setHandles;
    for (const char* w : kEntries) {
      EXPECT_EQ(loaded.Find(w), dict.Find(w)) << w;
      if (dict.Find(w) >= 0) setHandles.insert(dict.Find(w));
    }
    // Mode 2 stores no separators ("new york" is "newyork"), so lookup texts
    // with blanks or commas are not found there.
    EXPECT_EQ(setHandles.size(), nMode == 2 ? 3u : kCounts[nMode]);
    if (nMode == 2) {
      EXPECT_GE(loaded.Find("newyork"), 0);
    }
  }
  remove(sPath.c_str());
  remove((sPath + "_export.txt").c_str());
}

TEST(PdatIoTest, ImportSkipsCoreWordsAndReportsProgress) {
  CPDAT core(0);
  core.AddWord("w7");
  core.AddWordComplete();
  std::ostringstream list;
  for (int i = 0; i < 101; i++) list << "w" << i << "\n";
  const std::string sPath = TempPath("progress.txt");
  WriteAll(sPath, list.str());
  CPDAT dict(0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(dict.Import(sPath.c_str(), &core), 100);
  std::string sOut = testing::internal::GetCapturedStdout();
  EXPECT_EQ(sOut, "100\tw100 Completed!\r");
  EXPECT_EQ(dict.Find("w7"), -1);
  EXPECT_EQ(dict.Find("w8"), 7);
  EXPECT_EQ(CPDAT(0).Import(TempPath("missing.txt").c_str()), 0);
  EXPECT_EQ(dict.Import(sPath.c_str()), 0);  // already completed
  remove(sPath.c_str());
  remove((sPath + "_export.txt").c_str());
}

TEST(PdatIoTest, ExportListsEveryWordOnce) {
  const std::vector<std::string> vecWords = {"ab", "a", "abc", "\xD6\xD0\xB9\xFA", "z y", "b"};
  CPDAT dict(0);
  for (const std::string& w : vecWords) dict.AddWord(w.c_str());
  dict.AddWordComplete();
  const std::string sPath = TempPath("export.txt");
  ASSERT_TRUE(dict.Export(sPath.c_str()));
  std::istringstream in(ReadAll(sPath));
  remove(sPath.c_str());
  std::multiset<std::string> setOut;
  for (std::string sLine; std::getline(in, sLine);) setOut.insert(sLine);
  EXPECT_EQ(setOut, std::multiset<std::string>(vecWords.begin(), vecWords.end()));
}

}  // namespace
