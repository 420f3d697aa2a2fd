// kavel-data subcommands of the static dictionary: text list to ".pdat" and
// back.
#include <cstdlib>
#include <string>
#include <vector>

#include "command.h"
#include "lexicon/pdat.h"

namespace {

int RunImport(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() > 3) return DataCommandFail("pdat-import <words.txt> <out.pdat> [mode]");
  int nMode = 0;
  if (args.size() == 3) {
    char* pEnd = nullptr;
    long n = strtol(args[2].c_str(), &pEnd, 10);
    if (*pEnd != 0 || n < 0 || n > 2) return DataCommandFail("mode must be 0, 1 or 2: " + args[2]);
    nMode = static_cast<int>(n);
  }
  CPDAT dict(nMode);
  int nWords = dict.Import(args[0].c_str());
  if (nWords == 0) return DataCommandFail("no words imported from " + args[0]);
  if (!dict.Save(args[1].c_str())) return DataCommandFail("cannot write " + args[1]);
  printf("\n%d words, %d cells written to %s\n", nWords, dict.GetLowerBound() + 1, args[1].c_str());
  return 0;
}

int RunExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return DataCommandFail("pdat-export <in.pdat> <out.txt>");
  CPDAT dict(0);
  if (!dict.Load(args[0].c_str())) return DataCommandFail("cannot load " + args[0]);
  if (!dict.Export(args[1].c_str())) return DataCommandFail("cannot write " + args[1]);
  return 0;
}

DataCommandRegistrar g_import({"pdat-import", "<words.txt> <out.pdat> [mode]",
                               "build a dictionary from a word list (mode 0, 1 or 2) and save it",
                               RunImport});
DataCommandRegistrar g_export({"pdat-export", "<in.pdat> <out.txt>",
                               "write the words of a dictionary, one per line", RunExport});

}  // namespace
