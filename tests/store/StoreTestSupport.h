#pragma once

#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace corvatt::testing {

// A fresh data folder with its db/ sub-folder, removed at the end of the test.
class TempDataFolder {
public:
    TempDataFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvatt-store-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) m_root = pattern;
        std::filesystem::create_directories(m_root / "db");
    }
    ~TempDataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    // With the trailing '/'.
    std::string Folder() const { return m_root.string() + "/"; }
    std::string DbPath(const std::string& name) const { return Folder() + "db/" + name + "_data1.db"; }

    std::string WriteFile(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path path = m_root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return path.string();
    }

private:
    std::filesystem::path m_root;
};

// Rows of a query run on a second, independent connection; every value as text ("" for null).
inline std::vector<std::vector<std::string>> QueryFile(const std::string& path, const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char* text = sqlite3_column_text(st, c);
                row.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
            }
            rows.push_back(std::move(row));
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

// What a shell command prints on its standard output.
inline std::string RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char chunk[4096];
    size_t n = 0;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
    pclose(pipe);
    return output;
}

inline int CountRows(const std::string& path, const std::string& table_and_where) {
    const auto rows = QueryFile(path, "SELECT count(*) FROM " + table_and_where);
    return rows.empty() ? -1 : std::stoi(rows[0][0]);
}

}  // namespace corvatt::testing
