#pragma once
// UTF-8 text helpers counted in characters (Unicode code points), code-page conversion,
// printf-style formatting and C-library number parsing.

#include <cstddef>
#include <string>
#include <string_view>

#include <fmt/printf.h>

namespace corvatt::text {

// Number of code points. An invalid byte counts as one character.
std::size_t CharCount(std::string_view s);
// Byte offset of character `chars` (s.size() when s is shorter).
std::size_t ByteOffset(std::string_view s, std::size_t chars);

std::string Left(std::string_view s, std::size_t chars);
std::string Mid(std::string_view s, std::size_t start_char, std::size_t chars = std::string::npos);
std::string Right(std::string_view s, std::size_t chars);

bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
// Character index of the first occurrence, or std::string::npos. An empty needle is found at 0.
std::size_t Find(std::string_view s, std::string_view needle);

std::string ToUpperAscii(std::string_view s);
std::string ToLowerAscii(std::string_view s);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// Leading and trailing blanks, tabs, CR, LF, VT and FF removed.
std::string Trim(std::string_view s);

bool IsValidUtf8(std::string_view bytes, bool allow_cut_at_end = false);
// Invalid bytes replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);
void AppendUtf8(std::string& out, char32_t code_point);

// Invalid input replaced with U+FFFD, never throws.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

// Windows code page number -> UTF-8 (0 = the system ANSI code page, taken as 1252).
// Bytes the code page does not define become U+FFFD. False only for an unknown code page.
bool DecodeCodePage(std::string_view bytes, int code_page, std::string& utf8_out);
// UTF-8 -> code page; characters the code page cannot hold become '?'.
// False only for an unknown code page.
bool EncodeCodePage(std::string_view utf8, int code_page, std::string& bytes_out);
// True when the code page number can be converted.
bool IsKnownCodePage(int code_page);

// Decimal leading digits as _wtoi: leading white space and a sign accepted, "12ab" is 12,
// "x" is 0, out of range gives INT_MAX / INT_MIN.
int ToInt(std::string_view s);
// wcstol(s, nullptr, 16): optional white space, sign and "0x"; text that is not hexadecimal is 0;
// the value is held to the 32-bit long range (LONG_MAX / LONG_MIN of that range on overflow).
long HexToLong(std::string_view s);

// printf-style formatting through fmt::sprintf. A bad format, or arguments that do not fit it,
// gives the format text itself.
template <class... Args>
std::string Format(std::string_view format, const Args&... args) {
  try {
    return fmt::sprintf(fmt::string_view(format.data(), format.size()), args...);
  } catch (...) {
    return std::string(format);
  }
}

}  // namespace corvatt::text
