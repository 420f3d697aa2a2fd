// Subcommands for word lists (".wordlist"), unigram tables (".unig", ".ung")
// and bigram tables (".big").
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "command.h"
#include "lexicon/bigram.h"
#include "lexicon/pdat.h"
#include "lexicon/unigram.h"
#include "lexicon/word_list.h"

namespace {

bool Readable(const std::string& sPath) { return access(sPath.c_str(), R_OK) == 0; }

int Usage(const char* sName, const char* sUsage) {
  return DataCommandFail(std::string("usage: ") + sName + " " + sUsage);
}

// Splits the arguments into positional ones and the flags given in
// sAllowed; false on an unknown flag.
bool SplitArgs(const std::vector<std::string>& args, const std::vector<std::string>& vecAllowed,
               std::vector<std::string>* pPositional, std::vector<std::string>* pFlags) {
  for (const std::string& arg : args) {
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      bool bKnown = false;
      for (const std::string& sFlag : vecAllowed) bKnown = bKnown || arg == sFlag;
      if (!bKnown) return false;
      pFlags->push_back(arg);
    } else {
      pPositional->push_back(arg);
    }
  }
  return true;
}

bool HasFlag(const std::vector<std::string>& vecFlags, const char* sFlag) {
  for (const std::string& s : vecFlags) {
    if (s == sFlag) return true;
  }
  return false;
}

bool LoadDict(CPDAT* pDict, const std::string& sPath, int* pResult) {
  if (pDict->Load(sPath.c_str())) return true;
  *pResult = DataCommandFail("cannot load dictionary " + sPath);
  return false;
}

bool LoadWordList(CWordList* pList, const std::string& sPath, int* pResult) {
  if (pList->Load(sPath.c_str())) return true;
  *pResult = DataCommandFail("cannot load word list " + sPath);
  return false;
}

int WordListImport(const std::vector<std::string>& args) {
  const char* sUsage = "<words.txt> <dict.pdat> <out.wordlist> [--scrambled]";
  std::vector<std::string> pos, flags;
  if (!SplitArgs(args, {"--scrambled"}, &pos, &flags) || pos.size() != 3) {
    return Usage("wordlist-import", sUsage);
  }
  if (!Readable(pos[0])) return DataCommandFail("cannot read " + pos[0]);
  int nResult = 1;
  CPDAT dict;
  if (!LoadDict(&dict, pos[1], &nResult)) return nResult;
  CWordList list(HasFlag(flags, "--scrambled"), &dict);
  int nTexts = list.Import(pos[0].c_str(), &dict);
  if (nTexts == 0) return DataCommandFail("no known words in " + pos[0]);
  if (!list.Save(pos[2].c_str())) return DataCommandFail("cannot write " + pos[2]);
  printf("%d texts, bound %d\n", nTexts, list.GetBound());
  return 0;
}

int WordListExport(const std::vector<std::string>& args) {
  const char* sUsage = "<in.wordlist> <dict.pdat> <out.txt> [exclude.txt] [--scrambled]";
  std::vector<std::string> pos, flags;
  if (!SplitArgs(args, {"--scrambled"}, &pos, &flags) || pos.size() < 3 || pos.size() > 4) {
    return Usage("wordlist-export", sUsage);
  }
  int nResult = 1;
  CPDAT dict;
  if (!LoadDict(&dict, pos[1], &nResult)) return nResult;
  CWordList list(HasFlag(flags, "--scrambled"), &dict);
  if (!LoadWordList(&list, pos[0], &nResult)) return nResult;
  const char* sExclude = pos.size() == 4 ? pos[3].c_str() : nullptr;
  if (list.Export(pos[2].c_str(), &dict, sExclude) != 0) return DataCommandFail("cannot write " + pos[2]);
  return 0;
}

int UnigramImport(const std::vector<std::string>& args) {
  const char* sUsage = "<counts.txt> <dict.pdat> <out.unig> [model: 0 smaller, 1 larger, 2 sum]";
  if (args.size() != 3 && args.size() != 4) return Usage("unigram-import", sUsage);
  int nModel = 0;
  if (args.size() == 4) {
    if (args[3] != "0" && args[3] != "1" && args[3] != "2") return Usage("unigram-import", sUsage);
    nModel = args[3][0] - '0';
  }
  if (!Readable(args[0])) return DataCommandFail("cannot read " + args[0]);
  int nResult = 1;
  CPDAT dict;
  if (!LoadDict(&dict, args[1], &nResult)) return nResult;
  CUnigram unigram(-1);
  int nEntries = unigram.Import(args[0].c_str(), &dict, nModel);
  if (nEntries == 0) return DataCommandFail("no known words in " + args[0]);
  if (!unigram.Save(args[2].c_str())) return DataCommandFail("cannot write " + args[2]);
  printf("%d entries, total %d\n", nEntries, unigram.GetTotalFreq());
  return 0;
}

int UnigramExport(const std::vector<std::string>& args) {
  const char* sUsage = "<in.unig> <in.wordlist> <out.txt> [--scrambled]";
  std::vector<std::string> pos, flags;
  if (!SplitArgs(args, {"--scrambled"}, &pos, &flags) || pos.size() != 3) {
    return Usage("unigram-export", sUsage);
  }
  CUnigram unigram(-1);
  if (!unigram.Load(pos[0].c_str())) return DataCommandFail("cannot load unigram table " + pos[0]);
  int nResult = 1;
  CWordList list(HasFlag(flags, "--scrambled"), nullptr);
  if (!LoadWordList(&list, pos[1], &nResult)) return nResult;
  if (unigram.Export(pos[2].c_str(), &list) == 0) return DataCommandFail("cannot write " + pos[2]);
  return 0;
}

int BigramImport(const std::vector<std::string>& args) {
  const char* sUsage = "<pairs.txt> <dict.pdat> <out.big> [--at]";
  std::vector<std::string> pos, flags;
  if (!SplitArgs(args, {"--at"}, &pos, &flags) || pos.size() != 3) return Usage("bigram-import", sUsage);
  if (!Readable(pos[0])) return DataCommandFail("cannot read " + pos[0]);
  int nResult = 1;
  CPDAT dict;
  if (!LoadDict(&dict, pos[1], &nResult)) return nResult;
  CBigram bigram(true, 0);
  int nPairs = bigram.Import(pos[0].c_str(), &dict, HasFlag(flags, "--at"));
  if (nPairs == 0) return DataCommandFail("no known word pairs in " + pos[0]);
  if (!bigram.Save(pos[2].c_str())) return DataCommandFail("cannot write " + pos[2]);
  printf("%d pairs, bound %d\n", nPairs, bigram.GetBound());
  return 0;
}

int BigramExport(const std::vector<std::string>& args) {
  const char* sUsage = "<in.big> <in.wordlist> <out.txt> [--scrambled]";
  std::vector<std::string> pos, flags;
  if (!SplitArgs(args, {"--scrambled"}, &pos, &flags) || pos.size() != 3) {
    return Usage("bigram-export", sUsage);
  }
  CBigram bigram(true, 0);
  if (!bigram.Load(pos[0].c_str())) return DataCommandFail("cannot load bigram table " + pos[0]);
  int nResult = 1;
  CWordList list(HasFlag(flags, "--scrambled"), nullptr);
  if (!LoadWordList(&list, pos[1], &nResult)) return nResult;
  if (!bigram.Export(pos[2].c_str(), &list)) return DataCommandFail("cannot write " + pos[2]);
  return 0;
}

DataCommandRegistrar g_wordListImport({"wordlist-import",
                                       "<words.txt> <dict.pdat> <out.wordlist> [--scrambled]",
                                       "builds a word list of the dictionary's handles", WordListImport});
DataCommandRegistrar g_wordListExport({"wordlist-export",
                                       "<in.wordlist> <dict.pdat> <out.txt> [exclude.txt] [--scrambled]",
                                       "writes the text of every handle, one per line", WordListExport});
DataCommandRegistrar g_unigramImport({"unigram-import", "<counts.txt> <dict.pdat> <out.unig> [model]",
                                      "builds a unigram table; repeats: 0 smaller, 1 larger, 2 sum",
                                      UnigramImport});
DataCommandRegistrar g_unigramExport({"unigram-export", "<in.unig> <in.wordlist> <out.txt> [--scrambled]",
                                      "writes word and count by descending count", UnigramExport});
DataCommandRegistrar g_bigramImport({"bigram-import", "<pairs.txt> <dict.pdat> <out.big> [--at]",
                                     "builds a bigram table from 'w1 w2 freq' or 'w1@w2 freq' lines",
                                     BigramImport});
DataCommandRegistrar g_bigramExport({"bigram-export", "<in.big> <in.wordlist> <out.txt> [--scrambled]",
                                     "writes word1, word2 and frequency of every pair", BigramExport});

}  // namespace
