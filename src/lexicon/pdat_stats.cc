// CPDAT term statistics: counting terms and the top-words report.
#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>

#include "lexicon/pdat.h"

void CPDAT::ResetFreq() {
  for (_stTermFreq& term : m_vecTermFreq) term.freq = 0;
}

size_t CPDAT::WordFreq(std::vector<std::string>& vecTerm) {
  ResetFreq();
  for (const std::string& sTerm : vecTerm) AddWord(sTerm.c_str(), true);
  return m_vecTermFreq.size();
}

std::vector<_stTermFreq>& CPDAT::GetTopWordVector() {
  std::stable_sort(m_vecTermFreq.begin(), m_vecTermFreq.end());
  return m_vecTermFreq;
}

const char* CPDAT::GetTopWords(int nTopCount) {
  // Sorted view, so that the statistics stay indexed by handle.
  std::vector<const _stTermFreq*> vecOrder;
  vecOrder.reserve(m_vecTermFreq.size());
  for (const _stTermFreq& term : m_vecTermFreq) vecOrder.push_back(&term);
  std::stable_sort(vecOrder.begin(), vecOrder.end(),
                   [](const _stTermFreq* a, const _stTermFreq* b) { return a->freq > b->freq; });
  size_t n = vecOrder.size();
  if (nTopCount >= 0 && static_cast<size_t>(nTopCount) < n) n = static_cast<size_t>(nTopCount);

  // Earlier words of at least 4 bytes; a longer word is tested by looking up
  // each of its substrings of a length some earlier word has, so the cost is
  // (word length) x (distinct earlier lengths) per entry, not the number of
  // earlier entries.
  std::unordered_set<std::string_view> setEarlier;
  std::vector<size_t> vecLengths;  // distinct lengths in setEarlier
  m_sTopWords.clear();
  for (size_t k = 0; k < n; k++) {
    const std::string& sWord = vecOrder[k]->word;
    bool bInside = false;
    if (sWord.size() > 4) {
      std::string_view view(sWord);
      for (size_t nSub : vecLengths) {
        if (nSub >= sWord.size()) continue;
        for (size_t i = 0; i + nSub <= sWord.size() && !bInside; i++) {
          bInside = setEarlier.count(view.substr(i, nSub)) > 0;
        }
        if (bInside) break;
      }
    }
    if (sWord.size() >= 4) {
      if (setEarlier.insert(std::string_view(sWord)).second &&
          std::find(vecLengths.begin(), vecLengths.end(), sWord.size()) == vecLengths.end()) {
        vecLengths.push_back(sWord.size());
      }
    }
    if (bInside) continue;
    m_sTopWords += sWord;
    m_sTopWords += '/';
    m_sTopWords += std::to_string(vecOrder[k]->freq);
    m_sTopWords += '#';
  }
  return m_sTopWords.c_str();
}
