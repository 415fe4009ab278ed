#pragma once

#include <string>
#include <string_view>

#include "platform/Environment.h"

namespace corvatt {

// The running executable's path (/proc/self/exe); "" when it cannot be read.
std::string ExecutablePath();

// The installation, data and configuration folders of one process.
class Folders {
public:
    Folders(Environment env, std::string executable_path);

    // --install-dir / --data-dir; an empty text removes the override.
    void SetInstallOverride(std::string dir);
    void SetDataOverride(std::string dir);

    // The installation folder ending in "/": the executable's folder when it holds
    // config.xml, else <exe folder>/../share/corvatt/, or the override.
    std::string InstallFolder() const;
    // The same without the trailing "/": only for the path of config.xml.
    std::string InstallFolderNoSlash() const;

    // The data folder ending in "/": $XDG_DATA_HOME (or ~/.local/share) + "/<app> Files/",
    // or the override.
    std::string DataFolder(std::string_view app_name) const;

    // $XDG_CONFIG_HOME or ~/.config, without a trailing "/".
    std::string ConfigHome() const;

    const Environment& Env() const { return m_env; }

private:
    void ResolveInstallFolder();

    Environment m_env;
    std::string m_executable_path;
    std::string m_install_override;
    std::string m_data_override;
    std::string m_install_folder;  // with trailing "/"
};

// $XDG_CONFIG_HOME / $XDG_DATA_HOME when absolute, else ~/.config / ~/.local/share;
// without a trailing "/".
std::string XdgConfigHome(const Environment& env);
std::string XdgDataHome(const Environment& env);

// Process-wide folders, set once at start-up (before other threads exist).
void SetProcessFolders(Folders folders);
const Folders& ProcessFolders();

// Shorthands over ProcessFolders().
std::string GetInstallFolder();
std::string GetInstallFolderNoSlash();
std::string GetDataFolder(std::string_view app_name);

// Creates a folder and every missing parent. True when the folder exists afterwards.
bool CreateFolderTree(const std::string& path);

}  // namespace corvatt
