#include <random>
#include <sstream>
#include <vector>

#include "tagger/fsa.h"
#include "temp_dir.h"

namespace {

// Roles: B 0 (surname), G 1 (given name), X 2 (continues a run), Z 3 (no
// transition anywhere). State 2 (B G) accepts with tag 27, state 3 (B G G)
// with 28, state 5 (a lone G) with 30; state 4 goes on over B, G and X
// without ever accepting.
const char kNameSource[] =
    "states\n6\ninputs\n4\naccepting\n2 3 5\ntags\n27 28 30\ntransitions\n"
    "0 0 1\n0 1 5\n1 1 2\n2 1 3\n2 0 4\n2 2 4\n3 2 4\n4 0 4\n4 1 4\n4 2 4\n";
enum { B = 0, G = 1, X = 2, Z = 3 };
const int kName = 999;
const unsigned char kPlainType = 7;

// Word i: handle 100 + i, bytes 10i..10i+5, value i, type 7, its role as POS_id.
std::vector<word_t> Words(const std::vector<int>& vecRoles) {
  std::vector<word_t> vecWords(vecRoles.size());
  for (size_t i = 0; i < vecRoles.size(); ++i) {
    word_t& w = vecWords[i];
    w.handle = 100 + static_cast<int>(i);
    w.start = 10 * static_cast<int>(i);
    w.end = w.start + 5;
    w.value = static_cast<double>(i);
    w.type = kPlainType;
    w.POS_id = static_cast<unsigned char>(vecRoles[i]);
  }
  return vecWords;
}

// The merge as a plain scan that reads every run again from the word after
// its accepted prefix; MaxPR must give the same words.
int ReferenceMerge(const CFSA& fsa, std::vector<word_t>& vecWords, int nHandle, std::vector<int>& vecIndex) {
  std::vector<word_t> vecOut;
  const int n = static_cast<int>(vecWords.size());
  int s = 0;
  while (s < n) {
    int c = 0, a = -1, p = 0, i = s;
    for (; i < n; ++i) {
      c = fsa.GetNextState(c, vecWords[i].POS_id);
      if (c < 0) break;
      if (fsa.IsAccepted(c)) {
        a = i;
        p = fsa.GetPosId(c);
      }
    }
    if (a > s) {
      word_t name = vecWords[s];
      name.end = vecWords[a].end;
      name.handle = nHandle;
      name.type = static_cast<unsigned char>(p);
      vecIndex.push_back(static_cast<int>(vecOut.size()));
      vecOut.push_back(name);
      s = a + 1;
    } else {
      int nLast = i < n ? i : n - 1;
      for (int j = s; j <= nLast; ++j) vecOut.push_back(vecWords[j]);
      s = i + 1;
    }
  }
  vecWords = vecOut;
  return static_cast<int>(vecOut.size());
}

void ExpectSameWords(const std::vector<word_t>& vecA, const std::vector<word_t>& vecB, int nCount,
                     const std::string& sWhat) {
  ASSERT_LE(static_cast<size_t>(nCount), vecA.size()) << sWhat;
  ASSERT_EQ(static_cast<size_t>(nCount), vecB.size()) << sWhat;
  for (int i = 0; i < nCount; ++i) {
    EXPECT_EQ(vecB[i].handle, vecA[i].handle) << sWhat << " word " << i;
    EXPECT_EQ(vecB[i].start, vecA[i].start) << sWhat << " word " << i;
    EXPECT_EQ(vecB[i].end, vecA[i].end) << sWhat << " word " << i;
    EXPECT_EQ(vecB[i].value, vecA[i].value) << sWhat << " word " << i;
    EXPECT_EQ(vecB[i].type, vecA[i].type) << sWhat << " word " << i;
    EXPECT_EQ(vecB[i].POS_id, vecA[i].POS_id) << sWhat << " word " << i;
  }
}

class FsaMergeTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    WriteAll(Path("nr.txt"), kNameSource);
    ASSERT_TRUE(m_fsa.Import(Path("nr.txt").c_str()));
  }
  CFSA m_fsa;
};

// An expected word: (first input word, last input word, type); a word that
// spans several input words is a merged name.
struct Out {
  int nFirst, nLast, nType;
};

void ExpectMerged(const CFSA& fsa, const std::vector<int>& vecRoles, const std::vector<Out>& vecOut,
                  const std::vector<int>& vecExpectedIndex, const char* sName) {
  std::vector<word_t> vecWords = Words(vecRoles);
  int nCount = static_cast<int>(vecWords.size());
  std::vector<int> vecIndex = {42};  // left over from an earlier sentence
  EXPECT_EQ(0, fsa.MaxPR(vecWords.data(), &nCount, kName, vecIndex));
  ASSERT_EQ(vecOut.size(), static_cast<size_t>(nCount)) << sName;
  EXPECT_EQ(vecExpectedIndex, vecIndex) << sName;
  for (int i = 0; i < nCount; ++i) {
    const Out& o = vecOut[i];
    const word_t& w = vecWords[i];
    EXPECT_EQ(o.nFirst == o.nLast ? 100 + o.nFirst : kName, w.handle) << sName << " word " << i;
    EXPECT_EQ(10 * o.nFirst, w.start) << sName << " word " << i;
    EXPECT_EQ(10 * o.nLast + 5, w.end) << sName << " word " << i;
    EXPECT_EQ(o.nFirst, w.value) << sName << " word " << i;
    EXPECT_EQ(o.nType, w.type) << sName << " word " << i;
    EXPECT_EQ(vecRoles[o.nFirst], w.POS_id) << sName << " word " << i;
  }
}

TEST_F(FsaMergeTest, MergesTheLongestAcceptedRunsInPlace) {
  const struct {
    const char* sName;
    std::vector<int> vecRoles;
    std::vector<Out> vecOut;
    std::vector<int> vecIndex;
  } cases[] = {
      {"accepted after one word, then failing", {G, Z}, {{0, 0, 7}, {1, 1, 7}}, {}},
      {"longest accepted prefix", {B, G, G, Z}, {{0, 2, 28}, {3, 3, 7}}, {0}},
      {"rescan after the accepted word", {B, G, X, B, G}, {{0, 1, 27}, {2, 2, 7}, {3, 4, 27}}, {0, 2}},
      {"two names back to back", {B, G, G, B, G}, {{0, 2, 28}, {3, 4, 27}}, {0, 1}},
      {"failing word not read again", {B, B, G}, {{0, 0, 7}, {1, 1, 7}, {2, 2, 7}}, {}},
      {"label 255 ends the run", {B, 255, G}, {{0, 0, 7}, {1, 1, 7}, {2, 2, 7}}, {}},
      {"label equal to the input count", {B, G, 4, B, G}, {{0, 1, 27}, {2, 2, 7}, {3, 4, 27}}, {0, 2}},
      {"words end after the accepted word", {B, G, X, X}, {{0, 1, 27}, {2, 2, 7}, {3, 3, 7}}, {0}},
      {"name at the end", {Z, B, G, G}, {{0, 0, 7}, {1, 3, 28}}, {1}},
      {"shifted words between names",
       {Z, Z, B, G, X, Z, B, G, G},
       {{0, 0, 7}, {1, 1, 7}, {2, 3, 27}, {4, 4, 7}, {5, 5, 7}, {6, 8, 28}},
       {2, 5}},
  };
  for (const auto& c : cases) ExpectMerged(m_fsa, c.vecRoles, c.vecOut, c.vecIndex, c.sName);
}

TEST_F(FsaMergeTest, ARunThatJoinsAnEarlierRereadDiesWhereThatOneDied) {
  // Three runs over the same words: the first (from word 0) reads to the end,
  // the second (from 2) takes up its path at word 6, and the third (from 4)
  // takes up the second's path at word 5; it must still run to the end
  // without a name rather than stop where the second one joined the first.
  WriteAll(Path("chain.txt"),
           "s\n5\ni\n2\na\n4\nt\n24\nx\n"
           "0 0 2\n0 1 2\n1 0 2\n2 0 4\n2 1 3\n3 0 3\n3 1 3\n4 0 0\n4 1 2\n");
  CFSA fsa;
  ASSERT_TRUE(fsa.Import(Path("chain.txt").c_str()));
  ExpectMerged(fsa, {0, 0, 0, 0, 1, 1, 1, 0, 1},
               {{0, 1, 24}, {2, 3, 24}, {4, 4, 7}, {5, 5, 7}, {6, 6, 7}, {7, 7, 7}, {8, 8, 7}}, {0, 1},
               "chained rereads");
}

TEST_F(FsaMergeTest, EmptyInputsAndAnEmptyAutomatonChangeNothing) {
  std::vector<int> vecIndex = {1};
  int nCount = 0;
  std::vector<word_t> vecWords = Words({B, G});
  EXPECT_EQ(0, m_fsa.MaxPR(vecWords.data(), &nCount, kName, vecIndex));
  EXPECT_EQ(0, nCount);
  EXPECT_TRUE(vecIndex.empty());
  EXPECT_EQ(0, m_fsa.MaxPR(nullptr, &nCount, kName, vecIndex));
  EXPECT_EQ(0, m_fsa.MaxPR(vecWords.data(), nullptr, kName, vecIndex));

  CFSA empty;
  nCount = 2;
  EXPECT_EQ(0, empty.MaxPR(vecWords.data(), &nCount, kName, vecIndex));
  EXPECT_EQ(2, nCount);
  EXPECT_EQ(100, vecWords[0].handle);
  // No states but some inputs: still nothing to read.
  WriteAll(Path("none.txt"), "s\n0\ni\n3\n");
  ASSERT_TRUE(empty.Import(Path("none.txt").c_str()));
  EXPECT_EQ(0, empty.MaxPR(vecWords.data(), &nCount, kName, vecIndex));
  EXPECT_EQ(2, nCount);
}

TEST_F(FsaMergeTest, AgreesWithAPlainRescanOnRandomAutomataAndRoles) {
  std::mt19937 rng(20240611);
  for (int nAutomaton = 0; nAutomaton < 40; ++nAutomaton) {
    // Few states and dense transitions, so runs are long and rescans frequent.
    const int nStates = 2 + static_cast<int>(rng() % 5), nInputs = 2 + static_cast<int>(rng() % 3);
    std::ostringstream src;
    src << "s\n" << nStates << "\ni\n" << nInputs << "\na\n";
    std::vector<int> vecAccepting;
    for (int s = 1; s < nStates; ++s) {
      if (rng() % 3 == 0) vecAccepting.push_back(s);
    }
    for (int s : vecAccepting) src << s << " ";
    src << "\nt\n";
    for (int s : vecAccepting) src << 20 + s << " ";
    src << "\nx\n";
    for (int s = 0; s < nStates; ++s) {
      for (int i = 0; i < nInputs; ++i) {
        if (rng() % 5 != 0) src << s << " " << i << " " << rng() % nStates << "\n";
      }
    }
    WriteAll(Path("random.txt"), src.str());
    CFSA fsa;
    ASSERT_TRUE(fsa.Import(Path("random.txt").c_str()));
    for (int nSentence = 0; nSentence < 100; ++nSentence) {
      std::vector<int> vecRoles(rng() % 40);
      for (int& r : vecRoles) r = static_cast<int>(rng() % (nInputs + 1));  // nInputs: out of range
      std::vector<word_t> vecWords = Words(vecRoles), vecExpected = vecWords;
      std::vector<int> vecIndex, vecExpectedIndex;
      int nCount = static_cast<int>(vecWords.size());
      fsa.MaxPR(vecWords.data(), &nCount, kName, vecIndex);
      ReferenceMerge(fsa, vecExpected, kName, vecExpectedIndex);
      std::string sWhat = src.str() + "roles " + ::testing::PrintToString(vecRoles);
      ExpectSameWords(vecWords, vecExpected, nCount, sWhat);
      EXPECT_EQ(vecExpectedIndex, vecIndex) << sWhat;
      if (HasFailure()) return;
    }
  }
}

TEST_F(FsaMergeTest, RereadingAfterEachNameStaysLinear) {
  // B G B G ... B G Z: every run reads on to the Z after its name, so a plain
  // rescan reads about k * k / 2 words for the k names.
  const int k = 50000;
  std::vector<int> vecRoles;
  for (int i = 0; i < k; ++i) {
    vecRoles.push_back(B);
    vecRoles.push_back(G);
  }
  vecRoles.push_back(Z);
  std::vector<word_t> vecWords = Words(vecRoles);
  int nCount = static_cast<int>(vecWords.size());
  std::vector<int> vecIndex;
  m_fsa.MaxPR(vecWords.data(), &nCount, kName, vecIndex);
  ASSERT_EQ(k + 1, nCount);
  ASSERT_EQ(static_cast<size_t>(k), vecIndex.size());
  // Every pair became one name, in place.
  for (int i = 0; i < k; ++i) {
    ASSERT_EQ(i, vecIndex[i]);
    ASSERT_EQ(20 * i, vecWords[i].start) << i;
    ASSERT_EQ(20 * i + 15, vecWords[i].end) << i;
  }
  EXPECT_EQ(k - 1, vecIndex.back());
  EXPECT_EQ(20 * (k - 1), vecWords[k - 1].start);
  EXPECT_EQ(20 * (k - 1) + 15, vecWords[k - 1].end);
  EXPECT_EQ(100 + 2 * k, vecWords[k].handle);
}

}  // namespace
