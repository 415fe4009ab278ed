#include "platform/UserLanguage.h"

#include <array>
#include <utility>

#include "common/text/Text.h"

namespace corvatt {
namespace {

struct LanguageEntry {
    std::string_view language;
    int id;
};

constexpr std::array<LanguageEntry, 11> kLanguages{{
    {"en", 1033},
    {"de", 1031},
    {"ja", 1041},
    {"ru", 1049},
    {"fr", 1036},
    {"es", 1034},
    {"it", 1040},
    {"pt", 2070},
    {"pl", 1045},
    {"vi", 1066},
    {"zh", 2052},
}};

constexpr int kChineseTraditional = 1028;

}  // namespace

int LanguageIdFromLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    const std::size_t cut = locale.find_first_of(".@");
    const std::string name = text::ToLowerAscii(locale.substr(0, cut));
    const std::size_t sep = name.find_first_of("_-");
    const std::string language = name.substr(0, sep);
    const std::string territory = sep == std::string::npos ? std::string() : name.substr(sep + 1);

    if (language == "zh") {
        // Traditional script for Taiwan, Hong Kong and Macau, or when named.
        if (territory == "tw" || territory == "hk" || territory == "mo" ||
            territory.starts_with("hant")) {
            return kChineseTraditional;
        }
        return 2052;
    }
    for (const LanguageEntry& entry : kLanguages) {
        if (entry.language == language) {
            return entry.id;
        }
    }
    return kLanguageEnglishUs;
}

int UserUiLanguage(const Environment& env) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = env.Get(name);
        if (!value.empty()) {
            return LanguageIdFromLocale(value);
        }
    }
    return kLanguageEnglishUs;
}

}  // namespace corvatt
