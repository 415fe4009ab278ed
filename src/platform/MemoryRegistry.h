#pragma once

#include <mutex>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace corvatt {

// An in-memory registry for tests; can be told to fail like a store without access.
class MemoryRegistry : public Registry {
public:
    RegistryStatus OpenKey(std::string_view key) override;
    bool CreateKey(std::string_view key) override;
    RegistryStatus QueryValue(std::string_view key, std::string_view name,
                              std::string& value) override;
    bool SetValue(std::string_view key, std::string_view name, std::string_view value) override;
    bool DeleteValue(std::string_view key, std::string_view name) override;

    // While set, every operation fails as kError / false.
    void SetFailing(bool failing);
    // Number of successful SetValue calls.
    int WriteCount() const;

private:
    mutable std::mutex m_mutex;
    RegistryTree m_tree;
    bool m_failing = false;
    int m_write_count = 0;
};

}  // namespace corvatt
