#include "common/ini/IniFile.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace corvatt {
namespace {

std::string Fixture(const char* name) {
  return std::string(CORVATT_TEST_FIXTURES) + "/ini/" + name;
}

struct Lookup {
  const char* section;
  const char* key;
  const char* value;
};

// The same language file as UTF-8, UTF-8 with a mark, UTF-16LE with a mark and with LF ends.
const Lookup kLookups[] = {
    {"String", "1", "Device settings"},
    {"STRING", "1", "Device settings"},  // sections and keys without regard to case
    {"string", "2", "\xE8\xAE\xBE\xE7\xBD\xAE"},
    {"String", "quoted", "  keep inner blanks  "},  // a pair of quotes is dropped
    {"String", "single", "x"},
    {"String", "half", "\"open"},
    {"String", "empty", ""},
    {"String", "dup", "first"},  // the first match wins
    {"String", "novalue", ""},
    {"String", "3", ""},  // only in a repeated section, which is not read
    {"Other Section", "KEY", "other"},
    {"String", "missing", ""},
    {"Missing", "1", ""},
    {"", "1", ""},
};

class IniEncodings : public ::testing::TestWithParam<const char*> {};

TEST_P(IniEncodings, LookupsMatchAcrossEncodings) {
  const std::string path = Fixture(GetParam());
  IniFile file;
  ASSERT_TRUE(file.Load(path));
  for (const Lookup& l : kLookups) {
    EXPECT_EQ(file.Get(l.section, l.key), l.value) << l.section << "/" << l.key;
    EXPECT_EQ(ReadIniString(path, l.section, l.key), l.value) << l.section << "/" << l.key;
  }
  EXPECT_TRUE(file.Has("String", "empty"));
  EXPECT_FALSE(file.Has("String", "missing"));
}

INSTANTIATE_TEST_SUITE_P(Files, IniEncodings,
                         ::testing::Values("lang_utf8.lan", "lang_utf8_bom.lan",
                                           "lang_utf16le.lan", "lang_lf.lan"));

TEST(IniFile, MissingFileGivesEmpty) {
  IniFile file;
  EXPECT_FALSE(file.Load(Fixture("no_such_file.lan")));
  EXPECT_EQ(file.Get("String", "1"), "");
  EXPECT_EQ(ReadIniString(Fixture("no_such_file.lan"), "String", "1"), "");
}

TEST(IniFile, BytesThatAreNotUtf8ReadAsTheSystemCodePage) {
  EXPECT_EQ(ReadIniString(Fixture("lang_ansi.lan"), "String", "1"), "caf\xC3\xA9");
}

TEST(IniFile, LongValuesAreCutTo259Characters) {
  IniFile file;
  std::string long_value;
  for (int i = 0; i < 300; ++i) long_value += "\xE4\xB8\xAD";  // 3 bytes, one character
  file.Parse("[s]\nk=" + long_value + "\nexact=" + std::string(259, 'x') + "\n");
  std::string expected;
  for (int i = 0; i < 259; ++i) expected += "\xE4\xB8\xAD";
  EXPECT_EQ(file.Get("s", "k"), expected);
  EXPECT_EQ(file.Get("s", "exact"), std::string(259, 'x'));
}

TEST(IniFile, KeysBeforeAnySectionAndOddLines) {
  IniFile file;
  file.Parse("orphan=1\r\n[s\r\nk=v\r\n[t]x\r\n=novalue\r\n a b = c d \r\n");
  EXPECT_EQ(file.Get("", "orphan"), "");
  EXPECT_EQ(file.Get("s", "k"), "v");  // a section line without ']' still names the section
  EXPECT_EQ(file.Get("t", ""), "");
  EXPECT_EQ(file.Get("t", "a b"), "c d");
}

TEST(IniFile, UpToDateFollowsTheFile) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("corvatt_ini_" + std::to_string(::getpid()) + ".lan"))
                               .string();
  std::ofstream(path, std::ios::binary) << "[String]\n1=old\n";
  IniFile file;
  EXPECT_FALSE(file.IsUpToDate());  // nothing loaded yet
  ASSERT_TRUE(file.Load(path));
  EXPECT_TRUE(file.IsUpToDate());
  EXPECT_EQ(file.Path(), path);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::ofstream(path, std::ios::binary) << "[String]\n1=newer\n";
  EXPECT_FALSE(file.IsUpToDate());
  EXPECT_EQ(file.Get("String", "1"), "old");
  ASSERT_TRUE(file.Load(path));
  EXPECT_EQ(file.Get("String", "1"), "newer");
  std::filesystem::remove(path);
  EXPECT_FALSE(file.IsUpToDate());
}

}  // namespace
}  // namespace corvatt
