// Processors on many threads at once over the real data set (GBK): each
// thread's results match a single-threaded run, also while the user
// dictionary changes underneath.
#include <iconv.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "data_dir.h"
#include "engine/kavel.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
std::string ToGBK(const std::string& sUtf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  std::string sOut(sUtf8.size() * 2 + 4, '\0');
  char* pIn = const_cast<char*>(sUtf8.data());
  size_t nIn = sUtf8.size();
  char* pOut = &sOut[0];
  size_t nOut = sOut.size();
  iconv(cd, &pIn, &nIn, &pOut, &nOut);
  iconv_close(cd);
  sOut.resize(sOut.size() - nOut);
  return sOut;
}

// Everything a caller can see of one text's processing.
struct Outcome {
  std::string sString;     // Process, tagged
  std::string sPlain;      // Process, untagged
  std::string sRecords;    // ProcessA records, flattened
  int nCount = 0;
  bool operator==(const Outcome& o) const {
    return sString == o.sString && sPlain == o.sPlain && sRecords == o.sRecords &&
           nCount == o.nCount;
  }
};

// Each call of the outcome agrees with one of the two; a user word may arrive
// between two calls, though not inside one of them for a text that holds it
// once.
bool EitherPerCall(const Outcome& o, const Outcome& a, const Outcome& b) {
  return (o.sString == a.sString || o.sString == b.sString) &&
         (o.sPlain == a.sPlain || o.sPlain == b.sPlain) &&
         ((o.sRecords == a.sRecords && o.nCount == a.nCount) ||
          (o.sRecords == b.sRecords && o.nCount == b.nCount));
}

Outcome RunText(CMainSystem& system, const std::string& sText) {
  Outcome outcome;
  const char* sResult = system.Process(sText.c_str(), 1, true);
  outcome.sString = sResult != nullptr ? sResult : "<null>";
  sResult = system.Process(sText.c_str(), 0, true);
  outcome.sPlain = sResult != nullptr ? sResult : "<null>";
  std::string sTrans;
  outcome.nCount = system.ProcessA(sText.c_str(), sTrans, true, true, false);
  int nRecords = 0;
  const result_t* pRecords = system.GetResult(&nRecords);
  for (int k = 0; k < nRecords; ++k) {
    const result_t& r = pRecords[k];
    outcome.sRecords += std::to_string(r.start) + "," + std::to_string(r.length) + "," + r.sPOS +
                        "," + std::to_string(r.iPOS) + "," + std::to_string(r.word_ID) + "," +
                        std::to_string(r.word_type) + "," + std::to_string(r.weight) + ";";
  }
  return outcome;
}

// A GBK word of two rare characters, one per k; none occurs in the texts.
std::string RareWord(int k) {
  std::string sWord;
  sWord += static_cast<char>(0xF0 + k % 8);
  sWord += static_cast<char>(0xA1 + (k / 8) % 90);
  sWord += static_cast<char>(0xF0 + (k / 720) % 8);
  sWord += static_cast<char>(0xA1 + k % 89);
  return sWord;
}

class ThreadsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string sRoot = InitPathOfDataSet();
    if (!sRoot.empty()) s_bStarted = KAVEL_Init(sRoot.c_str(), 0, nullptr) == 1;
    const char* kTexts[] = {
        "今天天气很好，我们去北京大学参观。",
        "张伟和李娜在上海市人民广场见面，讨论了2008年的计划。",
        "他说：“这本书的价格是35.5元，比去年贵了百分之十。”",
        "Hello world! 中文和English混合的句子，还有数字123和符号@#。",
        "中华人民共和国成立于一九四九年十月一日。\n经济发展迅速，人民生活水平不断提高。\r\n"
        "科学技术是第一生产力，教育是国家发展的基础。",
        "小明的哥哥在清华大学读研究生，他的导师是王教授。",
        "我们参观北京大学参观北京大学。",
        "长江是中国最长的河流，全长约6300公里，流经十一个省市自治区。",
    };
    for (const char* sText : kTexts) s_vecTexts.push_back(ToGBK(sText));
  }
  static void TearDownTestSuite() { KAVEL_Exit(); }
  void SetUp() override {
    if (!s_bStarted) GTEST_SKIP() << "data set not built";
  }

  static std::vector<Outcome> Reference() {
    CMainSystem system;
    std::vector<Outcome> vecOut;
    for (const std::string& sText : s_vecTexts) vecOut.push_back(RunText(system, sText));
    return vecOut;
  }
  static void ChangeUserWordsWhileProcessing(bool bWholeCallsOnly);

  static bool s_bStarted;
  static std::vector<std::string> s_vecTexts;
};
bool ThreadsTest::s_bStarted = false;
std::vector<std::string> ThreadsTest::s_vecTexts;

const int kThreads = 6;
const int kRounds = 3;

TEST_F(ThreadsTest, ProcessorsOnManyThreadsMatchOneThread) {
  const std::vector<Outcome> vecExpected = Reference();
  ASSERT_GT(vecExpected[0].nCount, 3);
  const size_t nTexts = s_vecTexts.size();
  // mismatch[t] counts the results of thread t that differ from the reference.
  std::vector<int> vecMismatch(kThreads, 0);
  std::vector<std::thread> vecThreads;
  for (int t = 0; t < kThreads; ++t) {
    vecThreads.emplace_back([&, t] {
      CMainSystem system;
      for (int r = 0; r < kRounds; ++r)
        for (size_t k = 0; k < nTexts; ++k) {
          const size_t n = (k + t) % nTexts;  // threads work on different texts at once
          if (!(RunText(system, s_vecTexts[n]) == vecExpected[n])) ++vecMismatch[t];
        }
    });
  }
  for (std::thread& thread : vecThreads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(vecMismatch[t], 0) << "thread " << t;
}

// "Peking University visit" becomes one user word halfway through the
// writer's work; results for the texts holding it are then either the ones
// before or the ones after, every other result never changes. With user words
// first, the atom stage and the output stage look the word up separately, so
// a call that runs while the word arrives may see it in one stage only: then
// the texts holding it are only checked once the writer is done.
void ThreadsTest::ChangeUserWordsWhileProcessing(bool bWholeCallsOnly) {
  const std::string sJoined = ToGBK("北京大学参观");
  const std::vector<Outcome> vecBefore = Reference();
  ASSERT_GT(AddUserWordO((sJoined + " n").c_str()), 0);
  const std::vector<Outcome> vecAfter = Reference();
  ASSERT_GE(g_pKAVEL->DelUsrWord(sJoined.c_str()), 0);
  ASSERT_FALSE(vecBefore[0] == vecAfter[0]);
  ASSERT_TRUE(vecBefore[1] == vecAfter[1]);

  const int kWords = 400;
  const size_t nTexts = s_vecTexts.size();
  std::atomic<bool> bWriting{true};
  std::atomic<int> nAdded{0};
  std::vector<int> vecMismatch(kThreads, 0);
  std::vector<int> vecRuns(kThreads, 0);
  std::vector<int> vecBadText(kThreads, -1);
  std::vector<std::thread> vecThreads;
  std::atomic<int> nReaders{0};
  vecThreads.emplace_back([&] {
    while (nReaders < kThreads - 1) std::this_thread::yield();  // all readers are running
    for (int k = 0; k < kWords; ++k) {
      if (k == kWords / 2 && AddUserWordO((sJoined + " n").c_str()) > 0) ++nAdded;
      if (AddUserWordO((RareWord(k) + " nz").c_str()) > 0) ++nAdded;
      if (k % 3 == 0) g_pKAVEL->DelUsrWord(RareWord(k / 2).c_str());
    }
    bWriting = false;
  });
  for (int t = 1; t < kThreads; ++t) {
    vecThreads.emplace_back([&, t] {
      CMainSystem system;
      ++nReaders;
      // At least one pass over the texts, and on while the writer works.
      for (int r = 0; r < 1000 && (r == 0 || bWriting); ++r)
        for (size_t k = 0; k < nTexts; ++k) {
          const size_t n = (k + t) % nTexts;
          const Outcome outcome = RunText(system, s_vecTexts[n]);
          ++vecRuns[t];
          const bool bChanges = !(vecBefore[n] == vecAfter[n]);
          if (!bWholeCallsOnly && bChanges) continue;
          if (!EitherPerCall(outcome, vecBefore[n], vecAfter[n])) {
            ++vecMismatch[t];
            vecBadText[t] = static_cast<int>(n);
          }
        }
    });
  }
  for (std::thread& thread : vecThreads) thread.join();
  EXPECT_EQ(nAdded.load(), kWords + 1);
  for (int t = 1; t < kThreads; ++t) {
    EXPECT_GT(vecRuns[t], 0);
    EXPECT_EQ(vecMismatch[t], 0) << "thread " << t << ", text " << vecBadText[t];
  }
  // Once the writer is done, every new processor sees the joined word.
  CMainSystem system;
  for (size_t n = 0; n < nTexts; ++n) EXPECT_TRUE(RunText(system, s_vecTexts[n]) == vecAfter[n]) << n;

  g_pKAVEL->DelUsrWord(sJoined.c_str());
  for (int k = 0; k < kWords; ++k) g_pKAVEL->DelUsrWord(RareWord(k).c_str());
  EXPECT_TRUE(RunText(system, s_vecTexts[0]) == vecBefore[0]);
}

TEST_F(ThreadsTest, UserWordsChangeWhileProcessorsRun) { ChangeUserWordsWhileProcessing(true); }

TEST_F(ThreadsTest, UserWordsChangeWhileProcessorsRunWithUserWordsFirst) {
  // With user words taken before the core dictionary the atom stage reads
  // the user dictionary too.
  g_bUserDictPrior = true;
  ChangeUserWordsWhileProcessing(false);
  g_bUserDictPrior = false;
}
}  // namespace
