// Counting how often values occur and finding the most frequent one.
#ifndef KAVEL_TEXT_FREQ_STAT_H_
#define KAVEL_TEXT_FREQ_STAT_H_

#include <map>
#include <string>

// T is int or std::string.
template <typename T>
class CFreqStat {
 public:
  // Adds nFreq to the count of t (a new key starts at nFreq); returns the new
  // count.
  int AddElem(T t, int nFreq = 1) {
    int& nCount = m_mapTFreq[t];
    nCount += nFreq;
    return nCount;
  }

  // The key with the highest count above 0; of equal counts the first in key
  // order; T() when no count is above 0.
  T GetTop() const {
    T top = T();
    int nTop = 0;
    for (const auto& entry : m_mapTFreq) {
      if (entry.second > nTop) {
        nTop = entry.second;
        top = entry.first;
      }
    }
    return top;
  }

  void clear() { m_mapTFreq.clear(); }

  std::map<T, int> m_mapTFreq;
};

#endif  // KAVEL_TEXT_FREQ_STAT_H_
