// Operations on ascending lists of integers (word positions).
#ifndef KAVEL_TEXT_SORTED_LIST_H_
#define KAVEL_TEXT_SORTED_LIST_H_

#include <cstddef>
#include <vector>

// Appends to vecIntersectList, in order, every element a of vecPrevList for
// which a + nDist occurs in vecNextList. Both input lists are ascending; the
// work is linear in their lengths. Returns the size of vecIntersectList.
size_t Intersection(std::vector<int>& vecPrevList, std::vector<int>& vecNextList, int nDist,
                    std::vector<int>& vecIntersectList);

// Removes from vecListA every element that occurs in vecListB (both
// ascending), keeping the order of the rest; linear. True when anything was
// removed.
bool Not(std::vector<int>& vecListA, std::vector<int>& vecListB);

#endif  // KAVEL_TEXT_SORTED_LIST_H_
