// A finite automaton over label ids (the person roles): the table that picks
// out the runs of words forming a person name.
//
// Binary file ("nr.fsa", 32-bit little-endian, no header):
//   0            4          input-symbol count M, signed
//   4            4          state count S, signed
//   8            4 * S      accepting flag per state (1 = accepting)
//   8 + 4 * S    4 * S      tag id given to a name that ends in the state
//   8 + 8 * S    4 * S * M  next state per state and symbol, state by state;
//                           -1 for none
// State 0 is the start state.
//
// Source form (Import), lines of text; the odd lines up to line 9 are
// captions and are not read:
//   1  caption            2  state count S
//   3  caption            4  input-symbol count M
//   5  caption            6  accepting states, separated by blanks or tabs
//   7  caption            8  tag ids of those states, in the same order
//   9  caption            10.. one transition per line: state input next
// Transitions with a negative source are skipped; those naming a state or
// symbol out of range are ignored, and so are such accepting states. States
// not listed do not accept and have tag id 0; missing transitions are -1.
#ifndef KAVEL_TAGGER_FSA_H_
#define KAVEL_TAGGER_FSA_H_

#include <string>
#include <vector>

#include "segment/word_types.h"

struct _transitive {
  int state_to = -1;
};

class CFSA {
 public:
  // Upper limit of S * M accepted from a file or a source.
  static const long long kMaxCells = 1LL << 24;

  CFSA();
  virtual ~CFSA();

  // Replaces the automaton with the binary file. False, leaving it as it
  // was, when the file is missing or inconsistent: counts negative or too
  // large, a length other than 8 + 8 * S + 4 * S * M, or a next state outside
  // -1..S-1.
  bool Load(const char* sFilename);
  // Writes the binary file atomically; false when it cannot be written.
  bool Save(const char* sFilename) const;
  // Builds the automaton from the source form. False, leaving it as it was,
  // when the file cannot be read or its counts are missing, negative or too
  // large; *psError (may be null) then says why.
  bool Import(const char* sFilename, std::string* psError = nullptr);
  // Writes a readable listing (not the source form): the counts, the
  // accepting states, their positive tag ids and every transition whose
  // target is above 0.
  bool Export(const char* sFilename) const;
  // Writes the source form that Import reads back to the same automaton.
  bool ExportSource(const char* sFilename) const;

  // The next state from nState on nInput; -1 when there is none or either
  // argument is out of range.
  int GetNextState(int nState, int nInput) const;
  bool IsAccepted(int nState) const;
  // The tag id of a name ending in nState; 0 for a state out of range.
  int GetPosId(int nState) const;
  // Merges person names in place. The labels are the words' POS_id values.
  // From state 0 the automaton reads the labels of a run of words; when it has
  // no transition (a label not below the input-symbol count has none) or the
  // words end, the longest prefix of the run that ends in an accepting state
  // and spans at least two words becomes one word: handle nNERHandle, start
  // of the first word, end of the last, type the accepting state's tag id
  // (low byte), the other fields of the first word. Scanning then goes on
  // after that prefix from state 0. A run without such a prefix is kept and
  // scanning goes on after the word that ended it. *npCount is lowered by the
  // number of words removed, and vecResultIndex (cleared first) lists the
  // positions of the merged words in the shortened array. Returns 0. The work
  // is linear in the number of words for a given automaton.
  int MaxPR(word_t* pWords, int* npCount, int nNERHandle, std::vector<int>& vecResultIndex) const;

  int GetStateCount() const { return m_nStateCount; }
  int GetInputSetSize() const { return m_nInputSetSize; }

 private:
  int m_nStateCount = 0;
  int m_nInputSetSize = 0;
  std::vector<_transitive> m_pTransData;
  std::vector<int> m_pStateAccepted;
  std::vector<int> m_pPosIdAccepted;
};

#endif  // KAVEL_TAGGER_FSA_H_
