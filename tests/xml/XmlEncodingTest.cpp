#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "common/xml/XmlDocument.h"

namespace corvatt {
namespace {

class XmlEncoding : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(m_dir); }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (m_dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  std::string Path(const std::string& name) { return (m_dir / name).string(); }

  std::filesystem::path m_dir = std::filesystem::temp_directory_path() /
                                ("corvatt_xmlenc_" + std::to_string(::getpid()));
};

std::string Utf16(const std::string& ascii_and_units, bool big_endian) {
  std::string out;
  for (char c : ascii_and_units) {
    if (big_endian) {
      out.push_back('\0');
      out.push_back(c);
    } else {
      out.push_back(c);
      out.push_back('\0');
    }
  }
  return out;
}

// "<r v="é中"/>" in several forms.
const std::string kValue = "\xC3\xA9\xE4\xB8\xAD";

TEST_F(XmlEncoding, ByteOrderMarksAndDeclaredUtf8LoadAlike) {
  const std::string body_ascii_start = "<r v=\"";
  const std::string body_end = "\"/>";
  // UTF-16 code units of é (00E9) and 中 (4E2D).
  const std::string le = Utf16(body_ascii_start, false) + std::string("\xE9\x00\x2D\x4E", 4) +
                         Utf16(body_end, false);
  const std::string be = Utf16(body_ascii_start, true) + std::string("\x00\xE9\x4E\x2D", 4) +
                         Utf16(body_end, true);
  struct Case {
    const char* name;
    std::string bytes;
    const char* encoding;
  };
  const Case cases[] = {
      {"bom8.xml", "\xEF\xBB\xBF<r v=\"" + kValue + "\"/>", "UTF-8"},
      {"bom16le.xml", "\xFF\xFE" + le, "UTF-16LE"},
      {"bom16be.xml", "\xFE\xFF" + be, "UTF-16BE"},
      {"decl.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"" + kValue + "\"/>", "UTF-8"},
      {"nodecl.xml", "<r v=\"" + kValue + "\"/>", "UTF-8"},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write(c.name, c.bytes))) << c.name;
    EXPECT_EQ(doc.GetEncoding(), c.encoding) << c.name;
    ASSERT_TRUE(doc.FindElement("r")) << c.name;
    EXPECT_EQ(doc.GetAttribute("v"), kValue) << c.name;
    EXPECT_EQ(doc.GetText().substr(doc.GetText().rfind("<r ")), "<r v=\"" + kValue + "\"/>");
  }
}

TEST_F(XmlEncoding, DeclaredEncodingsAreConverted) {
  struct Case {
    const char* declared;
    std::string raw_value;
    std::string utf8_value;
  };
  const Case cases[] = {
      {"windows-1252", "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
      {"ISO-8859-1", "\xE9", "\xC3\xA9"},
      {"latin1", "\xE9", "\xC3\xA9"},
      {"gb2312", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"GBK", "\xD6\xD0", "\xE4\xB8\xAD"},
      {"big5", "\xA4\xA4", "\xE4\xB8\xAD"},
      {"Shift_JIS", "\x93\xFA", "\xE6\x97\xA5"},
      {"ks_c_5601-1987", "\xC7\xD1", "\xED\x95\x9C"},
      {"euc-kr", "\xC7\xD1", "\xED\x95\x9C"},
      {"koi8-r", "\xF0", "\xD0\x9F"},
      {"us-ascii", "abc", "abc"},
  };
  for (const Case& c : cases) {
    const std::string bytes = std::string("<?xml version=\"1.0\" encoding=\"") + c.declared +
                              "\"?>\r\n<r v=\"" + c.raw_value + "\"/>\r\n";
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write("declared.xml", bytes))) << c.declared;
    EXPECT_EQ(doc.GetEncoding(), c.declared);
    ASSERT_TRUE(doc.FindElement("r")) << c.declared;
    EXPECT_EQ(doc.GetAttribute("v"), c.utf8_value) << c.declared;
  }
}

TEST_F(XmlEncoding, HtmlMetaCharset) {
  const std::string bytes =
      "<!DOCTYPE html><HTML><HEAD><META http-equiv=\"content-type\" "
      "CONTENT=\"text/html; charset=windows-1251\"></HEAD><body title=\"\xCF\"></body></HTML>";
  XmlDocument doc;
  doc.LoadFile(Write("page.html", bytes));
  EXPECT_EQ(doc.GetEncoding(), "windows-1251");
  ASSERT_TRUE(doc.FindElement("HTML"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("body"));
  EXPECT_EQ(doc.GetAttribute("title"), "\xD0\x9F");  // П
  // A meta outside <head> declares nothing.
  XmlDocument outside;
  outside.LoadFile(Write("page2.html",
                         "x<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">"
                         "<html></html>"));
  EXPECT_EQ(outside.GetEncoding(), "UTF-8");
}

TEST_F(XmlEncoding, UndeclaredBytesThatAreNotUtf8UseTheSystemCodePage) {
  XmlDocument doc;
  EXPECT_TRUE(doc.LoadFile(Write("ansi.xml", " <r v=\"caf\xE9\"/>")));
  EXPECT_EQ(doc.GetEncoding(), "");
  ASSERT_TRUE(doc.FindElement("r"));
  EXPECT_EQ(doc.GetAttribute("v"), "caf\xC3\xA9");
  // Valid UTF-8 without a declaration, not starting with '<', is UTF-8; a sequence cut off by
  // the end of the file still counts as valid.
  XmlDocument utf8;
  EXPECT_TRUE(utf8.LoadFile(Write("u8.xml", "\n<r v=\"" + kValue + "\"/>\xE4\xB8")));
  EXPECT_EQ(utf8.GetEncoding(), "UTF-8");
  ASSERT_TRUE(utf8.FindElement("r"));
  EXPECT_EQ(utf8.GetAttribute("v"), kValue);
}

TEST_F(XmlEncoding, ZeroBytesAreDropped) {
  XmlDocument doc;
  EXPECT_TRUE(doc.LoadFile(Write("zeros.xml", std::string("<r\0 v=\"a\0b\"/>\0", 14))));
  EXPECT_EQ(doc.GetText(), "<r v=\"ab\"/>");
  // A UTF-16LE file without a mark, ASCII only, reads through the same rule.
  XmlDocument wide;
  EXPECT_TRUE(wide.LoadFile(Write("nomark16.xml", Utf16("<r v=\"x\"/>", false))));
  ASSERT_TRUE(wide.FindElement("r"));
  EXPECT_EQ(wide.GetAttribute("v"), "x");
  // Zero units in a 16-bit file are dropped too.
  XmlDocument units;
  EXPECT_TRUE(units.LoadFile(Write("zero16.xml", "\xFF\xFE" + Utf16("<r/>", false) +
                                                     std::string(2, '\0'))));
  EXPECT_EQ(units.GetText(), "<r/>");
}

TEST_F(XmlEncoding, SaveUsesTheDeclaredEncoding) {
  XmlDocument doc("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r/>\r\n");
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.SetAttribute("v", "caf\xC3\xA9 \xE4\xB8\xAD"));
  ASSERT_TRUE(doc.SaveFile(Path("out1252.xml")));
  EXPECT_EQ(Read(Path("out1252.xml")),
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r v=\"caf\xE9 ?\"/>\r\n");
  // No declaration: UTF-8, and a built document gets no mark.
  XmlDocument plain("<r v=\"\xC3\xA9\"/>");
  ASSERT_TRUE(plain.SaveFile(Path("plain.xml")));
  EXPECT_EQ(Read(Path("plain.xml")), "<r v=\"\xC3\xA9\"/>");
}

TEST_F(XmlEncoding, SaveKeepsTheMarkOfTheLoadedFile) {
  XmlDocument bom8;
  ASSERT_TRUE(bom8.LoadFile(Write("in8.xml", "\xEF\xBB\xBF<r/>")));
  ASSERT_TRUE(bom8.SaveFile(Path("out8.xml")));
  EXPECT_EQ(Read(Path("out8.xml")), "\xEF\xBB\xBF<r/>");

  const std::string le = "\xFF\xFE" + Utf16("<r v=\"", false) + std::string("\x2D\x4E", 2) +
                         Utf16("\"/>", false);
  XmlDocument bom16;
  ASSERT_TRUE(bom16.LoadFile(Write("in16.xml", le)));
  ASSERT_TRUE(bom16.SaveFile(Path("out16.xml")));
  EXPECT_EQ(Read(Path("out16.xml")), le);

  const std::string be = "\xFE\xFF" + Utf16("<r/>", true);
  XmlDocument bom16be;
  ASSERT_TRUE(bom16be.LoadFile(Write("in16be.xml", be)));
  ASSERT_TRUE(bom16be.SaveFile(Path("out16be.xml")));
  EXPECT_EQ(Read(Path("out16be.xml")), be);
}

// A UTF-8 mark in front of a file that declares an 8-bit code page: the saved file gets no
// mark, because a mark would make the file read back as UTF-8 and lose its characters.
TEST_F(XmlEncoding, NoUtf8MarkInFrontOfCodePageText) {
  XmlDocument doc;
  doc.LoadFile(Write("mixed.xml",
                     "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"\xC3\xA9\"/>"));
  ASSERT_TRUE(doc.SaveFile(Path("mixed_out.xml")));
  EXPECT_EQ(Read(Path("mixed_out.xml")),
            "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"\xE9\"/>");
  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(Path("mixed_out.xml")));
  ASSERT_TRUE(back.FindElement("r"));
  EXPECT_EQ(back.GetAttribute("v"), "\xC3\xA9");
}

// A file whose declaration could be read from 8-bit bytes is 8-bit, whatever it declares; and a
// document declaring UTF-16 is saved with a mark so that it reads back.
TEST_F(XmlEncoding, DeclaredUtf16) {
  const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r v=\"" + kValue + "\"/>";
  XmlDocument doc;
  EXPECT_TRUE(doc.LoadFile(Write("says16.xml", text)));
  ASSERT_TRUE(doc.FindElement("r"));
  EXPECT_EQ(doc.GetAttribute("v"), kValue);

  XmlDocument built(text);
  ASSERT_TRUE(built.SaveFile(Path("built16.xml")));
  const std::string saved = Read(Path("built16.xml"));
  EXPECT_EQ(saved.substr(0, 4), std::string("\xFF\xFE<\0", 4));
  XmlDocument back;
  EXPECT_TRUE(back.LoadFile(Path("built16.xml")));
  EXPECT_EQ(back.GetText(), text);
}

TEST(XmlEncodingNames, CodePagesOfNames) {
  struct Case {
    const char* name;
    int code_page;
  };
  const Case cases[] = {
      {"utf-8", 65001},         {"UTF8", 65001},        {"cp65001", 65001},
      {"utf-16", 1200},         {"UTF-16LE", 1200},     {"unicode", 1200},
      {"ucs-2", 1200},          {"utf-16be", 1201},     {"us-ascii", 20127},
      {"ISO-8859-1", 28591},    {"Latin1", 28591},      {"windows-1252", 1252},
      {"gb2312", 936},          {"GBK", 936},           {"big5", 950},
      {"Shift_JIS", 932},       {"sjis", 932},          {"ks_c_5601-1987", 949},
      {"EUC-KR", 51949},        {"koi8-r", 20866},      {"iso-8859-15", 28605},
      {" utf-8 ", 65001},       {"", 0},                {"no-such-charset", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XmlDocument::CodePageOfEncoding(c.name), c.code_page) << c.name;
  }
}

}  // namespace
}  // namespace corvatt
