// Building, lookups and the binary file of CPDAT.
#include "lexicon/pdat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(PdatTest, HandlesFollowFirstAddition) {
  CPDAT dict(0);
  EXPECT_EQ(dict.AddWord("\xD6\xD0\xB9\xFA"), 0);
  EXPECT_EQ(dict.AddWord("\xD6\xD0"), 1);
  EXPECT_EQ(dict.AddWord("\xD6\xD0\xB9\xFA"), 0);
  EXPECT_EQ(dict.AddWord("abc"), 2);
  EXPECT_EQ(dict.GetItemCount(), 3u);
  dict.AddWordComplete();
  EXPECT_EQ(dict.Find("\xD6\xD0\xB9\xFA"), 0);
  EXPECT_EQ(dict.Find("\xD6\xD0"), 1);
  EXPECT_EQ(dict.Find("ABC"), 2);
  EXPECT_EQ(dict.Find("ab"), -1);
}

}  // namespace
