// A tiny English data set built in memory (tag set and POS table through
// small temporary files): enough words to show each rule of the parser.
#ifndef KAVEL_TESTS_ENGLISH_ENGLISH_FIXTURE_H_
#define KAVEL_TESTS_ENGLISH_ENGLISH_FIXTURE_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "english/english.h"
#include "lexicon/id_maps.h"
#include "lexicon/pdat.h"
#include "lexicon/trie.h"
#include "lexicon/unigram.h"
#include "lexicon/word_list.h"
#include "tagger/pos.h"
#include "tagger/pos_map.h"

class EnglishFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char sTemplate[] = "/tmp/kavel_english_XXXXXX";
    m_sDir = mkdtemp(sTemplate);

    // Tag ids used by the parser get readable names; the rest are fillers.
    std::vector<std::string> vecTags(120);
    for (size_t i = 0; i < vecTags.size(); ++i) vecTags[i] = "x" + std::to_string(i);
    vecTags[1] = "wl";
    vecTags[5] = "w";
    vecTags[7] = "n";
    vecTags[8] = "v";
    vecTags[9] = "vd";
    vecTags[18] = "m";
    vecTags[21] = "nx";
    vecTags[24] = "nr";
    vecTags[29] = "ns";
    vecTags[31] = "nt";
    vecTags[52] = "t";
    vecTags[97] = "em";
    vecTags[100] = "mt";
    vecTags[101] = "mi";
    vecTags[110] = "nu";
    std::string sTags;
    for (const std::string& s : vecTags) sTags += s + "\n";
    Write("tags.map", sTags);
    ASSERT_TRUE(m_map.Load(Path("tags.map").c_str()));

    const char* kWords[] = {"the", "of", "in", "and", "hello", "world", "went", "go",
                            ".", ",", "apple", "paris", "'s", "i", "love", "mail"};
    for (const char* s : kWords) m_dict.AddWord(s);
    m_dict.AddWordComplete();
    m_words.AddWordInit();
    for (const char* s : kWords) m_words.AddWord(s, m_dict.Find(s));
    m_words.AddWordComplete();

    Write("english.pos",
          "hello n 5\nworld n 10\nwent v 1\ngo v 50\ngo vd 3\n. w 100\n, w 100\n"
          "apple n 20\napple nt 3\nparis ns 30\nthe x3 900\nlove v 40\ni x4 90\nof x34 100\n");
    ASSERT_GT(m_pos.Import(Path("english.pos").c_str(), &m_dict, &m_map), 0);

    m_irregular.MapInit();
    m_irregular.MapAdd(m_dict.Find("went"), m_dict.Find("go"));
    m_irregular.MapComplete();

    m_field.AddWord("new york");
    m_field.AddWord("paris");
    m_field.AddWord("new yo");
    m_field.AddWordComplete();
    m_fieldPOS.AddWordInit();
    m_fieldPOS.AddWord("ns", m_field.Find("new york"));
    m_fieldPOS.AddWord("nsf", m_field.Find("paris"));
    m_fieldPOS.AddWord("ns", m_field.Find("new yo"));
    m_fieldPOS.AddWordComplete();
    m_user.AddTrie("e-mail nu", false);

    m_tables.pDict = &m_dict;
    m_tables.pWordList = &m_words;
    m_tables.pPOS = &m_pos;
    m_tables.pIrre2Reg = &m_irregular;
    m_tables.pPOSmap = &m_map;
  }

  void TearDown() override {
    std::string sCmd = "rm -rf '" + m_sDir + "'";
    ASSERT_EQ(system(sCmd.c_str()), 0);
  }

  std::string Path(const std::string& sName) const { return m_sDir + "/" + sName; }
  void Write(const std::string& sName, const std::string& sData) {
    std::ofstream out(Path(sName), std::ios::binary);
    out << sData;
  }
  EnglishTables WithDictionaries() const {
    EnglishTables tables = m_tables;
    tables.pFieldDict = &m_field;
    tables.pFieldPOS = &m_fieldPOS;
    tables.pUserDict = const_cast<CTrie*>(&m_user);
    return tables;
  }

  std::string m_sDir;
  CPOSmap m_map;
  CPDAT m_dict;
  CWordList m_words{false, nullptr};
  CPOS m_pos;
  CIDMaps m_irregular;
  CPDAT m_field;
  CWordList m_fieldPOS{false, nullptr};
  CTrie m_user;
  EnglishTables m_tables;
};

// "text/tag text/tag ..." of the terms, for compact expectations.
inline std::string Terms(const std::vector<english_term_result>& vecTerms) {
  std::string s;
  for (const english_term_result& t : vecTerms) {
    if (!s.empty()) s += ' ';
    s += t.word + "/" + t.sPOS + "@" + std::to_string(t.start);
  }
  return s;
}

#endif  // KAVEL_TESTS_ENGLISH_ENGLISH_FIXTURE_H_
