#include <gtest/gtest.h>

#include "english/english.h"
#include "english_fixture.h"

namespace {

class EnglishNerTest : public EnglishFixture {
 protected:
  void SetUp() override {
    EnglishFixture::SetUp();
    for (const char* s : {"john", "smith", "bank", "of", "america", "paris"}) m_ne.AddWord(s);
    m_ne.AddWordComplete();
    Write("ne.pos", "john nr 50\nsmith nr 40\nbank nt 30\namerica ns 60\namerica nt 50\nparis ns 90\n");
    ASSERT_GT(m_nePOS.Import(Path("ne.pos").c_str(), &m_ne, &m_map), 0);
    Write("english.ung", "paris 5000\nhello 10\n");
    ASSERT_GT(m_unigram.Import(Path("english.ung").c_str(), &m_dict, 1), 0);
    m_tables.pNEDict = &m_ne;
    m_tables.pNEPOS = &m_nePOS;
    m_tables.pUnigram = &m_unigram;
  }

  CPDAT m_ne;
  CPOS m_nePOS;
  CUnigram m_unigram{-1};
};

TEST_F(EnglishNerTest, JoinsCapitalisedRuns) {
  CEnglish parser(m_tables);
  parser.ProcessA("John Smith went to Paris, then Bank of America and Smith John Doe.");
  parser.NER();
  std::string sNames;
  for (const auto& t : parser.GetResult()) {
    if (t.unit_count > 1) sNames += t.word + "/" + t.sPOS + "@" + std::to_string(t.start) + "+" +
                                    std::to_string(t.length) + " ";
  }
  // Paris alone is a common word; "Smith John Doe" holds a word the entity
  // dictionary lacks.
  EXPECT_EQ(sNames, "John Smith/nr@0+10 Bank of America/nt@31+15 ");
  EXPECT_EQ(parser.GetResult()[3].word, "Paris");
}

TEST_F(EnglishNerTest, DictionaryWordTest) {
  CEnglish parser(m_tables);
  struct Case {
    const char* word;
    bool expected;
  };
  const Case kCases[] = {
      {"world", true},  {"worlds", true},  {"world's", true}, {"loving", true},
      {"hellos", true}, {"gone", false},   {"xyz's", false},  {"s", false},
      {"'s", true},     {"", false},
  };
  for (const Case& c : kCases) EXPECT_EQ(parser.IsEnglishWord(c.word), c.expected) << c.word;
  EXPECT_FALSE(parser.IsEnglishWord(nullptr));
}

}  // namespace
