// CSegment: chooses the most probable path through the word graph of a
// sentence with a smoothed bigram model, one object per worker.
//
// For a word w followed by v (v begins where w ends):
//   p(w, v) = ln( 0.95 * (f(w, v) + 1e-5) / (N * 1e-5 + f(w))
//               + 0.05 * (f(v) + 0.5) / (T + N * 0.5) )
// with f the unigram and bigram frequencies, T the unigram total and N its
// item count. The path from the start word to the end word with the largest
// sum wins; on equal sums the successor that comes first in its slot wins.
#ifndef KAVEL_SEGMENT_BIGRAM_SEGMENT_H_
#define KAVEL_SEGMENT_BIGRAM_SEGMENT_H_

#include <cstddef>
#include <vector>

#include "segment/word_types.h"

class CPDAT;
class CUnigram;
class CBigram;

class CSegment {
 public:
  // Stores the shared tables (not owned) and reads the unigram totals once.
  CSegment(CPDAT* pCoreDict, CUnigram* pUnigram, CBigram* pBigram);
  virtual ~CSegment();
  CSegment(const CSegment&) = delete;
  CSegment& operator=(const CSegment&) = delete;

  // Finds the best path through a word graph laid out as CPreProcess leaves
  // it: nLength slots, slot 0 holding the start word and slot nLength - 1 the
  // end word, a word ending at byte e being followed by the words of slot
  // e - S + 1 (S the start word's offset). Replaces m_pWords with the path,
  // start and end words included, and returns m_nWordCount. Sets the value
  // of every node it visits to the node's unigram frequency. Returns 0 (an
  // empty path) for a graph without start or end word; a path that cannot
  // reach the end word stops where it breaks off.
  int BiSegment(word_t** pWordGraph, int nLength, int* pWordCounter, int nAtomSize);

  // Entries currently reserved by the path and scoring buffers.
  size_t GetReservedSize() const;

  // The last path; the pipeline may edit the words and shorten the count.
  // The storage belongs to this object and is reused by the next call.
  word_t* m_pWords = nullptr;
  int m_nWordCount = 0;

  CPDAT* m_pCoreDict;
  CUnigram* m_pUnigram;
  CBigram* m_pBigram;
  double m_dSmoothingArg = 0.95;
  double m_dTotalFreq = 0;
  double m_dTotalItem = 0;

 private:
  // m_dTotalItem * 1e-5 + f(w), with w.value already set to f(w).
  double LeftDenominator(const word_t& w) const;
  // (1 - smoothing) * (f(v) + 0.5) / (T + N * 0.5), with v.value set.
  double RightTerm(const word_t& v) const;
  // p(w, v) from the two precomputed halves.
  double Transition(const word_t& w, double dLeftDenominator, const word_t& v, double dRightTerm) const;

  std::vector<word_t> m_vecWords;
  std::vector<double> m_vecWeight;  // per node, nodes numbered slot by slot
  std::vector<int> m_vecNext;       // successor index in the following slot
  std::vector<int> m_vecSlotBase;   // number of the first node of each slot
  std::vector<double> m_vecRight;   // per node, RightTerm once its value is set
};

#endif  // KAVEL_SEGMENT_BIGRAM_SEGMENT_H_
