// The data tool's table commands, run as the data build runs them: each
// output must load in the engine's classes.
#include <sys/wait.h>

#include "segment/charset.h"
#include "tagger/context_stat.h"
#include "tagger/fsa.h"
#include "tagger/pos_map.h"
#include "temp_dir.h"

namespace {

class DataToolTest : public TempDirTest {
 protected:
  // Runs kavel-data with the arguments; returns its exit code.
  int Run(const std::string& sArgs) {
    std::string sCmd = std::string(KAVEL_BINARY_DIR) + "/tools/datatool/kavel-data " + sArgs + " >" +
                       Path("out.txt") + " 2>&1";
    int nStatus = system(sCmd.c_str());
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
  }
};

TEST_F(DataToolTest, CharsetBuildWritesALoadableTable) {
  WriteAll(Path("charset.txt"), "# digits\n5: 30-39   # 0-9\n28: A1A1\n");
  ASSERT_EQ(0, Run("charset-build " + Path("charset.txt") + " " + Path("charset.type")));
  CCharset charset;
  ASSERT_TRUE(charset.Load(Path("charset.type").c_str()));
  EXPECT_EQ(5, charset.GetType('7'));
  EXPECT_EQ(28, charset.GetType(0xA1A1));
  EXPECT_EQ(28, charset.GetType('\n'));

  WriteAll(Path("bad.txt"), "5: 30\n5 31\n");
  EXPECT_NE(0, Run("charset-build " + Path("bad.txt") + " " + Path("bad.type")));
  EXPECT_NE(std::string::npos, ReadAll(Path("out.txt")).find("line 2"));
  EXPECT_NE(0, Run("charset-build " + Path("missing.txt") + " " + Path("bad.type")));
}

TEST_F(DataToolTest, CtxBuildByNamesAndByIdsGivesTheSameFileWithoutNames) {
  WriteAll(Path("tags.map"), "a\nn\nv\n");
  WriteAll(Path("names.txt"), "# prev cur count\nA\tn\t6\na\tv\t2\n\nn\ta\t1\nn\ta\t1\n");
  WriteAll(Path("ids.txt"), "0\t1\t6\n0\t2\t2\n1\t0\t2\n");
  ASSERT_EQ(0, Run("ctx-build " + Path("names.txt") + " " + Path("names.ctx") + " " + Path("tags.map")));
  ASSERT_EQ(0, Run("ctx-build " + Path("ids.txt") + " " + Path("ids.ctx") + " --ids 3"));
  EXPECT_EQ(ReadAll(Path("names.ctx")), ReadAll(Path("ids.ctx")));
  CContextStat stat;
  ASSERT_TRUE(stat.Load(Path("names.ctx").c_str(), false));
  EXPECT_EQ(10, stat.GetTotalFreq());
  EXPECT_EQ(2, stat.GetCount(1, 0));

  struct Case {
    const char* sName;
    const char* sText;
    const char* sTags;
  } cases[] = {
      {"unknown name", "a\tx\t1\n", "tags.map"},
      {"id not below N", "0\t3\t1\n", "--ids 3"},
      {"negative count", "0\t1\t-1\n", "--ids 3"},
      {"missing field", "0\t1\n", "--ids 3"},
      {"no tag count", "0\t1\t1\n", "--ids 0"},
  };
  for (const Case& c : cases) {
    WriteAll(Path("bad.txt"), c.sText);
    std::string sTags = c.sTags[0] == '-' ? c.sTags : Path(c.sTags);
    EXPECT_NE(0, Run("ctx-build " + Path("bad.txt") + " " + Path("bad.ctx") + " " + sTags)) << c.sName;
  }
}

TEST_F(DataToolTest, FsaImportAndExportRoundTrip) {
  WriteAll(Path("nr.txt"), "states\n3\ninputs\n2\naccepting\n2\nids\n24\ntransitions\n0 0 1\n1 1 2\n");
  ASSERT_EQ(0, Run("fsa-import " + Path("nr.txt") + " " + Path("nr.fsa")));
  ASSERT_EQ(0, Run("fsa-export " + Path("nr.fsa") + " " + Path("back.txt")));
  ASSERT_EQ(0, Run("fsa-import " + Path("back.txt") + " " + Path("back.fsa")));
  EXPECT_EQ(ReadAll(Path("nr.fsa")), ReadAll(Path("back.fsa")));
  CFSA fsa;
  ASSERT_TRUE(fsa.Load(Path("back.fsa").c_str()));
  EXPECT_EQ(2, fsa.GetNextState(1, 1));
  EXPECT_EQ(24, fsa.GetPosId(2));
  EXPECT_NE(0, Run("fsa-export " + Path("missing.fsa") + " " + Path("x.txt")));
}

}  // namespace
