// English term analysis: cuts an English (GBK) text into terms, gives each a
// part of speech, a character class and a base form, and writes them as
// tagged text.
//
// The parser reads the English dictionary, its word list, POS table and
// irregular-form map, and optionally the field and user dictionaries and a
// tag set. A parser built with the default constructor follows the engine's
// process-wide tables, re-reading the replaceable ones (user and field
// dictionaries, tag set) at every call; one built from an EnglishTables uses
// exactly those tables. Text conversion to and from other encodings is the
// caller's business: everything here is GBK.
//
// One parser serves one thread. Results stay valid until the next call.
#ifndef KAVEL_ENGLISH_ENGLISH_H_
#define KAVEL_ENGLISH_ENGLISH_H_

#include <string>
#include <vector>

class CPDAT;
class CWordList;
class CUnigram;
class CPOS;
class CIDMaps;
class CPOSmap;
class CTrie;

// One term of an English text. start and length are byte offsets into the
// text given to ProcessA.
struct english_term_result {
  int start = 0;
  int length = 0;
  char sPOS[40] = {0};      // tag name; empty without a tag set
  int iPOS = 255;           // tag id, 255 while undetermined
  int word_ID = -1;         // English dictionary handle, -1 when absent
  int word_type = 0;        // character class, see CEnglish::GetWordType
  int weight = 0;
  std::string word;           // the term's text
  std::string original_word;  // its base form (regular form of an irregular word)
  int unit_count = 1;         // number of tokens joined into the term
};

// The tables a parser reads; none is owned. pDict, pWordList, pPOS and
// pIrre2Reg make a working parser; every other entry may be null.
struct EnglishTables {
  const CPDAT* pDict = nullptr;          // English dictionary
  const CWordList* pWordList = nullptr;  // texts of its handles
  const CUnigram* pUnigram = nullptr;    // word frequencies (entity scoring)
  const CPOS* pPOS = nullptr;            // tags of its handles
  const CIDMaps* pIrre2Reg = nullptr;    // irregular form -> regular form
  const CPDAT* pNEDict = nullptr;        // named-entity dictionary
  const CPOS* pNEPOS = nullptr;          // its tags (entity scoring)
  const CPOSmap* pPOSmap = nullptr;      // tag names; null: tagging off
  const CPDAT* pFieldDict = nullptr;     // field dictionary
  const CWordList* pFieldPOS = nullptr;  // tag name of each field word
  CTrie* pUserDict = nullptr;            // user dictionary
};

// The engine's current tables, with the tag set nPOSmap (0-3) when tagging
// is on and the tag sets are loaded.
EnglishTables EnglishTablesFromGlobals(int nPOSmap);

// Word types (GetWordType).
enum {
  kEngOther = 0,
  kEngCapitalised = 1,
  kEngCapitalAfterSymbol = 2,
  kEngCapitals = 3,
  kEngMixed = 4,
  kEngNumber = 6,
  kEngLower = 7,
  kEngQuoteCommaColon = 8,
  kEngSentenceEnd = 100,
  kEngMerged = 101,
};

class CEnglish {
 public:
  // Follows the engine's process-wide tables.
  CEnglish();
  // Uses the given tables.
  explicit CEnglish(const EnglishTables& tables);
  virtual ~CEnglish();
  CEnglish(const CEnglish&) = delete;
  CEnglish& operator=(const CEnglish&) = delete;

  // Selects the engine tag set (0-3) used for tag names; only for a parser
  // that follows the engine's tables.
  void SetPOSmap(int nPOSmap) { m_nPOSmap = nPOSmap; }

  // Cuts the text (null counts as empty) into terms, replacing the previous
  // ones, and returns them. Tokens end at any byte of
  // " \t\r\n:\"&-=+()[]<>/?!#$*~`{};|," and "^" ("," only when no digit up
  // to 8 follows); every such byte except blank, tab and CR is a one-byte
  // term of its own, a line break included. A token missing from the
  // dictionary loses a final "." or (beyond 2 bytes) a final "'s", which
  // becomes the next term. Double-byte characters are never split.
  std::vector<english_term_result>& ProcessA(const char* sLineOrig);

  // Classifies a term (word_type, iPOS, sPOS, possibly word_ID and
  // original_word moving to the regular form), appends it to the terms and
  // returns its word_ID.
  int AddWord(english_term_result& term);

  // The character class of term.word (0 other, 1 capitalised, 2 capital
  // after leading symbols, 3 several capitals, 4 letters and digits mixed,
  // 6 number, 7 lower case, 8 one-byte quotation mark, comma or colon, 100
  // sentence end). A number gets tag id 18, a line end tag id 1.
  int GetWordType(english_term_result& term) const;

  // Tag id of the first nLen bytes of sWord (never past its NUL); 255 when
  // the dictionary does not hold them or they have no tag. *handle (may be
  // null) receives the handle the tag came from: the word's own or its
  // regular form's, -1 when absent.
  int GetWordPos(const char* sWord, int nLen, int* handle);

  // The tagged text of the terms. pLine must be the text the terms were cut
  // from (null: no dictionary merging). Runs of terms matching a field or
  // user dictionary word that ends exactly at a term's end are merged first
  // (in vecItems itself). Each term is written, bracketed when it holds a
  // blank, with "/" and its tag when bPOStagged and it has one, then a blank;
  // a line-end term is written alone. Valid until the next call.
  const char* GetResultString(const char* pLine, std::vector<english_term_result>& vecItems,
                              bool bPOStagged);

  // ProcessA, then GetResultString over the same text.
  const char* Process(const char* sLine, bool bPOStagged);

  // Joins runs of capitalised terms into named entities (see english_ner.cc);
  // returns the number of terms left.
  size_t NER();

  // Entity type of the nCount terms starting at iStart: 24 person, 29 or 30
  // place, 31 organisation, 32 other name, 0 none.
  int RecognizeNEType(std::vector<english_term_result>::iterator iterStart, size_t nCount);

  // Whether the dictionary holds the word, also once an apostrophe part or a
  // common English ending is removed.
  bool IsEnglishWord(const char* sWord);

  // Base form of the word, or sWord itself.
  const char* GetEngWordOrign(const char* sWord);

  const std::vector<english_term_result>& GetResult() const { return m_vecResult; }

 private:
  void RefreshTables();
  // Best tag of a handle: the most frequent (a capitalised word prefers a
  // person, place or organisation tag). nFreq 0 when it has none.
  void ChoosePOS(int nHandle, bool bCapital, int& nPOS, int& nFreq) const;
  // Lets the regular form of nHandle override a weak tag; true when it did.
  bool UseRegularForm(int nHandle, int& nPOS, int& nFreq, int& nRegular) const;
  // Adds the term of bytes [nStart, nEnd) of m_sLine.
  void AddTerm(size_t nStart, size_t nEnd);

  std::vector<english_term_result> m_vecResult;
  std::string m_sResult;
  int m_nTheHandle = -1;
  int m_nOfHandle = -1;
  int m_nInHandle = -1;
  int m_nAndHandle = -1;

  EnglishTables m_tables;
  bool m_bGlobalTables;
  int m_nPOSmap = 0;
  std::string m_sLine;  // GBK copy of the text of the last ProcessA
};

// Base form of an English word through the engine's tables: the text of its
// regular form when the dictionary holds the word and the irregular-form map
// gives one, otherwise sWord itself (null stays null).
const char* GetEngWordOrign(const char* sWord);

// The same through the given tables.
const char* GetEngWordOrign(const char* sWord, const EnglishTables& tables);

#endif  // KAVEL_ENGLISH_ENGLISH_H_
