#include "common/ini/IniFile.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "common/text/Text.h"

namespace corvatt {

namespace {

bool StatFile(const std::string& path, std::int64_t& size, std::int64_t& mtime_ns) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  size = static_cast<std::int64_t>(st.st_size);
  mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

std::string DecodeFileText(std::string_view bytes) {
  std::string utf8;
  if (bytes.starts_with("\xEF\xBB\xBF")) return text::SanitizeUtf8(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) {
    text::DecodeCodePage(bytes.substr(2), 1200, utf8);
    return utf8;
  }
  if (bytes.starts_with("\xFE\xFF")) {
    text::DecodeCodePage(bytes.substr(2), 1201, utf8);
    return utf8;
  }
  if (text::IsValidUtf8(bytes)) return std::string(bytes);
  text::DecodeCodePage(bytes, 0, utf8);
  return utf8;
}

// A value enclosed in a pair of single or double quotes loses the quotes.
std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

void IniFile::Clear() {
  m_sections.clear();
  m_path.clear();
  m_size = -1;
  m_mtime_ns = 0;
}

bool IniFile::Load(const std::string& path) {
  Clear();
  std::int64_t size = -1;
  std::int64_t mtime = 0;
  if (!StatFile(path, size, mtime)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  Parse(bytes);
  m_path = path;
  m_size = size;
  m_mtime_ns = mtime;
  return true;
}

void IniFile::Parse(std::string_view bytes) {
  m_sections.clear();
  const std::string content = DecodeFileText(bytes);
  const std::string_view all(content);
  Section* current = nullptr;  // null: before the first section, or a repeated section
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t end = all.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = all.size();
    const std::string line = text::Trim(all.substr(pos, end - pos));
    pos = end;
    if (pos < all.size() && all[pos] == '\r') ++pos;
    if (pos < all.size() && all[pos] == '\n') ++pos;

    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      const std::string name = text::ToLowerAscii(
          text::Trim(std::string_view(line).substr(1, close == std::string::npos ? std::string::npos
                                                                                  : close - 1)));
      auto [it, inserted] = m_sections.try_emplace(name);
      current = inserted ? &it->second : nullptr;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (current == nullptr || eq == std::string::npos) continue;
    std::string key = text::ToLowerAscii(text::Trim(std::string_view(line).substr(0, eq)));
    if (key.empty()) continue;
    std::string value = Unquote(text::Trim(std::string_view(line).substr(eq + 1)));
    if (value.size() > kMaxValueChars) value = text::Left(value, kMaxValueChars);
    current->values.try_emplace(std::move(key), std::move(value));
  }
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
  const auto s = m_sections.find(text::ToLowerAscii(text::Trim(section)));
  if (s == m_sections.end()) return nullptr;
  const auto k = s->second.values.find(text::ToLowerAscii(text::Trim(key)));
  if (k == s->second.values.end()) return nullptr;
  return &k->second;
}

std::string IniFile::Get(std::string_view section, std::string_view key) const {
  const std::string* value = Find(section, key);
  return value ? *value : std::string();
}

bool IniFile::Has(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

bool IniFile::IsUpToDate() const {
  if (m_path.empty()) return false;
  std::int64_t size = -1;
  std::int64_t mtime = 0;
  return StatFile(m_path, size, mtime) && size == m_size && mtime == m_mtime_ns;
}

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
  IniFile file;
  if (!file.Load(path)) return std::string();
  return file.Get(section, key);
}

}  // namespace corvatt
