#include "base/binary_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

class BinaryIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_bin_XXXXXX";
    m_sDir = mkdtemp(sTemplate);
    m_sFile = m_sDir + "/data.bin";
  }
  void TearDown() override {
    std::string sCmd = "rm -rf " + m_sDir;
    (void)system(sCmd.c_str());
  }
  std::string Content(const std::string& sPath) {
    std::string s;
    FILE* fp = fopen(sPath.c_str(), "rb");
    if (fp == nullptr) return "<missing>";
    int c;
    while ((c = fgetc(fp)) != EOF) s += static_cast<char>(c);
    fclose(fp);
    return s;
  }
  size_t FilesInDir() {
    std::string sCmd = "ls -A " + m_sDir + " | wc -l";
    FILE* p = popen(sCmd.c_str(), "r");
    size_t n = 0;
    if (fscanf(p, "%zu", &n) != 1) n = 0;
    pclose(p);
    return n;
  }
  std::string m_sDir;
  std::string m_sFile;
};

TEST_F(BinaryIoTest, ReaderRefusesReadsBeyondTheFile) {
  {
    AtomicFileWriter writer(m_sFile.c_str());
    ASSERT_TRUE(writer.WriteInt32(3));
    ASSERT_TRUE(writer.WriteInt32(-7));
    ASSERT_TRUE(writer.Write("ab", 2));
    ASSERT_TRUE(writer.Commit());
  }
  BinaryFileReader reader;
  ASSERT_TRUE(reader.Open(m_sFile.c_str()));
  EXPECT_EQ(reader.Size(), 10u);
  int32_t n = 0;
  ASSERT_TRUE(reader.ReadInt32(&n));
  EXPECT_EQ(n, 3);
  // A count that claims more than the file holds, including one whose byte
  // size overflows, is refused without reading anything.
  int32_t vec[4] = {};
  EXPECT_FALSE(reader.CanRead(4, 2));
  EXPECT_FALSE(reader.ReadArray(vec, 4, 3));
  EXPECT_FALSE(reader.ReadArray(vec, 8, SIZE_MAX / 4));
  EXPECT_EQ(reader.Remaining(), 6u);
  ASSERT_TRUE(reader.ReadInt32(&n));
  EXPECT_EQ(n, -7);
  char s[2];
  ASSERT_TRUE(reader.ReadArray(s, 1, 2));
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.ReadInt32(&n));
  EXPECT_TRUE(reader.ReadArray(nullptr, 4, 0));

  EXPECT_FALSE(reader.Open((m_sDir + "/missing").c_str()));
  EXPECT_FALSE(reader.ReadInt32(&n));
  EXPECT_FALSE(reader.Open(m_sDir.c_str()));  // a directory
  EXPECT_FALSE(reader.Open(nullptr));
}

TEST_F(BinaryIoTest, WriterKeepsTheOldFileUnlessCommitted) {
  {
    AtomicFileWriter writer(m_sFile.c_str());
    writer.Write("old", 3);
    ASSERT_TRUE(writer.Commit());
  }
  {
    AtomicFileWriter writer(m_sFile.c_str());
    writer.Write("new content", 11);
    // Abandoned without Commit.
  }
  EXPECT_EQ(Content(m_sFile), "old");
  EXPECT_EQ(FilesInDir(), 1u);  // no temporary file left behind
  {
    AtomicFileWriter writer(m_sFile.c_str());
    writer.Write("new", 3);
    EXPECT_FALSE(writer.Write(nullptr, 5));  // a failed write spoils the save
    EXPECT_FALSE(writer.Commit());
  }
  EXPECT_EQ(Content(m_sFile), "old");
  EXPECT_EQ(FilesInDir(), 1u);

  AtomicFileWriter nowhere((m_sDir + "/no/such/dir/file.bin").c_str());
  EXPECT_FALSE(nowhere.IsOpen());
  EXPECT_FALSE(nowhere.Write("x", 1));
  EXPECT_FALSE(nowhere.Commit());
  AtomicFileWriter unnamed(nullptr);
  EXPECT_FALSE(unnamed.Commit());
}

}  // namespace
