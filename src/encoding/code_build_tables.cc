// The translator files: one dictionary per encoding holding every character
// as its byte string, a word list giving each handle's bytes, and maps
// between the dictionaries through the characters' code points.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "encoding/code_build.h"
#include "encoding/code_table.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/word_list.h"

namespace {

// One encoding's side: the dictionary, and the code point of every handle.
struct Side {
  Side(const char* sName, const char* sCharset) : name(sName), charset(sCharset) {}
  const char* name;     // file stem
  const char* charset;  // converter name
  std::unique_ptr<CPDAT> dict{new CPDAT(1)};
  std::vector<std::string> texts;            // by handle
  std::vector<uint32_t> codePoints;          // by handle
  std::unordered_map<uint32_t, int> handle;  // code point -> handle
};

// Code points with a character in some encoding: printable ASCII, the whole
// basic plane without surrogates and the byte-order mark, and the pictographs and emoji block.
std::vector<uint32_t> CodePoints() {
  std::vector<uint32_t> cps;
  for (uint32_t cp = 0x21; cp < 0x7F; ++cp) cps.push_back(cp);
  for (uint32_t cp = 0x80; cp <= 0xFFFD; ++cp) {
    // U+FEFF is the byte-order mark, which dictionary lookups skip.
    if ((cp < 0xD800 || cp > 0xDFFF) && cp != 0xFEFF) cps.push_back(cp);
  }
  for (uint32_t cp = 0x1F000; cp <= 0x1FAFF; ++cp) cps.push_back(cp);
  return cps;
}

bool FillSide(Side& side, const std::vector<uint32_t>& cps, std::string& sError) {
  CharsetCodec codec(side.charset);
  if (!codec.IsOpen()) {
    sError = std::string("no converter for ") + side.charset;
    return false;
  }
  side.dict->AddWordInit();
  for (uint32_t cp : cps) {
    char buf[8];
    size_t n = codec.Encode(cp, buf);
    if (n == 0 || (cp >= 0x80 && static_cast<unsigned char>(buf[0]) < 0x80)) continue;
    std::string bytes(buf, n);
    if (bytes.find('\0') != std::string::npos) continue;
    // A byte string that decodes to another code point belongs to that one.
    uint32_t back = 0;
    if (!codec.Decode(bytes.data(), n, &back) || back != cp) continue;
    int h = side.dict->AddWord(bytes.c_str());
    if (h < 0) continue;
    if (static_cast<size_t>(h) >= side.texts.size()) {
      side.texts.resize(h + 1);
      side.codePoints.resize(h + 1, 0);
    }
    side.texts[h] = bytes;
    side.codePoints[h] = cp;
    side.handle.emplace(cp, h);
  }
  side.dict->AddWordComplete();
  return true;
}

bool SaveSide(const Side& side, const std::string& sDir, std::string& sError) {
  std::string sDict = sDir + "/" + side.name + ".pdat";
  if (!side.dict->Save(sDict.c_str())) {
    sError = "cannot write " + sDict;
    return false;
  }
  CWordList list(false, side.dict.get());
  list.AddWordInit();
  for (size_t h = 0; h < side.texts.size(); ++h) list.AddWord(side.texts[h].c_str(), static_cast<int>(h));
  list.AddWordComplete();
  std::string sList = sDir + "/" + side.name + ".wordlist";
  if (!list.Save(sList.c_str())) {
    sError = "cannot write " + sList;
    return false;
  }
  return true;
}

bool SaveMap(const Side& from, const Side& to, const std::string& sPath, std::string& sError) {
  CIDMaps map;
  map.MapInit();
  for (size_t h = 0; h < from.codePoints.size(); ++h) {
    auto it = to.handle.find(from.codePoints[h]);
    if (it != to.handle.end()) map.MapAdd(static_cast<int>(h), it->second);
  }
  map.MapComplete();
  if (!map.Save(sPath.c_str())) {
    sError = "cannot write " + sPath;
    return false;
  }
  return true;
}

}  // namespace

bool CodeTrans_BuildTables(const char* sOutDir, std::string& sError) {
  if (sOutDir == nullptr) {
    sError = "no output directory";
    return false;
  }
  std::string sDir(sOutDir);
  std::vector<uint32_t> cps = CodePoints();
  Side gbk("GBK", "GBK");
  Side gbka("GBKA", "GB18030");
  Side utf8("UTF8", "UTF-8");
  Side big5("BIG5", "BIG5");
  // The UTF-8 side takes the extended GBK side's characters in its handle
  // order, so the two handle spaces coincide and their maps are identities;
  // a translator that uses the two maps the other way round (code 4) then
  // still translates correctly.
  if (!FillSide(gbk, cps, sError) || !FillSide(gbka, cps, sError) ||
      !FillSide(utf8, gbka.codePoints, sError) || !FillSide(big5, cps, sError)) {
    return false;
  }
  if (utf8.codePoints != gbka.codePoints) {
    size_t k = 0;
    while (k < utf8.codePoints.size() && k < gbka.codePoints.size() && utf8.codePoints[k] == gbka.codePoints[k]) ++k;
    sError = "UTF-8 and extended GBK handles differ from handle " + std::to_string(k);
    return false;
  }
  for (Side* side : {&gbk, &gbka, &utf8, &big5}) {
    if (!SaveSide(*side, sDir, sError)) return false;
  }
  struct MapFile {
    const Side* from;
    const Side* to;
    const char* name;
  };
  const MapFile maps[] = {
      {&utf8, &gbka, "UTF2GBKA.map"}, {&gbka, &utf8, "GBKA2UTF.map"}, {&big5, &gbk, "BIG2GBK.map"},
      {&gbk, &big5, "GBK2BIG.map"},   {&gbka, &gbk, "GBKA2GBK.map"},  {&gbk, &gbka, "GBK2GBKA.map"},
      {&utf8, &gbk, "UTF2GBK.map"},   {&gbk, &utf8, "GBK2UTF.map"},
  };
  for (const MapFile& m : maps) {
    if (!SaveMap(*m.from, *m.to, sDir + "/" + m.name, sError)) return false;
  }
  return true;
}
