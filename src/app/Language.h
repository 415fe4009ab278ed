#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "common/ini/IniFile.h"

namespace corvatt {

// The current language and its texts, "<install>/language/<id>.lan", section "LAN".
// Each language file is parsed once and parsed again only when it changed on disk, so an
// edited file is used at the next lookup. Its size, times and identity tell a change; while
// its modification time is too recent to tell two writes apart (file times advance in coarse
// steps), the bytes are compared as well. A missing file gives empty texts and is looked for
// again at the next lookup. Safe from any thread.
class Language {
public:
    static Language& Instance();

    void SetInstallFolder(std::string folder_with_slash);
    std::string InstallFolder() const;
    void SetCurrentLanguage(int language_id);
    int CurrentLanguage() const;

    // The text with this number in the current language; "" when the file or key is missing.
    std::string Text(int id);
    // The same in the given language.
    std::string Text(int language_id, int id);

    // The parsed file of a language, checked against the disk first; never null (an empty
    // file when it is missing). Holding it keeps one consistent set of texts for a long walk.
    std::shared_ptr<const IniFile> Texts(int language_id);
    std::shared_ptr<const IniFile> CurrentTexts();

    std::string FilePath(int language_id) const;

    // Number of times a language file was read and parsed (for tests and diagnostics).
    std::uint64_t ParseCount() const;

private:
    struct FileStamp {
        std::int64_t size = -1;
        std::int64_t mtime_ns = 0;
        std::int64_t ctime_ns = 0;
        std::uint64_t inode = 0;
        std::uint64_t device = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct Cached {
        FileStamp stamp;
        bool present = false;
        bool racy = false;  // modified too recently for the stamp alone to be trusted
        std::string bytes;  // what was parsed, compared while racy
        std::shared_ptr<const IniFile> file;
    };
    static bool Stat(const std::string& path, FileStamp& stamp);
    static bool ReadBytes(const std::string& path, std::string& bytes);
    static bool IsRacy(const FileStamp& stamp);

    mutable std::mutex m_mutex;
    std::string m_install_folder;
    int m_current = 1033;
    std::map<int, Cached> m_cache;  // language id -> parsed file
    std::uint64_t m_parse_count = 0;
};

// The text with this number in the current language.
std::string GetLanguageText(int id);

}  // namespace corvatt
