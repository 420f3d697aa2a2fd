#include "text/sorted_list.h"

size_t Intersection(std::vector<int>& vecPrevList, std::vector<int>& vecNextList, int nDist,
                    std::vector<int>& vecIntersectList) {
  size_t j = 0;
  for (size_t i = 0; i < vecPrevList.size() && j < vecNextList.size(); ++i) {
    // Wider arithmetic: a position near INT_MAX plus a distance must not wrap.
    long long nWanted = static_cast<long long>(vecPrevList[i]) + nDist;
    while (j < vecNextList.size() && vecNextList[j] < nWanted) ++j;
    if (j < vecNextList.size() && vecNextList[j] == nWanted) vecIntersectList.push_back(vecPrevList[i]);
  }
  return vecIntersectList.size();
}

bool Not(std::vector<int>& vecListA, std::vector<int>& vecListB) {
  size_t nOut = 0;
  size_t j = 0;
  for (size_t i = 0; i < vecListA.size(); ++i) {
    int a = vecListA[i];
    while (j < vecListB.size() && vecListB[j] < a) ++j;
    if (j < vecListB.size() && vecListB[j] == a) continue;  // dropped
    vecListA[nOut++] = a;
  }
  bool bRemoved = nOut != vecListA.size();
  vecListA.resize(nOut);
  return bRemoved;
}
