// Start-up over a data set with one damaged file: the engine either refuses
// to start or starts and processes text, never reading past what it loaded.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data_dir.h"
#include "engine/kavel.h"
#include "system/main_system.h"
#include "segment/engine_globals.h"

namespace {
std::vector<std::string> FilesOf(const std::string& sDir, const std::string& sPrefix) {
  std::vector<std::string> vecNames;
  DIR* pDir = opendir(sDir.c_str());
  if (pDir == nullptr) return vecNames;
  while (dirent* pEntry = readdir(pDir)) {
    const std::string sName = pEntry->d_name;
    struct stat info;
    if (sName[0] == '.' || stat((sDir + "/" + sName).c_str(), &info) != 0) continue;
    if (S_ISREG(info.st_mode)) vecNames.push_back(sPrefix + sName);
  }
  closedir(pDir);
  return vecNames;
}

std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A copy of the data set made of links, with sDamaged written as sBytes.
bool MakeDataSet(const std::string& sReal, const std::string& sData, const std::string& sDamaged,
                 const std::string& sBytes) {
  mkdir(sData.c_str(), 0755);
  mkdir((sData + "/English").c_str(), 0755);
  std::vector<std::string> vecNames = FilesOf(sReal, "");
  for (const std::string& sName : FilesOf(sReal + "/English", "English/")) vecNames.push_back(sName);
  for (const std::string& sName : vecNames) {
    const std::string sTo = sData + "/" + sName;
    unlink(sTo.c_str());
    if (sName == sDamaged) {
      std::ofstream out(sTo, std::ios::binary);
      out << sBytes;
    } else if (symlink((sReal + "/" + sName).c_str(), sTo.c_str()) != 0) {
      return false;
    }
  }
  return true;
}

TEST(CorruptDataTest, DamagedFilesAreRejectedOrLoadSafely) {
  const std::string sRoot = InitPathOfDataSet();
  if (sRoot.empty()) GTEST_SKIP() << "data set not built";
  const std::string sReal = sRoot + "/Data";
  char sTemplate[] = "/tmp/kavel_corrupt_XXXXXX";
  ASSERT_NE(mkdtemp(sTemplate), nullptr);
  const std::string sTemp = sTemplate;
  const std::string sData = sTemp + "/Data";
  std::vector<std::string> vecNames = FilesOf(sReal, "");
  for (const std::string& sName : FilesOf(sReal + "/English", "English/")) vecNames.push_back(sName);
  ASSERT_GT(vecNames.size(), 20u);
  const char kText[] = "今天天气很好，我们参观大学。abc 123";
  for (const std::string& sName : vecNames) {
    if (sName == "Configure.xml") continue;
    const std::string sGood = ReadAll(sReal + "/" + sName);
    if (sGood.size() < 8) continue;
    // One byte short, counts or offsets made huge at the start, and bytes
    // overwritten in the middle.
    std::string sHuge = sGood;
    for (size_t k = 0; k < 16 && k < sHuge.size(); ++k) sHuge[k] = '\xFF';
    std::string sMiddle = sGood;
    for (size_t k = sMiddle.size() / 2; k < sMiddle.size() / 2 + 16 && k < sMiddle.size(); ++k)
      sMiddle[k] = '\x7F';
    const std::string kVariants[] = {sGood.substr(0, sGood.size() - 1), sHuge, sMiddle};
    // The encoding tables are loaded only when the caller's text is converted.
    const int nEncode = sName == "CodeTrans.model" ? -1 : 1;
    for (const std::string& sBytes : kVariants) {
      SCOPED_TRACE(sName + " of " + std::to_string(sBytes.size()) + " bytes");
      ASSERT_TRUE(MakeDataSet(sReal, sData, sName, sBytes));
      const int nStarted = KAVEL_Init(sTemp.c_str(), nEncode, nullptr);
      if (nStarted == 1) {
        EXPECT_NE(g_pKAVEL->Process(kText, 1, true), nullptr);
        std::string sTrans;
        g_pKAVEL->ProcessA(kText, sTrans, true, true, false);
        KAVEL_Exit();
      }
    }
  }
  system(("rm -rf '" + sTemp + "'").c_str());
}
}  // namespace
