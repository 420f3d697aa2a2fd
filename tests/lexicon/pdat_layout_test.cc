// Cell layout of CPDAT: exact bytes of small dictionaries, agreement with a
// literal (slow) layout on a random dictionary, and a large build.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "lexicon/pdat.h"

namespace {

std::string TempPath(const std::string& sName) {
  return testing::TempDir() + "pdat_layout_" + std::to_string(getpid()) + "_" + sName;
}

std::string ReadAll(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int32_t IntAt(const std::string& sBytes, size_t nOffset) {
  int32_t n = 0;
  memcpy(&n, sBytes.data() + nOffset, 4);
  return n;
}

constexpr size_t kCellsAt = 262152;

struct Cell {
  int base, check, handle;
};

struct LayoutCase {
  const char* name;
  std::vector<std::string> words;
  std::map<int, int> ids;  // code -> character id
  std::vector<Cell> cells;
};

TEST(PdatLayoutTest, TinyDictionariesAreByteExact) {
  const LayoutCase cases[] = {
      // a,b counted twice (a first on the tie), c once; "a" branches at base 1.
      {"branch", {"ab", "ac", "b"}, {{'a', 0}, {'b', 1}, {'c', 2}, {'A', -1}},
       {{1, -2, -1}, {-1, -2, 2}, {-2, 0, 0}, {-3, 0, 1}}},
      // "b" ends a word at cell 1, so base 1 (its own index) is skipped.
      {"skip own index", {"b", "ba", "a"}, {{'a', 0}, {'b', 1}},
       {{0, -2, 2}, {-2, -2, 0}, {-2, 1, 1}}},
      // No words: one unused cell.
      {"empty", {}, {{'a', -1}}, {{-1, -1, -1}}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    CPDAT dict(0);
    for (const std::string& w : c.words) dict.AddWord(w.c_str());
    dict.AddWordComplete();
    std::string sPath = TempPath("tiny.pdat");
    ASSERT_TRUE(dict.Save(sPath.c_str()));
    std::string sBytes = ReadAll(sPath);
    remove(sPath.c_str());
    ASSERT_EQ(sBytes.size(), 262156 + 12 * c.cells.size());
    for (const auto& [code, id] : c.ids) EXPECT_EQ(IntAt(sBytes, 4 * code), id) << code;
    EXPECT_EQ(IntAt(sBytes, 262144), static_cast<int>(c.cells.size()) - 1);
    EXPECT_EQ(IntAt(sBytes, 262148), static_cast<int>(c.words.size()));
    for (size_t i = 0; i < c.cells.size(); i++) {
      EXPECT_EQ(IntAt(sBytes, kCellsAt + 12 * i), c.cells[i].base) << "cell " << i;
      EXPECT_EQ(IntAt(sBytes, kCellsAt + 12 * i + 4), c.cells[i].check) << "cell " << i;
      EXPECT_EQ(IntAt(sBytes, kCellsAt + 12 * i + 8), c.cells[i].handle) << "cell " << i;
    }
    EXPECT_EQ(IntAt(sBytes, sBytes.size() - 4), 0);
  }
}

// The layout exactly as described, step by step and without shortcuts.
std::string LiteralLayout(const std::vector<std::string>& vecWords) {
  struct Node {
    int code;
    std::vector<int> kids;
    int pos = -1, handle = -1;
  };
  std::vector<Node> nodes(1, Node{-1, {}});
  std::vector<int> freq(65536, 0);
  int nCount = 0;
  CPDAT coder(0);
  for (const std::string& w : vecWords) {
    int cur = 0;
    for (int i = 0, n = static_cast<int>(w.size()); i < n;) {
      int len = 1;
      int code = coder.GetCharCode(w.data(), i, n, &len);
      i += len;
      freq[code]++;
      int next = -1;
      for (int k : nodes[cur].kids) {
        if (nodes[k].code == code) next = k;
      }
      if (next < 0) {
        next = static_cast<int>(nodes.size());
        nodes.push_back(Node{code, {}});
        nodes[cur].kids.push_back(next);
      }
      cur = next;
    }
    if (nodes[cur].handle < 0) nodes[cur].handle = nCount++;
  }
  std::vector<int> ids(65536, -1);
  for (int id = 0;; id++) {
    int best = -1;
    for (int c = 0; c < 65536; c++) {
      if (freq[c] > 0 && (best < 0 || freq[c] > freq[best])) best = c;
    }
    if (best < 0) break;
    ids[best] = id;
    freq[best] = -1;
  }
  std::vector<Cell> cells(static_cast<size_t>(nCount * 1.5), Cell{-1, -1, -1});
  int lb = 0;
  auto need = [&](int t) {
    if (t >= static_cast<int>(cells.size())) cells.resize(t + 100, Cell{-1, -1, -1});
  };
  std::vector<int> work = nodes[0].kids;
  for (int k : work) {
    Node& e = nodes[k];
    e.pos = ids[e.code];
    need(e.pos);
    cells[e.pos].check = -2;
    if (e.kids.empty()) cells[e.pos].base = -e.pos, cells[e.pos].handle = e.handle;
    lb = std::max(lb, e.pos);
  }
  while (true) {
    std::vector<int> kept;
    for (int k : work) {
      if (!nodes[k].kids.empty()) kept.push_back(k);
    }
    work = kept;
    if (work.empty()) break;
    size_t sel = 0;
    for (size_t i = 1; i < work.size(); i++) {
      if (nodes[work[i]].kids.size() > nodes[work[sel]].kids.size()) sel = i;
    }
    Node& s = nodes[work[sel]];
    int b = 1;
    for (;; b++) {
      if (b == s.pos && s.handle >= 0) continue;
      bool ok = true;
      for (int k : s.kids) {
        int t = ids[nodes[k].code] + b;
        lb = std::max(lb, t);
        need(t);
        if (cells[t].base != -1 || cells[t].check != -1) {
          ok = false;
          break;
        }
      }
      if (ok) break;
    }
    if (s.handle >= 0) {
      cells[s.pos].base = -b, cells[s.pos].handle = s.handle;
    } else {
      cells[s.pos].base = b;
    }
    for (int k : s.kids) {
      Node& c = nodes[k];
      c.pos = ids[c.code] + b;
      cells[c.pos].check = s.pos;
      if (c.kids.empty()) cells[c.pos].base = -c.pos, cells[c.pos].handle = c.handle;
      lb = std::max(lb, c.pos);
    }
    std::vector<int> kids = s.kids;
    s.kids.clear();
    work[sel] = kids[0];
    work.insert(work.end(), kids.begin() + 1, kids.end());
  }
  std::string out(reinterpret_cast<const char*>(ids.data()), 4 * 65536);
  out.append(reinterpret_cast<const char*>(&lb), 4);
  out.append(reinterpret_cast<const char*>(&nCount), 4);
  out.append(reinterpret_cast<const char*>(cells.data()), 12 * (lb + 1));
  int mode = 0;
  out.append(reinterpret_cast<const char*>(&mode), 4);
  return out;
}

std::string RandomGbkChar(std::mt19937& rng, int nAlphabet) {
  // A skewed choice among nAlphabet characters, so that ids and fan-outs vary.
  std::uniform_real_distribution<double> unit(0, 1);
  int k = static_cast<int>(nAlphabet * unit(rng) * unit(rng));
  return std::string{static_cast<char>(0xB0 + k / 94), static_cast<char>(0xA1 + k % 94)};
}

std::vector<std::string> RandomWords(unsigned nSeed, size_t nWords, int nAlphabet, bool bAscii) {
  std::mt19937 rng(nSeed);
  std::vector<std::string> vecWords;
  for (size_t i = 0; i < nWords; i++) {
    std::string w;
    int nChars = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < nChars; k++) {
      if (bAscii && rng() % 5 == 0) {
        w += static_cast<char>('a' + rng() % 26);
      } else {
        w += RandomGbkChar(rng, nAlphabet);
      }
    }
    vecWords.push_back(w);
  }
  return vecWords;
}

TEST(PdatLayoutTest, MatchesTheLiteralLayout) {
  for (unsigned nSeed : {1u, 2u, 3u}) {
    SCOPED_TRACE(nSeed);
    std::vector<std::string> vecWords = RandomWords(nSeed, 3000, 400, true);
    CPDAT dict(0);
    for (const std::string& w : vecWords) dict.AddWord(w.c_str());
    dict.AddWordComplete();
    std::string sPath = TempPath("literal.pdat");
    ASSERT_TRUE(dict.Save(sPath.c_str()));
    std::string sBytes = ReadAll(sPath);
    remove(sPath.c_str());
    EXPECT_TRUE(sBytes == LiteralLayout(vecWords));
  }
}

TEST(PdatLayoutTest, LargeRandomDictionaryRoundTrip) {
  const unsigned nSeed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(nSeed));
  std::mt19937 rng(nSeed);
  std::map<std::string, int> mapHandle;
  std::vector<std::string> vecWords;
  CPDAT dict(0);
  auto start = std::chrono::steady_clock::now();
  while (vecWords.size() < 100000) {
    std::string w;
    int nChars = 2 + static_cast<int>(rng() % 3);
    for (int k = 0; k < nChars; k++) {
      w += static_cast<char>(0xB0 + rng() % 0x48);
      w += static_cast<char>(0xA1 + rng() % 0x5E);
    }
    int nHandle = dict.AddWord(w.c_str());
    auto it = mapHandle.emplace(w, static_cast<int>(mapHandle.size())).first;
    ASSERT_EQ(nHandle, it->second);
    vecWords.push_back(w);
  }
  dict.AddWordComplete();
  double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("build_seconds", std::to_string(dSeconds));
  printf("seed %u: %zu words built in %.3f s, %d cells\n", nSeed, mapHandle.size(), dSeconds,
         dict.GetLowerBound() + 1);

  std::string sPath = TempPath("large.pdat");
  ASSERT_TRUE(dict.Save(sPath.c_str()));
  CPDAT loaded(1);
  ASSERT_TRUE(loaded.Load(sPath.c_str()));
  remove(sPath.c_str());
  EXPECT_EQ(loaded.GetItemCount(), mapHandle.size());
  EXPECT_EQ(loaded.GetMode(), 0);
  for (const auto& [w, h] : mapHandle) {
    ASSERT_EQ(loaded.Find(w.c_str()), h) << w;
    ASSERT_EQ(dict.Find(w.c_str()), h) << w;
  }
}

}  // namespace
