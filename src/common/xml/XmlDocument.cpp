#include "common/xml/XmlDocument.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/text/Text.h"
#include "common/xml/HtmlEntities.h"

namespace corvatt {

namespace {

constexpr std::size_t kMaxText = 0xFFFFFF00u;
constexpr std::size_t kHeadScan = 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool IsTagNameEnd(char c) { return IsBlank(c) || c == '/' || c == '>'; }

// Names written by SetAttribute and AddElement: no markup characters, so an edit can never
// break the document.
bool IsValidName(std::string_view name) {
  if (name.empty() || !IsNameStart(name[0])) return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::strchr(" <>&'\"/=!?;,()[]{}|\\`^*+$#%@~", c) != nullptr) return false;
  }
  return true;
}

// One attribute in a start tag: offsets into the tag text.
struct AttrSpan {
  std::size_t name_b = 0;
  std::size_t name_e = 0;
  std::size_t val_b = 0;
  std::size_t val_e = 0;
  char quote = 0;  // 0: unquoted or no value
  bool has_value = false;
};

// Walks the attributes of a start tag text ("<name ...>" or "<name .../>"). `visit` returns
// true to stop. Returns the offset just after the last attribute (or after the name), never
// past the closing ">" or "/>". Quotes pair up from left to right as the parser pairs them, so
// the offsets found always stand outside quoted text.
template <class Visit>
std::size_t WalkAttributes(std::string_view tag, std::size_t name_len, Visit visit) {
  const std::size_t n = tag.size();
  std::size_t limit = n;
  if (n >= 2 && tag[n - 1] == '>') limit = tag[n - 2] == '/' ? n - 2 : n - 1;
  auto is_quote = [](char c) { return c == '"' || c == '\''; };
  std::size_t i = std::min(1 + name_len, limit);
  std::size_t last_end = i;
  while (i < limit) {
    while (i < limit && IsBlank(tag[i])) ++i;
    if (i >= limit) break;
    if (tag[i] == '/' || tag[i] == '=' || tag[i] == '>') {
      ++i;  // stray character
      continue;
    }
    if (is_quote(tag[i])) {
      // A quoted run where no value belongs: skip it whole.
      const std::size_t close = tag.find(tag[i], i + 1);
      i = (close == std::string_view::npos || close >= limit) ? limit : close + 1;
      last_end = i;
      continue;
    }
    AttrSpan a;
    a.name_b = i;
    while (i < limit && !IsBlank(tag[i]) && tag[i] != '=' && tag[i] != '>' && tag[i] != '/' &&
           !is_quote(tag[i])) {
      ++i;
    }
    a.name_e = i;
    std::size_t j = i;
    while (j < limit && IsBlank(tag[j])) ++j;
    if (j < limit && tag[j] == '=') {
      ++j;
      while (j < limit && IsBlank(tag[j])) ++j;
      a.has_value = true;
      if (j < limit && is_quote(tag[j])) {
        a.quote = tag[j];
        a.val_b = j + 1;
        std::size_t close = tag.find(a.quote, a.val_b);
        if (close == std::string_view::npos || close >= limit) close = limit;
        a.val_e = close;
        i = std::min(close + 1, limit);
      } else {
        a.val_b = j;
        while (j < limit && !IsBlank(tag[j]) && tag[j] != '>' && !is_quote(tag[j])) ++j;
        a.val_e = j;
        i = j;
      }
    }
    last_end = i;
    if (visit(a)) return last_end;
  }
  return last_end;
}

std::size_t SkipBlanks(std::string_view s, std::size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

// The "encoding" pseudo-attribute of a leading xml declaration.
std::string XmlDeclaredEncoding(std::string_view text) {
  const std::size_t b = SkipBlanks(text, 0);
  if (text.substr(b, 5) != "<?xml" || b + 5 >= text.size() || !IsBlank(text[b + 5])) return {};
  const std::size_t e = text.find("?>", b);
  if (e == std::string_view::npos) return {};
  const std::string_view decl = text.substr(b, e - b);
  std::size_t at = decl.find("encoding");
  while (at != std::string_view::npos) {
    std::size_t i = SkipBlanks(decl, at + 8);
    if (i < decl.size() && decl[i] == '=') {
      i = SkipBlanks(decl, i + 1);
      if (i < decl.size() && (decl[i] == '"' || decl[i] == '\'')) {
        const std::size_t close = decl.find(decl[i], i + 1);
        if (close == std::string_view::npos) return {};
        return text::Trim(decl.substr(i + 1, close - i - 1));
      }
    }
    at = decl.find("encoding", at + 8);
  }
  return {};
}

// The charset of <meta http-equiv="Content-Type" content="...; charset=..."> inside <html> and
// <head>, names compared without regard to case.
std::string HtmlDeclaredCharset(std::string_view text) {
  bool in_html = false;
  bool in_head = false;
  std::size_t i = 0;
  while ((i = text.find('<', i)) != std::string_view::npos) {
    if (text.substr(i, 4) == "<!--") {
      const std::size_t e = text.find("-->", i + 4);
      if (e == std::string_view::npos) return {};
      i = e + 3;
      continue;
    }
    std::size_t e = i + 1;
    char quote = 0;
    for (; e < text.size(); ++e) {
      if (quote) {
        if (text[e] == quote) quote = 0;
      } else if (text[e] == '"' || text[e] == '\'') {
        quote = text[e];
      } else if (text[e] == '>') {
        break;
      }
    }
    if (e >= text.size()) return {};
    const std::string_view tag = text.substr(i, e + 1 - i);
    i = e + 1;
    std::size_t name_len = 0;
    while (1 + name_len < tag.size() && !IsTagNameEnd(tag[1 + name_len])) ++name_len;
    const std::string_view name = tag.substr(1, name_len);
    if (text::EqualsNoCaseAscii(name, "html")) {
      in_html = true;
    } else if (text::EqualsNoCaseAscii(name, "head")) {
      in_head = in_html;
    } else if (in_head && text::EqualsNoCaseAscii(name, "meta")) {
      bool content_type = false;
      std::string_view content;
      WalkAttributes(tag, name_len, [&](const AttrSpan& a) {
        const std::string_view an = tag.substr(a.name_b, a.name_e - a.name_b);
        const std::string_view av = tag.substr(a.val_b, a.val_e - a.val_b);
        if (text::EqualsNoCaseAscii(an, "http-equiv")) {
          content_type = text::EqualsNoCaseAscii(text::Trim(av), "Content-Type");
        } else if (text::EqualsNoCaseAscii(an, "content")) {
          content = av;
        }
        return false;
      });
      if (!content_type) continue;
      const std::string lower = text::ToLowerAscii(content);
      const std::size_t cs = lower.find("charset");
      if (cs == std::string::npos) continue;
      std::size_t k = SkipBlanks(lower, cs + 7);
      if (k >= lower.size() || lower[k] != '=') continue;
      k = SkipBlanks(lower, k + 1);
      std::size_t end = k;
      while (end < content.size() && !IsBlank(content[end]) && content[end] != ';' &&
             content[end] != '"' && content[end] != '\'') {
        ++end;
      }
      return std::string(content.substr(k, end - k));
    }
  }
  return {};
}

struct EncodingName {
  const char* name;
  int code_page;
};

constexpr EncodingName kEncodings[] = {
    {"utf-8", 65001}, {"utf8", 65001}, {"cp65001", 65001}, {"unicode-1-1-utf-8", 65001},
    {"unicode-2-0-utf-8", 65001}, {"x-unicode20utf8", 65001},
    {"utf-16", 1200}, {"utf-16le", 1200}, {"utf16", 1200}, {"unicode", 1200}, {"ucs-2", 1200},
    {"iso-10646-ucs-2", 1200}, {"csunicode", 1200},
    {"utf-16be", 1201}, {"unicodefffe", 1201},
    {"us-ascii", 20127}, {"ascii", 20127}, {"ansi_x3.4-1968", 20127}, {"ansi_x3.4-1986", 20127},
    {"iso646-us", 20127}, {"iso-ir-6", 20127}, {"us", 20127}, {"ibm367", 20127}, {"cp367", 20127},
    {"csascii", 20127},
    {"iso-8859-1", 28591}, {"iso8859-1", 28591}, {"iso_8859-1", 28591},
    {"iso_8859-1:1987", 28591}, {"latin1", 28591}, {"l1", 28591}, {"iso-ir-100", 28591},
    {"ibm819", 28591}, {"cp819", 28591}, {"csisolatin1", 28591},
    {"iso-8859-2", 28592}, {"iso8859-2", 28592}, {"iso_8859-2", 28592}, {"latin2", 28592},
    {"l2", 28592}, {"iso-ir-101", 28592}, {"csisolatin2", 28592},
    {"iso-8859-3", 28593}, {"iso_8859-3", 28593}, {"latin3", 28593}, {"l3", 28593},
    {"csisolatin3", 28593},
    {"iso-8859-4", 28594}, {"iso_8859-4", 28594}, {"latin4", 28594}, {"l4", 28594},
    {"csisolatin4", 28594},
    {"iso-8859-5", 28595}, {"iso_8859-5", 28595}, {"cyrillic", 28595},
    {"csisolatincyrillic", 28595},
    {"iso-8859-6", 28596}, {"iso_8859-6", 28596}, {"arabic", 28596}, {"csisolatinarabic", 28596},
    {"iso-8859-7", 28597}, {"iso_8859-7", 28597}, {"greek", 28597}, {"greek8", 28597},
    {"csisolatingreek", 28597},
    {"iso-8859-8", 28598}, {"iso_8859-8", 28598}, {"hebrew", 28598}, {"csisolatinhebrew", 28598},
    {"iso-8859-9", 28599}, {"iso_8859-9", 28599}, {"latin5", 28599}, {"l5", 28599},
    {"csisolatin5", 28599},
    {"iso-8859-13", 28603}, {"iso_8859-13", 28603},
    {"iso-8859-15", 28605}, {"iso_8859-15", 28605}, {"latin-9", 28605}, {"latin9", 28605},
    {"l9", 28605}, {"csisolatin9", 28605},
    {"windows-1250", 1250}, {"cp1250", 1250}, {"x-cp1250", 1250},
    {"windows-1251", 1251}, {"cp1251", 1251}, {"x-cp1251", 1251},
    {"windows-1252", 1252}, {"cp1252", 1252}, {"x-ansi", 1252},
    {"windows-1253", 1253}, {"cp1253", 1253},
    {"windows-1254", 1254}, {"cp1254", 1254},
    {"windows-1255", 1255}, {"cp1255", 1255},
    {"windows-1256", 1256}, {"cp1256", 1256},
    {"windows-1257", 1257}, {"cp1257", 1257},
    {"windows-1258", 1258}, {"cp1258", 1258},
    {"windows-874", 874}, {"cp874", 874}, {"dos-874", 874}, {"tis-620", 874},
    {"iso-8859-11", 874},
    {"ibm437", 437}, {"cp437", 437}, {"437", 437}, {"cspc8codepage437", 437},
    {"ibm850", 850}, {"cp850", 850}, {"850", 850},
    {"ibm852", 852}, {"cp852", 852}, {"852", 852},
    {"ibm866", 866}, {"cp866", 866}, {"866", 866},
    {"gb2312", 936}, {"gbk", 936}, {"cp936", 936}, {"ms936", 936}, {"windows-936", 936},
    {"gb_2312-80", 936}, {"csgb2312", 936}, {"csgb231280", 936}, {"chinese", 936},
    {"iso-ir-58", 936}, {"x-gbk", 936}, {"euc-cn", 936}, {"x-euc-cn", 936},
    {"gb18030", 54936},
    {"big5", 950}, {"big5-hkscs", 950}, {"cp950", 950}, {"csbig5", 950}, {"x-x-big5", 950},
    {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"ms_kanji", 932},
    {"csshiftjis", 932}, {"x-sjis", 932}, {"windows-31j", 932}, {"cswindows31j", 932},
    {"cp932", 932},
    {"euc-jp", 51932}, {"x-euc-jp", 51932}, {"cseucpkdfmtjapanese", 51932},
    {"iso-2022-jp", 50220}, {"csiso2022jp", 50220},
    {"ks_c_5601-1987", 949}, {"ks_c_5601-1989", 949}, {"ks_c_5601", 949}, {"ksc_5601", 949},
    {"ksc5601", 949}, {"korean", 949}, {"csksc56011987", 949}, {"iso-ir-149", 949},
    {"cp949", 949}, {"windows-949", 949}, {"uhc", 949},
    {"euc-kr", 51949}, {"cseuckr", 51949},
    {"johab", 1361},
    {"koi8-r", 20866}, {"koi8", 20866}, {"koi", 20866}, {"cskoi8r", 20866},
    {"koi8-u", 21866}, {"koi8-ru", 21866},
    {"macintosh", 10000}, {"mac", 10000}, {"csmacintosh", 10000}, {"x-mac-roman", 10000},
};

// Text that would make SaveFile or LoadFile read 16-bit units.
bool IsWideCodePage(int cp) { return cp == 1200 || cp == 1201 || cp == 12000 || cp == 12001; }

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  bytes.clear();
  // The size as far as it can be told, read at once; then whatever follows.
  long size = 0;
  if (std::fseek(f.get(), 0, SEEK_END) == 0) {
    size = std::ftell(f.get());
    std::rewind(f.get());
  }
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f.get()));
  }
  char buf[65536];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.append(buf, got);
  return std::ferror(f.get()) == 0;
}

}  // namespace

XmlDocument::XmlDocument() { Clear(); }

XmlDocument::XmlDocument(std::string_view text) {
  Clear();
  SetText(text);
}

void XmlDocument::Clear() {
  m_buffer.clear();
  m_elems.Reset();
  m_dirty = false;
  m_live = 0;
  m_top_count = 0;
  m_errors = false;
  m_bom = false;
  m_encoding.clear();
  ResetPos();
}

void XmlDocument::ResetPos() {
  m_parent = 0;
  m_current = 0;
  m_child = 0;
}

bool XmlDocument::SetText(std::string_view utf8) {
  if (utf8.size() > kMaxText) {
    const bool bom = m_bom;
    const std::string encoding = m_encoding;
    Clear();
    m_bom = bom;
    m_encoding = encoding;
    return false;
  }
  m_buffer = text::SanitizeUtf8(utf8);
  Parse();
  ResetPos();
  return IsWellFormed();
}

const std::string& XmlDocument::GetText() const {
  if (m_dirty) Rebuild();
  return m_buffer;
}

bool XmlDocument::IsWellFormed() const { return !m_errors && m_top_count == 1; }

std::size_t XmlDocument::ElementCount() const { return m_elems.size() - 1; }

const std::string& XmlDocument::GetEncoding() const { return m_encoding; }

void XmlDocument::Parse() {
  m_elems.Reset();
  m_dirty = false;
  m_top_count = 0;
  m_errors = false;
  const char* p = m_buffer.data();
  const std::size_t n = m_buffer.size();
  m_live = n;

  std::vector<std::uint32_t> stack;
  std::uint32_t sink_elem = 0;
  Field sink_field = Field::kInner;
  std::size_t seg_start = 0;
  auto flush = [&](std::size_t upto) {
    Element& e = m_elems[sink_elem];
    Seg& s = sink_field == Field::kInner ? e.inner : e.after;
    s.off = static_cast<std::uint32_t>(seg_start);
    s.len = static_cast<std::uint32_t>(upto - seg_start);
  };
  auto close_at = [&](std::uint32_t idx, std::size_t at) {
    Element& e = m_elems[idx];
    e.tail = {static_cast<std::uint32_t>(at), 0};
    e.after = {static_cast<std::uint32_t>(at), 0};
    e.ill_formed = true;
    m_errors = true;
  };
  auto find = [&](std::size_t from, const char* what) -> std::size_t {
    const std::string_view rest(p + from, from <= n ? n - from : 0);
    return rest.find(what) == std::string_view::npos ? std::string_view::npos
                                                     : from + rest.find(what);
  };

  std::size_t i = 0;
  while (i < n) {
    const void* lt = std::memchr(p + i, '<', n - i);
    if (lt == nullptr) break;
    const std::size_t t = static_cast<std::size_t>(static_cast<const char*>(lt) - p);
    if (t + 1 >= n) {
      m_errors = true;  // a lone '<' at the end
      break;
    }
    const char c = p[t + 1];
    if (c == '?') {
      const std::size_t e = find(t + 2, "?>");
      if (e == std::string_view::npos) {
        m_errors = true;
        break;
      }
      i = e + 2;
      continue;
    }
    if (c == '!') {
      const std::string_view rest(p + t, n - t);
      std::size_t e = std::string_view::npos;
      std::size_t end_len = 0;
      if (rest.starts_with("<!--")) {
        e = find(t + 4, "-->");
        end_len = 3;
      } else if (rest.starts_with("<![CDATA[")) {
        e = find(t + 9, "]]>");
        end_len = 3;
      } else {
        // Document type declaration: '>' outside quotes and the internal subset.
        int depth = 0;
        char quote = 0;
        for (std::size_t k = t + 2; k < n; ++k) {
          const char d = p[k];
          if (quote) {
            if (d == quote) quote = 0;
          } else if (d == '"' || d == '\'') {
            quote = d;
          } else if (d == '[') {
            ++depth;
          } else if (d == ']') {
            if (depth > 0) --depth;
          } else if (d == '>' && depth == 0) {
            e = k;
            break;
          }
        }
        end_len = 1;
      }
      if (e == std::string_view::npos) {
        m_errors = true;
        break;
      }
      i = e + end_len;
      continue;
    }
    if (c == '/') {
      const void* gt = std::memchr(p + t + 2, '>', n - t - 2);
      if (gt == nullptr) {
        m_errors = true;
        break;
      }
      const std::size_t e = static_cast<std::size_t>(static_cast<const char*>(gt) - p);
      std::size_t ne = t + 2;
      while (ne < e && !IsTagNameEnd(p[ne])) ++ne;
      const std::string_view name(p + t + 2, ne - t - 2);
      std::size_t depth = stack.size();
      while (depth > 0 && Name(m_elems[stack[depth - 1]]) != name) --depth;
      if (depth == 0) {
        // An end tag without a matching start tag stays in the text.
        m_errors = true;
        if (!stack.empty()) m_elems[stack.back()].ill_formed = true;
        i = e + 1;
        continue;
      }
      flush(t);
      while (stack.size() > depth) {
        close_at(stack.back(), t);
        stack.pop_back();
      }
      const std::uint32_t idx = stack.back();
      stack.pop_back();
      m_elems[idx].tail = {static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(e + 1 - t)};
      sink_elem = idx;
      sink_field = Field::kAfter;
      seg_start = e + 1;
      i = e + 1;
      continue;
    }
    if (!IsNameStart(c)) {
      i = t + 1;  // a '<' that begins no markup is text
      continue;
    }
    std::size_t ne = t + 1;
    while (ne < n && !IsTagNameEnd(p[ne]) && p[ne] != '<') ++ne;
    std::size_t j = ne;
    bool closed = false;
    while (j < n) {
      const char d = p[j];
      if (d == '>') {
        closed = true;
        break;
      }
      if (d == '<') break;
      if (d == '"' || d == '\'') {
        const void* q = std::memchr(p + j + 1, d, n - j - 1);
        if (q == nullptr) {
          j = n;
          break;
        }
        j = static_cast<std::size_t>(static_cast<const char*>(q) - p) + 1;
        continue;
      }
      ++j;
    }
    if (!closed) {
      m_errors = true;
      if (j >= n) break;  // cut off by the end of the text
      i = j;              // interrupted by another tag: the broken part stays text
      continue;
    }
    flush(t);
    const std::uint32_t idx = m_elems.EmplaceBack();
    const std::uint32_t parent = stack.empty() ? 0 : stack.back();
    Element& el = m_elems[idx];
    el.head = {static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(j + 1 - t)};
    el.name_len = static_cast<std::uint32_t>(ne - t - 1);
    el.empty_tag = p[j - 1] == '/';
    el.parent = parent;
    Element& par = m_elems[parent];
    if (par.last_child) {
      m_elems[par.last_child].next = idx;
      el.prev = par.last_child;
    } else {
      par.first_child = idx;
    }
    par.last_child = idx;
    if (parent == 0) ++m_top_count;
    sink_elem = idx;
    if (el.empty_tag) {
      sink_field = Field::kAfter;
    } else {
      sink_field = Field::kInner;
      stack.push_back(idx);
    }
    seg_start = j + 1;
    i = j + 1;
  }
  flush(n);
  while (!stack.empty()) {
    close_at(stack.back(), n);
    stack.pop_back();
  }
}

bool XmlDocument::Append(std::string_view piece, Seg& seg) {
  // A piece that ends the buffer is rewritten where it stands: building a document element by
  // element leaves no garbage behind.
  const bool at_end = seg.len != 0 && seg.off + seg.len == m_buffer.size();
  if ((at_end ? seg.off : m_buffer.size()) + piece.size() > kMaxText) return false;
  if (at_end) m_buffer.resize(seg.off);
  m_live = m_live - seg.len + piece.size();
  seg.off = static_cast<std::uint32_t>(m_buffer.size());
  seg.len = static_cast<std::uint32_t>(piece.size());
  m_buffer.append(piece);
  return true;
}

// Makes room for `extra` more bytes without the buffer moving during an edit. Replaced pieces
// are garbage: when they are a fair part of the buffer, the text is written out afresh instead
// of the buffer growing.
bool XmlDocument::EnsureRoom(std::size_t extra) {
  if (m_buffer.size() + extra <= m_buffer.capacity() && m_buffer.size() + extra <= kMaxText) {
    return true;
  }
  const std::size_t garbage = m_buffer.size() - m_live;
  if (garbage > m_live / 4 || m_buffer.size() + extra > kMaxText) {
    Rebuild(extra);
  } else {
    m_buffer.reserve(std::max(m_buffer.capacity() * 2, m_buffer.size() + extra));
  }
  return m_buffer.size() + extra <= kMaxText;
}

void XmlDocument::Rebuild(std::size_t extra) const {
  std::string out;
  out.reserve(std::min(2 * m_live + extra + 4096, kMaxText));  // room for the edits to come
  auto emit = [&](Seg& s) {
    const auto off = static_cast<std::uint32_t>(out.size());
    out.append(m_buffer.data() + s.off, s.len);
    s.off = off;
  };
  emit(m_elems[0].inner);
  std::uint32_t cur = m_elems[0].first_child;
  while (cur != 0) {
    Element& e = m_elems[cur];
    emit(e.head);
    emit(e.inner);
    if (e.first_child != 0) {
      cur = e.first_child;
      continue;
    }
    // No children: close this element and climb until a next sibling is found.
    while (cur != 0) {
      Element& x = m_elems[cur];
      emit(x.tail);
      emit(x.after);
      if (x.next != 0) {
        cur = x.next;
        break;
      }
      cur = x.parent;
    }
  }
  m_buffer.swap(out);
  m_dirty = false;
  m_live = m_buffer.size();
}

bool XmlDocument::FindElement(std::string_view name) {
  std::uint32_t idx = m_current != 0 ? m_elems[m_current].next : m_elems[m_parent].first_child;
  for (; idx != 0; idx = m_elems[idx].next) {
    if (Name(m_elems[idx]) == name) {
      m_current = idx;
      m_child = 0;
      return true;
    }
  }
  return false;
}

bool XmlDocument::EnterElement() {
  if (m_current == 0) return false;
  m_parent = m_current;
  m_current = m_child;
  m_child = 0;
  return true;
}

bool XmlDocument::LeaveElement() {
  if (m_parent == 0) return false;
  m_child = m_current;
  m_current = m_parent;
  m_parent = m_elems[m_parent].parent;
  return true;
}

std::string XmlDocument::GetName() const {
  if (m_current == 0) return {};
  return std::string(Name(m_elems[m_current]));
}

std::string XmlDocument::GetAttribute(std::string_view name) const {
  if (m_current == 0) return {};
  const Element& e = m_elems[m_current];
  const std::string_view tag = View(e.head);
  std::string value;
  WalkAttributes(tag, e.name_len, [&](const AttrSpan& a) {
    if (tag.substr(a.name_b, a.name_e - a.name_b) != name) return false;
    value = UnescapeAttribute(tag.substr(a.val_b, a.val_e - a.val_b));
    return true;
  });
  return value;
}

bool XmlDocument::SetAttribute(std::string_view name, int value) {
  return SetAttribute(name, std::to_string(value));  // as "%d"
}

bool XmlDocument::SetAttribute(std::string_view name, std::string_view value) {
  if (m_current == 0 || !IsValidName(name)) return false;
  const Element& e = m_elems[m_current];
  const std::string_view tag = View(e.head);
  const std::string escaped =
      text::IsValidUtf8(value) ? EscapeAttribute(value) : EscapeAttribute(text::SanitizeUtf8(value));
  bool found = false;
  AttrSpan span;
  const std::size_t last_end = WalkAttributes(tag, e.name_len, [&](const AttrSpan& a) {
    if (tag.substr(a.name_b, a.name_e - a.name_b) != name) return false;
    found = true;
    span = a;
    return true;
  });
  std::string head;
  head.reserve(tag.size() + name.size() + escaped.size() + 4);
  if (!found) {
    head.append(tag.substr(0, last_end));
    head.append(" ").append(name).append("=\"").append(escaped).append("\"");
    head.append(tag.substr(last_end));
  } else if (!span.has_value) {
    head.append(tag.substr(0, span.name_e));
    head.append("=\"").append(escaped).append("\"");
    head.append(tag.substr(span.name_e));
  } else if (span.quote != 0) {
    head.append(tag.substr(0, span.val_b)).append(escaped).append(tag.substr(span.val_e));
  } else {
    head.append(tag.substr(0, span.val_b));
    head.append("\"").append(escaped).append("\"");
    head.append(tag.substr(span.val_e));
  }
  if (!EnsureRoom(head.size()) || !Append(head, m_elems[m_current].head)) return false;
  MarkEdited();
  return true;
}

bool XmlDocument::AddElement(std::string_view name) {
  if (!IsValidName(name)) return false;
  const std::uint32_t parent = m_parent;
  const std::uint32_t before = m_current != 0 ? m_current : m_elems[parent].last_child;
  // Room for every piece this edit may write, so that the buffer stays put while it runs.
  std::size_t need = name.size() + 3 + 2 + 2;
  if (before != 0) need += m_elems[before].after.len;
  need += m_elems[parent].head.len + m_elems[parent].name_len + 5;
  if (!EnsureRoom(need)) return false;
  const std::uint32_t idx = m_elems.EmplaceBack();
  {
    Element& ne = m_elems[idx];
    ne.name_len = static_cast<std::uint32_t>(name.size());
    ne.empty_tag = true;
    ne.parent = parent;
  }
  if (before != 0) {
    // After the element and the line break that ends it.
    const std::string_view rest_of_line = View(m_elems[before].after);
    std::size_t eol = 0;
    if (rest_of_line.starts_with("\r\n")) {
      eol = 2;
    } else if (rest_of_line.starts_with("\n") || rest_of_line.starts_with("\r")) {
      eol = 1;
    }
    std::string after = "\r\n";
    after.append(rest_of_line.substr(eol));
    Append(after, m_elems[idx].after);
    Element& prev = m_elems[before];
    m_live -= prev.after.len - eol;
    prev.after.len = static_cast<std::uint32_t>(eol);
    Element& ne = m_elems[idx];
    ne.prev = before;
    ne.next = prev.next;
    if (prev.next != 0) {
      m_elems[prev.next].prev = idx;
    } else {
      m_elems[parent].last_child = idx;
    }
    prev.next = idx;
  } else {
    if (parent != 0 && m_elems[parent].empty_tag) {
      // "<a/>" becomes "<a>" CR LF ... "</a>".
      std::string head(View(m_elems[parent].head));
      head.pop_back();
      while (!head.empty() && head.back() == '/') head.pop_back();
      head.push_back('>');
      const std::string tail = "</" + std::string(Name(m_elems[parent])) + ">";
      Element& par = m_elems[parent];
      Append(head, par.head);
      Append("\r\n", par.inner);
      Append(tail, par.tail);
      par.empty_tag = false;
    } else if (parent != 0 && m_elems[parent].inner.len == 0) {
      Append("\r\n", m_elems[parent].inner);
    }
    Append("\r\n", m_elems[idx].after);
    m_elems[parent].first_child = idx;
    m_elems[parent].last_child = idx;
  }
  // Written last, so that the attributes set next rewrite it in place.
  std::string head;
  head.reserve(name.size() + 3);
  head.append("<").append(name).append("/>");
  Append(head, m_elems[idx].head);
  if (parent == 0) ++m_top_count;
  m_current = idx;
  m_child = 0;
  MarkEdited();
  return true;
}

std::string XmlDocument::EscapeAttribute(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 8);
  for (char c : value) {
    switch (c) {
      case '<': out.append("&lt;"); break;
      case '&': out.append("&amp;"); break;
      case '>': out.append("&gt;"); break;
      case '\'': out.append("&apos;"); break;
      case '"': out.append("&quot;"); break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string XmlDocument::UnescapeAttribute(std::string_view raw) {
  if (raw.find('&') == std::string_view::npos) return std::string(raw);
  std::string out;
  out.reserve(raw.size());
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::size_t amp = raw.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(raw.substr(i));
      break;
    }
    out.append(raw.substr(i, amp - i));
    std::size_t k = amp + 1;
    char32_t cp = 0;
    bool ok = false;
    if (k < raw.size() && raw[k] == '#') {
      ++k;
      const bool hex = k < raw.size() && (raw[k] == 'x' || raw[k] == 'X');
      if (hex) ++k;
      const std::size_t digits_b = k;
      std::uint32_t v = 0;
      for (; k < raw.size(); ++k) {
        const char d = raw[k];
        int dv = -1;
        if (d >= '0' && d <= '9') {
          dv = d - '0';
        } else if (hex && d >= 'a' && d <= 'f') {
          dv = d - 'a' + 10;
        } else if (hex && d >= 'A' && d <= 'F') {
          dv = d - 'A' + 10;
        }
        if (dv < 0) break;
        if (v <= 0x10FFFF) v = v * (hex ? 16 : 10) + static_cast<std::uint32_t>(dv);
      }
      if (k > digits_b && k < raw.size() && raw[k] == ';' && v != 0 && v <= 0x10FFFF &&
          !(v >= 0xD800 && v <= 0xDFFF)) {
        cp = v;
        ok = true;
      }
    } else {
      const std::size_t name_b = k;
      while (k < raw.size() && k - name_b < 12 &&
             ((raw[k] >= 'a' && raw[k] <= 'z') || (raw[k] >= 'A' && raw[k] <= 'Z') ||
              (raw[k] >= '0' && raw[k] <= '9'))) {
        ++k;
      }
      if (k > name_b && k < raw.size() && raw[k] == ';') {
        cp = LookupNamedReference(raw.substr(name_b, k - name_b));
        ok = cp != 0;
      }
    }
    if (ok) {
      text::AppendUtf8(out, cp);
      i = k + 1;
    } else {
      out.push_back('&');  // unresolved: stays as written
      i = amp + 1;
    }
  }
  return out;
}

int XmlDocument::CodePageOfEncoding(std::string_view name) {
  const std::string trimmed = text::Trim(name);
  if (trimmed.empty()) return 0;
  for (const EncodingName& e : kEncodings) {
    if (text::EqualsNoCaseAscii(trimmed, e.name)) return e.code_page;
  }
  return 0;
}

bool XmlDocument::LoadFile(const std::string& path) {
  Clear();
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;

  std::string encoding;
  bool bom = false;
  std::size_t skip = 0;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    encoding = "UTF-8";
    bom = true;
    skip = 3;
  } else if (bytes.starts_with("\xFF\xFE")) {
    encoding = "UTF-16LE";
    bom = true;
    skip = 2;
  } else if (bytes.starts_with("\xFE\xFF")) {
    encoding = "UTF-16BE";
    bom = true;
    skip = 2;
  }
  const std::string_view body = std::string_view(bytes).substr(skip);

  if (encoding.empty()) {
    const std::string_view head = body.substr(0, kHeadScan);
    encoding = XmlDeclaredEncoding(head);
    if (encoding.empty()) encoding = HtmlDeclaredCharset(head);
    // A declaration read from 8-bit bytes cannot describe a 16-bit file: the bytes are 8-bit.
    if (IsWideCodePage(CodePageOfEncoding(encoding))) encoding.clear();
    if (encoding.empty() && !body.empty() && body[0] == '<') encoding = "UTF-8";
  }

  std::string utf8;
  if (bom && skip == 2) {
    const bool big_endian = encoding == "UTF-16BE";
    std::u16string units;
    units.reserve(body.size() / 2);
    for (std::size_t k = 0; k + 1 < body.size(); k += 2) {
      const auto a = static_cast<unsigned char>(body[k]);
      const auto b = static_cast<unsigned char>(body[k + 1]);
      const auto u = static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
      if (u != 0) units.push_back(u);
    }
    utf8 = text::Utf16ToUtf8(units);
  } else {
    // Work on the bytes in place: the common case (UTF-8, no zero bytes) copies nothing.
    if (bytes.find('\0', skip) != std::string::npos) {
      bytes.erase(std::remove(bytes.begin() + static_cast<std::ptrdiff_t>(skip), bytes.end(), '\0'),
                  bytes.end());
    }
    bytes.erase(0, skip);
    if (encoding.empty() && text::IsValidUtf8(bytes, true)) encoding = "UTF-8";
    int cp = CodePageOfEncoding(encoding);
    if (cp == 0 || !text::IsKnownCodePage(cp)) cp = 0;
    if (cp == 65001) {
      if (text::IsValidUtf8(bytes)) {
        utf8 = std::move(bytes);
      } else {
        utf8 = text::SanitizeUtf8(bytes);
      }
    } else {
      text::DecodeCodePage(bytes, cp, utf8);
    }
  }
  if (utf8.size() > kMaxText) return false;

  m_buffer = std::move(utf8);
  m_encoding = encoding;
  m_bom = bom;
  Parse();
  ResetPos();
  return IsWellFormed();
}

bool XmlDocument::SaveFile(const std::string& path) {
  const std::string& content = GetText();
  int cp = 0;
  if (m_encoding == "UTF-16LE" || m_encoding == "UTF-16BE") {
    cp = m_encoding == "UTF-16LE" ? 1200 : 1201;
  } else {
    std::string declared = XmlDeclaredEncoding(std::string_view(content).substr(0, kHeadScan));
    if (declared.empty()) declared = "UTF-8";
    cp = CodePageOfEncoding(declared);
    if (cp == 0 || !text::IsKnownCodePage(cp)) cp = 0;
  }
  if (cp == 12000 || cp == 12001) cp = cp == 12000 ? 1200 : 1201;

  std::string bytes;
  if (!text::EncodeCodePage(content, cp, bytes)) return false;
  // The mark goes with Unicode text only; 16-bit text always gets it so it can be read back.
  std::string_view mark;
  if (cp == 1200) {
    mark = "\xFF\xFE";
  } else if (cp == 1201) {
    mark = "\xFE\xFF";
  } else if (cp == 65001 && m_bom) {
    mark = "\xEF\xBB\xBF";
  }

  FilePtr f(std::fopen(path.c_str(), "wb"));
  if (!f) return false;
  auto write = [&](std::string_view part) {
    return part.empty() || std::fwrite(part.data(), 1, part.size(), f.get()) == part.size();
  };
  bool ok = write(mark) && write(bytes);
  ok = std::fflush(f.get()) == 0 && ok;
  ok = std::fclose(f.release()) == 0 && ok;
  return ok;
}

}  // namespace corvatt
