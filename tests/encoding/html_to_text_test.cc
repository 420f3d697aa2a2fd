#include "encoding/html_to_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Strip(const std::string& html, size_t nLimit = 0) {
  std::vector<char> out(nLimit == 0 ? html.size() + 1 : nLimit, '#');
  size_t n = nLimit;
  size_t r = vHtmlToText(html.data(), html.size(), out.data(), n);
  EXPECT_EQ(r, n);
  EXPECT_EQ(out[n], 0);
  return std::string(out.data(), n);
}

TEST(HtmlToTextTest, Cases) {
  struct Case {
    std::string html, text;
  } cases[] = {
      {"a<b>b</b>&amp;c", "a b c"},
      {"&#20013;", "\xE4\xB8\xAD"},
      {"x &#200; y &lt;tag&gt;", "x y <tag>"},
      {"<!-- note -->text<script>var a = 1 < 2;</script>end", "text end"},
      {"<!-- never closed", "<!-- never closed"},
      {"a < b and 3<4", "a < b and 3<4"},
      {"<p" + std::string(600, 'x'), "<p" + std::string(600, 'x')},
      {"%41%2F%4a", "A/%4a"},
      {"one nbsp; two", "one two"},
      {"\xEF\xBB\xBF   lead  \r\n  line", "lead \r\n line"},
      {"& alone; &toolongentity;", "& alone; &toolongentity;"},
      {std::string("a\0\0b\0c", 6), "abc"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Strip(c.html), c.text) << c.html;
}

TEST(HtmlToTextTest, LimitsAndBounds) {
  // The limit counts the terminating NUL; a character never splits.
  EXPECT_EQ(Strip("abcdef", 4), "abc");
  EXPECT_EQ(Strip("ab&#20013;", 4), "ab");
  EXPECT_EQ(Strip("abc", 1), "");
  // Input is read only up to its length: a cut entity or tag is plain text.
  std::string s = "x&#20013;";
  std::vector<char> out(16);
  size_t n = 0;
  vHtmlToText(s.data(), 5, out.data(), n);
  EXPECT_EQ(std::string(out.data(), n), "x&#20");
  n = 0;
  EXPECT_EQ(vHtmlToText(nullptr, 5, out.data(), n), 0u);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(vHtmlToText("abc", 3, nullptr, n), 0u);
}

}  // namespace
