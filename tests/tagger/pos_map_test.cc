#include "tagger/pos_map.h"

#include "temp_dir.h"

namespace {

using PosMapTest = TempDirTest;

TEST_F(PosMapTest, IdsCountOnlyLinesWithATokenAndNamesMatchInAnyCase) {
  WriteAll(Path("tags.map"), "a\r\n\n   \nwl  first-token-only\n\tNr\n\nv");
  CPOSmap map;
  ASSERT_TRUE(map.Load(Path("tags.map").c_str()));
  EXPECT_EQ(4, map.GetItemCount());
  struct Case {
    const char* sName;
    int nId;
  } cases[] = {{"a", 0}, {"A", 0}, {"wl", 1}, {"WL", 1}, {"nr", 2}, {"NR", 2}, {"v", 3},
               {"first-token-only", 255}, {"", 255}, {nullptr, 255}, {"x", 255}};
  for (const Case& c : cases) EXPECT_EQ(c.nId, map.GetID(c.sName)) << (c.sName ? c.sName : "null");

  EXPECT_STREQ("Nr", map.GetPOS(2));
  char sPOS[100];
  EXPECT_TRUE(map.GetPOS(3, sPOS));
  EXPECT_STREQ("v", sPOS);
  for (unsigned char nId : {4, 100, 254, 255}) {
    EXPECT_STREQ("n", map.GetPOS(nId));
    EXPECT_FALSE(map.GetPOS(nId, sPOS));
    EXPECT_STREQ("n", sPOS);
  }
}

TEST_F(PosMapTest, FailedLoadsKeepThePreviousNames) {
  WriteAll(Path("tags.map"), "a\nb\n");
  std::string sTooMany;
  for (int i = 0; i < 256; ++i) sTooMany += "t" + std::to_string(i) + "\n";
  WriteAll(Path("toomany.map"), sTooMany);
  WriteAll(Path("max.map"), sTooMany.substr(0, sTooMany.rfind("t255")));

  CPOSmap map;
  EXPECT_STREQ("n", map.GetPOS(0));  // an empty set names nothing
  ASSERT_TRUE(map.Load(Path("tags.map").c_str()));
  EXPECT_FALSE(map.Load(nullptr));
  EXPECT_FALSE(map.Load(Path("missing.map").c_str()));
  EXPECT_FALSE(map.Load(Path("toomany.map").c_str()));
  EXPECT_EQ(2, map.GetItemCount());
  EXPECT_EQ(1, map.GetID("B"));

  ASSERT_TRUE(map.Load(Path("max.map").c_str()));
  EXPECT_EQ(255, map.GetItemCount());
  EXPECT_STREQ("t254", map.GetPOS(254));
  EXPECT_STREQ("n", map.GetPOS(255));
}

}  // namespace
