// Start-up, exit and their failure paths, over small data directories built
// in the test from links to the real data set.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/log.h"
#include "engine/kavel.h"
#include "lexicon/pdat.h"
#include "segment/engine_globals.h"

namespace {
std::string RealDataDir() {
  const char* sEnv = getenv("KAVEL_DATA_DIR");
  return sEnv != nullptr && sEnv[0] != 0 ? sEnv : KAVEL_DATA_DIR;
}
bool Exists(const std::string& sPath) {
  struct stat info;
  return stat(sPath.c_str(), &info) == 0;
}

const char kFullConfig[] =
    "<Configure><Log>on</Log><TagSet>KAVEL.map</TagSet><Person>on</Person><Tagger>on</Tagger>"
    "<UserDict>on</UserDict><Sentiment>on</Sentiment></Configure>";

// A fresh "<root>/Data" in a temporary directory; the working directory is
// moved there too, so that log files land in it.
class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_init_XXXXXX";
    ASSERT_NE(mkdtemp(sTemplate), nullptr);
    m_sRoot = sTemplate;
    m_sData = m_sRoot + "/Data";
    mkdir(m_sData.c_str(), 0755);
    char sCwd[4096];
    ASSERT_NE(getcwd(sCwd, sizeof(sCwd)), nullptr);
    m_sOldCwd = sCwd;
    ASSERT_EQ(chdir(m_sRoot.c_str()), 0);
    g_sLogPath = m_sRoot;
  }
  void TearDown() override {
    KAVEL_Exit();
    ASSERT_EQ(chdir(m_sOldCwd.c_str()), 0);
    std::string sCommand = "rm -rf '" + m_sRoot + "'";
    ASSERT_EQ(system(sCommand.c_str()), 0);
  }
  void WriteConfig(const std::string& sText) {
    std::ofstream(m_sData + "/Configure.xml") << sText;
  }
  // Links every file of the real data set except those named in sOmit
  // ("|name|" entries).
  bool LinkRealData(const std::string& sOmit = "") {
    const std::string sReal = RealDataDir();
    if (!Exists(sReal + "/CoreDict.pdat")) return false;
    for (const char* sSub : {"", "/English"}) {
      const std::string sFrom = sReal + sSub;
      const std::string sTo = m_sData + sSub;
      mkdir(sTo.c_str(), 0755);
      DIR* pDir = opendir(sFrom.c_str());
      if (pDir == nullptr) return false;
      while (dirent* pEntry = readdir(pDir)) {
        const std::string sName = pEntry->d_name;
        if (sName == "." || sName == ".." || sName == "English" || sName == "Configure.xml") continue;
        if (sOmit.find("|" + sName + "|") != std::string::npos) continue;
        if (symlink((sFrom + "/" + sName).c_str(), (sTo + "/" + sName).c_str()) != 0) {
          closedir(pDir);
          return false;
        }
      }
      closedir(pDir);
    }
    return true;
  }
  bool HasLogFiles() {
    DIR* pDir = opendir(m_sRoot.c_str());
    bool bFound = false;
    while (dirent* pEntry = readdir(pDir)) {
      const std::string sName = pEntry->d_name;
      if (sName.size() > 4 && (sName.rfind(".log") == sName.size() - 4 ||
                               sName.rfind(".err") == sName.size() - 4))
        bFound = true;
    }
    closedir(pDir);
    return bFound;
  }

  std::string m_sRoot;
  std::string m_sData;
  std::string m_sOldCwd;
};

TEST_F(StartUpTest, MissingOrEmptyConfigurationFailsAndCanBeRetried) {
  const std::string sExpected = "Cannot Open Configure file " + m_sData + "/Configure.xml";
  EXPECT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 0);
  EXPECT_EQ(KAVEL_GetLastErrorMsg(), sExpected);
  EXPECT_TRUE(HasLogFiles());  // logging is on until a configuration says otherwise
  WriteConfig("");
  // A failed start-up leaves nothing behind: the next attempt runs again
  // instead of reporting a start-up in progress.
  EXPECT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 0);
  EXPECT_EQ(KAVEL_GetLastErrorMsg(), sExpected);
  EXPECT_FALSE(g_bInitStart);
  EXPECT_FALSE(KAVEL_Exit());
}

TEST_F(StartUpTest, LogOffAndMissingCoreDictionaryWritesNoFiles) {
  WriteConfig("<Log>off</Log><Tagger>off</Tagger><Person>off</Person>");
  if (!LinkRealData("|CoreDict.pdat|")) GTEST_SKIP() << "data set not built";
  EXPECT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 0);
  EXPECT_EQ(KAVEL_GetLastErrorMsg(), "Cannot open file " + m_sData + "/CoreDict.pdat");
  EXPECT_FALSE(HasLogFiles());
  // What was loaded before the failure is released again.
  EXPECT_EQ(g_pCharset, nullptr);
}

TEST_F(StartUpTest, TaggingWithoutTagSetIsRejected) {
  WriteConfig("<Tagger>on</Tagger><Person>off</Person>");
  if (!LinkRealData()) GTEST_SKIP() << "data set not built";
  EXPECT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 0);
  EXPECT_EQ(KAVEL_GetLastErrorMsg(), "Cannot open file " + m_sData + "/");
  EXPECT_EQ(g_pCoreDict, nullptr);
  EXPECT_EQ(g_ppPOSmap, nullptr);
}

TEST_F(StartUpTest, FatalAndOptionalFiles) {
  struct Case {
    const char* sOmit;
    const char* sConfig;
    int nExpected;
    const char* sMessage;  // followed by the file's path
    const char* sFile;
  };
  const Case kCases[] = {
      {"|CoreDict.unig|", kFullConfig, 0, "Cannot open file ", "CoreDict.unig"},
      {"|PKU_First.map|", kFullConfig, 0, "Cannot open file ", "PKU_First.map"},
      {"|nr.fsa|", kFullConfig, 0, "Cannot open file ", "nr.fsa"},
      {"|ne.pos|", kFullConfig, 0, "Cannot open file ", "English/ne.pos"},
      // Without tagging and person names their files are not needed.
      {"|KAVEL.map|CoreDict.pos|nr.fsa|", "<Tagger>off</Tagger><Person>off</Person>", 1, nullptr,
       nullptr},
      // An optional dictionary that is missing leaves a message only.
      {"|UserDict.pdat|", kFullConfig, 1, "Cannot open user dictionary ", "UserDict.pdat"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.sOmit);
    std::string sCommand = "rm -rf '" + m_sData + "' && mkdir '" + m_sData + "'";
    ASSERT_EQ(system(sCommand.c_str()), 0);
    WriteConfig(c.sConfig);
    if (!LinkRealData(c.sOmit)) GTEST_SKIP() << "data set not built";
    EXPECT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), c.nExpected);
    if (c.sMessage != nullptr) {
      EXPECT_EQ(KAVEL_GetLastErrorMsg(), c.sMessage + m_sData + "/" + c.sFile);
    }
    EXPECT_EQ(g_bActive, c.nExpected == 1);
    if (c.nExpected == 1) {
      EXPECT_EQ(g_pUserDict, nullptr);
    }
    KAVEL_Exit();
  }
}

TEST_F(StartUpTest, CoreDictionaryWithoutClassTokenIsDestroyed) {
  WriteConfig("<Tagger>off</Tagger><Person>off</Person>");
  if (!LinkRealData("|CoreDict.pdat|")) GTEST_SKIP() << "data set not built";
  CPDAT dict(0);
  dict.AddWordInit();
  // The sentence markers and every class token but the organisation one.
  for (const char* sWord : {"\xCA\xBC##\xCA\xBC", "\xC4\xA9##\xC4\xA9", "\xCE\xB4##\xB4\xAE",
                            "\xCE\xB4##\xC8\xCB", "\xCE\xB4##\xB5\xD8", "\xCE\xB4##\xCA\xB1",
                            "\xCE\xB4##\xCA\xFD", "\xCE\xB4##\xD7\xA8"})
    dict.AddWord(sWord);
  dict.AddWordComplete();
  ASSERT_TRUE(dict.Save((m_sData + "/CoreDict.pdat").c_str()));
  EXPECT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 0);
  EXPECT_EQ(std::string(KAVEL_GetLastErrorMsg()), "The Core Dictionary has been destroyed! ");
}

TEST_F(StartUpTest, SettingsFromConfiguration) {
  if (!LinkRealData()) GTEST_SKIP() << "data set not built";
  struct Case {
    const char* sValue;
    bool bFiner;
  };
  for (const Case& c : {Case{"true", true}, Case{"T", true}, Case{"on", false}}) {
    WriteConfig(std::string(kFullConfig) + "<FinerSegCombined>" + c.sValue +
                "</FinerSegCombined><POSDelimiter>_</POSDelimiter><POS>upper</POS>");
    ASSERT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 1);
    EXPECT_EQ(g_bFinerSegCombined, c.bFiner) << c.sValue;
    EXPECT_EQ(g_sPOSDelimiter, "_");
    EXPECT_EQ(g_nPOSPresent, 1);
    KAVEL_Exit();
  }
}

TEST_F(StartUpTest, LifecycleAndRestart) {
  EXPECT_FALSE(KAVEL_Exit());
  WriteConfig(kFullConfig);
  if (!LinkRealData()) GTEST_SKIP() << "data set not built";
  ASSERT_EQ(KAVEL_Init(m_sRoot.c_str(), 0, nullptr), 1);
  EXPECT_EQ(g_sDataPath, m_sData);
  EXPECT_GE(gOneID, 0);
  ASSERT_NE(g_pKAVEL, nullptr);
  EXPECT_EQ(g_nCopyMemSize, 5u);
  EXPECT_EQ(g_vecKAVEL[0], g_pKAVEL);
  // A second start-up changes nothing, whatever its arguments.
  EXPECT_EQ(KAVEL_Init("/nonexistent", 2, nullptr), 1);
  EXPECT_EQ(g_sDataPath, m_sData);
  EXPECT_EQ(g_pCodeTranslator, nullptr);
  EXPECT_TRUE(KAVEL_Exit());
  EXPECT_FALSE(KAVEL_Exit());
  EXPECT_EQ(g_pKAVEL, nullptr);
  EXPECT_EQ(g_nCopyMemSize, 0u);
  EXPECT_EQ(g_pCoreDict, nullptr);
  // Started again from the working directory.
  ASSERT_EQ(KAVEL_Init(nullptr, 0, nullptr), 1);
  EXPECT_EQ(g_sDefaultDir, m_sRoot);
  EXPECT_NE(g_pKAVEL, nullptr);
  EXPECT_TRUE(KAVEL_Exit());
}
}  // namespace
