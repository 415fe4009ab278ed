#pragma once
// Named character references: the five XML ones and the 252 of HTML 4.

#include <string_view>

namespace corvatt {

// The code point of a named reference (without '&' and ';'), or 0 when the name is unknown.
// Names are case-sensitive.
char32_t LookupNamedReference(std::string_view name);
// Number of names known (for completeness checks).
std::size_t NamedReferenceCount();
// The i-th name and its code point.
std::string_view NamedReferenceName(std::size_t i, char32_t& code_point);

}  // namespace corvatt
