// Subcommand writing the encoding translator files and the detection model.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "encoding/code_build.h"

namespace {

int CodeTransBuild(const std::vector<std::string>& args) {
  if (args.size() != 1) return DataCommandFail("usage: codetrans-build <outdir>");
  struct stat st;
  if (stat(args[0].c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return DataCommandFail("not a directory: " + args[0]);
  }
  auto start = std::chrono::steady_clock::now();
  std::string sError;
  if (!CodeTrans_BuildTables(args[0].c_str(), sError)) return DataCommandFail(sError);
  std::string sModel = args[0] + "/CodeTrans.model";
  if (!CodeTrans_BuildModel(sModel.c_str(), sError)) return DataCommandFail(sError);
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("encoding tables and CodeTrans.model written to %s in %.2f s\n", args[0].c_str(), secs);
  return 0;
}

const DataCommandRegistrar kCodeTransBuild({"codetrans-build", "<outdir>",
                                            "writes the encoding translator files and CodeTrans.model",
                                            CodeTransBuild});

}  // namespace
