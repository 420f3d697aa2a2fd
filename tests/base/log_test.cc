#include "base/log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_log_XXXXXX";
    m_sDir = mkdtemp(sTemplate);
    g_bLog = true;
  }
  void TearDown() override {
    g_bLog = true;
    std::string sCmd = "rm -rf " + m_sDir;
    (void)system(sCmd.c_str());
  }
  std::string m_sDir;
};

TEST_F(LogTest, WritesOneStampedLinePerMessageWithOrWithoutTrailingSlash) {
  WriteLog("first", m_sDir.c_str(), false);
  WriteLog("second", (m_sDir + "/").c_str(), false);
  std::string sFile = LogFileName(m_sDir.c_str(), false, time(nullptr));
  std::string sText = ReadAll(sFile);
  ASSERT_EQ(sText.size(), 2 * (1 + 19 + 2)  + strlen("first\n") + strlen("second\n"));
  EXPECT_EQ(sText[0], '[');
  EXPECT_EQ(sText.substr(20, 2), "]\t");
  EXPECT_NE(sText.find("]\tfirst\n["), std::string::npos);
  EXPECT_EQ(sFile.substr(sFile.size() - 4), ".log");
  EXPECT_EQ(sFile.find("//"), std::string::npos);
}

TEST_F(LogTest, ErrorsGoToTheErrFileAndNothingIsWrittenWhenOff) {
  WriteError("bad", m_sDir.c_str());
  EXPECT_NE(ReadAll(LogFileName(m_sDir.c_str(), true, time(nullptr))).find("\tbad\n"),
            std::string::npos);
  g_bLog = false;
  WriteLog("silent", m_sDir.c_str(), false);
  EXPECT_NE(access(LogFileName(m_sDir.c_str(), false, time(nullptr)).c_str(), F_OK), 0);
}

TEST(LogFileNameTest, NamesChangeAtLocalMidnight) {
  struct tm tmDay = {};
  tmDay.tm_year = 2026 - 1900;
  tmDay.tm_mon = 0;
  tmDay.tm_mday = 1;
  tmDay.tm_hour = 23;
  tmDay.tm_min = 59;
  tmDay.tm_sec = 59;
  tmDay.tm_isdst = -1;
  long long t = mktime(&tmDay);
  EXPECT_EQ(LogFileName("/x", false, t), "/x/20260101.log");
  EXPECT_EQ(LogFileName("/x", true, t + 1), "/x/20260102.err");
}

}  // namespace
