// The gazetteer sources: every name is one token with a level, every parent
// is a name, and walking up from any place ends at a country.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kLocationDir = KAVEL_TEST_SOURCE_DIR "/data/location/";

struct Gazetteer {
  std::map<std::string, int> mapLevel;
  std::map<std::string, std::string> mapParent;
  std::vector<std::string> vecErrors;
};

// Reads "name<TAB>value" lines; a line with another number of fields is an
// error (a blank inside a name would split it for the imports).
void ReadPairs(const std::string& sFile, std::vector<std::pair<std::string, std::string>>* pPairs,
               std::vector<std::string>* pErrors) {
  std::ifstream in(kLocationDir + sFile);
  if (!in) pErrors->push_back("cannot open " + sFile);
  std::string sLine;
  while (std::getline(in, sLine)) {
    std::istringstream fields(sLine);
    std::string sName, sValue, sExtra;
    if (!(fields >> sName >> sValue) || (fields >> sExtra)) {
      pErrors->push_back(sFile + ": " + sLine);
      continue;
    }
    pPairs->emplace_back(sName, sValue);
  }
}

Gazetteer ReadGazetteer() {
  Gazetteer g;
  std::vector<std::pair<std::string, std::string>> vecPairs;
  ReadPairs("location.txt", &vecPairs, &g.vecErrors);
  for (const auto& pair : vecPairs) {
    if (!g.mapLevel.emplace(pair.first, std::stoi(pair.second)).second) {
      g.vecErrors.push_back("repeated name " + pair.first);
    }
  }
  vecPairs.clear();
  ReadPairs("location_parent.txt", &vecPairs, &g.vecErrors);
  for (const auto& pair : vecPairs) {
    if (!g.mapParent.emplace(pair.first, pair.second).second) {
      g.vecErrors.push_back("second parent for " + pair.first);
    }
  }
  return g;
}

// The walk of the country and province detection: levels 2 and 1 met on the
// way up from a name, or an error text when the walk does not end.
std::string Walk(const Gazetteer& g, std::string sName, std::string* pProvince,
                 std::string* pCountry) {
  std::set<std::string> setSeen;
  while (true) {
    if (!g.mapLevel.count(sName)) return "unknown name " + sName;
    if (!setSeen.insert(sName).second) return "cycle at " + sName;
    int nLevel = g.mapLevel.at(sName);
    if (nLevel == 2) *pProvince = sName;
    if (nLevel == 1) *pCountry = sName;
    auto it = g.mapParent.find(sName);
    if (it == g.mapParent.end()) return "";
    sName = it->second;
  }
}

TEST(LocationTest, EveryWalkEndsAtACountry) {
  Gazetteer g = ReadGazetteer();
  for (const std::string& sError : g.vecErrors) ADD_FAILURE() << sError;
  ASSERT_GT(g.mapLevel.size(), 1000u);
  for (const auto& entry : g.mapLevel) {
    std::string sProvince, sCountry;
    std::string sError = Walk(g, entry.first, &sProvince, &sCountry);
    EXPECT_EQ(sError, "") << entry.first;
    EXPECT_FALSE(sCountry.empty()) << entry.first << " reaches no country";
    EXPECT_EQ(entry.second == 1, g.mapParent.count(entry.first) == 0)
        << entry.first << ": exactly the countries have no parent";
  }
  for (const auto& link : g.mapParent) {
    EXPECT_TRUE(g.mapLevel.count(link.first)) << "parent link for unknown " << link.first;
  }
}

TEST(LocationTest, PlacesFindTheirProvinceAndCountry) {
  Gazetteer g = ReadGazetteer();
  struct Case {
    const char* sPlace;
    const char* sProvince;
    const char* sCountry;
  };
  const Case kCases[] = {
      {"石家庄市", "河北省", "中国"},    {"石家庄", "河北省", "中国"},
      {"东城区", "北京市", "中国"},      {"河北", "河北省", "中国"},
      {"吉林", "吉林省", "中国"},        {"吉林市", "吉林省", "中国"},
      {"香港", "香港特别行政区", "中国"}, {"台北市", "台湾省", "中国"},
      {"美国", "", "美国"},              {"中国", "", "中国"},
  };
  for (const Case& c : kCases) {
    std::string sProvince, sCountry;
    EXPECT_EQ(Walk(g, c.sPlace, &sProvince, &sCountry), "") << c.sPlace;
    EXPECT_EQ(sProvince, c.sProvince) << c.sPlace;
    EXPECT_EQ(sCountry, c.sCountry) << c.sPlace;
  }
  // A county name used in two provinces cannot name its province: left out.
  EXPECT_EQ(g.mapLevel.count("朝阳区"), 0u);
}

}  // namespace
