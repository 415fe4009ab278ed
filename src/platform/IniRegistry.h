#pragma once

#include <mutex>
#include <string>

#include "platform/Environment.h"
#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace corvatt {

// The registry kept in an INI-style file: one section per key path, "name=value" lines.
// Every operation reads the file; every change writes a temporary file and renames it over
// the old one, so the file is always complete.
class IniRegistry : public Registry {
public:
    explicit IniRegistry(std::string file_path);

    // $XDG_CONFIG_HOME (or ~/.config) + "/<app>/registry.ini".
    static std::string DefaultPath(const Environment& env, std::string_view app_name);

    RegistryStatus OpenKey(std::string_view key) override;
    bool CreateKey(std::string_view key) override;
    RegistryStatus QueryValue(std::string_view key, std::string_view name,
                              std::string& value) override;
    bool SetValue(std::string_view key, std::string_view name, std::string_view value) override;
    bool DeleteValue(std::string_view key, std::string_view name) override;

    const std::string& Path() const { return m_path; }

    // The file format, exposed for tests.
    static std::string Serialize(const RegistryTree& tree);
    static RegistryTree Parse(std::string_view text);

private:
    // kNotFound when the file does not exist (an empty tree).
    RegistryStatus Load(RegistryTree& tree) const;
    bool Save(const RegistryTree& tree) const;

    std::string m_path;
    std::mutex m_mutex;
};

}  // namespace corvatt
