// First-order hidden Markov tagger: labels every word of a sentence with one
// of its candidate tags by the Viterbi method. The same class serves as the
// person-role tagger (role table, role transitions, default label 22) and as
// the part-of-speech tagger (POS table, POS transitions, default label 21).
#ifndef KAVEL_TAGGER_HMM_TAGGER_H_
#define KAVEL_TAGGER_HMM_TAGGER_H_

#include <vector>

#include "segment/word_types.h"
#include "tagger/pos.h"

class CContextStat;

class CHMMTagger {
 public:
  // Label of a punctuation word (types 1 to 4) that has no candidates.
  static const unsigned char kPunctuationPOS = 78;

  // The tables are shared and not owned; dItemCount is N, the number of items
  // of the core unigram table; nDefaultPos labels words without candidates.
  CHMMTagger(CPOS* pPOSData, CContextStat* pContextData, double dItemCount, int nDefaultPos);
  virtual ~CHMMTagger();
  CHMMTagger(const CHMMTagger&) = delete;
  CHMMTagger& operator=(const CHMMTagger&) = delete;

  // Sets POS_id of the nCount words to the labels of the most probable label
  // sequence and returns 0; does nothing when nCount <= 0 or pWords is null.
  //
  // Candidates of a word are the records of its handle in the POS table; a
  // word without records has the single candidate m_nDefaultPOS, or 78 when
  // its type is 1 to 4. A path scores, in natural logarithms, the transition
  // probability ln P(prev, cur) of every adjacent pair plus, for every word
  // after the first, the emission ln(f + 0.02) - ln(C(t) + N * 0.02), where f
  // is the candidate's frequency and C(t) the row total of its label. Every
  // candidate of the first word starts at 0. On equal scores the earlier
  // candidate wins, both for the predecessor of a candidate and for the
  // candidate of the last word where the traceback begins.
  //
  // A word whose handle is gUnknown_nr_ID (a merged person name) takes its
  // POS_id from its type, and its type becomes 102.
  int Tagging(word_t* pWords, int nCount);

 private:
  CPOS* m_pPOSData;
  CContextStat* m_pContextData;
  double m_dTotalItemCount;
  int m_nDefaultPOS;
  POS_info m_POSDefault;      // the default candidate
  POS_info m_POSPunctuation;  // the default candidate of punctuation words

  // Work arrays of the last call. They only grow, so a worker tagging
  // sentence after sentence stops allocating once it has seen its longest one.
  // Per word: candidate count, candidate records and the position of its
  // first candidate in the per-candidate arrays.
  int m_nItemCount = 0;
  std::vector<int> m_pCounter;
  std::vector<const POS_info*> m_pCandidatePOS;
  std::vector<int> m_pFirstCandidate;
  // Per candidate of every word: the best score of a path ending in it and the
  // candidate of the previous word on that path.
  std::vector<double> m_pWeight;
  std::vector<int> m_pPrevIdx;
};

#endif  // KAVEL_TAGGER_HMM_TAGGER_H_
