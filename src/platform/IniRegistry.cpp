#include "platform/IniRegistry.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"

namespace corvatt {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// Backslash and control characters are escaped so every value stays on one line.
std::string EscapeValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string UnescapeValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            if (text[i + 1] == '\\') {
                out += '\\';
                ++i;
                continue;
            }
            if (text[i + 1] == 'x' && i + 3 < text.size()) {
                const int high = HexDigit(text[i + 2]);
                const int low = HexDigit(text[i + 3]);
                if (high >= 0 && low >= 0) {
                    out += static_cast<char>(high * 16 + low);
                    i += 3;
                    continue;
                }
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

IniRegistry::IniRegistry(std::string file_path) : m_path(std::move(file_path)) {}

std::string IniRegistry::DefaultPath(const Environment& env, std::string_view app_name) {
    return XdgConfigHome(env) + "/" + std::string(app_name) +
           "/registry.ini";
}

std::string IniRegistry::Serialize(const RegistryTree& tree) {
    std::string out;
    for (const RegistryTree::Key& key : tree.Keys()) {
        if (!out.empty()) {
            out += '\n';
        }
        out += '[';
        out += key.path;
        out += "]\n";
        for (const RegistryTree::Value& value : key.values) {
            out += value.name;
            out += '=';
            out += EscapeValue(value.text);
            out += '\n';
        }
    }
    return out;
}

RegistryTree IniRegistry::Parse(std::string_view text) {
    RegistryTree tree;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::string current;
    bool in_key = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = std::string(line.substr(1, line.size() - 2));
            in_key = RegistryTree::IsValidKeyPath(current);
            if (in_key) {
                tree.AddKey(current);
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!in_key || eq == std::string_view::npos) {
            continue;
        }
        tree.SetValue(current, line.substr(0, eq), UnescapeValue(line.substr(eq + 1)));
    }
    return tree;
}

RegistryStatus IniRegistry::Load(RegistryTree& tree) const {
    std::string content;
    switch (ReadWholeFile(m_path, content)) {
        case FileReadResult::kOk:
            tree = Parse(content);
            return RegistryStatus::kOk;
        case FileReadResult::kMissing:
            tree.Clear();
            return RegistryStatus::kNotFound;
        case FileReadResult::kError:
            break;
    }
    return RegistryStatus::kError;
}

bool IniRegistry::Save(const RegistryTree& tree) const {
    return WriteFileAtomically(m_path, Serialize(tree));
}

RegistryStatus IniRegistry::OpenKey(std::string_view key) {
    std::lock_guard lock(m_mutex);
    RegistryTree tree;
    if (Load(tree) == RegistryStatus::kError) {
        return RegistryStatus::kError;
    }
    return tree.HasKey(key) ? RegistryStatus::kOk : RegistryStatus::kNotFound;
}

bool IniRegistry::CreateKey(std::string_view key) {
    if (!RegistryTree::IsValidKeyPath(key)) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    RegistryTree tree;
    if (Load(tree) == RegistryStatus::kError) {
        return false;
    }
    if (tree.HasKey(key)) {
        return true;
    }
    tree.AddKey(key);
    return Save(tree);
}

RegistryStatus IniRegistry::QueryValue(std::string_view key, std::string_view name,
                                       std::string& value) {
    std::lock_guard lock(m_mutex);
    RegistryTree tree;
    if (Load(tree) == RegistryStatus::kError) {
        return RegistryStatus::kError;
    }
    const RegistryTree::Value* found = tree.FindValue(key, name);
    if (found == nullptr) {
        return RegistryStatus::kNotFound;
    }
    value = found->text;
    return RegistryStatus::kOk;
}

bool IniRegistry::SetValue(std::string_view key, std::string_view name, std::string_view value) {
    if (!RegistryTree::IsValidValueName(name)) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    RegistryTree tree;
    if (Load(tree) != RegistryStatus::kOk || !tree.SetValue(key, name, value)) {
        return false;
    }
    return Save(tree);
}

bool IniRegistry::DeleteValue(std::string_view key, std::string_view name) {
    std::lock_guard lock(m_mutex);
    RegistryTree tree;
    const RegistryStatus status = Load(tree);
    if (status == RegistryStatus::kError) {
        return false;
    }
    if (tree.FindValue(key, name) == nullptr) {
        return true;
    }
    tree.DeleteValue(key, name);
    return Save(tree);
}

}  // namespace corvatt
