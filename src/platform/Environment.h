#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace corvatt {

// A snapshot of environment variables. Folder providers read from one of these so
// tests can hand in explicit values instead of touching the real home.
class Environment {
public:
    Environment() = default;
    explicit Environment(std::map<std::string, std::string, std::less<>> vars);
    Environment(std::initializer_list<std::pair<const std::string, std::string>> vars);

    // Copies the variables of the running process.
    static Environment FromProcess();

    // The value, or "" when the variable is unset.
    std::string Get(std::string_view name) const;
    bool Has(std::string_view name) const;
    void Set(std::string name, std::string value);
    void Unset(std::string_view name);

    // $HOME, or the user's passwd entry when HOME is unset or empty.
    std::string Home() const;

private:
    std::map<std::string, std::string, std::less<>> m_vars;
};

}  // namespace corvatt
