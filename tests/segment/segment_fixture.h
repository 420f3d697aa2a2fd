// A tiny data set for the segmentation tests: a character table with every
// type role, a small core dictionary holding the placeholder words, unigram
// and bigram tables, an English dictionary, and the process-wide globals
// pointing at them. Texts in the tests are written in UTF-8 and converted.
#ifndef KAVEL_TESTS_SEGMENT_SEGMENT_FIXTURE_H_
#define KAVEL_TESTS_SEGMENT_SEGMENT_FIXTURE_H_

#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lexicon/bigram.h"
#include "lexicon/pdat.h"
#include "lexicon/unigram.h"
#include "segment/charset.h"
#include "segment/engine_globals.h"
#include "segment/pre_process.h"

// UTF-8 to GBK (bytes that are not valid UTF-8 pass through unchanged).
inline std::string Gbk(const std::string& sUtf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  std::string sOut;
  char sBuf[8];
  size_t i = 0;
  while (i < sUtf8.size()) {
    unsigned char c = static_cast<unsigned char>(sUtf8[i]);
    size_t nLen = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    char* pIn = const_cast<char*>(sUtf8.data() + i);
    size_t nIn = std::min(nLen, sUtf8.size() - i);
    char* pOut = sBuf;
    size_t nOut = sizeof(sBuf);
    if (c >= 0x80 && iconv(cd, &pIn, &nIn, &pOut, &nOut) != static_cast<size_t>(-1)) {
      sOut.append(sBuf, pOut - sBuf);
      i += nLen;
    } else {
      sOut.push_back(sUtf8[i++]);
    }
  }
  iconv_close(cd);
  return sOut;
}

// GBK back to UTF-8 for readable failure messages and expectations.
inline std::string Utf8(const std::string& sGbk) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  std::string sOut;
  size_t i = 0;
  while (i < sGbk.size()) {
    unsigned char c = static_cast<unsigned char>(sGbk[i]);
    size_t nLen = (c >= 0x80 && i + 1 < sGbk.size()) ? 2 : 1;
    char sBuf[8];
    char* pIn = const_cast<char*>(sGbk.data() + i);
    size_t nIn = nLen;
    char* pOut = sBuf;
    size_t nOut = sizeof(sBuf);
    if (c >= 0x80 && iconv(cd, &pIn, &nIn, &pOut, &nOut) != static_cast<size_t>(-1)) {
      sOut.append(sBuf, pOut - sBuf);
    } else {
      char sHex[8];
      snprintf(sHex, sizeof(sHex), c >= 0x80 ? "<%02X>" : "%c", c);
      sOut += sHex;
      nLen = 1;
    }
    i += nLen;
  }
  iconv_close(cd);
  return sOut;
}

// Character types by role (hexadecimal GBK codes).
const char kCharsetSource[] =
    "5: 30-39\n"                          // ASCII digits
    "7: A3B0-A3B9\n"                      // full-width digits
    "29: A2B1-A2BA\n"                     // numbered digits, never mixed with 7
    "8: 41-5A 61-7A\n"                    // letters
    "3: 2E 3A\n"                          // . :  connectors
    "1: 2C 22 27 5E 25 A3AC A1B0 A1B1\n"  // , " ' ^ %  ，“”
    "2: 21 3F A1A3\n"                     // ! ?  。
    "4: 2D A1AA\n"                        // - —
    "6: C1BD\n"                           // 两
    "9: D2BB B6FE C8FD CEE5 BEC5 A996\n"  // 一二三五九〇
    "10: CAAE\n"                          // 十
    "11: B0D9 C7A7 CDF2\n"                // 百千万
    "12: D4AA\n"                          // 元
    "13: B5DA\n"                          // 第
    "15: B5E3\n"                          // 点
    "16: B7D6\n"                          // 分
    "17: D4BC\n"                          // 约
    "20: BDFC\n"                          // 近
    "18: CAB1\n"                          // 时
    "19: B0EB\n"                          // 半
    "21: C8D5\n"                          // 日
    "22: D4C2\n"                          // 月
    "23: C4EA\n"                          // 年
    "24: B4FA\n"                          // 代
    "25: C3EB\n"                          // 秒
    "26: C7B0\n"                          // 前
    "27: BAF3\n";                         // 后

class SegmentData : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    s_pCharset = new CCharset();
    ASSERT_TRUE(s_pCharset->ParseSource(kCharsetSource, nullptr));

    s_pCore = new CPDAT(0);
    for (const char* sWord : kCoreWords) s_pCore->AddWord(Gbk(sWord).c_str());
    s_pCore->AddWordComplete();

    s_pEnglish = new CPDAT(0);
    for (const char* sWord : {"zzz", "mr", "etc"}) s_pEnglish->AddWord(sWord);
    s_pEnglish->AddWordComplete();

    char sTemplate[] = "/tmp/kavel_segment_XXXXXX";
    std::string sDir = mkdtemp(sTemplate);
    std::string sUnigram = sDir + "/core.freq";
    {
      std::ofstream out(sUnigram, std::ios::binary);
      for (const auto& entry : kUnigram) out << Gbk(entry.first) << " " << entry.second << "\n";
    }
    s_pUnigram = new CUnigram(-1);
    ASSERT_GT(s_pUnigram->Import(sUnigram.c_str(), s_pCore, 2), 0);
    (void)system(("rm -rf " + sDir).c_str());

    s_pBigram = new CBigram(false, static_cast<int>(s_pCore->GetItemCount()));
    for (const auto& pair : kBigram) {
      ASSERT_GE(s_pBigram->AddItem(Handle(pair.sLeft), Handle(pair.sRight), pair.nFreq), 0);
    }
    ASSERT_TRUE(s_pBigram->Dynamic2Static());

    g_pCharset = s_pCharset;
    g_pCoreDict = s_pCore;
    g_pEnglishDict = s_pEnglish;
    g_pUnigram = s_pUnigram;
    g_pBiDict = s_pBigram;
    gSent_StartID = Handle("始##始");
    gSent_EndID = Handle("末##末");
    gUnknown_x_ID = Handle("未##串");
    gUnknown_t_ID = Handle("未##时");
    gUnknown_m_ID = Handle("未##数");
    gQuatation_LD_ID = Handle("“");
    gQuatation_RD_ID = Handle("”");
    gQuatation_LS_ID = Handle("‘");
    gQuatation_RS_ID = Handle("’");
    gPunctation_WP_ID = Handle("———");
  }

  static void TearDownTestSuite() {
    delete s_pCharset;
    delete s_pCore;
    delete s_pEnglish;
    delete s_pUnigram;
    delete s_pBigram;
    g_pCharset = nullptr;
    g_pCoreDict = nullptr;
    g_pEnglishDict = nullptr;
    g_pUnigram = nullptr;
    g_pBiDict = nullptr;
  }

  // Core-dictionary handle of a UTF-8 word.
  static int Handle(const char* sWord) { return s_pCore->Find(Gbk(sWord).c_str()); }

  // The atoms between the start and end atoms as "text/tag" separated by
  // blanks, in UTF-8. The tag names the special handle (m t x E LD RD LS RS
  // WP), "w" for another dictionary word and "-" for none; a type of 8, 9,
  // 99 or 101 follows as ":8" etc.
  static std::string Describe(const std::string& sLine, const word_t* pWords, int nCount) {
    std::string sOut;
    for (int k = 1; k + 1 < nCount; k++) {
      const word_t& w = pWords[k];
      if (!sOut.empty()) sOut += " ";
      sOut += Utf8(sLine.substr(w.start, w.end - w.start)) + "/" + Tag(w.handle);
      if (w.type == 8 || w.type == 9 || w.type == 99 || w.type == 101) sOut += ":" + std::to_string(w.type);
    }
    return sOut;
  }

  static std::string Tag(int h) {
    const std::pair<int*, const char*> names[] = {
        {&gUnknown_m_ID, "m"},     {&gUnknown_t_ID, "t"},     {&gUnknown_x_ID, "x"},
        {&gSent_EndID, "E"},       {&gQuatation_LD_ID, "LD"}, {&gQuatation_RD_ID, "RD"},
        {&gQuatation_LS_ID, "LS"}, {&gQuatation_RS_ID, "RS"}, {&gPunctation_WP_ID, "WP"}};
    for (const auto& name : names) {
      if (h == *name.first) return name.second;
    }
    return h >= 0 ? "w" : "-";
  }

 protected:
  struct BigramPair {
    const char* sLeft;
    const char* sRight;
    int nFreq;
  };
  static constexpr const char* kCoreWords[] = {
      "始##始", "末##末", "未##串", "未##时", "未##数", "“", "”", "‘", "’", "———",
      "我", "们", "我们", "中", "国", "人", "中国", "中国人", "民", "人民",
      "。", "，", "一", "三", "五月", "十分", "两", "12中", "中1", "的"};
  static constexpr std::pair<const char*, int> kUnigram[] = {
      {"我", 30}, {"们", 5}, {"我们", 50}, {"中", 20}, {"国", 20}, {"人", 40}, {"中国", 60},
      {"中国人", 2}, {"民", 3}, {"人民", 30}, {"。", 100}, {"的", 90}};
  static constexpr BigramPair kBigram[] = {{"中国", "人民", 20}, {"我们", "的", 10}};

  static CCharset* s_pCharset;
  static CPDAT* s_pCore;
  static CPDAT* s_pEnglish;
  static CUnigram* s_pUnigram;
  static CBigram* s_pBigram;
};

inline CCharset* SegmentData::s_pCharset = nullptr;
inline CPDAT* SegmentData::s_pCore = nullptr;
inline CPDAT* SegmentData::s_pEnglish = nullptr;
inline CUnigram* SegmentData::s_pUnigram = nullptr;
inline CBigram* SegmentData::s_pBigram = nullptr;

#endif  // KAVEL_TESTS_SEGMENT_SEGMENT_FIXTURE_H_
