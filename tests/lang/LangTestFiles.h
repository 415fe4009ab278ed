#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace corvatt::test {

// A temporary installation folder with a language/ sub-folder, removed afterwards.
class TempInstall {
public:
    TempInstall() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvatt-lang-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) m_root = pattern;
        std::filesystem::create_directories(m_root / "language");
    }
    ~TempInstall() {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    TempInstall(const TempInstall&) = delete;
    TempInstall& operator=(const TempInstall&) = delete;

    std::string Folder() const { return m_root.string() + "/"; }
    std::string LanguageFile(int id) const {
        return (m_root / "language" / (std::to_string(id) + ".lan")).string();
    }
    void Write(int id, std::string_view bytes) const {
        std::ofstream out(LanguageFile(id), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void Remove(int id) const { std::filesystem::remove(LanguageFile(id)); }

private:
    std::filesystem::path m_root;
};

}  // namespace corvatt::test
