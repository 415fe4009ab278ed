#include "common/xml/XmlDocument.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/xml/HtmlEntities.h"

namespace corvatt {
namespace {

const char kDecl[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("corvatt_xml_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

TEST(XmlBuild, WrittenLayout) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(kDecl));  // no element yet
  ASSERT_TRUE(doc.AddElement("config"));
  EXPECT_EQ(doc.GetText(), std::string(kDecl) + "<config/>\r\n");
  EXPECT_TRUE(doc.IsWellFormed());
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AddElement("a"));
  EXPECT_TRUE(doc.SetAttribute("x", 1));
  EXPECT_EQ(doc.GetText(), std::string(kDecl) + "<config>\r\n<a x=\"1\"/>\r\n</config>\r\n");
  ASSERT_TRUE(doc.AddElement("b"));
  EXPECT_TRUE(doc.SetAttribute("name", "two"));
  EXPECT_TRUE(doc.SetAttribute("x", -7));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AddElement("c"));
  ASSERT_TRUE(doc.AddElement("d"));
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.AddElement("e"));
  EXPECT_EQ(doc.GetText(), std::string(kDecl) +
                               "<config>\r\n"
                               "<a x=\"1\"/>\r\n"
                               "<b name=\"two\" x=\"-7\">\r\n"
                               "<c/>\r\n"
                               "<d/>\r\n"
                               "</b>\r\n"
                               "<e/>\r\n"
                               "</config>\r\n");
  EXPECT_TRUE(doc.IsWellFormed());
  EXPECT_EQ(doc.ElementCount(), 6u);
}

TEST(XmlBuild, FirstChildTurnsOneLineIntoThree) {
  XmlDocument doc("<a k=\"v\"/>\r\n");
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AddElement("b"));
  EXPECT_EQ(doc.GetText(), "<a k=\"v\">\r\n<b/>\r\n</a>\r\n");
  // A blank before the slash stays where it was.
  XmlDocument spaced("<a />\r\n");
  ASSERT_TRUE(spaced.FindElement("a"));
  ASSERT_TRUE(spaced.EnterElement());
  ASSERT_TRUE(spaced.AddElement("b"));
  EXPECT_EQ(spaced.GetText(), "<a >\r\n<b/>\r\n</a>\r\n");
}

TEST(XmlBuild, AddElementAfterCurrentInTheMiddle) {
  XmlDocument doc("<r>\r\n<a/>\r\n<c/>\r\n</r>\r\n");
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.AddElement("b"));
  EXPECT_TRUE(doc.SetAttribute("n", 2));
  EXPECT_EQ(doc.GetText(), "<r>\r\n<a/>\r\n<b n=\"2\"/>\r\n<c/>\r\n</r>\r\n");
  // The cursor is on b: the next search sees c, the new element sits in the sibling chain.
  EXPECT_TRUE(doc.FindElement("c"));
  doc.ResetPos();
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement("b"));
  EXPECT_EQ(doc.GetAttribute("n"), "2");
  EXPECT_TRUE(doc.FindElement("c"));
  EXPECT_FALSE(doc.FindElement("a"));
}

TEST(XmlBuild, AppendWithNoCurrentGoesToTheEndOfTheLevel) {
  XmlDocument doc("<r>\n  <a/>\n  <b/>\n</r>\n");
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AddElement("z"));
  EXPECT_EQ(doc.GetText(), "<r>\n  <a/>\n  <b/>\n<z/>\r\n</r>\n");
  // An element written with an end tag and nothing inside.
  XmlDocument open_close("<r></r>");
  ASSERT_TRUE(open_close.FindElement("r"));
  ASSERT_TRUE(open_close.EnterElement());
  ASSERT_TRUE(open_close.AddElement("x"));
  EXPECT_EQ(open_close.GetText(), "<r>\r\n<x/>\r\n</r>");
}

TEST(XmlBuild, RejectsNamesThatWouldBreakTheText) {
  XmlDocument doc("<a/>");
  ASSERT_TRUE(doc.FindElement("a"));
  for (const char* bad : {"", "x y", "x>", "x\"", "x=", "<x", "x/", "1x", "x&y"}) {
    EXPECT_FALSE(doc.SetAttribute(bad, "v")) << bad;
    EXPECT_FALSE(doc.AddElement(bad)) << bad;
  }
  EXPECT_EQ(doc.GetText(), "<a/>");
  EXPECT_TRUE(doc.SetAttribute("ns:x-y.z_1", "v"));
}

TEST(XmlAttributes, EscapingRoundTrip) {
  XmlDocument doc("<a/>");
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.SetAttribute("v", "<&>'\""));
  EXPECT_EQ(doc.GetText(), "<a v=\"&lt;&amp;&gt;&apos;&quot;\"/>");
  EXPECT_EQ(doc.GetAttribute("v"), "<&>'\"");
  // An ampersand that already begins a reference is escaped too.
  ASSERT_TRUE(doc.SetAttribute("v", "&amp;"));
  EXPECT_EQ(doc.GetText(), "<a v=\"&amp;amp;\"/>");
  EXPECT_EQ(doc.GetAttribute("v"), "&amp;");
}

TEST(XmlAttributes, ReplaceKeepsOrderAndQuotes) {
  XmlDocument doc("<a one='1' two = \"2\" flag three=3 />");
  ASSERT_TRUE(doc.FindElement("a"));
  EXPECT_EQ(doc.GetAttribute("one"), "1");
  EXPECT_EQ(doc.GetAttribute("two"), "2");
  EXPECT_EQ(doc.GetAttribute("three"), "3");
  EXPECT_EQ(doc.GetAttribute("flag"), "");
  EXPECT_EQ(doc.GetAttribute("missing"), "");
  EXPECT_EQ(doc.GetAttribute("ONE"), "");  // names are case-sensitive
  ASSERT_TRUE(doc.SetAttribute("one", "x'y"));
  ASSERT_TRUE(doc.SetAttribute("two", 22));
  ASSERT_TRUE(doc.SetAttribute("three", "33"));
  ASSERT_TRUE(doc.SetAttribute("flag", "on"));
  ASSERT_TRUE(doc.SetAttribute("four", "4"));
  EXPECT_EQ(doc.GetText(),
            "<a one='x&apos;y' two = \"22\" flag=\"on\" three=\"33\" four=\"4\" />");
  EXPECT_EQ(doc.GetAttribute("one"), "x'y");
}

// Start tags a damaged or hand-written file may hold: the new attribute always lands inside
// the tag, outside any quoted text.
TEST(XmlAttributes, SetOnOddStartTags) {
  struct Case {
    const char* text;
    const char* edited;
  };
  const Case cases[] = {
      {"<a x=1/>", "<a x=1 k=\"v\"/>"},
      {"<a x></a>", "<a x k=\"v\"></a>"},
      {"<a \"y=\"/>", "<a \"y=\" k=\"v\"/>"},
      {"<a x='1' / >", "<a x='1' k=\"v\" / >"},
      {"<a\r\n\tx=\"1\"\r\n/>", "<a\r\n\tx=\"1\" k=\"v\"\r\n/>"},
  };
  for (const Case& c : cases) {
    XmlDocument doc(c.text);
    ASSERT_TRUE(doc.FindElement("a")) << c.text;
    ASSERT_TRUE(doc.SetAttribute("k", "v")) << c.text;
    EXPECT_EQ(doc.GetText(), c.edited) << c.text;
    EXPECT_EQ(doc.GetAttribute("k"), "v") << c.text;
  }
}

TEST(XmlDocumentValue, CopiesAreIndependent) {
  XmlDocument doc("<r><a/></r>");
  ASSERT_TRUE(doc.FindElement("r"));
  XmlDocument copy = doc;
  ASSERT_TRUE(copy.SetAttribute("k", "copy"));
  EXPECT_EQ(doc.GetText(), "<r><a/></r>");
  EXPECT_EQ(copy.GetText(), "<r k=\"copy\"><a/></r>");
  ASSERT_TRUE(copy.EnterElement());
  EXPECT_TRUE(copy.FindElement("a"));
}

TEST(XmlAttributes, ValuesWithMarkupCharactersInsideQuotes) {
  XmlDocument doc("<r><a v=\"x>y/>\" w='\"'/><b/></r>");
  EXPECT_TRUE(doc.IsWellFormed());
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("a"));
  EXPECT_EQ(doc.GetAttribute("v"), "x>y/>");
  EXPECT_EQ(doc.GetAttribute("w"), "\"");
  EXPECT_TRUE(doc.FindElement("b"));
}

TEST(XmlAttributes, NoCurrentElement) {
  XmlDocument doc("<a v=\"1\"/>");
  EXPECT_EQ(doc.GetAttribute("v"), "");
  EXPECT_FALSE(doc.SetAttribute("v", "2"));
  EXPECT_EQ(doc.GetText(), "<a v=\"1\"/>");
}

TEST(XmlAttributes, ReferencesResolved) {
  struct Case {
    const char* raw;
    const char* value;
  };
  const Case cases[] = {
      {"&lt;&gt;&amp;&quot;&apos;", "<>&\"'"},
      {"&#65;&#x42;&#X43;&#x1F600;", "ABC\xF0\x9F\x98\x80"},
      {"&nbsp;&copy;&euro;", "\xC2\xA0\xC2\xA9\xE2\x82\xAC"},
      {"&Agrave;&agrave;", "\xC3\x80\xC3\xA0"},
      {"&thetasym;&hArr;&diams;", "\xCF\x91\xE2\x87\x94\xE2\x99\xA6"},
      // Left as written: unknown names, wrong case, no semicolon, no digits, bad code points.
      {"&nosuch;", "&nosuch;"},
      {"&EURO;", "&EURO;"},
      {"&amp", "&amp"},
      {"a & b", "a & b"},
      {"&#;&#x;&#xZZ;", "&#;&#x;&#xZZ;"},
      {"&#0;&#xD800;&#x110000;&#99999999999;", "&#0;&#xD800;&#x110000;&#99999999999;"},
      {"&&lt;", "&<"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XmlDocument::UnescapeAttribute(c.raw), c.value) << c.raw;
    XmlDocument doc(std::string("<a v=\"") + c.raw + "\"/>");
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(doc.GetAttribute("v"), c.value) << c.raw;
  }
}

TEST(XmlAttributes, NamedReferenceTableIsComplete) {
  // The five XML names and the 252 of HTML 4 (amp, lt, gt and quot are in both).
  EXPECT_EQ(NamedReferenceCount(), 253u);
  char32_t cp = 0;
  std::string previous;
  for (std::size_t i = 0; i < NamedReferenceCount(); ++i) {
    const std::string name(NamedReferenceName(i, cp));
    EXPECT_LT(previous, name);  // sorted and unique, as the lookup needs
    EXPECT_EQ(LookupNamedReference(name), cp) << name;
    previous = name;
  }
}

// Every name decoded by xmllint's HTML parser gives the same character.
TEST(XmlAttributes, NamedReferencesAgreeWithXmllint) {
  if (std::system("xmllint --version >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "xmllint is not installed";
  }
  // One paragraph holding every reference, separated by '|', read back in one call.
  std::string html = "<html><body><p>";
  std::vector<std::string> names;
  char32_t cp = 0;
  for (std::size_t i = 0; i < NamedReferenceCount(); ++i) {
    names.emplace_back(NamedReferenceName(i, cp));
    html += "&" + names.back() + ";|";
  }
  html += "</p></body></html>";
  const std::string in = TempPath("entities.html");
  {
    std::FILE* f = std::fopen(in.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(html.data(), 1, html.size(), f);
    std::fclose(f);
  }
  const std::string cmd = "xmllint --html --xpath 'string(//p)' '" + in + "' 2>/dev/null";
  std::FILE* p = ::popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[4096];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, got);
  ::pclose(p);
  std::size_t pos = 0;
  for (const std::string& name : names) {
    const std::size_t bar = out.find('|', pos);
    ASSERT_NE(bar, std::string::npos) << name;
    EXPECT_EQ(XmlDocument::UnescapeAttribute("&" + name + ";"), out.substr(pos, bar - pos))
        << name;
    pos = bar + 1;
  }
  std::remove(in.c_str());
}

TEST(XmlCursor, FindOnlyMovesForward) {
  XmlDocument doc("<r><A id='1'/><B id='2'/><A id='3'/></r>");
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("B"));
  EXPECT_EQ(doc.GetAttribute("id"), "2");
  // The A before B is not seen; the one after it is.
  ASSERT_TRUE(doc.FindElement("A"));
  EXPECT_EQ(doc.GetAttribute("id"), "3");
  EXPECT_FALSE(doc.FindElement("B"));
  EXPECT_EQ(doc.GetAttribute("id"), "3");  // a failed search leaves the cursor
  EXPECT_FALSE(doc.FindElement("a"));      // case-sensitive
}

TEST(XmlCursor, EnterAndLeave) {
  XmlDocument doc("<r><s><i n='1'/><i n='2'/></s><t/><s><i n='3'/></s></r>");
  EXPECT_FALSE(doc.EnterElement());  // no current element
  EXPECT_FALSE(doc.LeaveElement());  // already at the document level
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("s"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("i"));
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.GetName(), "s");
  // Entering again resumes after the child last visited.
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("i"));
  EXPECT_EQ(doc.GetAttribute("n"), "2");
  EXPECT_FALSE(doc.FindElement("i"));
  ASSERT_TRUE(doc.LeaveElement());
  // After leaving, the search goes on with the siblings that follow.
  ASSERT_TRUE(doc.FindElement("s"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("i"));
  EXPECT_EQ(doc.GetAttribute("n"), "3");
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.GetName(), "r");
  EXPECT_FALSE(doc.LeaveElement());
  // A new FindElement clears the resume point.
  XmlDocument again("<r><i n='1'/><i n='2'/></r>");
  ASSERT_TRUE(again.FindElement("r"));
  ASSERT_TRUE(again.EnterElement());
  ASSERT_TRUE(again.FindElement("i"));
  ASSERT_TRUE(again.LeaveElement());
  EXPECT_FALSE(again.FindElement("r"));
  ASSERT_TRUE(again.EnterElement());
  EXPECT_TRUE(again.FindElement("i"));
  EXPECT_EQ(again.GetAttribute("n"), "2");
}

TEST(XmlParse, TextIsKeptExactly) {
  const std::string text =
      "\xEF\xBB\xBF<?xml version='1.0'?>\n<!DOCTYPE r [ <!ELEMENT r ANY> <!ATTLIST r a CDATA \">\"> ]>\n"
      "<!-- <fake/> -->\n<r a=\"1\">text <![CDATA[<also fake/>]]>\n\t<?pi <fake/>?><c/>  tail\n</r>\n"
      "<!-- after -->";
  XmlDocument doc(text);
  EXPECT_TRUE(doc.IsWellFormed());
  EXPECT_EQ(doc.GetText(), text);
  EXPECT_EQ(doc.ElementCount(), 2u);
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.SetAttribute("b", "2"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("c"));
  ASSERT_TRUE(doc.AddElement("d"));
  std::string expected = text;
  expected.replace(expected.find("<r a=\"1\">"), 9, "<r a=\"1\" b=\"2\">");
  expected.replace(expected.find("<c/>"), 4, "<c/><d/>\r\n");
  EXPECT_EQ(doc.GetText(), expected);
}

TEST(XmlParse, DamagedTreeStaysWalkable) {
  // b is never ended, a stray end tag follows, the last tag is cut off.
  XmlDocument doc("<a><b x='1'><c y='2'/></q></a><d");
  EXPECT_FALSE(doc.IsWellFormed());
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("b"));
  EXPECT_EQ(doc.GetAttribute("x"), "1");
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("c"));
  EXPECT_EQ(doc.GetAttribute("y"), "2");
  EXPECT_EQ(doc.GetText(), "<a><b x='1'><c y='2'/></q></a><d");
}

// A random well-formed element: names a, b, c, attributes in either quotes, text, comments,
// CDATA sections and processing instructions between the children.
std::string RandomElement(std::mt19937& rng, int depth) {
  static const char* const kNames[] = {"a", "b", "c"};
  static const char* const kBetween[] = {"", "\r\n", "text", "<!-- <a> -->", "<![CDATA[</b>]]>",
                                         "<?p <c/> ?>", " &amp; "};
  const std::string name = kNames[rng() % 3];
  std::string out = "<" + name;
  if (rng() % 2) out += " x='1>2'";
  if (rng() % 2) out += " y=\"/>\"";
  const int children = depth > 3 ? 0 : static_cast<int>(rng() % 4);
  if (children == 0 && rng() % 2) return out + "/>";
  out += ">";
  for (int i = 0; i < children; ++i) {
    out += kBetween[rng() % std::size(kBetween)];
    out += RandomElement(rng, depth + 1);
  }
  out += kBetween[rng() % std::size(kBetween)];
  return out + "</" + name + ">";
}

// Random documents, half of them damaged by fragments put in at random places: the parse keeps
// every byte, edits never fail, and an edited well-formed text parses back to the same tree.
TEST(XmlParse, RandomDocumentsAreKeptAndEditable) {
  const char* const fragments[] = {
      "<a>", "</a>", "<b x='1'>", "</b>", "<c/>", "<!--", "-->", "<![CDATA[", "]]>", "<?p",
      "?>", "<!DOCTYPE a [", "]>", "\"", "'", "<", ">", "&amp;", "/>", "<a v=\"", "</q>"};
  std::mt19937 rng(20261211);
  int well_formed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = "<?xml version=\"1.0\"?>\r\n" + RandomElement(rng, 0) + "\r\n";
    if (round % 2) {
      const int damage = 1 + static_cast<int>(rng() % 3);
      for (int i = 0; i < damage; ++i) {
        text.insert(rng() % (text.size() + 1), fragments[rng() % std::size(fragments)]);
      }
    }
    XmlDocument doc(text);
    ASSERT_EQ(doc.GetText(), text);
    const bool was_well_formed = doc.IsWellFormed();
    const std::size_t before = doc.ElementCount();
    std::size_t added = 0;
    if (doc.FindElement("a") || doc.FindElement("b") || doc.FindElement("c")) {
      ASSERT_TRUE(doc.EnterElement());
      for (const char* name : {"a", "b", "c"}) {
        if (!doc.FindElement(name)) continue;
        ASSERT_TRUE(doc.SetAttribute("k", "v&"));
        ASSERT_TRUE(doc.EnterElement());
        ASSERT_TRUE(doc.AddElement("n"));
        ++added;
        ASSERT_TRUE(doc.LeaveElement());
      }
      ASSERT_TRUE(doc.AddElement("m"));
      ++added;
    }
    EXPECT_EQ(doc.ElementCount(), before + added);
    if (was_well_formed) {
      ++well_formed;
      XmlDocument again(doc.GetText());
      EXPECT_TRUE(again.IsWellFormed()) << text;
      EXPECT_EQ(again.ElementCount(), doc.ElementCount()) << text;
    }
  }
  EXPECT_GT(well_formed, 1500);  // both paths are reached
  EXPECT_LT(well_formed, 3000);
}

TEST(XmlParse, WellFormednessAfterEdits) {
  XmlDocument doc;
  EXPECT_FALSE(doc.IsWellFormed());
  ASSERT_TRUE(doc.AddElement("r"));
  EXPECT_TRUE(doc.IsWellFormed());
  ASSERT_TRUE(doc.AddElement("second"));
  EXPECT_FALSE(doc.IsWellFormed());
  XmlDocument broken("<a><b></a>");
  ASSERT_TRUE(broken.FindElement("a"));
  ASSERT_TRUE(broken.SetAttribute("k", "v"));
  EXPECT_FALSE(broken.IsWellFormed());
}

TEST(XmlFile, BuildSaveLoadWalk) {
  XmlDocument doc;
  doc.SetText(kDecl);
  ASSERT_TRUE(doc.AddElement("macro_file"));
  ASSERT_TRUE(doc.EnterElement());
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(doc.AddElement("macro"));
    ASSERT_TRUE(doc.SetAttribute("index", i));
    ASSERT_TRUE(doc.SetAttribute("name", "M\xC3\xA4kro \xE4\xB8\xAD <" + std::to_string(i) + ">"));
    ASSERT_TRUE(doc.EnterElement());
    for (int k = 0; k < i; ++k) {
      ASSERT_TRUE(doc.AddElement("event"));
      ASSERT_TRUE(doc.SetAttribute("delay", k * 10));
    }
    ASSERT_TRUE(doc.LeaveElement());
  }
  const std::string path = TempPath("round.xml");
  ASSERT_TRUE(doc.SaveFile(path));

  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(path));
  EXPECT_EQ(back.GetEncoding(), "UTF-8");
  EXPECT_EQ(back.GetText(), doc.GetText());
  ASSERT_TRUE(back.FindElement("macro_file"));
  ASSERT_TRUE(back.EnterElement());
  int count = 0;
  while (back.FindElement("macro")) {
    EXPECT_EQ(back.GetAttribute("index"), std::to_string(count));
    EXPECT_EQ(back.GetAttribute("name"),
              "M\xC3\xA4kro \xE4\xB8\xAD <" + std::to_string(count) + ">");
    ASSERT_TRUE(back.EnterElement());
    int events = 0;
    while (back.FindElement("event")) {
      EXPECT_EQ(back.GetAttribute("delay"), std::to_string(events * 10));
      ++events;
    }
    EXPECT_EQ(events, count);
    ASSERT_TRUE(back.LeaveElement());
    ++count;
  }
  EXPECT_EQ(count, 5);
  std::remove(path.c_str());
}

TEST(XmlFile, ManyEditsKeepTheTextRight) {
  // Enough edits to make the document write its text out afresh several times.
  XmlDocument doc("<r/>");
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  std::string expected_body;
  for (int i = 0; i < 20000; ++i) {
    ASSERT_TRUE(doc.AddElement("item"));
    ASSERT_TRUE(doc.SetAttribute("value", i));
    ASSERT_TRUE(doc.SetAttribute("value", i + 1));
    ASSERT_TRUE(doc.SetAttribute("pad", std::string(40, 'x')));
    expected_body += "<item value=\"" + std::to_string(i + 1) + "\" pad=\"" + std::string(40, 'x') +
                     "\"/>\r\n";
  }
  EXPECT_EQ(doc.GetText(), "<r>\r\n" + expected_body + "</r>");
  EXPECT_TRUE(doc.IsWellFormed());
}

TEST(XmlFile, MissingOrUnwritableFile) {
  XmlDocument doc("<a/>");
  EXPECT_FALSE(doc.LoadFile(TempPath("does_not_exist.xml")));
  EXPECT_EQ(doc.GetText(), "");
  EXPECT_FALSE(doc.FindElement("a"));
  XmlDocument other("<a/>");
  EXPECT_FALSE(other.SaveFile("/nonexistent-dir/x.xml"));
  EXPECT_EQ(other.GetText(), "<a/>");
}

}  // namespace
}  // namespace corvatt
