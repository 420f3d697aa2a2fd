// Numbers, dates, times, letter strings and symbols come out of the real data
// set as the words a reader expects: the character types and the trained
// lexicon together decide this, so the table runs the whole pipeline.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "encoding/unicode_convert.h"
#include "engine/kavel.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"
#include "data_dir.h"

namespace {

class ExpressionsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string sRoot = InitPathOfDataSet();
    if (!sRoot.empty()) s_bStarted = KAVEL_Init(sRoot.c_str(), 0, nullptr) == 1;
  }
  static void TearDownTestSuite() { KAVEL_Exit(); }
  void SetUp() override {
    if (!s_bStarted) GTEST_SKIP() << "data set not built";
  }
  // The words of a UTF-8 sentence, each converted back to UTF-8.
  static std::vector<std::string> Words(const std::string& sUtf8) {
    std::string sGbk;
    UTF8ToANSI(sUtf8.c_str(), sGbk);
    std::string sTrans;
    g_pKAVEL->ProcessA(sGbk.c_str(), sTrans, true, true, false);
    int nCount = 0;
    const result_t* pRecords = g_pKAVEL->GetResult(&nCount);
    std::vector<std::string> vecWords;
    for (int k = 0; k < nCount; ++k) {
      std::string sWord;
      ANSIToUTF8(sGbk.substr(pRecords[k].start, pRecords[k].length).c_str(), sWord);
      vecWords.push_back(sWord);
    }
    return vecWords;
  }
  static bool s_bStarted;
};
bool ExpressionsTest::s_bStarted = false;

TEST_F(ExpressionsTest, EachExpressionIsOneWord) {
  const struct {
    const char* sSentence;
    const char* sWord;
  } cases[] = {
      {"他于1998年毕业", "1998年"},
      {"他于２００８年毕业", "２００８年"},
      {"二〇〇八年春天", "二〇〇八年"},
      {"3月份的数据", "3月份"},
      {"百分之五十的票", "百分之五十"},
      {"第3名", "第3"},
      {"第三名", "第三"},
      {"数百人", "数百"},
      {"圆周率是3.14左右", "3.14"},
      {"增长50%以上", "50%"},
      {"共1,000元", "1,000"},
      {"上午10:30开会", "10:30"},
      {"日期2016-01-02到", "2016-01-02"},
      {"气温－5度", "－5"},
      {"见①项", "①"},
      {"一张A4纸", "A4"},
      {"买了iPhone15手机", "iPhone15"},
      {"来自U.S.的消息", "U.S."},
      {"发e-mail给他", "e-mail"},
      {"他说——不", "——"},
      {"等等……好", "……"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> vecWords = Words(c.sSentence);
    std::string sJoined;
    for (const std::string& s : vecWords) sJoined += s + "|";
    EXPECT_NE(std::find(vecWords.begin(), vecWords.end(), c.sWord), vecWords.end())
        << c.sSentence << " -> " << sJoined;
  }
}

TEST_F(ExpressionsTest, DatesAndClockTimesKeepTheirUnitsApart) {
  // The segmentation standard writes year, month, day, hour and minute as
  // words of their own.
  const struct {
    const char* sSentence;
    std::vector<std::string> vecWords;
  } cases[] = {
      {"12月31日晚上", {"12月", "31日", "晚上"}},
      {"下午3点30分开会", {"下午", "3点", "30分", "开会"}},
      {"2001年1月1日", {"2001年", "1月", "1日"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Words(c.sSentence), c.vecWords) << c.sSentence;
}

TEST_F(ExpressionsTest, BlanksAndLineBreaksAreWordsOfTheirOwn) {
  std::vector<std::string> vecWords = Words("中国 北京\n上海");
  std::vector<std::string> vecExpected = {"中国", " ", "北京", "\n", "上海"};
  EXPECT_EQ(vecWords, vecExpected);
}

}  // namespace
