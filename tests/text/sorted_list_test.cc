#include "text/sorted_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "text/freq_stat.h"

namespace {

using V = std::vector<int>;

TEST(IntersectionTest, KeepsElementsWhoseShiftOccurs) {
  struct Case {
    V vecPrev, vecNext;
    int nDist;
    V vecExpected;
  } cases[] = {
      {{1, 5, 9}, {2, 6, 11}, 1, {1, 5}},
      {{1, 5, 9}, {2, 6, 11}, 2, {9}},
      {{1, 2, 3}, {}, 0, {}},
      {{}, {1}, 0, {}},
      {{INT_MAX - 1, INT_MAX}, {INT_MIN, INT_MAX}, 1, {INT_MAX - 1}},
      {{3, 4}, {1, 2}, -2, {3, 4}},
  };
  for (Case& c : cases) {
    V vecOut{7};  // results are appended
    EXPECT_EQ(Intersection(c.vecPrev, c.vecNext, c.nDist, vecOut), 1 + c.vecExpected.size());
    V vecWanted{7};
    vecWanted.insert(vecWanted.end(), c.vecExpected.begin(), c.vecExpected.end());
    EXPECT_EQ(vecOut, vecWanted);
  }
}

TEST(NotTest, RemovesEveryElementOfB) {
  struct Case {
    V vecA, vecB;
    bool bRemoved;
    V vecExpected;
  } cases[] = {
      {{1, 2, 3}, {2}, true, {1, 3}},
      {{1, 2, 2, 3}, {2, 3}, true, {1}},
      {{1, 3}, {0, 2, 4}, false, {1, 3}},
      {{}, {1}, false, {}},
      {{1, 2}, {}, false, {1, 2}},
  };
  for (Case& c : cases) {
    EXPECT_EQ(Not(c.vecA, c.vecB), c.bRemoved);
    EXPECT_EQ(c.vecA, c.vecExpected);
  }
}

TEST(FreqStatTest, TopIsHighestPositiveCountFirstInKeyOrder) {
  CFreqStat<int> stat;
  EXPECT_EQ(stat.GetTop(), 0);
  EXPECT_EQ(stat.AddElem(5, 2), 2);
  EXPECT_EQ(stat.AddElem(3, 1), 1);
  EXPECT_EQ(stat.AddElem(3, 1), 2);
  EXPECT_EQ(stat.GetTop(), 3);  // tie: the smaller key
  stat.AddElem(9, 3);
  EXPECT_EQ(stat.GetTop(), 9);
  stat.clear();
  stat.AddElem(4, -1);
  EXPECT_EQ(stat.GetTop(), 0);

  CFreqStat<std::string> words;
  EXPECT_EQ(words.GetTop(), "");
  words.AddElem("b", 1);
  words.AddElem("a", 1);
  EXPECT_EQ(words.GetTop(), "a");
}

}  // namespace
