// Records of converted input point at the caller's bytes, and the results
// do not depend on the encoding the text came in.
#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data_dir.h"
#include "encoding/code_build.h"
#include "engine/kavel.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {
std::string Convert(const std::string& sText, const char* sFrom, const char* sTo) {
  iconv_t cd = iconv_open(sTo, sFrom);
  std::string sOut(sText.size() * 4 + 4, '\0');
  char* pIn = const_cast<char*>(sText.data());
  size_t nIn = sText.size();
  char* pOut = &sOut[0];
  size_t nOut = sOut.size();
  iconv(cd, &pIn, &nIn, &pOut, &nOut);
  iconv_close(cd);
  sOut.resize(sOut.size() - nOut);
  return sOut;
}

struct Word {
  std::string sText;  // UTF-8
  std::string sPOS;
};

class EncodingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string sReal = InitPathOfDataSet();
    if (sReal.empty()) return;
    char sTemplate[] = "/tmp/kavel_encoding_XXXXXX";
    if (mkdtemp(sTemplate) == nullptr) return;
    s_sRoot = sTemplate;
    const std::string sData = s_sRoot + "/Data";
    mkdir(sData.c_str(), 0755);
    DIR* pDir = opendir((sReal + "/Data").c_str());
    while (dirent* pEntry = readdir(pDir)) {
      const std::string sName = pEntry->d_name;
      if (sName == "." || sName == "..") continue;
      symlink((sReal + "/Data/" + sName).c_str(), (sData + "/" + sName).c_str());
    }
    closedir(pDir);
    std::string sError;
    s_bReady = CodeTrans_BuildTables(sData.c_str(), sError) &&
               CodeTrans_BuildModel((sData + "/CodeTrans.model").c_str(), sError);
  }
  static void TearDownTestSuite() {
    KAVEL_Exit();
    if (!s_sRoot.empty()) system(("rm -rf '" + s_sRoot + "'").c_str());
  }
  void SetUp() override {
    if (!s_bReady) GTEST_SKIP() << "data set or encoding tables not available";
  }
  void TearDown() override { KAVEL_Exit(); }

  // Words and tags of sText with the engine started in nEncoding; the words
  // are cut from sText by the records.
  std::vector<Word> Run(int nEncoding, const std::string& sText, const char* sIconvName) {
    EXPECT_EQ(KAVEL_Init(s_sRoot.c_str(), nEncoding, nullptr), 1) << KAVEL_GetLastErrorMsg();
    std::vector<Word> vecWords;
    if (g_pKAVEL == nullptr) return vecWords;
    std::string sTrans;
    const int nCount = g_pKAVEL->ProcessA(sText.c_str(), sTrans, true, true, false);
    const result_t* pRecords = g_pKAVEL->GetResult(nullptr);
    size_t nEnd = 0;
    for (int k = 0; k < nCount; ++k) {
      EXPECT_EQ(static_cast<size_t>(pRecords[k].start), nEnd) << k;
      nEnd = pRecords[k].start + pRecords[k].length;
      EXPECT_LE(nEnd, sText.size());
      if (nEnd > sText.size()) break;
      const std::string sWord = sText.substr(pRecords[k].start, pRecords[k].length);
      vecWords.push_back({Convert(sWord, sIconvName, "UTF-8"), pRecords[k].sPOS});
    }
    EXPECT_EQ(nEnd, sText.size());
    KAVEL_Exit();
    return vecWords;
  }

  static std::string s_sRoot;
  static bool s_bReady;
};
std::string EncodingTest::s_sRoot;
bool EncodingTest::s_bReady = false;

bool operator==(const Word& a, const Word& b) { return a.sText == b.sText && a.sPOS == b.sPOS; }

// Traditional-free text, so that BIG5 holds it too; a repeated word checks
// that each record finds its own occurrence.
const char kText[] = "今天天气很好，我们参观大学。大学很好！abc 123";

TEST_F(EncodingTest, RecordsPointAtTheCallersBytes) {
  const std::vector<Word> vecGBK = Run(0, Convert(kText, "UTF-8", "GBK"), "GBK");
  ASSERT_GT(vecGBK.size(), 8u);
  EXPECT_EQ(Run(1, kText, "UTF-8"), vecGBK);
  EXPECT_EQ(Run(-1, kText, "UTF-8"), vecGBK);
  const std::string sBig5 = Convert(Convert(kText, "UTF-8", "UTF-8"), "UTF-8", "BIG5");
  if (Convert(sBig5, "BIG5", "UTF-8") == kText) {
    EXPECT_EQ(Run(2, sBig5, "BIG5"), vecGBK);
  }
}

TEST_F(EncodingTest, CharactersWithoutGbkCodeKeepTheirPlace) {
  // U+1F600 has no GBK code; the records still tile the caller's text, the
  // character going to the first record of its stand-in.
  const std::string sEmoji = "\xF0\x9F\x98\x80";
  const std::string sText = "今天" + sEmoji + "很好";
  std::string sJoined;
  int nHolding = 0;
  for (const Word& word : Run(1, sText, "UTF-8")) {
    sJoined += word.sText;
    if (word.sText.find(sEmoji) != std::string::npos) ++nHolding;
  }
  EXPECT_EQ(sJoined, sText);
  EXPECT_EQ(nHolding, 1);
}

TEST_F(EncodingTest, StringResultComesBackInTheCallersEncoding) {
  ASSERT_EQ(KAVEL_Init(s_sRoot.c_str(), 0, nullptr), 1);
  const std::string sGBKResult = g_pKAVEL->Process(Convert(kText, "UTF-8", "GBK").c_str(), 1, true);
  KAVEL_Exit();
  ASSERT_EQ(KAVEL_Init(s_sRoot.c_str(), 1, nullptr), 1);
  EXPECT_EQ(g_pKAVEL->Process(kText, 1, true), Convert(sGBKResult, "GBK", "UTF-8"));
}
}  // namespace
