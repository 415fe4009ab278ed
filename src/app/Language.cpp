#include "app/Language.h"

#include "common/text/Text.h"

namespace corvatt {

Language& Language::Instance() {
    static Language language;
    return language;
}

void Language::SetInstallFolder(std::string folder_with_slash) {
    std::lock_guard lock(m_mutex);
    m_install_folder = std::move(folder_with_slash);
    m_loaded = false;
}

void Language::SetCurrentLanguage(int language_id) {
    std::lock_guard lock(m_mutex);
    if (language_id != m_current) m_loaded = false;
    m_current = language_id;
}

int Language::CurrentLanguage() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

std::string Language::FilePath(int language_id) const {
    return m_install_folder + text::Format("language/%d.lan", language_id);
}

std::string Language::Text(int id) {
    std::lock_guard lock(m_mutex);
    if (!m_loaded || !m_file.IsUpToDate()) {
        m_file.Clear();
        // A missing file leaves every text empty; it is tried again at the next lookup.
        m_loaded = m_file.Load(FilePath(m_current));
    }
    return m_file.Get("LAN", text::Format("%d", id));
}

std::string GetLanguageText(int id) { return Language::Instance().Text(id); }

}  // namespace corvatt
