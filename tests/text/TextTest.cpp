#include "common/text/Text.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace corvatt::text {
namespace {

// "aé中😀": 1, 2, 3 and 4 byte characters.
const std::string kMixed = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";

TEST(TextChars, CountAndCutInCharacters) {
  EXPECT_EQ(CharCount(""), 0u);
  EXPECT_EQ(CharCount(kMixed), 4u);
  EXPECT_EQ(Left(kMixed, 2), "a\xC3\xA9");
  EXPECT_EQ(Left(kMixed, 99), kMixed);
  EXPECT_EQ(Mid(kMixed, 2), "\xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(Mid(kMixed, 1, 2), "\xC3\xA9\xE4\xB8\xAD");
  EXPECT_EQ(Mid(kMixed, 9), "");
  EXPECT_EQ(Right(kMixed, 1), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Right(kMixed, 9), kMixed);
  // A stray byte counts as one character and is never split off a neighbour.
  EXPECT_EQ(CharCount("a\xFF" "b"), 3u);
  EXPECT_EQ(Left("\xE4\xB8\xAD\x80x", 2), "\xE4\xB8\xAD\x80");
}

TEST(TextChars, FindGivesCharacterIndex) {
  EXPECT_EQ(Find(kMixed, "\xF0\x9F\x98\x80"), 3u);
  EXPECT_EQ(Find(kMixed, "b"), std::string::npos);
  EXPECT_EQ(Find(kMixed, ""), 0u);
  EXPECT_EQ(Find("VID_1209&PID_0001&MI_02", "MI_02"), 18u);
  // A needle made of a trailing byte must not match inside a character.
  EXPECT_EQ(Find("\xC3\xA9", "\xA9"), std::string::npos);
  EXPECT_TRUE(StartsWith(kMixed, "a\xC3\xA9"));
  EXPECT_FALSE(StartsWith("ab", "abc"));
  EXPECT_TRUE(EndsWith("config.xml", ".xml"));
  EXPECT_FALSE(EndsWith("xml", "config.xml"));
}

TEST(TextChars, CaseAndTrim) {
  EXPECT_EQ(ToUpperAscii("abc-z\xC3\xA9"), "ABC-Z\xC3\xA9");
  EXPECT_EQ(ToLowerAscii("MI_02"), "mi_02");
  EXPECT_TRUE(EqualsNoCaseAscii("Content-Type", "content-TYPE"));
  EXPECT_FALSE(EqualsNoCaseAscii("abc", "abd"));
  EXPECT_EQ(Trim(" \t\r\n x y \v\f"), "x y");
  EXPECT_EQ(Trim("   "), "");
}

TEST(TextUtf8, Validity) {
  struct Case {
    const char* bytes;
    bool valid;
    bool valid_if_cut_allowed;
  };
  const Case cases[] = {
      {"plain", true, true},
      {"\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", true, true},
      {"\xC3", false, true},           // cut at the end
      {"ab\xF0\x9F\x98", false, true},  // cut at the end
      {"\xC3x", false, false},          // broken in the middle
      {"\xC0\xAF", false, false},       // overlong
      {"\xE0\x80\xAF", false, false},   // overlong
      {"\xED\xA0\x80", false, false},   // surrogate
      {"\xF4\x90\x80\x80", false, false},  // above U+10FFFF
      {"\xFF", false, false},
      {"\x80", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
    EXPECT_EQ(IsValidUtf8(c.bytes, true), c.valid_if_cut_allowed) << c.bytes;
  }
}

TEST(TextUtf16, RoundTripAndReplacement) {
  const std::u16string wide = Utf8ToUtf16(kMixed);
  EXPECT_EQ(wide, (std::u16string{u'a', 0x00E9, 0x4E2D, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf16ToUtf8(wide), kMixed);
  // Lone surrogates and bad bytes become U+FFFD.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x', 0xDC00}), "\xEF\xBF\xBDx\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("a\xFF"), (std::u16string{u'a', 0xFFFD}));
  EXPECT_EQ(SanitizeUtf8("a\xC3"), "a\xEF\xBF\xBD");
}

TEST(TextCodePage, DecodeTable) {
  struct Case {
    int code_page;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {1252, "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
      {0, "\xE9", "\xC3\xA9"},  // the system ANSI code page is 1252
      {1252, "\x81", "\xC2\x81"},
      {28591, "\xE9\x80", "\xC3\xA9\xC2\x80"},
      {936, "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
      {950, "\xA4\xA4", "\xE4\xB8\xAD"},
      {932, "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},
      {949, "\xC7\xD1", "\xED\x95\x9C"},
      {51949, "\xC7\xD1", "\xED\x95\x9C"},
      {20866, "\xF0", "\xD0\x9F"},
      {20127, "ok\xE9", "ok\xEF\xBF\xBD"},
      {65001, "a\xC3\xA9\xFF", "a\xC3\xA9\xEF\xBF\xBD"},
      {1200, std::string("a\0\x2D\x4E", 4), "a\xE4\xB8\xAD"},
      {1201, std::string("\0a\x4E\x2D", 4), "a\xE4\xB8\xAD"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_TRUE(DecodeCodePage(c.bytes, c.code_page, out)) << c.code_page;
    EXPECT_EQ(out, c.utf8) << c.code_page;
  }
  std::string out = "stale";
  EXPECT_FALSE(DecodeCodePage("x", 4242, out));
  EXPECT_EQ(out, "");
}

TEST(TextCodePage, EncodeWithDefaultCharacter) {
  std::string out;
  ASSERT_TRUE(EncodeCodePage("caf\xC3\xA9 \xE4\xB8\xAD!", 1252, out));
  EXPECT_EQ(out, "caf\xE9 ?!");
  ASSERT_TRUE(EncodeCodePage("\xE4\xB8\xAD\xF0\x9F\x98\x80", 936, out));
  EXPECT_EQ(out, "\xD6\xD0?");
  ASSERT_TRUE(EncodeCodePage("a\xE4\xB8\xAD", 1201, out));
  EXPECT_EQ(out, std::string("\0a\x4E\x2D", 4));
  ASSERT_TRUE(EncodeCodePage("\xE6\x97\xA5", 932, out));
  std::string back;
  ASSERT_TRUE(DecodeCodePage(out, 932, back));
  EXPECT_EQ(back, "\xE6\x97\xA5");
  EXPECT_FALSE(EncodeCodePage("x", 4242, out));
}

TEST(TextNumbers, ToIntLikeWtoi) {
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {
      {"12ab", 12},       {"x", 0},          {"", 0},          {"  \t-42", -42},
      {"+7", 7},          {"- 7", 0},        {"007", 7},       {"1033", 1033},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN},
      {"-99999999999", INT_MIN}, {"99999999999999999999", INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInt(c.text), c.value) << c.text;
}

TEST(TextNumbers, HexToLongLikeWcstol) {
  struct Case {
    const char* text;
    long value;
  };
  const Case cases[] = {
      {"0x1A2B", 0x1A2B}, {"1a2b", 0x1A2B},   {"1A2B", 0x1A2B},  {"0X1a2b", 0x1A2B},
      {"zz", 0},          {"", 0},            {"0x", 0},         {"0xg", 0},
      {" -ff", -255},     {"12 34", 0x12},    {"1209xyz", 0x1209},
      {"7FFFFFFF", 0x7FFFFFFF}, {"FFFFFFFF", 0x7FFFFFFF}, {"-80000000", -0x7FFFFFFF - 1},
      {"123456789abcdef", 0x7FFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(HexToLong(c.text), c.value) << c.text;
}

TEST(TextFormat, ProgramFormats) {
  EXPECT_EQ(Format("%s: v%s", std::string("Corvatt"), "1.0.3"), "Corvatt: v1.0.3");
  EXPECT_EQ(Format("%X%02X", 0x1A, 0x5), "1A05");
  EXPECT_EQ(Format("%d ms", 30), "30 ms");
  EXPECT_EQ(Format("%s\\device\\%s.xml", "C:", "corvatt_v1"), "C:\\device\\corvatt_v1.xml");
  EXPECT_EQ(Format("100%%"), "100%");
  // A format that the arguments do not fit is given back as it is.
  EXPECT_EQ(Format("%d", std::string("x")), "%d");
  EXPECT_EQ(Format("%", 1), "%");
}

}  // namespace
}  // namespace corvatt::text
