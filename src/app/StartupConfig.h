#pragma once

#include <map>
#include <optional>
#include <string>

namespace corvatt {

// The part of config.xml that must be known before any window exists.
struct StartupConfig {
    int default_language = 0;
    std::map<int, int> available_languages;  // language id -> 1, in id order
    std::optional<std::string> application_name;

    // Reads `config_path`; a file that cannot be read or parsed leaves everything empty.
    static StartupConfig Read(const std::string& config_path);
};

}  // namespace corvatt
