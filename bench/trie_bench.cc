// User-trie throughput on 100,000 random GBK words of two to four characters.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "lexicon/trie.h"

namespace {

const int kWords = 100000;
const unsigned kSeed = 20240611;

const std::vector<std::string>& Words() {
  static const std::vector<std::string> vecWords = [] {
    std::mt19937 rng(kSeed);
    std::uniform_int_distribution<int> lead(0xB0, 0xF7);
    std::uniform_int_distribution<int> trail(0xA1, 0xFE);
    std::uniform_int_distribution<int> length(2, 4);
    std::vector<std::string> vec;
    vec.reserve(kWords);
    for (int i = 0; i < kWords; ++i) {
      std::string s;
      for (int n = length(rng); n > 0; --n) {
        s.push_back(static_cast<char>(lead(rng)));
        s.push_back(static_cast<char>(trail(rng)));
      }
      vec.push_back(s);
    }
    return vec;
  }();
  return vecWords;
}

CTrie& Filled() {
  static CTrie* pTrie = [] {
    CTrie* p = new CTrie();
    for (const std::string& s : Words()) p->AddTrie(s.c_str(), true);
    return p;
  }();
  return *pTrie;
}

void BM_TrieAdd(benchmark::State& state) {
  const std::vector<std::string>& vecWords = Words();
  for (auto _ : state) {
    CTrie trie;
    for (const std::string& s : vecWords) trie.AddTrie(s.c_str(), true);
    benchmark::DoNotOptimize(trie.GetLowerBound());
  }
  state.SetItemsProcessed(state.iterations() * kWords);
}
BENCHMARK(BM_TrieAdd)->Unit(benchmark::kMillisecond);

void BM_TrieFind(benchmark::State& state) {
  const std::vector<std::string>& vecWords = Words();
  const CTrie& trie = Filled();
  size_t i = 0;
  for (auto _ : state) {
    const std::string& s = vecWords[i];
    benchmark::DoNotOptimize(trie.Find(s.data(), s.size()));
    if (++i == vecWords.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrieFind);

// Longest match at every character of a text made of the words themselves.
void BM_TrieGetMaxWord(benchmark::State& state) {
  std::string sText;
  for (int i = 0; i < 2000; ++i) sText += Words()[i * 37 % kWords];
  CTrie& trie = Filled();
  int64_t nCalls = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < sText.size(); i += 2) {
      int nHandle;
      benchmark::DoNotOptimize(trie.GetMaxWord(sText.c_str() + i, &nHandle));
    }
    nCalls += static_cast<int64_t>(sText.size() / 2);
  }
  state.SetItemsProcessed(nCalls);
}
BENCHMARK(BM_TrieGetMaxWord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
