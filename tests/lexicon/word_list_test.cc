#include "lexicon/word_list.h"

#include <ctime>
#include <string>
#include <vector>

#include "lexicon/quib_encript.h"
#include "table_fixture.h"

namespace {

class WordListTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    m_pDict = MakeDict({"alpha", "beta", "gamma"});
  }
  // Texts for handles 0 and 2; handle 1 gets none.
  void Fill(CWordList* pList) {
    pList->AddWordInit();
    pList->AddWord("alpha");
    pList->AddWord("gamma");
    pList->AddWordComplete();
  }
  std::unique_ptr<CPDAT> m_pDict;
};

TEST_F(WordListTest, FileLayoutIsExact) {
  CWordList list(false, m_pDict.get());
  Fill(&list);
  ASSERT_TRUE(list.Save(Path("w.wordlist").c_str()));
  const std::string sFile = ReadAll(Path("w.wordlist"));
  const std::string sText("alpha\0gamma\0", 12);
  ASSERT_EQ(sFile.size(), 16u + 4 * 3 + sText.size());
  EXPECT_EQ(Field(sFile, 0), 2);   // texts
  EXPECT_EQ(Field(sFile, 4), 3);   // bound
  EXPECT_EQ(Field(sFile, 8), 0);   // alpha
  EXPECT_EQ(Field(sFile, 12), 0);  // beta: no text
  EXPECT_EQ(Field(sFile, 16), 6);  // gamma
  EXPECT_EQ(Field(sFile, 20), 0);  // unused last entry
  EXPECT_EQ(Field(sFile, 24), 12);
  EXPECT_EQ(sFile.substr(28), sText);
}

TEST_F(WordListTest, LookupsOutsideTheTableAndTextlessHandles) {
  CWordList list(false, m_pDict.get());
  Fill(&list);
  EXPECT_STREQ(list.GetWord(0), "alpha");
  EXPECT_STREQ(list.GetWord(2), "gamma");
  EXPECT_STREQ(list.GetWord(1), "");  // built in memory: no text
  EXPECT_STREQ(list.GetWord(-1), "");
  EXPECT_STREQ(list.GetWord(3), "");  // the bound itself
  ASSERT_TRUE(list.Save(Path("w").c_str()));
  CWordList loaded(false, nullptr);
  ASSERT_TRUE(loaded.Load(Path("w").c_str()));
  // The file stores offset 0 for a textless handle: it reads the first text.
  EXPECT_STREQ(loaded.GetWord(1), "alpha");
  EXPECT_STREQ(loaded.GetWord(3), "");

  // While building, nothing answers; a handle added twice keeps its last text.
  list.AddWordInit();
  list.AddWord("first", 0);
  EXPECT_STREQ(list.GetWord(0), "");
  list.AddWord("second", 0);
  list.AddWord("dropped", -1);
  list.AddWordComplete();
  EXPECT_STREQ(list.GetWord(0), "second");
  EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(WordListTest, ScrambledFileHoldsTheXoredBufferAndOnlyAScrambledListReadsIt) {
  CWordList list(true, m_pDict.get());
  Fill(&list);
  ASSERT_TRUE(list.Save(Path("s").c_str()));
  EXPECT_STREQ(list.GetWord(0), "alpha");  // memory untouched by the save
  EXPECT_STREQ(list.GetWord(2), "gamma");

  std::string sText("alpha\0gamma\0", 12);
  CQuibEncript(WordListScrambleKey()).Encrypt(sText);
  const std::string sFile = ReadAll(Path("s"));
  EXPECT_EQ(sFile.substr(28), sText);

  CWordList scrambled(true, nullptr);
  ASSERT_TRUE(scrambled.Load(Path("s").c_str()));
  EXPECT_STREQ(scrambled.GetWord(0), "alpha");
  EXPECT_STREQ(scrambled.GetWord(2), "gamma");

  // A plain list sees a buffer without its final NUL and refuses it.
  CWordList plain(false, m_pDict.get());
  Fill(&plain);
  EXPECT_FALSE(plain.Load(Path("s").c_str()));
  EXPECT_STREQ(plain.GetWord(2), "gamma");

  // And a plain file read as scrambled is refused the same way.
  ASSERT_TRUE(plain.Save(Path("p").c_str()));
  EXPECT_FALSE(scrambled.Load(Path("p").c_str()));
}

TEST_F(WordListTest, FailedScrambledSaveKeepsTheListReadable) {
  CWordList list(true, m_pDict.get());
  Fill(&list);
  EXPECT_FALSE(list.Save(Path("no/such/dir/s").c_str()));
  EXPECT_STREQ(list.GetWord(0), "alpha");
  EXPECT_STREQ(list.GetWord(2), "gamma");
}

TEST_F(WordListTest, TextImportFormsEntriesEchoesThemAndRoundTrips) {
  auto pDict = MakeDict({"alpha", "big apple pie", "beta", "new york", "gamma"});
  WriteAll(Path("words.txt"),
           "\xEF\xBB\xBF"
           "alpha 12\r\n"
           "\n"
           "   \t\n"
           "[big_apple pie] trailing\n"
           "  beta\n"
           "unknown\n"
           "[new_york\n"
           "gamma\n");
  for (bool bScrambled : {false, true}) {
    CWordList list(bScrambled, nullptr);
    ASSERT_EQ(list.Import(Path("words.txt").c_str(), pDict.get()), 5);
    EXPECT_EQ(ReadAll(Path("words.txt_wordlist_export.txt")),
              "alpha\n[big apple pie]\nbeta\nunknown\n[new york]\ngamma\n");
    ASSERT_TRUE(list.Save(Path("w").c_str()));
    CWordList loaded(bScrambled, nullptr);
    ASSERT_TRUE(loaded.Load(Path("w").c_str()));
    EXPECT_EQ(loaded.GetItemCount(), 5);
    const std::vector<std::string> expected = {"alpha", "big apple pie", "beta", "new york", "gamma"};
    for (int h = 0; h < 5; ++h) {
      EXPECT_EQ(list.GetWord(h), expected[h]) << h;
      EXPECT_EQ(loaded.GetWord(h), expected[h]) << h;
    }
  }
  EXPECT_NE(ReadAll(LogFileName(m_sDir.c_str(), false, time(nullptr))).find("\tunknown\n"),
            std::string::npos);
  CWordList list(false, nullptr);
  EXPECT_EQ(list.Import(Path("missing.txt").c_str(), pDict.get()), 0);
}

TEST_F(WordListTest, RecordImportStoresWordOrInfoAlignedWithTheDictionary) {
  std::vector<WORD_INFO> records = {{"beta", "n", 0}, {"zzz", "x", 0}, {"alpha", "v", 0}, {"beta", "vn", 0}};
  CWordList pos(false, nullptr);
  EXPECT_EQ(pos.Import(records, m_pDict.get(), true), 3);
  EXPECT_EQ(pos.GetBound(), 3);  // the dictionary's word count
  EXPECT_STREQ(pos.GetWord(0), "v");
  EXPECT_STREQ(pos.GetWord(1), "vn");  // the later record wins
  EXPECT_STREQ(pos.GetWord(2), "");

  CWordList words(false, nullptr);
  EXPECT_EQ(words.Import(records, m_pDict.get(), false), 3);
  EXPECT_STREQ(words.GetWord(1), "beta");
  ASSERT_TRUE(words.Save(Path("r").c_str()));
  EXPECT_EQ(ReadAll(Path("r")).size(), 16u + 4 * 3 + strlen("beta.alpha.beta."));
}

TEST_F(WordListTest, ExportListsEveryHandleExceptExcludedChineseWords) {
  // "zhongguo" (two characters) is excluded; one character or ASCII is not.
  auto pDict = MakeDict({"alpha", "\xD6\xD0\xB9\xFA", "\xD6\xD0"});
  CWordList list(false, pDict.get());
  list.AddWord("alpha");
  list.AddWord("\xD6\xD0\xB9\xFA");
  list.AddWord("\xD6\xD0");
  list.AddWordComplete();
  WriteAll(Path("exclude.txt"), "\xD6\xD0\xB9\xFA 3\n\xD6\xD0\nalpha\n");
  ASSERT_EQ(list.Export(Path("out.txt").c_str(), pDict.get(), Path("exclude.txt").c_str()), 0);
  EXPECT_EQ(ReadAll(Path("out.txt")), "alpha\n\xD6\xD0\n");
  ASSERT_EQ(list.Export(Path("all.txt").c_str(), pDict.get(), nullptr), 0);
  EXPECT_EQ(ReadAll(Path("all.txt")), "alpha\n\xD6\xD0\xB9\xFA\n\xD6\xD0\n");
  EXPECT_EQ(list.Export(Path("no/dir/out.txt").c_str(), pDict.get(), nullptr), 1);
}

TEST_F(WordListTest, LoaderRejectsDamagedFilesAndKeepsItsContents) {
  CWordList good(false, m_pDict.get());
  Fill(&good);
  ASSERT_TRUE(good.Save(Path("good").c_str()));
  const std::string sGood = ReadAll(Path("good"));
  auto With = [&sGood](size_t nOffset, int32_t nValue) {
    std::string s = sGood;
    memcpy(&s[nOffset], &nValue, 4);
    return s;
  };
  struct Case {
    const char* name;
    std::string data;
  };
  const std::vector<Case> cases = {
      {"empty", ""},
      {"header only", sGood.substr(0, 8)},
      {"cut in the offsets", sGood.substr(0, 18)},
      {"cut in the text", sGood.substr(0, sGood.size() - 1)},
      {"extra byte", sGood + "x"},
      {"negative bound", With(4, -1)},
      {"huge bound", With(4, 0x7FFFFF00)},
      {"offset beyond the text", With(16, 12)},
      {"negative offset", With(8, -4)},
      {"offset inside a text", With(16, 3)},
      {"text size too large", With(24, 13)},
      {"negative text size", With(24, -1)},
      {"more texts than the buffer holds", With(0, 3)},
      {"text without its NUL", sGood.substr(0, sGood.size() - 1) + "x"},
  };
  CWordList list(false, nullptr);
  ASSERT_TRUE(list.Load(Path("good").c_str()));
  EXPECT_FALSE(list.Load(Path("missing").c_str()));
  for (const Case& c : cases) {
    WriteAll(Path("bad"), c.data);
    EXPECT_FALSE(list.Load(Path("bad").c_str())) << c.name;
    EXPECT_STREQ(list.GetWord(2), "gamma") << c.name;
    EXPECT_EQ(list.GetItemCount(), 2) << c.name;
  }
}

TEST_F(WordListTest, EmptyListRoundTrips) {
  CWordList list(true, m_pDict.get());
  list.AddWordComplete();
  ASSERT_TRUE(list.Save(Path("e").c_str()));
  EXPECT_EQ(ReadAll(Path("e")), Ints({0, 0, 0, 0}));
  CWordList loaded(true, nullptr);
  ASSERT_TRUE(loaded.Load(Path("e").c_str()));
  EXPECT_STREQ(loaded.GetWord(0), "");
}

}  // namespace
