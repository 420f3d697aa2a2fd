// The detection model: two tables to Unicode and a scoring automaton.
//
// The automaton recognises byte patterns that are evidence for one
// encoding or against another:
//   - every GB2312-region GBK character, every BIG5 character, every UTF-8
//     CJK ideograph or punctuation character: weak evidence (+1), the UTF-8
//     ones also against GBK and BIG5 (-1 each);
//   - the frequent characters as each encoding writes them (UTF-16LE only
//     when a byte of the pair is not plain ASCII): strong evidence (+3);
//   - a NUL byte (ASCII in UTF-16LE): weak evidence for UTF-16LE;
//   - the UTF-8 byte-order mark: +10 for UTF-8, -9 for GBK and BIG5; the
//     UTF-16LE byte-order mark (FF FE, never valid in the other three)
//     decides at once.
// Each state's score is the sum over the patterns ending there, its own and
// those of its failure chain, each digit clamped to -9..10.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/binary_io.h"
#include "encoding/code_build.h"
#include "encoding/code_detect.h"
#include "encoding/code_table.h"
#include "encoding/unicode_convert.h"

namespace {

struct Evidence {
  int g = 0, b5 = 0, u = 0, u8 = 0, decisive = 0;
  bool any = false;
  void Add(const Evidence& e) {
    g += e.g, b5 += e.b5, u += e.u, u8 += e.u8;
    if (decisive == 0) decisive = e.decisive;
    any = any || e.any;
  }
};

struct Node {
  std::map<unsigned char, int> children;
  Evidence evidence;
  int fail = 0;
  int slot = -1;  // position in the double array
};

class Builder {
 public:
  Builder() { m_nodes.emplace_back(); }

  Evidence& Pattern(const std::string& bytes) {
    int n = 0;
    for (unsigned char c : bytes) {
      auto it = m_nodes[n].children.find(c);
      if (it == m_nodes[n].children.end()) {
        int child = static_cast<int>(m_nodes.size());
        m_nodes[n].children.emplace(c, child);
        m_nodes.emplace_back();
        n = child;
      } else {
        n = it->second;
      }
    }
    m_nodes[n].evidence.any = true;
    return m_nodes[n].evidence;
  }

  // Failure links and accumulated evidence, breadth first.
  std::vector<int> Link() {
    std::vector<int> order{0};
    for (size_t k = 0; k < order.size(); ++k) {
      int s = order[k];
      for (const auto& [c, t] : m_nodes[s].children) {
        int f = 0;
        if (s != 0) {
          f = m_nodes[s].fail;
          while (true) {
            auto it = m_nodes[f].children.find(c);
            if (it != m_nodes[f].children.end()) {
              f = it->second;
              break;
            }
            if (f == 0) break;
            f = m_nodes[f].fail;
          }
        }
        m_nodes[t].fail = f;
        if (f != 0) m_nodes[t].evidence.Add(m_nodes[f].evidence);
        order.push_back(t);
      }
    }
    return order;
  }

  // Double-array layout: each node's children at base + byte.
  std::vector<_stTrieElem_> Layout(const std::vector<int>& order) {
    std::vector<char> used(1, 1);
    std::vector<int> base(m_nodes.size(), 0);
    m_nodes[0].slot = 0;
    size_t nFirstFree = 1;
    for (int s : order) {
      const auto& ch = m_nodes[s].children;
      if (ch.empty()) continue;
      int lo = ch.begin()->first;
      while (nFirstFree < used.size() && used[nFirstFree]) ++nFirstFree;
      int b = std::max<int>(1, static_cast<int>(nFirstFree) - lo);
      while (true) {
        bool ok = true;
        for (const auto& kv : ch) {
          size_t t = static_cast<size_t>(b + kv.first);
          if (t < used.size() && used[t]) {
            ok = false;
            break;
          }
        }
        if (ok) break;
        ++b;
      }
      base[s] = b;
      for (const auto& [c, t] : ch) {
        size_t slot = static_cast<size_t>(b + c);
        if (slot >= used.size()) used.resize(slot + 1, 0);
        used[slot] = 1;
        m_nodes[t].slot = static_cast<int>(slot);
      }
    }
    std::vector<_stTrieElem_> cells(used.size(), _stTrieElem_{0, -1, 0, kNoEvidenceScore});
    for (int s : order) {
      const Node& node = m_nodes[s];
      _stTrieElem_& cell = cells[node.slot];
      cell.m_iBase = base[s];
      cell.m_iFail = m_nodes[node.fail].slot;
      cell.m_iScore = Pack(node.evidence);
      for (const auto& kv : node.children) cells[m_nodes[kv.second].slot].m_iCheck = node.slot;
    }
    cells[0].m_iCheck = -1;
    cells[0].m_iScore = kNoEvidenceScore;
    return cells;
  }

 private:
  static int Clamp(int d) { return std::min(10, std::max(-9, d)); }
  static int Pack(const Evidence& e) {
    if (!e.any) return kNoEvidenceScore;
    int v = (Clamp(e.g) + 9) + 20 * (Clamp(e.b5) + 9) + 400 * (Clamp(e.u) + 9) + 8000 * (Clamp(e.u8) + 9);
    if (v == kNoEvidenceScore && e.decisive == 0) return kNoEvidenceScore;
    return static_cast<int>(static_cast<uint32_t>(e.decisive) << 20) | v;
  }

  std::vector<Node> m_nodes;
};

std::vector<uint32_t> CodePointsOf(const char* sUtf8) {
  std::vector<uint32_t> cps;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(sUtf8);
  size_t nLeft = std::char_traits<char>::length(sUtf8);
  while (nLeft > 0) {
    uint32_t cp = 0;
    size_t n = DecodeUtf8Char(p, nLeft, &cp);
    if (n == 0) n = 1;
    else cps.push_back(cp);
    p += n, nLeft -= n;
  }
  return cps;
}

std::string Pair(unsigned code) { return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

void AddPatterns(Builder& b) {
  const unsigned short* gbk = GbkToUnicodeTable();
  const unsigned short* big5 = Big5ToUnicodeTable();
  // Unicode -> BIG5 for the frequent characters.
  std::vector<unsigned short> toBig5(65536, 0);
  for (unsigned first = 0x81; first <= 0xFE; ++first) {
    for (unsigned second = 0x40; second <= 0xFE; ++second) {
      if (!IsDoubleBytePair(first, second)) continue;
      size_t idx = DoubleByteIndex(first, second);
      if (first >= 0xA1 && first <= 0xF7 && second >= 0xA1 && gbk[idx] != 0) b.Pattern(Pair(first * 256 + second)).g += 1;
      if (first >= 0xA1 && first <= 0xF9 && big5[idx] != 0) {
        b.Pattern(Pair(first * 256 + second)).b5 += 1;
        if (toBig5[big5[idx]] == 0) toBig5[big5[idx]] = static_cast<unsigned short>(first * 256 + second);
      }
    }
  }
  for (uint32_t cp = 0x3000; cp <= 0xFFEF; ++cp) {
    if (!(cp <= 0x303F || (cp >= 0x4E00 && cp <= 0x9FFF) || cp >= 0xFF00)) continue;
    std::string s;
    AppendUtf8(cp, s);
    Evidence& e = b.Pattern(s);
    e.u8 += 1, e.g -= 1, e.b5 -= 1;
  }
  const unsigned short* toGbk = CodeTable();
  std::vector<uint32_t> simp = CodePointsOf(kFrequentSimplified);
  std::vector<uint32_t> trad = CodePointsOf(kFrequentTraditional);
  std::vector<uint32_t> all(simp);
  all.insert(all.end(), trad.begin(), trad.end());
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  for (uint32_t cp : simp) {
    if (cp <= 0xFFFF && toGbk[cp] >= 0x100) b.Pattern(Pair(toGbk[cp])).g += 2;
  }
  for (uint32_t cp : all) {
    if (cp > 0xFFFF) continue;
    if (toBig5[cp] != 0) b.Pattern(Pair(toBig5[cp])).b5 += 2;
    std::string s;
    AppendUtf8(cp, s);
    b.Pattern(s).u8 += 2;
    unsigned char lo = cp & 0xFF, hi = cp >> 8;
    if (lo >= 0x80 || hi >= 0x80 || lo == 0) {
      b.Pattern(std::string{static_cast<char>(lo), static_cast<char>(hi)}).u += 3;
    }
  }
  b.Pattern(std::string(1, '\0')).u += 1;
  Evidence& bom8 = b.Pattern("\xEF\xBB\xBF");
  bom8.u8 += 10, bom8.g -= 9, bom8.b5 -= 9;
  b.Pattern("\xFF\xFE").decisive = kCodeTypeUtf16Le;
}

// Pairs that are also a UTF-16LE ideograph count for it too, so that BIG5
// trail bytes in UTF-16 text do not read as evidence against it.
void MarkUtf16Pairs(Builder& b, const std::vector<std::string>& pairs) {
  for (const std::string& s : pairs) b.Pattern(s).u += 1;
}

}  // namespace

bool CodeTrans_BuildModel(const char* sModelFile, std::string& sError) {
  if (sModelFile == nullptr) {
    sError = "no model file";
    return false;
  }
  Builder b;
  AddPatterns(b);
  // Double-byte pairs whose second byte is a CJK high byte in UTF-16LE.
  std::vector<std::string> pairs;
  const unsigned short* gbk = GbkToUnicodeTable();
  const unsigned short* big5 = Big5ToUnicodeTable();
  for (unsigned first = 0xA1; first <= 0xF9; ++first) {
    for (unsigned second = 0x4E; second <= 0x9F; ++second) {
      if (!IsDoubleBytePair(first, second)) continue;
      size_t idx = DoubleByteIndex(first, second);
      if (big5[idx] != 0 || (first <= 0xF7 && second >= 0xA1 && gbk[idx] != 0)) pairs.push_back(Pair(first * 256 + second));
    }
  }
  MarkUtf16Pairs(b, pairs);
  std::vector<int> order = b.Link();
  std::vector<_stTrieElem_> cells = b.Layout(order);

  AtomicFileWriter out(sModelFile);
  bool ok = out.IsOpen() && out.Write(gbk, kDoubleByteTableSize * 2) && out.Write(big5, kDoubleByteTableSize * 2) &&
            out.WriteInt32(static_cast<int32_t>(cells.size()));
  for (size_t k = 0; ok && k < cells.size(); ++k) {
    ok = out.WriteInt32(cells[k].m_iBase) && out.WriteInt32(cells[k].m_iCheck) && out.WriteInt32(cells[k].m_iFail) &&
         out.WriteInt32(cells[k].m_iScore);
  }
  if (!ok || !out.Commit()) {
    sError = std::string("cannot write ") + sModelFile;
    return false;
  }
  return true;
}
