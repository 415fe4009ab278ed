#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "common/ini/IniFile.h"

namespace corvatt {

// The current language and its texts, "<install>/language/<id>.lan", section "LAN".
// A language file is parsed once and parsed again only when its size or modification time
// changed, so an edited file is used at the next lookup. Safe from any thread.
class Language {
public:
    static Language& Instance();

    void SetInstallFolder(std::string folder_with_slash);
    void SetCurrentLanguage(int language_id);
    int CurrentLanguage() const;

    // The text with this number in the current language; "" when the file or key is missing.
    std::string Text(int id);

    std::string FilePath(int language_id) const;

private:
    mutable std::mutex m_mutex;
    std::string m_install_folder;
    int m_current = 1033;
    IniFile m_file;
    bool m_loaded = false;
};

// The text with this number in the current language.
std::string GetLanguageText(int id);

}  // namespace corvatt
