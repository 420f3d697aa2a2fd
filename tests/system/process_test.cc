// The processing pipeline and output stage over the real data set (GBK).
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/kavel.h"
#include "lexicon/unigram.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"
#include "data_dir.h"

namespace {
// GBK texts.
const char kWeather[] = "\xBD\xF1\xCC\xEC\xCC\xEC\xC6\xF8\xBA\xDC\xBA\xC3";  // today weather very good
const char kVisit[] = "\xB1\xB1\xBE\xA9\xB4\xF3\xD1\xA7\xB2\xCE\xB9\xDB";    // Peking University visit
const char kComma[] = "\xA3\xAC";

class ProcessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string sRoot = InitPathOfDataSet();
    if (!sRoot.empty()) s_bStarted = KAVEL_Init(sRoot.c_str(), 0, nullptr) == 1;
  }
  static void TearDownTestSuite() { KAVEL_Exit(); }
  void SetUp() override {
    if (!s_bStarted) GTEST_SKIP() << "data set not built";
    m_pSystem = g_pKAVEL;
    m_pSystem->SetPOSmap(0);
  }
  // Texts of the records of the last call, cut from sText.
  std::vector<std::string> Words(const char* sText) {
    int nCount = 0;
    const result_t* pRecords = m_pSystem->GetResult(&nCount);
    std::vector<std::string> vecWords;
    for (int k = 0; k < nCount; ++k) vecWords.emplace_back(sText + pRecords[k].start, pRecords[k].length);
    return vecWords;
  }
  static bool s_bStarted;
  CMainSystem* m_pSystem = nullptr;
};
bool ProcessTest::s_bStarted = false;

TEST_F(ProcessTest, TaggedStringAndRecordsAgree) {
  const std::string sText = std::string(kWeather) + kComma + kVisit;
  const std::string sResult = m_pSystem->Process(sText.c_str(), 1, true);
  std::string sTrans;
  const int nCount = m_pSystem->ProcessA(sText.c_str(), sTrans, true, true, false);
  ASSERT_GT(nCount, 3);
  // The records cover the text without gap or overlap, and the string holds
  // every word followed by its tag and one blank.
  std::string sJoined;
  std::string sExpected;
  int nCountOut = 0;
  const result_t* pRecords = m_pSystem->GetResult(&nCountOut);
  for (const std::string& sWord : Words(sText.c_str())) sJoined += sWord;
  EXPECT_EQ(sJoined, sText);
  for (int k = 0; k < nCountOut; ++k) {
    EXPECT_NE(pRecords[k].sPOS[0], 0);
    sExpected += sText.substr(pRecords[k].start, pRecords[k].length) + "/" + pRecords[k].sPOS + " ";
  }
  EXPECT_EQ(sResult, sExpected);
  // Untagged: words and single blanks only.
  const std::string sPlain = m_pSystem->Process(sText.c_str(), 0, true);
  EXPECT_EQ(sPlain.find('/'), std::string::npos);
}

TEST_F(ProcessTest, BlanksAndLineBreaks) {
  EXPECT_STREQ(m_pSystem->Process("\n", 1, true), "\n");
  EXPECT_STREQ(m_pSystem->Process(nullptr, 1, true), "");
  EXPECT_STREQ(m_pSystem->Process("", 1, true), "");
  // Blanks come out as untagged words without a core handle.
  const std::string sShort = std::string(kWeather) + "  " + kVisit;
  std::string sTrans;
  m_pSystem->ProcessA(sShort.c_str(), sTrans, true, true, false);
  int nCount = 0;
  const result_t* pRecords = m_pSystem->GetResult(&nCount);
  bool bBlankSeen = false;
  for (int k = 0; k < nCount; ++k) {
    if (sShort[pRecords[k].start] != ' ') continue;
    bBlankSeen = true;
    EXPECT_EQ(pRecords[k].word_ID, -1);
    EXPECT_EQ(pRecords[k].sPOS[0], 0);
  }
  EXPECT_TRUE(bBlankSeen);
}

TEST_F(ProcessTest, LongTextIsProcessedLineByLine) {
  std::string sLine1;
  std::string sLine2;
  for (int k = 0; k < 4; ++k) sLine1 += kWeather;  // 48 bytes each
  for (int k = 0; k < 4; ++k) sLine2 += kVisit;
  const std::string sText = "  " + sLine1 + "\r\n\r\n" + sLine2;  // 102 bytes
  ASSERT_GT(sText.size(), 100u);
  const std::string sPart1 = m_pSystem->Process(sLine1.c_str(), 1, true);
  const std::string sPart2 = m_pSystem->Process(sLine2.c_str(), 1, true);
  // Leading blanks, the "\n" and the blank line are dropped; the "\r" is kept
  // with the whole two-blank boundary.
  EXPECT_EQ(m_pSystem->Process(sText.c_str(), 1, true), sPart1 + "\r  " + sPart2);
  EXPECT_TRUE(m_pSystem->IsLongText());
  std::string sTrans;
  m_pSystem->ProcessA(sText.c_str(), sTrans, true, true, false);
  std::string sJoined;
  for (const std::string& sWord : Words(sText.c_str())) sJoined += sWord;
  EXPECT_EQ(sJoined, sLine1 + "\r" + sLine2);
}

TEST_F(ProcessTest, BadInputStaysInsideTheText) {
  std::string sBinary;
  for (int c = 1; c < 256; ++c) sBinary.push_back(static_cast<char>(c));
  std::string sHuge;
  while (sHuge.size() < 3u << 20) sHuge += std::string(kWeather) + kComma + kVisit + "abc123 ";
  const std::string kInputs[] = {
      sBinary,
      "\x81\x20\xFF\xFE\x80",                     // invalid GBK
      std::string(kWeather) + "\xB0",             // a lone high byte at the end
      "^^" + std::string(kWeather) + kComma,      // "^^" without a partner
      std::string(kVisit) + "^^",
      "\xEF\xBB\xBF" + std::string(kWeather),     // UTF-8 bytes given as GBK
      sHuge,                                      // megabytes without a line break
  };
  for (const std::string& sText : kInputs) {
    SCOPED_TRACE(sText.substr(0, 16));
    EXPECT_NE(m_pSystem->Process(sText.c_str(), 1, true), nullptr);
    std::string sTrans;
    const int nCount = m_pSystem->ProcessA(sText.c_str(), sTrans, true, true, false);
    int nRecords = 0;
    const result_t* pRecords = m_pSystem->GetResult(&nRecords);
    EXPECT_EQ(nCount, nRecords);
    int nEnd = 0;
    for (int k = 0; k < nRecords; ++k) {
      ASSERT_GE(pRecords[k].start, nEnd) << k;
      ASSERT_GE(pRecords[k].length, 0);
      nEnd = pRecords[k].start + pRecords[k].length;
      ASSERT_LE(static_cast<size_t>(nEnd), sText.size());
    }
    // Ordinary text, however long, is covered to its end.
    if (sText == sHuge) {
      EXPECT_EQ(static_cast<size_t>(nEnd), sText.size());
    }
  }
}

TEST_F(ProcessTest, UserWordsJoinWholeWordsOnly) {
  // "Peking University" + "visit" are two words; an entry covering both joins
  // them, one ending inside the second word does not.
  const std::string sWhole = std::string(kVisit) + " n";
  const std::string sPartial = std::string(kVisit, 10) + " n";
  std::string sTrans;
  m_pSystem->ProcessA(kVisit, sTrans, true, true, false);
  ASSERT_EQ(Words(kVisit).size(), 2u);

  ASSERT_GT(AddUserWordO(sPartial.c_str()), 0);
  m_pSystem->ProcessA(kVisit, sTrans, true, true, false);
  EXPECT_EQ(Words(kVisit).size(), 2u);

  ASSERT_GT(AddUserWordO(sWhole.c_str()), 0);
  EXPECT_EQ(AddUserWordO(sWhole.c_str()), 0);  // already there
  int nCount = m_pSystem->ProcessA(kVisit, sTrans, true, true, false);
  ASSERT_EQ(nCount, 1);
  const result_t* pRecord = m_pSystem->GetResult(&nCount);
  EXPECT_EQ(pRecord->length, 12);
  EXPECT_EQ(pRecord->word_type, 1);
  EXPECT_EQ(pRecord->word_ID, -1);
  EXPECT_STREQ(pRecord->sPOS, "n");
  // Without the user dictionary the words stay apart.
  EXPECT_EQ(m_pSystem->ProcessA(kVisit, sTrans, true, false, false), 2);

  EXPECT_GE(m_pSystem->DelUsrWord(kVisit), 0);
  EXPECT_GE(m_pSystem->DelUsrWord(std::string(kVisit, 10).c_str()), 0);
  EXPECT_EQ(m_pSystem->ProcessA(kVisit, sTrans, true, true, false), 2);
}

TEST_F(ProcessTest, TagSetSelection) {
  EXPECT_TRUE(m_pSystem->SetPOSmap(1));
  EXPECT_FALSE(m_pSystem->SetPOSmap(4));
  EXPECT_FALSE(m_pSystem->SetPOSmap(-1));
  EXPECT_EQ(m_pSystem->GetPosmap(), 1);
  EXPECT_TRUE(m_pSystem->SetPOSmap(0));
}

TEST_F(ProcessTest, WordQueries) {
  const double dTotal = g_pUnigram->GetTotalFreq();
  const double dItems = g_pUnigram->GetItemCount();
  const char kMissing[] = "\xF7\xFE\xF7\xFE\xF7\xFE";
  EXPECT_DOUBLE_EQ(m_pSystem->GetUniProb(kMissing), 0.05 / (dTotal + 0.05 * dItems));
  EXPECT_DOUBLE_EQ(m_pSystem->GetUniProb(-1), 0.05 / (dTotal + 0.05 * dItems));
  EXPECT_GT(m_pSystem->GetUniProb(kComma), m_pSystem->GetUniProb(kMissing));
  EXPECT_FALSE(m_pSystem->IsWord(kMissing));
  EXPECT_TRUE(m_pSystem->IsWord(kComma));
  EXPECT_FALSE(m_pSystem->IsFreqAssociate(kMissing, kComma));
  const std::string sStat = m_pSystem->WordFreqStat((std::string(kVisit) + kVisit).c_str(), false);
  EXPECT_NE(sStat.find("/2#"), std::string::npos) << sStat;
}

TEST_F(ProcessTest, UserWordsChangeWhileOtherProcessorsRead) {
  CMainSystem other;
  std::thread reader([&] {
    for (int k = 0; k < 300; ++k) other.Process(kVisit, 1, true);
  });
  const std::string sEntry = std::string(kVisit) + " nz";
  for (int k = 0; k < 300; ++k) {
    AddUserWordO(sEntry.c_str());
    m_pSystem->DelUsrWord(kVisit);
  }
  reader.join();
  std::string sTrans;
  EXPECT_EQ(other.ProcessA(kVisit, sTrans, true, true, false), 2);
}
}  // namespace
