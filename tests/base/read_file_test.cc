#include "base/read_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/log.h"

namespace {

class ReadFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_read_XXXXXX";
    m_sDir = mkdtemp(sTemplate);
    m_sSavedLogPath = g_sLogPath;
    g_sLogPath = m_sDir;  // keep the "Failed open file" lines out of the cwd
  }
  void TearDown() override {
    g_sLogPath = m_sSavedLogPath;
    std::string sCmd = "rm -rf " + m_sDir;
    (void)system(sCmd.c_str());
  }
  std::string Write(const char* sName, const std::string& sContent) {
    std::string sPath = m_sDir + "/" + sName;
    FILE* fp = fopen(sPath.c_str(), "wb");
    fwrite(sContent.data(), 1, sContent.size(), fp);
    fclose(fp);
    return sPath;
  }
  std::string m_sDir;
  std::string m_sSavedLogPath;
};

TEST_F(ReadFileTest, ReadsWholeFileIntoATerminatedBuffer) {
  std::string sPath = Write("ten", "0123456789");
  char* pBuf = nullptr;
  ASSERT_EQ(ReadFile(sPath.c_str(), &pBuf), 10u);
  EXPECT_EQ(std::string(pBuf, 11), std::string("0123456789", 11));
  delete[] pBuf;

  // Part of the file; a length past the end is cut to what is there.
  ASSERT_EQ(ReadFile(sPath.c_str(), &pBuf, 4, 3, false), 3u);
  EXPECT_STREQ(pBuf, "456");
  delete[] pBuf;
  ASSERT_EQ(ReadFile(sPath.c_str(), &pBuf, 8, 100, false), 2u);
  EXPECT_STREQ(pBuf, "89");
  delete[] pBuf;
}

TEST_F(ReadFileTest, FailuresLeaveThePointerOrGiveAnEmptyBuffer) {
  char sMarker = 0;
  char* pBuf = &sMarker;
  EXPECT_EQ(ReadFile((m_sDir + "/missing").c_str(), &pBuf), 0u);
  EXPECT_EQ(pBuf, &sMarker);
  EXPECT_EQ(ReadFile(m_sDir.c_str(), &pBuf), 0u);  // a directory
  EXPECT_EQ(pBuf, &sMarker);
  EXPECT_EQ(ReadFile(nullptr, &pBuf), 0u);
  EXPECT_EQ(pBuf, &sMarker);

  std::string sEmpty = Write("empty", "");
  ASSERT_EQ(ReadFile(sEmpty.c_str(), &pBuf), 0u);
  ASSERT_NE(pBuf, &sMarker);
  EXPECT_EQ(pBuf[0], 0);
  delete[] pBuf;
}

TEST_F(ReadFileTest, ReaderKeepsFilesApartAndSeesNewSizes) {
  std::string sLower = Write("name.txt", "lower");
  std::string sUpper = Write("NAME.txt", "UPPER!");
  CReadFile reader;
  char* pBuf = nullptr;
  ASSERT_EQ(reader.ReadFile(sLower.c_str(), &pBuf), 5u);
  delete[] pBuf;
  ASSERT_EQ(reader.ReadFile(sUpper.c_str(), &pBuf), 6u);
  EXPECT_STREQ(pBuf, "UPPER!");
  delete[] pBuf;
  // The same name again after the file grew.
  FILE* fp = fopen(sUpper.c_str(), "ab");
  fputs("++", fp);
  fclose(fp);
  ASSERT_EQ(reader.ReadFile(sUpper.c_str(), &pBuf), 8u);
  EXPECT_STREQ(pBuf, "UPPER!++");
  delete[] pBuf;
}

}  // namespace
