#include "platform/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace corvatt {

Environment::Environment(std::map<std::string, std::string, std::less<>> vars)
    : m_vars(std::move(vars)) {}

Environment::Environment(std::initializer_list<std::pair<const std::string, std::string>> vars)
    : m_vars(vars) {}

Environment Environment::FromProcess() {
    Environment env;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string_view text(*entry);
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            continue;
        }
        env.m_vars.emplace(std::string(text.substr(0, eq)), std::string(text.substr(eq + 1)));
    }
    return env;
}

std::string Environment::Get(std::string_view name) const {
    const auto it = m_vars.find(name);
    return it == m_vars.end() ? std::string() : it->second;
}

bool Environment::Has(std::string_view name) const {
    return m_vars.find(name) != m_vars.end();
}

void Environment::Set(std::string name, std::string value) {
    m_vars.insert_or_assign(std::move(name), std::move(value));
}

void Environment::Unset(std::string_view name) {
    const auto it = m_vars.find(name);
    if (it != m_vars.end()) {
        m_vars.erase(it);
    }
}

std::string Environment::Home() const {
    std::string home = Get("HOME");
    if (!home.empty()) {
        return home;
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 &&
        result != nullptr && result->pw_dir != nullptr) {
        return result->pw_dir;
    }
    return {};
}

}  // namespace corvatt
