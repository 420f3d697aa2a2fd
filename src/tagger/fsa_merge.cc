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
// more, which bounds the work by the number of states times the words.
struct MergeScratch {
  std::vector<int> vecRunState;   // per word: the state before reading it
  std::vector<unsigned> vecStamp; // per (word, state): serial of the call that wrote it
  std::vector<int> vecFail;       // per (word, state): where the run dies
  unsigned nSerial = 0;
};

// Above this many (word, state) cells the sentence is rescanned plainly; the
// result is the same, only the bound on the work is lost.
const size_t kMaxMemoCells = static_cast<size_t>(1) << 20;

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
  const size_t nStates = static_cast<size_t>(m_nStateCount);
  const unsigned nInputs = static_cast<unsigned>(m_nInputSetSize);

  MergeScratch& scratch = ThreadScratch();
  if (scratch.vecRunState.size() < static_cast<size_t>(n)) scratch.vecRunState.resize(n);
  if (++scratch.nSerial == 0) {
    std::fill(scratch.vecStamp.begin(), scratch.vecStamp.end(), 0u);
    scratch.nSerial = 1;
  }
  const size_t nCells = static_cast<size_t>(n) * nStates;
  const bool bMemoAllowed = nCells <= kMaxMemoCells;
  bool bMemoReady = false;

  // c: current state; s: first word of the run; a, p: last accepting word of
  // the run and the tag id of its state; d: words removed so far.
  int c = 0, s = 0, a = 0, p = 0, d = 0, i = 0;
  while (true) {
    int f;      // the word at which the run dies (n at the end of the words)
    int iLast;  // the last word this run read itself
    if (i >= n) {
      f = n;
      iLast = n - 1;
    } else {
      scratch.vecRunState[i] = c;
      const size_t nCell = static_cast<size_t>(i) * nStates + c;
      if (bMemoReady && scratch.vecStamp[nCell] == scratch.nSerial) {
        f = scratch.vecFail[nCell];
        iLast = i;
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
      if (bMemoAllowed && iLast > a) {
        if (!bMemoReady) {
          if (scratch.vecStamp.size() < nCells) {
            scratch.vecStamp.resize(nCells, 0u);
            scratch.vecFail.resize(nCells);
          }
          bMemoReady = true;
        }
        for (int j = a + 1; j <= iLast; ++j) {
          const size_t nCell = static_cast<size_t>(j) * nStates + scratch.vecRunState[j];
          scratch.vecStamp[nCell] = scratch.nSerial;
          scratch.vecFail[nCell] = f;
        }
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
