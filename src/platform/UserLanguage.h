#pragma once

#include <string_view>

#include "platform/Environment.h"

namespace corvatt {

inline constexpr int kLanguageEnglishUs = 1033;

// A POSIX locale name ("zh_CN.UTF-8", "de_DE@euro", "C") as a Windows language identifier;
// "C", "POSIX" and unknown languages give 1033.
int LanguageIdFromLocale(std::string_view locale);

// The user's interface language: the first non-empty of LC_ALL, LC_MESSAGES and LANG.
int UserUiLanguage(const Environment& env);

}  // namespace corvatt
