// The tag-set sources: the engine tests many tag ids directly, so each of
// those ids must name the tag of its role, and the four sets must stay
// aligned line by line.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifdef KAVEL_HAVE_TAGGER
#include "tagger/pos_map.h"
#endif

namespace {

const std::string kTagsetDir = KAVEL_TEST_SOURCE_DIR "/data/tagset/";

// Reads a tag-set file the way the loader does: the first token of each
// non-empty line is the name of the next id.
std::vector<std::string> ReadTagset(const std::string& sName) {
  std::vector<std::string> vecNames;
  std::ifstream in(kTagsetDir + sName);
  std::string sLine;
  while (std::getline(in, sLine)) {
    std::istringstream tokens(sLine);
    std::string sToken;
    if (tokens >> sToken) vecNames.push_back(sToken);
  }
  return vecNames;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct RoleCase {
  int nId;
  const char* sTag;
  const char* sRole;
};

// Every id that the engine code compares against, with its role.
const RoleCase kRoles[] = {
    {1, "wl", "blank, line break, sentence end"},
    {3, "d", "adverb: refuses new words on the left"},
    {4, "ag", "adjective morpheme completing a person name"},
    {9, "c", "conjunction inside English name runs"},
    {10, "cc", "coordinating conjunction"},
    {11, "dl", "adverbial idiom: refuses new words on the left"},
    {12, "dg", "adverb morpheme"},
    {13, "f", "locality word: refuses new words on the left"},
    {18, "m", "numeral, number atoms"},
    {21, "n", "default noun"},
    {22, "ng", "noun morpheme completing a person name"},
    {24, "nr", "Chinese person name, @ mentions"},
    {27, "nrf", "transliterated person name"},
    {28, "nrj", "Japanese person name"},
    {29, "ns", "place name"},
    {30, "nsf", "transliterated place name"},
    {31, "nt", "organisation name"},
    {32, "nz", "other proper noun, new words"},
    {34, "p", "preposition inside English name runs"},
    {40, "r", "pronoun"},
    {41, "rg", "pronoun morpheme completing a person name"},
    {42, "rr", "personal pronoun"},
    {43, "ry", "interrogative pronoun"},
    {44, "rys", "interrogative pronoun of place"},
    {45, "ryt", "interrogative pronoun of time"},
    {46, "ryv", "interrogative pronoun of manner"},
    {47, "rz", "demonstrative pronoun"},
    {48, "rzs", "demonstrative pronoun of place"},
    {49, "rzt", "demonstrative pronoun of time"},
    {50, "rzv", "demonstrative pronoun of manner"},
    {52, "t", "time word, dates"},
    {54, "u", "particle"},
    {68, "vf", "directional verb: refuses new words on the right"},
    {71, "vg", "verb morpheme completing a person name"},
    {74, "vn", "verbal noun"},
    {76, "vx", "formal verb: refuses new words on the right"},
    {78, "w", "default punctuation"},
    {79, "wkz", "left bracket"},
    {80, "wky", "right bracket"},
    {81, "wj", "full stop"},
    {82, "ws", "ellipsis"},
    {83, "wp", "dash, joins numbers"},
    {84, "wb", "percent, joins numbers"},
    {85, "wd", "comma"},
    {86, "wn", "enumeration comma"},
    {87, "wm", "colon, joins numbers"},
    {88, "wt", "exclamation mark"},
    {89, "ww", "question mark"},
    {90, "wf", "semicolon"},
    {91, "wyy", "right quotation mark"},
    {92, "wyz", "left quotation mark"},
    {93, "x", "letter string"},
    {96, "xu", "URL"},
    {97, "xm", "e-mail address"},
    {98, "xs", "double slash"},
    {99, "xx", "other symbol"},
    {100, "mtel", "telephone number"},
    {101, "mid", "identity-card number"},
};

TEST(TagsetTest, EngineIdsNameTheirRoles) {
  std::vector<std::string> vecTags = ReadTagset("KAVEL.map");
  ASSERT_EQ(vecTags.size(), 109u);
  for (const RoleCase& role : kRoles) {
    EXPECT_EQ(vecTags[role.nId], role.sTag) << "id " << role.nId << " (" << role.sRole << ")";
  }
}

TEST(TagsetTest, FineNamesAreUniqueIgnoringCase) {
  // Names are looked up case-insensitively, first match: a repeated name
  // would hide the later id.
  std::set<std::string> setSeen;
  for (const std::string& sTag : ReadTagset("KAVEL.map")) {
    EXPECT_TRUE(setSeen.insert(Lower(sTag)).second) << sTag;
  }
}

TEST(TagsetTest, TagLettersCarryTheirFamilies) {
  // Stop words, quotation marks, times and media are recognised by the
  // letters of the fine tag.
  std::vector<std::string> vecTags = ReadTagset("KAVEL.map");
  ASSERT_EQ(vecTags.size(), 109u);
  for (int i = 55; i <= 67; ++i) EXPECT_EQ(vecTags[i][0], 'u') << i;
  for (int i = 78; i <= 92; ++i) EXPECT_EQ(vecTags[i][0], 'w') << i;
  EXPECT_EQ(vecTags[91].substr(0, 2), "wy");
  EXPECT_EQ(vecTags[92].substr(0, 2), "wy");
  EXPECT_EQ(vecTags[75], "vshi");
  const char* kMedia = "nwtar";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(vecTags[102 + i], std::string("g") + kMedia[i]);
  for (size_t i = 0; i < vecTags.size(); ++i) {
    if (i == 52 || i == 53) continue;
    EXPECT_NE(vecTags[i][0], 't') << "only time tags may begin with t: " << vecTags[i];
  }
}

TEST(TagsetTest, FourSetsStayAligned) {
  std::vector<std::string> vecFine = ReadTagset("KAVEL.map");
  std::vector<std::string> vecFirst = ReadTagset("KAVEL_First.map");
  std::vector<std::string> vecPku = ReadTagset("PKU.map");
  std::vector<std::string> vecPkuFirst = ReadTagset("PKU_First.map");
  ASSERT_EQ(vecFirst.size(), vecFine.size());
  ASSERT_EQ(vecPku.size(), vecFine.size());
  ASSERT_EQ(vecPkuFirst.size(), vecFine.size());

  // The corpus's own tag set.
  const std::set<std::string> setCorpus = {
      "Ag", "a", "ad", "an", "Bg", "b", "c", "Dg", "d", "e", "f", "h", "i", "j", "k",
      "l", "Mg", "m", "Ng", "n", "nr", "ns", "nt", "nx", "nz", "o", "p", "Qg", "q",
      "Rg", "r", "s", "Tg", "t", "u", "Vg", "v", "vd", "vn", "w", "Yg", "y", "z"};
  for (size_t i = 0; i < vecFine.size(); ++i) {
    const std::string& sFine = vecFine[i];
    // The first-level name is the family letter; media names are nouns.
    const std::string sFamily = sFine[0] == 'g' ? "n" : sFine.substr(0, 1);
    EXPECT_EQ(vecFirst[i], sFamily) << "id " << i << " " << sFine;
    EXPECT_TRUE(setCorpus.count(vecPku[i])) << "id " << i << " maps to " << vecPku[i];
    EXPECT_EQ(vecPkuFirst[i], Lower(vecPku[i].substr(0, 1))) << "id " << i;
  }
  // Spot checks of the corpus mapping where the names differ.
  EXPECT_EQ(vecPku[27], "nr");
  EXPECT_EQ(vecPku[79], "w");
  EXPECT_EQ(vecPku[22], "Ng");
  EXPECT_EQ(vecPku[93], "nx");
}

#ifdef KAVEL_HAVE_TAGGER
TEST(TagsetTest, LoaderGivesTheSameIds) {
  CPOSmap map;
  ASSERT_TRUE(map.Load((kTagsetDir + "KAVEL.map").c_str()));
  EXPECT_EQ(map.GetItemCount(), 109);
  for (const RoleCase& role : kRoles) {
    EXPECT_EQ(map.GetID(role.sTag), role.nId) << role.sTag;
    EXPECT_STREQ(map.GetPOS(static_cast<unsigned char>(role.nId)), role.sTag);
  }
  EXPECT_EQ(map.GetID("NRF"), 27);
}
#endif

}  // namespace
