#include "platform/RegistryTree.h"

#include <algorithm>

#include "common/text/Text.h"

namespace corvatt {
namespace {

bool HasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// "a\b" is a sub-key of "A".
bool IsSubKeyOf(std::string_view path, std::string_view parent) {
    return path.size() > parent.size() && path[parent.size()] == '\\' &&
           text::EqualsNoCaseAscii(path.substr(0, parent.size()), parent);
}

}  // namespace

bool RegistryTree::IsValidKeyPath(std::string_view path) {
    return !path.empty() && !HasControl(path);
}

bool RegistryTree::IsValidValueName(std::string_view name) {
    return !HasControl(name) && name.find('=') == std::string_view::npos &&
           (name.empty() || name.front() != '[');
}

RegistryTree::Key* RegistryTree::FindKey(std::string_view path) {
    for (Key& key : m_keys) {
        if (text::EqualsNoCaseAscii(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

const RegistryTree::Key* RegistryTree::FindKey(std::string_view path) const {
    return const_cast<RegistryTree*>(this)->FindKey(path);
}

bool RegistryTree::HasKey(std::string_view path) const {
    return std::any_of(m_keys.begin(), m_keys.end(), [path](const Key& key) {
        return text::EqualsNoCaseAscii(key.path, path) || IsSubKeyOf(key.path, path);
    });
}

void RegistryTree::AddKey(std::string_view path) {
    if (FindKey(path) == nullptr) {
        m_keys.push_back(Key{std::string(path), {}});
    }
}

const RegistryTree::Value* RegistryTree::FindValue(std::string_view key,
                                                   std::string_view name) const {
    const Key* found = FindKey(key);
    if (found == nullptr) {
        return nullptr;
    }
    for (const Value& value : found->values) {
        if (text::EqualsNoCaseAscii(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

bool RegistryTree::SetValue(std::string_view key, std::string_view name, std::string_view text) {
    if (!HasKey(key)) {
        return false;
    }
    AddKey(key);
    Key* found = FindKey(key);
    for (Value& value : found->values) {
        if (text::EqualsNoCaseAscii(value.name, name)) {
            value.text = std::string(text);
            return true;
        }
    }
    found->values.push_back(Value{std::string(name), std::string(text)});
    return true;
}

void RegistryTree::DeleteValue(std::string_view key, std::string_view name) {
    Key* found = FindKey(key);
    if (found == nullptr) {
        return;
    }
    std::erase_if(found->values,
                  [name](const Value& value) { return text::EqualsNoCaseAscii(value.name, name); });
}

}  // namespace corvatt
