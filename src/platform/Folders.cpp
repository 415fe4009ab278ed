#include "platform/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

namespace corvatt {
namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

// An absolute, lexically normal form; relative folders are taken from the working folder.
std::string NormalFolder(const std::string& dir) {
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(dir), ec);
    if (ec) {
        path = fs::path(dir);
    }
    std::string text = path.lexically_normal().string();
    return WithSlash(text);
}

bool IsFolder(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// XDG base folders must be absolute; other values are ignored.
std::string XdgFolder(const Environment& env, std::string_view name, std::string_view fallback) {
    std::string value = env.Get(name);
    if (!value.empty() && value.front() == '/') {
        while (value.size() > 1 && value.back() == '/') {
            value.pop_back();
        }
        return value;
    }
    std::string home = env.Home();
    while (home.size() > 1 && home.back() == '/') {
        home.pop_back();
    }
    return home + "/" + std::string(fallback);
}

std::mutex& ProcessMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<Folders>& ProcessSlot() {
    static std::optional<Folders> folders;
    return folders;
}

}  // namespace

std::string XdgConfigHome(const Environment& env) {
    return XdgFolder(env, "XDG_CONFIG_HOME", ".config");
}

std::string XdgDataHome(const Environment& env) {
    return XdgFolder(env, "XDG_DATA_HOME", ".local/share");
}

std::string ExecutablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        }
        buffer.resize(buffer.size() * 2);
    }
}

Folders::Folders(Environment env, std::string executable_path)
    : m_env(std::move(env)), m_executable_path(std::move(executable_path)) {
    ResolveInstallFolder();
}

void Folders::SetInstallOverride(std::string dir) {
    m_install_override = std::move(dir);
    ResolveInstallFolder();
}

void Folders::SetDataOverride(std::string dir) {
    m_data_override = std::move(dir);
}

void Folders::ResolveInstallFolder() {
    if (!m_install_override.empty()) {
        m_install_folder = NormalFolder(m_install_override);
        return;
    }
    std::string exe_folder;
    const std::size_t slash = m_executable_path.rfind('/');
    if (slash != std::string::npos) {
        exe_folder = m_executable_path.substr(0, slash + 1);
    } else {
        std::error_code ec;
        exe_folder = WithSlash(fs::current_path(ec).string());
    }
    exe_folder = NormalFolder(exe_folder);
    if (IsFile(exe_folder + "config.xml")) {
        m_install_folder = exe_folder;
    } else {
        m_install_folder = NormalFolder(exe_folder + "../share/corvatt/");
    }
}

std::string Folders::InstallFolder() const {
    return m_install_folder;
}

std::string Folders::InstallFolderNoSlash() const {
    std::string folder = m_install_folder;
    if (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string Folders::DataFolder(std::string_view app_name) const {
    if (!m_data_override.empty()) {
        return NormalFolder(m_data_override);
    }
    return XdgDataHome(m_env) + "/" + std::string(app_name) + " Files/";
}

std::string Folders::ConfigHome() const {
    return XdgConfigHome(m_env);
}

void SetProcessFolders(Folders folders) {
    std::lock_guard lock(ProcessMutex());
    ProcessSlot().emplace(std::move(folders));
}

const Folders& ProcessFolders() {
    std::lock_guard lock(ProcessMutex());
    std::optional<Folders>& slot = ProcessSlot();
    if (!slot) {
        slot.emplace(Environment::FromProcess(), ExecutablePath());
    }
    return *slot;
}

std::string GetInstallFolder() {
    return ProcessFolders().InstallFolder();
}

std::string GetInstallFolderNoSlash() {
    return ProcessFolders().InstallFolderNoSlash();
}

std::string GetDataFolder(std::string_view app_name) {
    return ProcessFolders().DataFolder(app_name);
}

bool CreateFolderTree(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (IsFolder(path)) {
        return true;
    }
    // Every parent named by the text before a "/" (errors ignored: existing parents are fine).
    for (std::size_t pos = path.find('/', 1); pos != std::string::npos;
         pos = path.find('/', pos + 1)) {
        if (path[pos - 1] == '/') {
            continue;
        }
        ::mkdir(path.substr(0, pos).c_str(), 0777);
    }
    if (::mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    // "Already exists" counts only when it is a folder, not a file of that name.
    return errno == EEXIST && IsFolder(path);
}

}  // namespace corvatt
