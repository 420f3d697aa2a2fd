// The whole pipeline on one thread: throughput of segmentation alone and of
// segmentation with tagging and person names, start-up time, resident memory
// after start-up, and the cost per byte of one long paragraph against shorter
// ones.
//
// Input is the PKU bakeoff test text (UTF-8), processed line by line. The
// engine runs with the UTF-8 translator (encoding 1), so the figures include
// the conversion; the GBK rows feed the same text converted once beforehand.
//
// Data: KAVEL_BENCH_DATA (directory that holds "Data"), default the build
// directory; text: KAVEL_BENCH_TEXT, default the shared bakeoff test. Each
// configuration is a temporary directory whose Data links to the real files
// and has its own Configure.xml (log off; tagger and persons off for
// segmentation only).
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/kavel.h"
#include "segment/engine_globals.h"
#include "system/main_system.h"

namespace {

enum Mode { kSegmentOnly = 0, kFull = 1 };

std::string Env(const char* sName, const char* sDefault) {
  const char* s = getenv(sName);
  return s != nullptr && s[0] != 0 ? s : sDefault;
}

std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Configure.xml with Log off and, for segmentation only, Tagger and Person off.
std::string Configure(const std::string& sOrig, Mode mode) {
  std::string s = sOrig;
  auto set = [&s](const std::string& sItem, const char* sValue) {
    const std::string sOpen = "<" + sItem + ">", sClose = "</" + sItem + ">";
    const size_t a = s.find(sOpen);
    const size_t b = a == std::string::npos ? a : s.find(sClose, a);
    if (b == std::string::npos) {
      const size_t e = s.find("</Configure>");
      if (e != std::string::npos) s.insert(e, sOpen + sValue + sClose + "\n");
      return;
    }
    s.replace(a + sOpen.size(), b - a - sOpen.size(), sValue);
  };
  set("Log", "off");
  if (mode == kSegmentOnly) {
    set("Tagger", "off");
    set("Person", "off");
  }
  return s;
}

// A temporary directory holding "Data" for the mode; empty on failure.
std::string MakeDataDir(Mode mode) {
  const std::string sSrc = Env("KAVEL_BENCH_DATA", KAVEL_BENCH_DATA_DIR) + "/Data";
  std::string sTemplate = "/tmp/kavel_bench_XXXXXX";
  if (mkdtemp(&sTemplate[0]) == nullptr) return std::string();
  const std::string sData = sTemplate + "/Data";
  if (mkdir(sData.c_str(), 0755) != 0) return std::string();
  DIR* pDir = opendir(sSrc.c_str());
  if (pDir == nullptr) return std::string();
  while (dirent* pEntry = readdir(pDir)) {
    const std::string sName = pEntry->d_name;
    if (sName == "." || sName == ".." || sName == "Configure.xml") continue;
    if (symlink((sSrc + "/" + sName).c_str(), (sData + "/" + sName).c_str()) != 0) {
      closedir(pDir);
      return std::string();
    }
  }
  closedir(pDir);
  std::ofstream(sData + "/Configure.xml") << Configure(ReadAll(sSrc + "/Configure.xml"), mode);
  return sTemplate;
}

std::string DataDir(Mode mode) {
  static std::string sDirs[2];
  if (sDirs[mode].empty()) sDirs[mode] = MakeDataDir(mode);
  return sDirs[mode];
}

void RemoveDataDirs() {
  for (Mode mode : {kSegmentOnly, kFull}) {
    const std::string sDir = DataDir(mode);
    if (sDir.empty()) continue;
    const std::string sCmd = "rm -rf '" + sDir + "'";
    if (system(sCmd.c_str()) != 0) fprintf(stderr, "cannot remove %s\n", sDir.c_str());
  }
}

// Starts the engine in the mode and encoding unless it already runs so.
bool Engine(Mode mode, int nEncoding) {
  static int nCurrent = -1;
  const int nWant = mode * 10 + nEncoding;
  if (nCurrent == nWant) return true;
  if (nCurrent >= 0) KAVEL_Exit();
  nCurrent = -1;
  const std::string sDir = DataDir(mode);
  if (sDir.empty() || KAVEL_Init(sDir.c_str(), nEncoding) != 1) return false;
  nCurrent = nWant;
  return true;
}

std::string ToGbk(const std::string& sUtf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
  std::string sOut(sUtf8.size() * 2 + 16, '\0');
  char* pIn = const_cast<char*>(sUtf8.data());
  size_t nIn = sUtf8.size();
  char* pOut = &sOut[0];
  size_t nOut = sOut.size();
  const size_t r = iconv(cd, &pIn, &nIn, &pOut, &nOut);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return std::string();
  sOut.resize(sOut.size() - nOut);
  return sOut;
}

struct Corpus {
  std::vector<std::string> vecUtf8;  // non-empty lines
  std::vector<std::string> vecGbk;
  size_t nUtf8Bytes = 0;
};

const Corpus& Text() {
  static const Corpus corpus = [] {
    Corpus c;
    std::istringstream in(ReadAll(Env("KAVEL_BENCH_TEXT", KAVEL_BENCH_TEXT_FILE)));
    std::string sLine;
    while (std::getline(in, sLine)) {
      if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
      if (sLine.empty()) continue;
      c.vecGbk.push_back(ToGbk(sLine));
      c.vecUtf8.push_back(std::move(sLine));
      c.nUtf8Bytes += c.vecUtf8.back().size();
    }
    return c;
  }();
  return corpus;
}

// One paragraph of at least nBytes of UTF-8 made of the text's lines joined
// without breaks, cut at a character boundary.
std::string Paragraph(size_t nBytes) {
  const Corpus& c = Text();
  std::string s;
  while (s.size() < nBytes && c.nUtf8Bytes > 0)
    for (const std::string& sLine : c.vecUtf8) {
      s += sLine;
      if (s.size() >= nBytes) break;
    }
  size_t n = nBytes < s.size() ? nBytes : s.size();
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  s.resize(n);
  return s;
}

void AddRate(benchmark::State& state, size_t nBytes) {
  state.SetBytesProcessed(static_cast<int64_t>(nBytes));
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(nBytes) / 1e6,
                                              benchmark::Counter::kIsRate);
}

// Every line of the text through Process; arg 0 segmentation only, 1 full;
// nEncoding 1 feeds UTF-8, 0 the GBK copy.
void Throughput(benchmark::State& state, int nEncoding) {
  const Mode mode = static_cast<Mode>(state.range(0));
  const Corpus& c = Text();
  if (c.vecUtf8.empty()) return state.SkipWithError("no input text");
  if (!Engine(mode, nEncoding)) return state.SkipWithError(KAVEL_GetLastErrorMsg());
  const std::vector<std::string>& vecLines = nEncoding == 1 ? c.vecUtf8 : c.vecGbk;
  size_t nOut = 0, nDone = 0;
  for (auto _ : state) {
    for (const std::string& sLine : vecLines) {
      const char* sResult = g_pKAVEL->Process(sLine.c_str(), mode == kFull, true);
      if (sResult == nullptr) return state.SkipWithError("no result");
      nOut += strlen(sResult);
    }
    nDone += c.nUtf8Bytes;
  }
  benchmark::DoNotOptimize(nOut);
  AddRate(state, nDone);
}

void BM_PipelineUtf8(benchmark::State& state) { Throughput(state, 1); }
void BM_PipelineGbk(benchmark::State& state) { Throughput(state, 0); }
BENCHMARK(BM_PipelineUtf8)->ArgName("full")->Arg(kSegmentOnly)->Arg(kFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PipelineGbk)->ArgName("full")->Arg(kSegmentOnly)->Arg(kFull)->Unit(benchmark::kMillisecond);

// KAVEL_Init of the full configuration (UTF-8) until it answers ready.
void BM_StartUp(benchmark::State& state) {
  Engine(kFull, 1);
  KAVEL_Exit();
  const std::string sDir = DataDir(kFull);
  for (auto _ : state) {
    if (KAVEL_Init(sDir.c_str(), 1) != 1) return state.SkipWithError(KAVEL_GetLastErrorMsg());
    state.PauseTiming();
    KAVEL_Exit();
    state.ResumeTiming();
  }
  Engine(kFull, 1);  // leaves the engine running as the others expect
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(5);

// One paragraph of 2 MB without line breaks against ten of 200 KB (the same
// characters): nanoseconds per byte of each and their ratio.
void BM_LongParagraph(benchmark::State& state) {
  const Mode mode = static_cast<Mode>(state.range(0));
  const std::string sLong = Paragraph(2000000);
  std::vector<std::string> vecShort;
  for (size_t nAt = 0; nAt < sLong.size();) {
    size_t n = std::min<size_t>(200000, sLong.size() - nAt);
    while (nAt + n < sLong.size() && (static_cast<unsigned char>(sLong[nAt + n]) & 0xC0) == 0x80) ++n;
    vecShort.push_back(sLong.substr(nAt, n));
    nAt += n;
  }
  if (sLong.empty()) return state.SkipWithError("no input text");
  if (!Engine(mode, 1)) return state.SkipWithError(KAVEL_GetLastErrorMsg());
  using Clock = std::chrono::steady_clock;
  double fShort = 0, fLong = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (const std::string& s : vecShort)
      benchmark::DoNotOptimize(g_pKAVEL->Process(s.c_str(), mode == kFull, true));
    const auto t1 = Clock::now();
    benchmark::DoNotOptimize(g_pKAVEL->Process(sLong.c_str(), mode == kFull, true));
    const auto t2 = Clock::now();
    fShort += std::chrono::duration<double, std::nano>(t1 - t0).count();
    fLong += std::chrono::duration<double, std::nano>(t2 - t1).count();
  }
  const double nBytes = static_cast<double>(sLong.size()) * state.iterations();
  state.counters["ns/B_200K"] = fShort / nBytes;
  state.counters["ns/B_2M"] = fLong / nBytes;
  state.counters["ratio"] = fShort > 0 ? fLong / fShort : 0;
}
BENCHMARK(BM_LongParagraph)->ArgName("full")->Arg(kSegmentOnly)->Arg(kFull)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

long VmRssKb() {
  std::ifstream in("/proc/self/status");
  std::string sLine;
  while (std::getline(in, sLine))
    if (sLine.compare(0, 6, "VmRSS:") == 0) return atol(sLine.c_str() + 6);
  return -1;
}

}  // namespace

// The first start-up and the memory it leaves go into the report's context,
// measured before any benchmark has touched the heap.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const long nRssBefore = VmRssKb();
  const auto t0 = std::chrono::steady_clock::now();
  const bool bStarted = Engine(kFull, 1);
  const double fSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const long nRssAfter = VmRssKb();
  char sBuf[128];
  if (bStarted) {
    snprintf(sBuf, sizeof(sBuf), "%.3f s", fSeconds);
    benchmark::AddCustomContext("first start-up (full, UTF-8)", sBuf);
    snprintf(sBuf, sizeof(sBuf), "%.1f MB (%.1f MB before start-up)", nRssAfter / 1024.0,
             nRssBefore / 1024.0);
    benchmark::AddCustomContext("VmRSS after start-up", sBuf);
  } else {
    benchmark::AddCustomContext("start-up failed", KAVEL_GetLastErrorMsg());
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  KAVEL_Exit();
  RemoveDataDirs();
  return 0;
}
