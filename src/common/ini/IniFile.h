#pragma once
// INI-style files read as the Windows private-profile calls read them: sections and keys
// without regard to (ASCII) case, the first match wins, values trimmed and cut to 259
// characters. Files are UTF-8 (with or without a byte-order mark) or UTF-16 with a mark.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvatt {

class IniFile {
 public:
  static constexpr std::size_t kMaxValueChars = 259;

  // Parses the whole file; false (and nothing held) when it cannot be read.
  bool Load(const std::string& path);
  // Parses text already in memory (bytes as they would be in a file).
  void Parse(std::string_view bytes);
  void Clear();

  // The value, or an empty string for a missing section or key.
  std::string Get(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const;

  const std::string& Path() const { return m_path; }
  // True when the file loaded last still has the size and modification time it had then.
  bool IsUpToDate() const;

 private:
  struct Section {
    std::unordered_map<std::string, std::string> values;  // lower-case key -> value
  };
  const std::string* Find(std::string_view section, std::string_view key) const;

  std::unordered_map<std::string, Section> m_sections;  // lower-case name -> section
  std::string m_path;
  std::int64_t m_size = -1;
  std::int64_t m_mtime_ns = 0;
};

// One value from an INI-style file (at most 259 characters; missing file, section or key
// give an empty string).
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key);

}  // namespace corvatt
