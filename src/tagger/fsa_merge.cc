#include <algorithm>
#include <vector>

#include "tagger/fsa.h"

namespace {

// Scratch of one thread for MaxPR; the automaton itself is shared and read
// only, so the scratch cannot live in it.
//
// After a name is merged, scanning starts again right behind it, over words
// the failed run had already read. To keep that linear, every (state, word)
// pair read after the run's last accepting word is remembered with the
// position where the run died: a later run that reaches the same state at the
// same word would retrace the same steps, meet no accepting state and die at
// the same place, so it jumps there at once. Each pair is walked at most once
// more, which bounds the work by the number of states times the words, and
// the memory by the words actually read again.
struct MergeScratch {
  struct Memo {
    int nState;  // state before reading the word
    int nFail;   // where a run in that state at that word dies
    int nNext;   // next memo of the same word, -1 at the end
  };
  std::vector<int> vecRunState;  // per word: the state before reading it in the current run
  std::vector<int> vecHead;      // per word: its first memo, -1 for none
  std::vector<Memo> vecPool;
};

MergeScratch& ThreadScratch() {
  thread_local MergeScratch scratch;
  return scratch;
}

}  // namespace

int CFSA::MaxPR(word_t* pWords, int* npCount, int nNERHandle, std::vector<int>& vecResultIndex) const {
  vecResultIndex.clear();
  if (pWords == nullptr || npCount == nullptr || *npCount <= 0) return 0;
  if (m_nStateCount <= 0 || m_nInputSetSize <= 0) return 0;  // nothing can be accepted
  const int n = *npCount;
  const unsigned nInputs = static_cast<unsigned>(m_nInputSetSize);

  MergeScratch& scratch = ThreadScratch();
  if (scratch.vecRunState.size() < static_cast<size_t>(n)) {
    scratch.vecRunState.resize(n);
    scratch.vecHead.resize(n);
  }
  bool bMemoReady = false;

  // c: current state; s: first word of the run; a, p: last accepting word of
  // the run and the tag id of its state; d: words removed so far.
  int c = 0, s = 0, a = 0, p = 0, d = 0, i = 0;
  while (true) {
    int f = -1;  // the word at which the run dies (n at the end of the words)
    int iLast;   // the last word this run has read itself
    if (i >= n) {
      f = n;
      iLast = n - 1;
    } else {
      scratch.vecRunState[i] = c;
      if (bMemoReady) {
        for (int e = scratch.vecHead[i]; e >= 0; e = scratch.vecPool[e].nNext) {
          if (scratch.vecPool[e].nState == c) {
            f = scratch.vecPool[e].nFail;
            break;
          }
        }
      }
      if (f >= 0) {
        iLast = i - 1;
      } else {
        const unsigned nLabel = pWords[i].POS_id;
        const int nNext =
            nLabel < nInputs ? m_pTransData[static_cast<size_t>(c) * nInputs + nLabel].state_to : -1;
        if (nNext >= 0) {
          if (m_pStateAccepted[nNext] == 1) {
            a = i;
            p = m_pPosIdAccepted[nNext];
          }
          c = nNext;
          ++i;
          continue;
        }
        f = i;
        iLast = i;
      }
    }

    if (a > s) {
      // Words s..a become one name; the rest of the run is read again.
      if (iLast > a && !bMemoReady) {
        std::fill(scratch.vecHead.begin(), scratch.vecHead.begin() + n, -1);
        scratch.vecPool.clear();
        bMemoReady = true;
      }
      for (int j = a + 1; j <= iLast; ++j) {
        scratch.vecPool.push_back({scratch.vecRunState[j], f, scratch.vecHead[j]});
        scratch.vecHead[j] = static_cast<int>(scratch.vecPool.size()) - 1;
      }
      const int nEnd = pWords[a].end;
      if (d > 0) pWords[s - d] = pWords[s];
      word_t& name = pWords[s - d];
      name.end = nEnd;
      name.handle = nNERHandle;
      name.type = static_cast<unsigned char>(p);
      vecResultIndex.push_back(s - d);
      d += a - s;
      s = a + 1;
      i = a + 1;
    } else {
      // No name: words s..f stay, and scanning goes on after the failing word.
      const int nLast = std::min(f, n - 1);
      if (d > 0) {
        for (int j = s; j <= nLast; ++j) pWords[j - d] = pWords[j];
      }
      if (f >= n) break;
      s = f + 1;
      i = f + 1;
    }
    c = 0;
  }
  *npCount = n - d;
  return 0;
}
