#include "common/text/Text.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include <iconv.h>

namespace corvatt::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at s[pos]. Returns the sequence length (1 for an invalid byte,
// with cp = U+FFFD). `cut` is set when a valid prefix of a sequence is cut off by the end.
std::size_t DecodeOne(std::string_view s, std::size_t pos, char32_t& cp, bool* cut = nullptr) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    cp = kReplacement;
    return 1;
  }
  for (std::size_t i = 1; i < len; ++i) {
    if (pos + i >= s.size()) {
      if (cut) *cut = true;
      cp = kReplacement;
      return 1;
    }
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) {
      cp = kReplacement;
      return 1;
    }
    cp = (cp << 6) | (b & 0x3F);
    // Reject overlong forms and surrogates as early as the second byte decides them.
    if (i == 1) {
      if ((len == 3 && b0 == 0xE0 && b < 0xA0) || (len == 3 && b0 == 0xED && b > 0x9F) ||
          (len == 4 && b0 == 0xF0 && b < 0x90) || (len == 4 && b0 == 0xF4 && b > 0x8F)) {
        cp = kReplacement;
        return 1;
      }
    }
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    cp = kReplacement;
    return 1;
  }
  return len;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The iconv name of a Windows code page, or nullptr.
const char* IconvName(int code_page) {
  switch (code_page) {
    case 0:
    case 1252: return "CP1252";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 874: return "CP874";
    case 437: return "CP437";
    case 850: return "CP850";
    case 852: return "CP852";
    case 866: return "CP866";
    case 20127: return "ANSI_X3.4-1968";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28593: return "ISO-8859-3";
    case 28594: return "ISO-8859-4";
    case 28595: return "ISO-8859-5";
    case 28596: return "ISO-8859-6";
    case 28597: return "ISO-8859-7";
    case 28598: return "ISO-8859-8";
    case 28599: return "ISO-8859-9";
    case 28603: return "ISO-8859-13";
    case 28605: return "ISO-8859-15";
    case 936: return "CP936";
    case 54936: return "GB18030";
    case 950: return "CP950";
    case 932: return "CP932";
    case 949: return "CP949";
    case 1361: return "JOHAB";
    case 51932:
    case 20932: return "EUC-JP";
    case 50220: return "ISO-2022-JP";
    case 51949: return "EUC-KR";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 10000: return "MACINTOSH";
    case 12000: return "UTF-32LE";
    case 12001: return "UTF-32BE";
    default: return nullptr;
  }
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~Iconv() {
    if (Ok()) iconv_close(m_cd);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return m_cd; }

 private:
  iconv_t m_cd;
};

void AppendUtf16Units(std::string& out, std::u16string_view units, bool big_endian) {
  out.reserve(out.size() + units.size() * 2);
  for (char16_t u : units) {
    const char lo = static_cast<char>(u & 0xFF);
    const char hi = static_cast<char>(u >> 8);
    if (big_endian) {
      out.push_back(hi);
      out.push_back(lo);
    } else {
      out.push_back(lo);
      out.push_back(hi);
    }
  }
}

std::u16string UnitsFromBytes(std::string_view bytes, bool big_endian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a));
  }
  return units;
}

}  // namespace

std::size_t CharCount(std::string_view s) {
  std::size_t n = 0;
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < s.size(); ++n) pos += DecodeOne(s, pos, cp);
  return n;
}

std::size_t ByteOffset(std::string_view s, std::size_t chars) {
  std::size_t pos = 0;
  char32_t cp = 0;
  for (std::size_t n = 0; n < chars && pos < s.size(); ++n) pos += DecodeOne(s, pos, cp);
  return pos;
}

std::string Left(std::string_view s, std::size_t chars) {
  return std::string(s.substr(0, ByteOffset(s, chars)));
}

std::string Mid(std::string_view s, std::size_t start_char, std::size_t chars) {
  const std::size_t begin = ByteOffset(s, start_char);
  const std::string_view rest = s.substr(begin);
  if (chars == std::string::npos) return std::string(rest);
  return std::string(rest.substr(0, ByteOffset(rest, chars)));
}

std::string Right(std::string_view s, std::size_t chars) {
  const std::size_t count = CharCount(s);
  if (chars >= count) return std::string(s);
  return std::string(s.substr(ByteOffset(s, count - chars)));
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.starts_with(prefix); }

bool EndsWith(std::string_view s, std::string_view suffix) { return s.ends_with(suffix); }

std::size_t Find(std::string_view s, std::string_view needle) {
  std::size_t from = 0;
  while (true) {
    const std::size_t at = s.find(needle, from);
    if (at == std::string_view::npos) return std::string::npos;
    // A match must begin on a character boundary.
    if (at == s.size() || (static_cast<unsigned char>(s[at]) & 0xC0) != 0x80) {
      return CharCount(s.substr(0, at));
    }
    from = at + 1;
  }
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string Trim(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

bool IsValidUtf8(std::string_view bytes, bool allow_cut_at_end) {
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    // Eight ASCII bytes at a time.
    if (pos + 8 <= bytes.size()) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes.data() + pos, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        pos += 8;
        continue;
      }
    }
    const auto b = static_cast<unsigned char>(bytes[pos]);
    if (b < 0x80) {
      ++pos;
      continue;
    }
    bool cut = false;
    const std::size_t len = DecodeOne(bytes, pos, cp, &cut);
    if (cut) return allow_cut_at_end;
    if (cp == kReplacement && len == 1) return false;
    pos += len;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string SanitizeUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + 16);
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t len = DecodeOne(bytes, pos, cp);
    if (len == 1 && cp == kReplacement) {
      AppendUtf8(out, kReplacement);
    } else {
      out.append(bytes.substr(pos, len));
    }
    pos += len;
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    pos += DecodeOne(s, pos, cp);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t u = s[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        ++i;
      } else {
        u = kReplacement;
      }
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      u = kReplacement;
    }
    AppendUtf8(out, u);
  }
  return out;
}

bool IsKnownCodePage(int code_page) {
  return code_page == 65001 || code_page == 1200 || code_page == 1201 ||
         IconvName(code_page) != nullptr;
}

bool DecodeCodePage(std::string_view bytes, int code_page, std::string& utf8_out) {
  utf8_out.clear();
  if (code_page == 65001) {
    utf8_out = SanitizeUtf8(bytes);
    return true;
  }
  if (code_page == 1200 || code_page == 1201) {
    utf8_out = Utf16ToUtf8(UnitsFromBytes(bytes, code_page == 1201));
    if (bytes.size() % 2 != 0) AppendUtf8(utf8_out, kReplacement);
    return true;
  }
  const char* name = IconvName(code_page);
  if (name == nullptr) return false;
  Iconv cd("UTF-8", name);
  if (!cd.Ok()) return false;
  const bool c1_passthrough = code_page == 0 || code_page == 1252;

  utf8_out.reserve(bytes.size() + bytes.size() / 2);
  char buf[4096];
  auto* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  while (in_left > 0) {
    char* out = buf;
    std::size_t out_left = sizeof buf;
    const std::size_t r = iconv(cd.Get(), &in, &in_left, &out, &out_left);
    utf8_out.append(buf, static_cast<std::size_t>(out - buf));
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    if (errno == EILSEQ || errno == EINVAL) {
      // The five bytes that code page 1252 leaves undefined map to the C1 controls.
      const auto b = static_cast<unsigned char>(*in);
      if (c1_passthrough && (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)) {
        AppendUtf8(utf8_out, b);
      } else {
        AppendUtf8(utf8_out, kReplacement);
      }
      ++in;
      --in_left;
      iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
      continue;
    }
    break;
  }
  // Flush a stateful encoding's shift state.
  char* out = buf;
  std::size_t out_left = sizeof buf;
  iconv(cd.Get(), nullptr, nullptr, &out, &out_left);
  utf8_out.append(buf, static_cast<std::size_t>(out - buf));
  return true;
}

bool EncodeCodePage(std::string_view utf8, int code_page, std::string& bytes_out) {
  bytes_out.clear();
  if (code_page == 65001) {
    bytes_out = SanitizeUtf8(utf8);
    return true;
  }
  if (code_page == 1200 || code_page == 1201) {
    AppendUtf16Units(bytes_out, Utf8ToUtf16(utf8), code_page == 1201);
    return true;
  }
  const char* name = IconvName(code_page);
  if (name == nullptr) return false;
  Iconv cd(name, "UTF-8");
  if (!cd.Ok()) return false;
  const std::string clean = SanitizeUtf8(utf8);

  bytes_out.reserve(clean.size());
  char buf[4096];
  auto* in = const_cast<char*>(clean.data());
  std::size_t in_left = clean.size();
  while (in_left > 0) {
    char* out = buf;
    std::size_t out_left = sizeof buf;
    const std::size_t r = iconv(cd.Get(), &in, &in_left, &out, &out_left);
    bytes_out.append(buf, static_cast<std::size_t>(out - buf));
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    if (errno == EILSEQ || errno == EINVAL) {
      // Skip the whole character the code page cannot hold; write the default character.
      char32_t cp = 0;
      const std::size_t len = DecodeOne(std::string_view(in, in_left), 0, cp);
      in += len;
      in_left -= len;
      char q[] = "?";
      char* q_in = q;
      std::size_t q_left = 1;
      out = buf;
      out_left = sizeof buf;
      iconv(cd.Get(), &q_in, &q_left, &out, &out_left);
      bytes_out.append(buf, static_cast<std::size_t>(out - buf));
      continue;
    }
    break;
  }
  char* out = buf;
  std::size_t out_left = sizeof buf;
  iconv(cd.Get(), nullptr, nullptr, &out, &out_left);
  bytes_out.append(buf, static_cast<std::size_t>(out - buf));
  return true;
}

int ToInt(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  bool overflow = false;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    if (!overflow) {
      value = value * 10 + (s[i] - '0');
      if (value > static_cast<std::int64_t>(INT_MAX) + 1) overflow = true;
    }
  }
  if (negative) {
    if (overflow || -value < INT_MIN) return INT_MIN;
    return static_cast<int>(-value);
  }
  if (overflow || value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

long HexToLong(std::string_view s) {
  constexpr std::int64_t kMax = 0x7FFFFFFF;
  constexpr std::int64_t kMin = -kMax - 1;
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  // "0x" counts as a prefix only when a hexadecimal digit follows it.
  if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
      digit(s[i + 2]) >= 0) {
    i += 2;
  }
  std::int64_t value = 0;
  bool overflow = false;
  for (; i < s.size() && digit(s[i]) >= 0; ++i) {
    if (!overflow) {
      value = value * 16 + digit(s[i]);
      if (value > kMax + 1) overflow = true;
    }
  }
  if (negative) {
    if (overflow || value > kMax) return static_cast<long>(kMin);
    return static_cast<long>(-value);
  }
  if (overflow || value > kMax) return static_cast<long>(kMax);
  return static_cast<long>(value);
}

}  // namespace corvatt::text
