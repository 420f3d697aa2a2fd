// Loads every file of the built data set with its class and checks the words
// the engine depends on. Skipped when the data set has not been built.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "encoding/code_detect.h"
#include "encoding/code_tran.h"
#include "lexicon/bigram.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "lexicon/unigram.h"
#include "lexicon/word_list.h"
#include "segment/charset.h"
#include "tagger/context_stat.h"
#include "tagger/fsa.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"

namespace {

std::string DataDir() {
  const char* sEnv = getenv("KAVEL_DATA_DIR");
  return sEnv != nullptr && *sEnv != 0 ? sEnv : KAVEL_DATA_DIR;
}

class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    struct stat st;
    if (stat(Path("CoreDict.pdat").c_str(), &st) != 0) GTEST_SKIP() << "data set not built";
    ASSERT_TRUE(m_core.Load(Path("CoreDict.pdat").c_str()));
  }
  static std::string Path(const char* sName) { return DataDir() + "/" + sName; }
  CPDAT m_core;
};

// GBK bytes of the special words, in the order of the start-up table. The
// first nine must be present; the others may be missing without harm.
const char* const kSpecialWords[] = {
    "\xca\xbc##\xca\xbc",  // sentence start
    "\xc4\xa9##\xc4\xa9",  // sentence end
    "\xce\xb4##\xb4\xae",  // unknown string
    "\xce\xb4##\xc8\xcb",  // unknown person
    "\xce\xb4##\xb5\xd8",  // unknown place
    "\xce\xb4##\xcd\xc5",  // unknown organisation
    "\xce\xb4##\xca\xb1",  // unknown time
    "\xce\xb4##\xca\xfd",  // unknown number
    "\xce\xb4##\xd7\xa8",  // other proper noun
    "\xa1\xb0", "\xa1\xb1", "\xa1\xae", "\xa1\xaf",
    "\xa1\xaa\xa1\xaa\xa1\xaa",  // dash token
    "\xd2\xbb",                  // the numeral one
};

TEST_F(DataSetTest, CoreDictionaryHoldsAllSpecialWords) {
  for (const char* sWord : kSpecialWords) {
    EXPECT_GE(m_core.Find(sWord), 0) << sWord;
  }
  EXPECT_GT(m_core.GetItemCount(), 40000u);
}

TEST_F(DataSetTest, CoreTablesLoadAndAgreeWithTheDictionary) {
  CUnigram unigram(-1);
  ASSERT_TRUE(unigram.Load(Path("CoreDict.unig").c_str()));
  CBigram bigram(true, 0);
  ASSERT_TRUE(bigram.Load(Path("BiWord.big").c_str()));
  CPOS pos;
  ASSERT_TRUE(pos.Load(Path("CoreDict.pos").c_str()));
  CContextStat context;
  ASSERT_TRUE(context.Load(Path("KAVEL.ctx").c_str(), false));
  CCharset charset;
  ASSERT_TRUE(charset.Load(Path("charset.type").c_str()));

  int nChina = m_core.Find("\xd6\xd0\xb9\xfa");
  int nPeople = m_core.Find("\xc8\xcb\xc3\xf1");
  ASSERT_GE(nChina, 0);
  ASSERT_GE(nPeople, 0);
  EXPECT_GT(unigram.GetFreq(nChina), 100);
  EXPECT_GT(unigram.GetTotalFreq(), 1000000);
  EXPECT_GT(bigram.GetFreq(nChina, nPeople), 0);
  int nCount = 0;
  ASSERT_NE(pos.GetPOS(nChina, &nCount), nullptr);
  EXPECT_GT(nCount, 0);
  EXPECT_GT(context.GetFrequency(static_cast<unsigned char>(21)), 0);
  EXPECT_EQ(charset.GetType(' '), 28);
  EXPECT_EQ(charset.GetType('\n'), 28);
}

TEST_F(DataSetTest, TagSetsPersonModelAndDictionariesLoad) {
  for (const char* sMap : {"KAVEL.map", "KAVEL_First.map", "PKU.map", "PKU_First.map"}) {
    CPOSmap map;
    ASSERT_TRUE(map.Load(Path(sMap).c_str())) << sMap;
    EXPECT_EQ(map.GetItemCount(), 109) << sMap;
  }
  CPOS roles;
  EXPECT_TRUE(roles.Load(Path("nr.role").c_str()));
  CContextStat roleContext;
  EXPECT_TRUE(roleContext.Load(Path("nr.ctx").c_str(), false));
  CFSA fsa;
  EXPECT_TRUE(fsa.Load(Path("nr.fsa").c_str()));

  CTrie userDict;
  EXPECT_TRUE(userDict.Load(Path("UserDict.pdat").c_str()));
  CPDAT sentiment;
  EXPECT_TRUE(sentiment.Load(Path("sentiment.pdat").c_str()));
  CUnigram scores(-1);
  EXPECT_TRUE(scores.Load(Path("sentiment.ung").c_str()));

  CPDAT location;
  ASSERT_TRUE(location.Load(Path("location.pdat").c_str()));
  CWordList locationWords(false, nullptr);
  EXPECT_TRUE(locationWords.Load(Path("location.wordlist").c_str()));
  CIDMaps locationMap;
  EXPECT_TRUE(locationMap.Load(Path("location.map").c_str()));
  CUnigram levels(-1);
  ASSERT_TRUE(levels.Load(Path("location.ung").c_str()));
  int nBeijing = location.Find("\xb1\xb1\xbe\xa9");
  ASSERT_GE(nBeijing, 0);
  EXPECT_STREQ(locationWords.GetWord(nBeijing), "\xb1\xb1\xbe\xa9");
}

TEST_F(DataSetTest, EnglishTablesLoad) {
  CPDAT dict;
  ASSERT_TRUE(dict.Load(Path("English/English.pdat").c_str()));
  CWordList words(false, nullptr);
  ASSERT_TRUE(words.Load(Path("English/English.wordlist").c_str()));
  CUnigram unigram(-1);
  EXPECT_TRUE(unigram.Load(Path("English/English.ung").c_str()));
  CPOS pos;
  EXPECT_TRUE(pos.Load(Path("English/English.pos").c_str()));
  CIDMaps irregular;
  ASSERT_TRUE(irregular.Load(Path("English/Irrel2regular.map").c_str()));
  CPDAT ne;
  EXPECT_TRUE(ne.Load(Path("English/ne.pdat").c_str()));
  CPOS nePos;
  EXPECT_TRUE(nePos.Load(Path("English/ne.pos").c_str()));

  int nWent = dict.Find("went");
  ASSERT_GE(nWent, 0);
  int nGo = irregular.GetMapID(nWent);
  ASSERT_GE(nGo, 0);
  EXPECT_STREQ(words.GetWord(nGo), "go");
}

TEST_F(DataSetTest, TranslatorsAndRecognitionModelLoadAndConvert) {
  for (int nCode = 1; nCode <= 5; ++nCode) {
    CCodeTran translator(DataDir().c_str(), nCode);
    EXPECT_EQ(translator.GetStatus(), 1) << "code " << nCode;
  }
  CCodeTran utf8(DataDir().c_str(), 1);
  std::string sGbk;
  EXPECT_STREQ(utf8.CodeToGBK("\xe4\xb8\xad\xe5\x9b\xbd", sGbk), "\xd6\xd0\xb9\xfa");
  ASSERT_EQ(CodeTrans_Initialize(Path("CodeTrans.model").c_str()), 0);
  CodeTrans_Destroy();
}

}  // namespace
