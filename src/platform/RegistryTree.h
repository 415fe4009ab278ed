#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvatt {

// The keys and values of a registry store, in creation order.
class RegistryTree {
public:
    struct Value {
        std::string name;
        std::string text;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
    };

    // True when the key or one of its sub-keys exists.
    bool HasKey(std::string_view path) const;
    void AddKey(std::string_view path);
    const Value* FindValue(std::string_view key, std::string_view name) const;
    // False when the key does not exist.
    bool SetValue(std::string_view key, std::string_view name, std::string_view text);
    void DeleteValue(std::string_view key, std::string_view name);

    const std::vector<Key>& Keys() const { return m_keys; }
    void Clear() { m_keys.clear(); }

    // A key path or value name that can be stored (no control characters, no "]" or "="
    // where the file format reserves them).
    static bool IsValidKeyPath(std::string_view path);
    static bool IsValidValueName(std::string_view name);

private:
    Key* FindKey(std::string_view path);
    const Key* FindKey(std::string_view path) const;

    std::vector<Key> m_keys;
};

}  // namespace corvatt
