// Shared pieces of the encoding tests: the generated data files (built once
// per test program into a temporary directory) and sample texts.
#ifndef KAVEL_TESTS_ENCODING_ENCODING_FIXTURE_H_
#define KAVEL_TESTS_ENCODING_ENCODING_FIXTURE_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/test_files.h"
#include "encoding/code_build.h"
#include "encoding/code_table.h"
#include "encoding/unicode_convert.h"

// Directory holding the translator files and "CodeTrans.model".
inline const std::string& EncodingDataDir() {
  static const std::string sDir = [] {
    char sTemplate[] = "/tmp/kavel_encoding_XXXXXX";
    std::string dir = mkdtemp(sTemplate);
    std::string sError;
    bool ok = CodeTrans_BuildTables(dir.c_str(), sError) &&
              CodeTrans_BuildModel((dir + "/CodeTrans.model").c_str(), sError);
    if (!ok) ADD_FAILURE() << sError;
    static const std::string sRemove = dir;
    atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(sRemove, ec);
    });
    return dir;
  }();
  return sDir;
}

// UTF-8 text in another encoding of the C library, character by character
// ("" when a character has no form there).
inline std::string Recode(const std::string& sUtf8, const char* sCharset) {
  CharsetCodec codec(sCharset);
  std::string sOut;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(sUtf8.data());
  size_t nLeft = sUtf8.size();
  while (nLeft > 0) {
    uint32_t cp = 0;
    size_t n = DecodeUtf8Char(p, nLeft, &cp);
    char buf[8];
    size_t m = codec.Encode(cp, buf);
    if (n == 0 || m == 0) return "";
    sOut.append(buf, m);
    p += n, nLeft -= n;
  }
  return sOut;
}

// Everyday sentences, simplified and the same in traditional characters.
constexpr const char* kSimplified[] = {
    "今天天气很好，我们一起去公园散步，看看湖边的花开了没有。",
    "这家公司去年的收入增长了百分之十五，主要来自海外市场。",
    "学生们在图书馆里安静地读书，老师偶尔走过来回答问题。",
    "他打开窗户，看见远处的山上还有一些没有融化的积雪。",
    "会议决定明年在北京举办一次关于环境保护的国际论坛。",
    "妈妈做的红烧肉特别好吃，每次回家我都要吃两大碗。",
    "新的地铁线路开通以后，上班的时间缩短了将近半个小时。",
    "这本小说讲述了一个普通家庭三代人的故事，感动了很多读者。",
    "2023年第3季度，ABC公司的净利润达到1.5亿元，同比增长20%。",
};
constexpr const char* kTraditional[] = {
    "今天天氣很好，我們一起去公園散步，看看湖邊的花開了沒有。",
    "這家公司去年的收入增長了百分之十五，主要來自海外市場。",
    "學生們在圖書館裡安靜地讀書，老師偶爾走過來回答問題。",
    "他打開窗戶，看見遠處的山上還有一些沒有融化的積雪。",
    "會議決定明年在台北舉辦一次關於環境保護的國際論壇。",
    "媽媽做的紅燒肉特別好吃，每次回家我都要吃兩大碗。",
    "新的捷運路線開通以後，上班的時間縮短了將近半個小時。",
    "這本小說講述了一個普通家庭三代人的故事，感動了很多讀者。",
    "2023年第3季度，ABC公司的淨利潤達到1.5億元，同比增長20%。",
};

#endif  // KAVEL_TESTS_ENCODING_ENCODING_FIXTURE_H_
