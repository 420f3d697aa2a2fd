// Subcommands for the character-type table ("charset.type"), tag sets
// (".map"), POS tables (".pos"), tag-context tables (".ctx") and the name
// automaton (".fsa").
//
// Character-type source (charset-build), one rule per line:
//   # a comment runs from '#' to the end of the line
//   <type>: <item> <item> ...
// <type> is a decimal number 0..255; each <item> is a GBK character code in
// hexadecimal ("20", "A1A1", "0xB6FE") or an inclusive range "LO-HI"
// ("A3B0-A3B9"); items are separated by blanks, tabs or commas. A later line
// overrides an earlier one for the same code. Tab, line feed, carriage return
// and space always end up with type 28.
//
// Transition counts (ctx-build), one per line, "prev<TAB>cur<TAB>count":
// the tags are names of the tag set, or decimal ids below N with --ids N.
// Blank lines and lines starting with '#' are skipped; a pair given twice adds
// up. The table is written without names, the form the engine loads.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "command.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"
#include "segment/charset.h"
#include "tagger/context_stat.h"
#include "tagger/fsa.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"
#include "tagger/text_lines.h"

namespace {

int Usage(const char* sName, const char* sUsage) {
  return DataCommandFail(std::string("usage: ") + sName + " " + sUsage);
}

// Splits the arguments into positional ones and "--flag [value]" options.
// Flags in vecValued take the next argument as their value; false on an
// unknown flag or a missing value.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& vecValued,
               const std::vector<std::string>& vecBare, std::vector<std::string>* pPositional,
               std::map<std::string, std::string>* pOptions) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() <= 2 || arg.compare(0, 2, "--") != 0) {
      pPositional->push_back(arg);
      continue;
    }
    bool bValued = false, bKnown = false;
    for (const std::string& s : vecValued) bValued = bValued || s == arg;
    for (const std::string& s : vecBare) bKnown = bKnown || s == arg;
    if (bValued) {
      if (i + 1 >= args.size()) return false;
      (*pOptions)[arg] = args[++i];
    } else if (bKnown) {
      (*pOptions)[arg] = "";
    } else {
      return false;
    }
  }
  return true;
}

bool LoadMap(CPOSmap* pMap, const std::string& sPath, int* pResult) {
  if (pMap->Load(sPath.c_str()) && pMap->GetItemCount() > 0) return true;
  *pResult = DataCommandFail("cannot load tag set " + sPath);
  return false;
}

bool ParseInt(const std::string& s, long* pValue) {
  if (s.empty()) return false;
  char* pEnd = nullptr;
  *pValue = strtol(s.c_str(), &pEnd, 10);
  return *pEnd == 0;
}

int CharsetBuild(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("charset-build", "<source.txt> <out.type>");
  CCharset charset;
  std::string sError;
  if (!charset.ImportSource(args[0].c_str(), &sError)) return DataCommandFail(args[0] + ": " + sError);
  if (!charset.Save(args[1].c_str())) return DataCommandFail("cannot write " + args[1]);
  printf("%d codes typed\n", charset.GetSize());
  return 0;
}

int CharsetExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("charset-export", "<in.type> <out.txt>");
  CCharset charset;
  if (!charset.Load(args[0].c_str())) return DataCommandFail("cannot load " + args[0]);
  // Export answers the entry count, which is 0 for a table never imported;
  // the file's presence tells success then.
  unlink(args[1].c_str());
  if (charset.Export(args[1].c_str()) == 0 && access(args[1].c_str(), R_OK) != 0) {
    return DataCommandFail("cannot write " + args[1]);
  }
  return 0;
}

// Loads every tag set given; they must load and, when several are given,
// hold the same number of ids. Names that repeat an earlier one are counted:
// the first-level sets repeat family names by design, while in the fine set a
// repeat leaves the later id unreachable by name.
int PosmapCheck(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("posmap-check", "<file> [more tag sets...]");
  int nFirstCount = -1;
  for (const std::string& sPath : args) {
    CPOSmap map;
    int nResult = 1;
    if (!LoadMap(&map, sPath, &nResult)) return nResult;
    int nRepeats = 0;
    for (int i = 0; i < map.GetItemCount(); ++i) {
      if (map.GetID(map.GetPOS(static_cast<unsigned char>(i))) != i) ++nRepeats;
    }
    if (nFirstCount >= 0 && map.GetItemCount() != nFirstCount) {
      return DataCommandFail(sPath + ": " + std::to_string(map.GetItemCount()) + " tags, " + args[0] + " has " +
                             std::to_string(nFirstCount));
    }
    nFirstCount = map.GetItemCount();
    printf("%s: %d tags, %d repeating an earlier name\n", sPath.c_str(), map.GetItemCount(), nRepeats);
  }
  return 0;
}

int PosImport(const std::vector<std::string>& args) {
  if (args.size() != 3 && args.size() != 4) return Usage("pos-import", "<words.txt> <dict.pdat> <out.pos> [tagset.map]");
  if (access(args[0].c_str(), R_OK) != 0) return DataCommandFail("cannot read " + args[0]);
  CPDAT dict;
  if (!dict.Load(args[1].c_str())) return DataCommandFail("cannot load dictionary " + args[1]);
  CPOSmap map;
  int nResult = 1;
  if (args.size() == 4 && !LoadMap(&map, args[3], &nResult)) return nResult;
  CPOS pos;
  int nRecords = pos.Import(args[0].c_str(), &dict, args.size() == 4 ? &map : nullptr);
  if (nRecords == 0) return DataCommandFail("no known word and tag in " + args[0]);
  if (!pos.Save(args[2].c_str())) return DataCommandFail("cannot write " + args[2]);
  printf("%d records, bound %d\n", nRecords, pos.GetBound());
  return 0;
}

int PosExport(const std::vector<std::string>& args) {
  const char* sUsage = "<in.pos> <out.txt> [--map tagset.map] [--words list.wordlist]";
  std::vector<std::string> pos;
  std::map<std::string, std::string> options;
  if (!ParseArgs(args, {"--map", "--words"}, {}, &pos, &options) || pos.size() != 2) {
    return Usage("pos-export", sUsage);
  }
  CPOS table;
  if (!table.Load(pos[0].c_str())) return DataCommandFail("cannot load " + pos[0]);
  CPOSmap map;
  int nResult = 1;
  if (options.count("--map") != 0 && !LoadMap(&map, options["--map"], &nResult)) return nResult;
  CWordList words(false, nullptr);
  if (options.count("--words") != 0 && !words.Load(options["--words"].c_str())) {
    return DataCommandFail("cannot load word list " + options["--words"]);
  }
  if (!table.Export(pos[1].c_str(), options.count("--map") ? &map : nullptr,
                    options.count("--words") ? &words : nullptr)) {
    return DataCommandFail("cannot write " + pos[1]);
  }
  return 0;
}

int CtxBuild(const std::vector<std::string>& args) {
  const char* sUsage = "<transitions.txt> <out.ctx> <tagset.map|--ids N>";
  std::vector<std::string> pos;
  std::map<std::string, std::string> options;
  if (!ParseArgs(args, {"--ids"}, {}, &pos, &options)) return Usage("ctx-build", sUsage);
  bool bIds = options.count("--ids") != 0;
  if (pos.size() != (bIds ? 2u : 3u)) return Usage("ctx-build", sUsage);
  CPOSmap map;
  long nTags = 0;
  if (bIds) {
    if (!ParseInt(options["--ids"], &nTags) || nTags < 1 || nTags > 255) {
      return DataCommandFail("--ids needs a tag count 1..255");
    }
  } else {
    int nResult = 1;
    if (!LoadMap(&map, pos[2], &nResult)) return nResult;
    nTags = map.GetItemCount();
  }
  std::string sText;
  if (!ReadTextFile(pos[0].c_str(), &sText)) return DataCommandFail("cannot read " + pos[0]);

  CContextStat stat;
  stat.SetSymbol(static_cast<unsigned char>(nTags));
  CTextLines lines(sText);
  std::string sLine;
  while (lines.Next(&sLine)) {
    size_t nFirst = sLine.find_first_not_of(" \t");
    if (nFirst == std::string::npos || sLine[nFirst] == '#') continue;
    std::string sWhere = pos[0] + ":" + std::to_string(lines.LineNumber()) + ": ";
    std::vector<std::string> fields;
    size_t nPos = 0;
    while ((nPos = sLine.find_first_not_of(" \t", nPos)) != std::string::npos) {
      size_t nEnd = sLine.find_first_of(" \t", nPos);
      if (nEnd == std::string::npos) nEnd = sLine.size();
      fields.push_back(sLine.substr(nPos, nEnd - nPos));
      nPos = nEnd;
    }
    long nCount = 0;
    if (fields.size() != 3 || !ParseInt(fields[2], &nCount) || nCount < 0) {
      return DataCommandFail(sWhere + "expected prev<TAB>cur<TAB>count");
    }
    long ids[2];
    for (int k = 0; k < 2; ++k) {
      if (bIds) {
        if (!ParseInt(fields[k], &ids[k]) || ids[k] < 0 || ids[k] >= nTags) {
          return DataCommandFail(sWhere + "tag id " + fields[k] + " is not below " + std::to_string(nTags));
        }
      } else {
        ids[k] = map.GetID(fields[k].c_str());
        if (ids[k] == 255) return DataCommandFail(sWhere + "tag " + fields[k] + " is not in " + pos[2]);
      }
    }
    if (nCount > 0x7FFFFFFFL ||
        !stat.Add(static_cast<unsigned char>(ids[0]), static_cast<unsigned char>(ids[1]), static_cast<int>(nCount))) {
      return DataCommandFail(sWhere + "count too large");
    }
  }
  if (!stat.Save(pos[1].c_str(), map)) return DataCommandFail("cannot write " + pos[1]);
  printf("%d tags, total %d\n", stat.GetTableLen(), stat.GetTotalFreq());
  return 0;
}

int CtxExport(const std::vector<std::string>& args) {
  const char* sUsage = "<in.ctx> <out.txt> [--map tagset.map] [--names]";
  std::vector<std::string> pos;
  std::map<std::string, std::string> options;
  if (!ParseArgs(args, {"--map"}, {"--names"}, &pos, &options) || pos.size() != 2) {
    return Usage("ctx-export", sUsage);
  }
  CContextStat stat;
  if (!stat.Load(pos[0].c_str(), options.count("--names") != 0)) return DataCommandFail("cannot load " + pos[0]);
  CPOSmap map;
  int nResult = 1;
  if (options.count("--map") != 0 && !LoadMap(&map, options["--map"], &nResult)) return nResult;
  if (!stat.Export(pos[1].c_str(), options.count("--map") ? &map : nullptr)) {
    return DataCommandFail("cannot write " + pos[1]);
  }
  return 0;
}

int FsaImport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("fsa-import", "<source.txt> <out.fsa>");
  CFSA fsa;
  std::string sError;
  if (!fsa.Import(args[0].c_str(), &sError)) return DataCommandFail(args[0] + ": " + sError);
  if (!fsa.Save(args[1].c_str())) return DataCommandFail("cannot write " + args[1]);
  printf("%d states, %d inputs\n", fsa.GetStateCount(), fsa.GetInputSetSize());
  return 0;
}

int FsaExport(const std::vector<std::string>& args) {
  std::vector<std::string> pos;
  std::map<std::string, std::string> options;
  if (!ParseArgs(args, {}, {"--listing"}, &pos, &options) || pos.size() != 2) {
    return Usage("fsa-export", "<in.fsa> <out.txt> [--listing]");
  }
  CFSA fsa;
  if (!fsa.Load(pos[0].c_str())) return DataCommandFail("cannot load " + pos[0]);
  bool bOk = options.count("--listing") ? fsa.Export(pos[1].c_str()) : fsa.ExportSource(pos[1].c_str());
  if (!bOk) return DataCommandFail("cannot write " + pos[1]);
  return 0;
}

DataCommandRegistrar g_charsetBuild({"charset-build", "<source.txt> <out.type>",
                                     "compile a character-type source (hex codes and ranges) into charset.type",
                                     CharsetBuild});
DataCommandRegistrar g_charsetExport({"charset-export", "<in.type> <out.txt>",
                                      "write a character-type table as \"character<TAB>type\" lines", CharsetExport});
DataCommandRegistrar g_posmapCheck({"posmap-check", "<file> [more tag sets...]",
                                    "check that tag sets load and have equal sizes; count repeated names", PosmapCheck});
DataCommandRegistrar g_posImport({"pos-import", "<words.txt> <dict.pdat> <out.pos> [tagset.map]",
                                  "build a POS table from \"word tag freq\" lines (tag names with a tag set, else ids)",
                                  PosImport});
DataCommandRegistrar g_posExport({"pos-export", "<in.pos> <out.txt> [--map tagset.map] [--words list.wordlist]",
                                  "write a POS table as \"word tag freq\" lines", PosExport});
DataCommandRegistrar g_ctxBuild({"ctx-build", "<transitions.txt> <out.ctx> <tagset.map|--ids N>",
                                 "build a tag-context table from \"prev<TAB>cur<TAB>count\" lines", CtxBuild});
DataCommandRegistrar g_ctxExport({"ctx-export", "<in.ctx> <out.txt> [--map tagset.map] [--names]",
                                  "write a tag-context table in readable form", CtxExport});
DataCommandRegistrar g_fsaImport({"fsa-import", "<source.txt> <out.fsa>", "compile a name-automaton source",
                                  FsaImport});
DataCommandRegistrar g_fsaExport({"fsa-export", "<in.fsa> <out.txt> [--listing]",
                                  "write an automaton back as its source (or as a listing)", FsaExport});

}  // namespace
