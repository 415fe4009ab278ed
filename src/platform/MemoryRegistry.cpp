#include "platform/MemoryRegistry.h"

namespace corvatt {

RegistryStatus MemoryRegistry::OpenKey(std::string_view key) {
    std::lock_guard lock(m_mutex);
    if (m_failing) {
        return RegistryStatus::kError;
    }
    return m_tree.HasKey(key) ? RegistryStatus::kOk : RegistryStatus::kNotFound;
}

bool MemoryRegistry::CreateKey(std::string_view key) {
    std::lock_guard lock(m_mutex);
    if (m_failing || !RegistryTree::IsValidKeyPath(key)) {
        return false;
    }
    if (!m_tree.HasKey(key)) {
        m_tree.AddKey(key);
    }
    return true;
}

RegistryStatus MemoryRegistry::QueryValue(std::string_view key, std::string_view name,
                                          std::string& value) {
    std::lock_guard lock(m_mutex);
    if (m_failing) {
        return RegistryStatus::kError;
    }
    const RegistryTree::Value* found = m_tree.FindValue(key, name);
    if (found == nullptr) {
        return RegistryStatus::kNotFound;
    }
    value = found->text;
    return RegistryStatus::kOk;
}

bool MemoryRegistry::SetValue(std::string_view key, std::string_view name,
                              std::string_view value) {
    std::lock_guard lock(m_mutex);
    if (m_failing || !RegistryTree::IsValidValueName(name) || !m_tree.SetValue(key, name, value)) {
        return false;
    }
    ++m_write_count;
    return true;
}

bool MemoryRegistry::DeleteValue(std::string_view key, std::string_view name) {
    std::lock_guard lock(m_mutex);
    if (m_failing) {
        return false;
    }
    m_tree.DeleteValue(key, name);
    return true;
}

void MemoryRegistry::SetFailing(bool failing) {
    std::lock_guard lock(m_mutex);
    m_failing = failing;
}

int MemoryRegistry::WriteCount() const {
    std::lock_guard lock(m_mutex);
    return m_write_count;
}

}  // namespace corvatt
