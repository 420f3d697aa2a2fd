// The worker processor: one per concurrent caller. It owns one instance of
// every per-call stage of the segmentation pipeline (atoms and word graph,
// best path, person names, tagging, English terms) and the buffers that hold
// its results.
//
// All text inside the processor is GBK; the entry points Process, ProcessA and
// FileProcess convert from and to the caller's encoding. The shared
// dictionaries are read through the engine's globals and never changed here,
// except the user dictionary (through the user-dictionary calls below, which
// hold g_UserDictLock exclusively).
//
// A processor is used by one thread at a time. Every result it returns stays
// valid until the next processing call on the same processor.
#ifndef KAVEL_SYSTEM_MAIN_SYSTEM_H_
#define KAVEL_SYSTEM_MAIN_SYSTEM_H_

#include <string>
#include <vector>

#include "segment/word_types.h"
#include "system/result.h"

class CPreProcess;
class CSegment;
class CHMMTagger;
class CEnglish;
class CKeyWordFinder;
class CTrie;

class CMainSystem {
 public:
  // Builds the stages over the loaded data set: the tagger only when tagging
  // is on, the person tagger only when person recognition is on. The output
  // tag set is 0.
  CMainSystem();
  virtual ~CMainSystem();
  CMainSystem(const CMainSystem&) = delete;
  CMainSystem& operator=(const CMainSystem&) = delete;

  // ---- Processing ----

  // Segments (and, when bPOStagged is non-zero and tagging is on, tags) a
  // paragraph in the caller's encoding. Returns the result string in the
  // caller's encoding; empty for a null or empty input; null only when the
  // result cannot be stored.
  const char* Process(const char* sLineOrig, int bPOStagged, bool bUserDict);

  // Processes a paragraph into records, read with GetResult. sLineTrans
  // receives the GBK form of the text when it had to be converted. Unless
  // bKeyWordExtract is set, the records' start and length are byte ranges of
  // the caller's text (sLineOrig) in every encoding; with bKeyWordExtract they
  // are ranges of the GBK text. Returns the record count, 0 on failure.
  int ProcessA(const char* sLineOrig, std::string& sLineTrans, bool bPOStagged, bool bUserDict,
               bool bKeyWordExtract);

  // Processes GBK text. A text of more than 100 bytes is cut into lines, each
  // processed on its own; the line breaks are kept as one-byte output words.
  // With bStrOut the result is the string, otherwise the records. Returns the
  // record count of the last paragraph processed.
  int ProcessAtomEx(const char* sLine, bool bPOStagged, bool bUserDict, bool bStrOut);

  // The pipeline over one GBK paragraph; fills the result string and records.
  // Returns the record count.
  int ProcessAtom(const char* sLine, bool bPOStagged, bool bUserDict);

  // Processes a text file line by line into a result file (UTF-8 byte-order
  // mark first, then each line's result). Returns the speed in thousands of
  // bytes per second, 0 when a file cannot be opened.
  double FileProcess(const char* sSrcFilename, const char* sDsnFilename, int bPOStagged);

  // ---- Output ----

  // Appends the string and the records of nWordCount words whose offsets
  // refer to pLine; nStartLen is added to every record's start. Joins some
  // neighbouring words (dictionary words, reduplications, addresses, numbers,
  // names) and may change the words in place. Returns the record count; 0,
  // writing nothing, when tagging is on and the tag-set index is not 0..3.
  int Output(const char* pLine, word_t* pWords, int nWordCount, int nStartLen, int bPOStagged,
             bool bUserDict);

  // Appends nWordLen bytes of pLine at nStartLen unchanged. With bOut they and
  // the whole word boundary go to the long-text string and a record to the
  // long-text records; otherwise to the paragraph string (with a one-character
  // boundary) and records. Returns the new record count.
  int SetOutput(const char* pLine, int nStartLen, int nWordLen, int handle, int nOutputStyle,
                bool bOut);

  // The records of the last call: those of the whole text after a long text,
  // else those of the paragraph. Valid until the next processing call.
  result_t* GetResult(int* p_nCount);

  // ---- Word queries ----

  // Smoothed unigram probability (f + 0.05) / (T + 0.05 N); the English
  // tables for a word starting with an ASCII letter, else the core ones.
  double GetUniProb(const char* sWord);
  // The same over the core table; a negative handle has frequency 0.
  double GetUniProb(int nHandle);
  // True when both words are core words whose bigram frequency is above 3 and
  // at least a tenth of the unigram frequency of either word.
  bool IsFreqAssociate(const char* sPrevWord, const char* sNextWord);
  // True when the core or the English dictionary holds the word (GBK).
  bool IsWord(const char* sWord);
  // Word frequencies of a text as "word/count#" entries, most frequent first.
  const char* WordFreqStat(const char* sLine, bool bStopRemove);
  // Fills vecTerm with the tagged words of a text (with bStopRemove only
  // adjectives, nouns, numerals, verbs and words without a core entry).
  // Returns the vector's size.
  int GetWordVector(const char* sLine, std::vector<std::string>& vecTerm, bool bStopRemove);

  // ---- User dictionary and tag set ----

  // Installs pUserDict as the process-wide user dictionary and in this
  // processor's atom stage. The caller holds g_UserDictLock exclusively.
  bool SetUserDict(CTrie* pUserDict);
  // Removes or adds ("word POS") a user-dictionary entry. DelUsrWord answers
  // -1 and AddUsrWord 0 when there is no user dictionary.
  int DelUsrWord(const char* sWord);
  int AddUsrWord(const char* sWord);

  // Selects the tag set used for output (0..3); false for any other value.
  bool SetPOSmap(int nPOSmap);
  int GetPosmap() const { return m_nPOSmap; }

  bool IsLongText() const { return m_bLongText; }
  bool IsEnglishText() const { return m_bEnglishText; }

 private:
  // Converts caller text to GBK into sOut; false when no conversion applies
  // (the text is GBK already).
  bool ToGBK(const char* sLine, std::string& sOut);
  // Converts GBK text back to the caller's encoding; false when none applies.
  bool FromGBK(const char* sLine, size_t nLen, std::string& sOut);
  // Moves the records of the last call from GBK offsets of sGBK onto the
  // caller's text sOrig.
  void MapRecordsToCaller(const char* sOrig, const std::string& sGBK, result_t* pRecords,
                          int nCount);
  // Builds the words of one GBK paragraph into m_vecWords; returns the count.
  int SegmentParagraph(const char* sLine, int nLen, bool bPOStagged);
  // The English path of ProcessAtom.
  int ProcessEnglish(const char* sLine, bool bPOStagged);
  // Joins of the output stage; each answers true when it applied.
  int MatchDictWord(const char* pLine, word_t* pWords, int nWordCount, int i, bool bTag,
                    result_t& record, bool& bBlank, int& nStep);
  void JoinWords(const char* pLine, word_t* pWords, int nWordCount, int i, bool bTag, int& nStep,
                 int& nLen, bool& bBlank);
  void AppendFinerPieces(const char* pText, int nLen, const result_t& record, bool bTag);
  void AppendTag(const char* sPOS, bool bAfterBracket);

  bool m_bEnglishText = false;
  // Document analysis object of this worker; not built yet (stays null).
  CKeyWordFinder* m_pKeyWordFinder = nullptr;
  CPreProcess* m_pPreProcess = nullptr;
  CSegment* m_pSegmenter = nullptr;
  CHMMTagger* m_pTagger = nullptr;
  CHMMTagger* m_pPERTagger = nullptr;
  CEnglish* m_pEnglishParser = nullptr;

  std::string m_sResult;   // result string of the last paragraph (or converted result)
  std::string m_sOutput;   // result string of a long text; WordFreqStat's result
  std::vector<result_t> m_vecResult;  // records of the last paragraph
  std::vector<result_t> m_vecOut;     // records of a long text
  bool m_bLongText = false;
  int m_nPOSmap = 0;

  // Reused work buffers.
  std::vector<word_t> m_vecWords;   // words of the current paragraph
  std::string m_sLongText;          // writable copy of a long text
  std::string m_sGBK;               // GBK form of the caller's text
  std::string m_sPiece;             // conversion scratch
  std::vector<int> m_vecPersonIndex;
  std::vector<int> m_vecOffsetMap;  // caller offset where each GBK byte's unit starts
  std::vector<int> m_vecOffsetEnd;  // ... and where it ends
  std::vector<char> m_vecUnitStart; // the GBK byte starts its unit
  int m_nDetectedType = 0;          // encoding detected in automatic mode
  std::vector<char> m_vecFinerText;
  char* m_pFinerResult = nullptr;   // forward maximum matching output (malloc'ed)
  int m_nFinerResultSize = 0;
};

// Adds a user-dictionary entry ("word POS"), creating the dictionary and
// announcing it to every processor when there is none. Answers 0 when the
// entry is already there, otherwise the dictionary's add result.
int AddUserWordO(const char* sWord);

#endif  // KAVEL_SYSTEM_MAIN_SYSTEM_H_
