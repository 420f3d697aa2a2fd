// Building and exact lookups of CPDAT.
#include "lexicon/pdat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// GBK text of a few characters used below.
const std::string kZhong = "\xD6\xD0", kGuo = "\xB9\xFA", kRen = "\xC8\xCB";

CPDAT* Built(int nMode, const std::vector<std::string>& vecWords) {
  CPDAT* pDict = new CPDAT(nMode);
  for (const std::string& w : vecWords) pDict->AddWord(w.c_str());
  pDict->AddWordComplete();
  return pDict;
}

TEST(PdatTest, HandlesFollowFirstAddition) {
  CPDAT dict(0);
  EXPECT_EQ(dict.AddWord((kZhong + kGuo).c_str()), 0);
  EXPECT_EQ(dict.AddWord(kZhong.c_str()), 1);
  EXPECT_EQ(dict.AddWord((kZhong + kGuo).c_str()), 0);
  EXPECT_EQ(dict.AddWord("abc"), 2);
  EXPECT_EQ(dict.AddWord("x", 7, false), 7);
  EXPECT_EQ(dict.GetItemCount(), 4u);
  EXPECT_EQ(dict.FindWord("abc"), 2);
  EXPECT_EQ(dict.FindWord("ab"), -1);
  EXPECT_EQ(dict.Find("abc"), -1);  // nothing is visible before completion
  dict.AddWordComplete();
  EXPECT_EQ(dict.Find((kZhong + kGuo).c_str()), 0);
  EXPECT_EQ(dict.Find(kZhong.c_str()), 1);
  EXPECT_EQ(dict.Find("x"), 7);
  EXPECT_EQ(dict.Find("ab"), -1);  // a prefix that was never added
  EXPECT_EQ(dict.Find(kGuo.c_str()), -1);
  EXPECT_EQ(dict.AddWord("new"), -1);  // completed: nothing more is added
  EXPECT_TRUE(dict.AddWordComplete());
}

TEST(PdatTest, WordsThatAddNothing) {
  for (int nMode : {0, 1, 2}) {
    SCOPED_TRACE(nMode);
    CPDAT dict(nMode);
    for (const char* w : {"", "\xEF\xBB\xBF", "\t"}) EXPECT_EQ(dict.AddWord(w), -1) << w;
    // A trailing tab is skipped in modes 0 and 1 and stripped in mode 2.
    EXPECT_EQ(dict.AddWord("ab\t"), nMode == 2 ? 0 : -1);
    EXPECT_EQ(dict.AddWord(nullptr), -1);
    EXPECT_EQ(dict.GetItemCount(), nMode == 2 ? 1u : 0u);
    dict.AddWordComplete();
    EXPECT_EQ(dict.Find(""), -1);
    EXPECT_EQ(dict.Find("a"), -1);
  }
}

struct SameWordCase {
  int mode;
  const char* added;
  const char* looked_up;
  bool found;
};

TEST(PdatTest, CodingModes) {
  const SameWordCase cases[] = {
      {0, "abc", "ABC", true},
      {2, "ABC", "abc", true},
      {1, "abc", "ABC", false},
      {0, "\xEF\xBB\xBF" "word", "word", true},
      {0, "word", "\"word\"", true},
      {0, "word", "\xEF\xBB\xBF\"word\"", true},
      {0, "a b", "a \t\r\n b", true},
      {1, "a b", "a\t\tb", true},
      {0, "a b", "ab", false},
      {2, "a,b", "ab", true},           // separators are never stored
      {2, "a,b", "a,b", false},         // ... so a lookup with one fails
      {2, "ab\xA3\xAC", "ab", true},    // trailing full-width comma stripped
      {2, "\xA3\xC1\xA3\xE2\xA3\xB1", "ab1", true},  // full-width A, b, 1
      {2, "\xA3\xA8x\xA1\xBF", "(x)", true},         // full-width brackets
      {2, "\xA1\xB0q\xA1\xB1", "\xA1\xAEq\xA3\xA7", true},  // any quote mark
      {0, "\xA3\xC1", "\xA3\xE1", false},            // mode 0 keeps full-width
  };
  for (const SameWordCase& c : cases) {
    SCOPED_TRACE(std::string(c.added) + " / " + c.looked_up);
    CPDAT dict(c.mode);
    int nHandle = dict.AddWord(c.added);
    ASSERT_EQ(nHandle, 0);
    dict.AddWordComplete();
    EXPECT_EQ(dict.Find(c.looked_up), c.found ? 0 : -1);
  }
}

TEST(PdatTest, Mode2UppercaseAndLowercaseAreOneWord) {
  CPDAT dict(2);
  EXPECT_EQ(dict.AddWord("Abc"), 0);
  EXPECT_EQ(dict.AddWord("aBC"), 0);
  EXPECT_EQ(dict.AddWord("a_b/c"), 0);
  EXPECT_EQ(dict.GetItemCount(), 1u);
}

TEST(PdatTest, FilterWordsBlockLongerWords) {
  CPDAT dict(0);
  std::string sFilter = kZhong + kGuo;
  int nFilter = dict.AddFilterWord(sFilter.c_str());
  ASSERT_EQ(nFilter, 0);
  EXPECT_EQ(dict.AddWord((sFilter + kRen).c_str(), true), -1);
  EXPECT_EQ(dict.GetItemCount(), 1u);
  EXPECT_EQ(dict.AddFilterWord(sFilter.c_str()), 0);
  EXPECT_EQ(dict.AddWord(sFilter.c_str(), true), 0);
  EXPECT_EQ(dict.AddWord(kRen.c_str(), true), 1);
  std::vector<_stTermFreq>& vecTop = dict.GetTopWordVector();
  ASSERT_EQ(vecTop.size(), 2u);
  EXPECT_EQ(vecTop[1].word, sFilter);
  EXPECT_EQ(vecTop[1].freq, -1);
}

TEST(PdatTest, FindByCode) {
  // "b" and "a" are counted most often, so they get ids 0 and 1 and the
  // highest cell belongs to the single-character word "z".
  std::unique_ptr<CPDAT> pDict(Built(0, {"ba", "ab", "a", "b", "bz", "z"}));
  EXPECT_EQ(pDict->Find(static_cast<int>('a')), 2);
  EXPECT_EQ(pDict->Find(static_cast<int>('b')), 3);
  ASSERT_EQ(pDict->Find("z"), 5);
  EXPECT_EQ(pDict->Find(static_cast<int>('z')), 5);
  EXPECT_EQ(pDict->Find(static_cast<int>('q')), -1);
  EXPECT_EQ(pDict->Find(-1), -1);
  EXPECT_EQ(pDict->Find(0x10000), -1);

  std::unique_ptr<CPDAT> pPrefix(Built(0, {"ab"}));
  EXPECT_EQ(pPrefix->Find(static_cast<int>('a')), -1);  // only begins a word
  EXPECT_EQ(pPrefix->Find(static_cast<int>('b')), -1);
}

TEST(PdatTest, FindByCodeAtFirstAndLastCell) {
  std::unique_ptr<CPDAT> pDict(Built(0, {"a", "b", "a", "c"}));
  EXPECT_EQ(pDict->GetLowerBound(), 2);
  EXPECT_EQ(pDict->Find(static_cast<int>('a')), 0);  // cell 0
  EXPECT_EQ(pDict->Find(static_cast<int>('c')), 2);  // highest cell
}

TEST(PdatTest, EmptyAndNeverBuiltDictionariesFindNothing) {
  CPDAT never(0);
  std::unique_ptr<CPDAT> pEmpty(Built(0, {}));
  for (CPDAT* pDict : {&never, pEmpty.get()}) {
    EXPECT_EQ(pDict->Find("a"), -1);
    EXPECT_EQ(pDict->Find("a", 1), -1);
    EXPECT_EQ(pDict->Find(static_cast<int>('a')), -1);
    EXPECT_EQ(pDict->Find(0), -1);
    int nHandle = 5;
    EXPECT_EQ(pDict->GetMaxWord("abc", &nHandle, nullptr), 0);
    EXPECT_EQ(nHandle, -1);
    unsigned int *pH = nullptr, *pP = nullptr, nMem = 0, nCount = 9;
    EXPECT_EQ(pDict->GetWords("abc", &pH, &pP, &nMem, &nCount, 0), 0);
    EXPECT_EQ(nCount, 0u);
    EXPECT_STREQ(pDict->MMSegment("ab c", -1, '#'), "ab# #c#");
  }
  EXPECT_TRUE(pEmpty->IsEmpty());
}

}  // namespace
