// CPDAT: building 100,000 random GBK words, exact lookups, and the scans over
// GBK text made of dictionary words and unknown characters.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lexicon/pdat.h"

namespace {

constexpr unsigned kSeed = 20240601;

std::string RandomChar(std::mt19937& rng) {
  return std::string{static_cast<char>(0xB0 + rng() % 0x48), static_cast<char>(0xA1 + rng() % 0x5E)};
}

const std::vector<std::string>& Words() {
  static const std::vector<std::string> vecWords = [] {
    std::mt19937 rng(kSeed);
    std::vector<std::string> v;
    for (int i = 0; i < 100000; i++) {
      std::string w;
      int nChars = 2 + static_cast<int>(rng() % 3);
      for (int k = 0; k < nChars; k++) w += RandomChar(rng);
      v.push_back(w);
    }
    return v;
  }();
  return vecWords;
}

const CPDAT& Dict() {
  static const std::unique_ptr<CPDAT> pDict = [] {
    std::unique_ptr<CPDAT> p(new CPDAT(0));
    for (const std::string& w : Words()) p->AddWord(w.c_str());
    p->AddWordComplete();
    return p;
  }();
  return *pDict;
}

// About 1 MB: dictionary words, with an unknown character or ASCII run now
// and then.
const std::string& Text() {
  static const std::string sText = [] {
    std::mt19937 rng(kSeed + 1);
    std::string s;
    while (s.size() < (1u << 20)) {
      s += Words()[rng() % Words().size()];
      if (rng() % 4 == 0) s += "\xA1\xA3";  // "。" is in no word
      if (rng() % 16 == 0) s += "abc 12";
    }
    return s;
  }();
  return sText;
}

void BM_Build100k(benchmark::State& state) {
  const std::vector<std::string>& vecWords = Words();
  for (auto _ : state) {
    CPDAT dict(0);
    for (const std::string& w : vecWords) dict.AddWord(w.c_str());
    dict.AddWordComplete();
    benchmark::DoNotOptimize(dict.GetLowerBound());
  }
}
BENCHMARK(BM_Build100k)->Unit(benchmark::kMillisecond);

void BM_Find(benchmark::State& state) {
  const CPDAT& dict = Dict();
  const std::vector<std::string>& vecWords = Words();
  size_t i = 0;
  for (auto _ : state) {
    const std::string& w = vecWords[i++ % vecWords.size()];
    benchmark::DoNotOptimize(dict.Find(w.c_str(), static_cast<unsigned>(w.size())));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Find);

void BM_GetWords(benchmark::State& state) {
  const CPDAT& dict = Dict();
  const std::string& sText = Text();
  unsigned int *pH = nullptr, *pP = nullptr, nMem = 0, nCount = 0;
  for (auto _ : state) {
    // All prefixes at every character start, as the word graph asks.
    for (size_t i = 0; i < sText.size();) {
      dict.GetWords(sText.c_str() + i, &pH, &pP, &nMem, &nCount, 0);
      i += static_cast<unsigned char>(sText[i]) >= 0x80 ? 2 : 1;
    }
  }
  free(pH);
  free(pP);
  state.SetBytesProcessed(state.iterations() * sText.size());
}
BENCHMARK(BM_GetWords)->Unit(benchmark::kMillisecond);

void BM_MMSegment(benchmark::State& state) {
  const CPDAT& dict = Dict();
  const std::string& sText = Text();
  int* pIDs = nullptr;
  char* sResult = nullptr;
  int nIDSize = 0, nResultSize = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        dict.MMSegment(sText.c_str(), &pIDs, &nIDSize, &sResult, &nResultSize, false, true, -1, '#'));
  }
  free(pIDs);
  free(sResult);
  state.SetBytesProcessed(state.iterations() * sText.size());
}
BENCHMARK(BM_MMSegment)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
