#include "app/Language.h"

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "common/text/Text.h"

namespace corvatt {

namespace {

const std::shared_ptr<const IniFile>& EmptyFile() {
    static const std::shared_ptr<const IniFile> empty = std::make_shared<const IniFile>();
    return empty;
}

}  // namespace

Language& Language::Instance() {
    static Language language;
    return language;
}

void Language::SetInstallFolder(std::string folder_with_slash) {
    std::lock_guard lock(m_mutex);
    m_install_folder = std::move(folder_with_slash);
    m_cache.clear();
}

std::string Language::InstallFolder() const {
    std::lock_guard lock(m_mutex);
    return m_install_folder;
}

void Language::SetCurrentLanguage(int language_id) {
    std::lock_guard lock(m_mutex);
    m_current = language_id;
}

int Language::CurrentLanguage() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

std::string Language::FilePath(int language_id) const {
    std::lock_guard lock(m_mutex);
    return m_install_folder + text::Format("language/%d.lan", language_id);
}

std::uint64_t Language::ParseCount() const {
    std::lock_guard lock(m_mutex);
    return m_parse_count;
}

bool Language::Stat(const std::string& path, FileStamp& stamp) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.ctime_ns = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    return true;
}

bool Language::ReadBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool Language::IsRacy(const FileStamp& stamp) {
    // File times move in steps of a clock tick; two writes within one step look alike.
    constexpr std::int64_t kWindowNs = 2'000'000'000;
    const std::int64_t now_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
    return now_ns - stamp.mtime_ns < kWindowNs || now_ns - stamp.ctime_ns < kWindowNs;
}

std::shared_ptr<const IniFile> Language::Texts(int language_id) {
    std::lock_guard lock(m_mutex);
    const std::string path = m_install_folder + text::Format("language/%d.lan", language_id);
    FileStamp stamp;
    const bool present = Stat(path, stamp);
    Cached& cached = m_cache[language_id];
    if (cached.file && !present && !cached.present) return cached.file;

    std::string bytes;
    bool have_bytes = false;
    if (cached.file && present && cached.present && cached.stamp == stamp) {
        if (!cached.racy) return cached.file;
        have_bytes = ReadBytes(path, bytes);
        if (have_bytes && bytes == cached.bytes) {
            cached.racy = IsRacy(stamp);
            return cached.file;
        }
    }
    // The stamp is taken before reading: a change made while the file is read gives another
    // stamp (or other bytes) at the next lookup, which reads it again.
    cached.stamp = stamp;
    cached.present = false;
    cached.racy = false;
    cached.bytes.clear();
    cached.file = EmptyFile();
    if (present && (have_bytes || ReadBytes(path, bytes))) {
        auto file = std::make_shared<IniFile>();
        file->Parse(bytes);
        ++m_parse_count;
        cached.present = true;
        cached.racy = IsRacy(stamp);
        cached.bytes = std::move(bytes);
        cached.file = std::move(file);
    }
    return cached.file;
}

std::shared_ptr<const IniFile> Language::CurrentTexts() { return Texts(CurrentLanguage()); }

std::string Language::Text(int language_id, int id) {
    return Texts(language_id)->Get("LAN", text::Format("%d", id));
}

std::string Language::Text(int id) { return Text(CurrentLanguage(), id); }

std::string GetLanguageText(int id) { return Language::Instance().Text(id); }

}  // namespace corvatt
