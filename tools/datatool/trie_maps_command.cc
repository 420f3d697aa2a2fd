// Subcommands for user tries (".pdat" files of the user dictionary) and id
// maps (".map" files).
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "lexicon/word_list.h"

namespace {

bool Readable(const std::string& sPath) { return access(sPath.c_str(), R_OK) == 0; }

int Usage(const char* sName, const char* sUsage) {
  return DataCommandFail(std::string("usage: ") + sName + " " + sUsage);
}

int TrieImport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("trie-import", "<words.txt> <out.pdat>");
  if (!Readable(args[0])) return DataCommandFail("cannot read " + args[0]);
  CTrie trie;
  int nWords = trie.Import(args[0].c_str(), nullptr);
  if (nWords == 0) return DataCommandFail("no words in " + args[0]);
  if (!trie.Save(args[1].c_str())) return DataCommandFail("cannot write " + args[1]);
  printf("%d words\n", nWords);
  return 0;
}

int TrieExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("trie-export", "<in.pdat> <out.txt>");
  CTrie trie;
  if (!trie.Load(args[0].c_str())) return DataCommandFail("cannot load user trie " + args[0]);
  if (!trie.Export(args[1].c_str())) return DataCommandFail("cannot write " + args[1]);
  return 0;
}

// Loads the dictionaries of a map import; the same path gives the same
// object, so a word mapped to itself is recognised.
class DictPair {
 public:
  bool Load(const std::string& sLeft, const std::string& sRight, std::string& sError) {
    m_pLeft.reset(new CPDAT());
    if (!m_pLeft->Load(sLeft.c_str())) {
      sError = "cannot load dictionary " + sLeft;
      return false;
    }
    if (sRight == sLeft) return true;
    m_pRight.reset(new CPDAT());
    if (!m_pRight->Load(sRight.c_str())) {
      sError = "cannot load dictionary " + sRight;
      return false;
    }
    return true;
  }
  CPDAT* Left() { return m_pLeft.get(); }
  CPDAT* Right() { return m_pRight ? m_pRight.get() : m_pLeft.get(); }

 private:
  std::unique_ptr<CPDAT> m_pLeft;
  std::unique_ptr<CPDAT> m_pRight;
};

int SaveMap(const CIDMaps& map, const std::string& sOut) {
  if (!map.Save(sOut.c_str())) return DataCommandFail("cannot write " + sOut);
  printf("%d pairs, %d sources\n", map.GetSize(), map.GetBound());
  return 0;
}

int MapImportPairs(const std::vector<std::string>& args, bool bOne2Mul) {
  const char* sName = bOne2Mul ? "map-import-one2mul" : "map-import";
  if (args.size() != 4) return Usage(sName, "<pairs.txt> <left.pdat> <right.pdat> <out.map>");
  if (!Readable(args[0])) return DataCommandFail("cannot read " + args[0]);
  DictPair dicts;
  std::string sError;
  if (!dicts.Load(args[1], args[2], sError)) return DataCommandFail(sError);
  CIDMaps map;
  if (bOne2Mul) {
    map.ImportOne2Mul(args[0].c_str(), dicts.Left(), dicts.Right());
  } else {
    map.Import(args[0].c_str(), dicts.Left(), dicts.Right());
  }
  return SaveMap(map, args[3]);
}

int MapImport(const std::vector<std::string>& args) { return MapImportPairs(args, false); }
int MapImportOne2Mul(const std::vector<std::string>& args) { return MapImportPairs(args, true); }

int MapImportSim(const std::vector<std::string>& args) {
  if (args.size() != 3) return Usage("map-import-sim", "<groups.txt> <dict.pdat> <out.map>");
  if (!Readable(args[0])) return DataCommandFail("cannot read " + args[0]);
  DictPair dicts;
  std::string sError;
  if (!dicts.Load(args[1], args[1], sError)) return DataCommandFail(sError);
  CIDMaps map;
  map.ImportSim(args[0].c_str(), dicts.Left());
  return SaveMap(map, args[2]);
}

// A word list stored either plain or scrambled.
std::unique_ptr<CWordList> LoadWordList(const std::string& sPath) {
  for (bool bScrambled : {false, true}) {
    std::unique_ptr<CWordList> pList(new CWordList(bScrambled, nullptr));
    if (pList->Load(sPath.c_str())) return pList;
  }
  return nullptr;
}

int MapExport(const std::vector<std::string>& args) {
  if (args.size() != 4) {
    return Usage("map-export", "<in.map> <left.wordlist> <right.wordlist> <out.txt>");
  }
  CIDMaps map;
  if (!map.Load(args[0].c_str())) return DataCommandFail("cannot load map " + args[0]);
  std::unique_ptr<CWordList> pLeft = LoadWordList(args[1]);
  if (!pLeft) return DataCommandFail("cannot load word list " + args[1]);
  std::unique_ptr<CWordList> pRight = LoadWordList(args[2]);
  if (!pRight) return DataCommandFail("cannot load word list " + args[2]);
  if (!map.Export(args[3].c_str(), pLeft.get(), pRight.get(), false)) {
    return DataCommandFail("cannot write " + args[3]);
  }
  return 0;
}

const DataCommandRegistrar kTrieImport(
    {"trie-import", "<words.txt> <out.pdat>",
     "builds a user trie from the first token of every line (POS \"n\")", TrieImport});
const DataCommandRegistrar kTrieExport(
    {"trie-export", "<in.pdat> <out.txt>", "lists a user trie's words as word<TAB>POS",
     TrieExport});
const DataCommandRegistrar kMapImport(
    {"map-import", "<pairs.txt> <left.pdat> <right.pdat> <out.map>",
     "builds an id map from one source and one target word per line", MapImport});
const DataCommandRegistrar kMapImportOne2Mul(
    {"map-import-one2mul", "<lines.txt> <left.pdat> <right.pdat> <out.map>",
     "builds an id map from a source and its targets per line", MapImportOne2Mul});
const DataCommandRegistrar kMapImportSim(
    {"map-import-sim", "<groups.txt> <dict.pdat> <out.map>",
     "builds a symmetric id map from groups of similar words, one group per line",
     MapImportSim});
const DataCommandRegistrar kMapExport(
    {"map-export", "<in.map> <left.wordlist> <right.wordlist> <out.txt>",
     "lists an id map's groups with the word texts", MapExport});

}  // namespace
