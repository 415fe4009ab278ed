#include "platform/MemoryLauncher.h"

namespace corvatt {

void MemoryLauncher::AddProgram(std::string program) {
    std::lock_guard lock(m_mutex);
    m_programs.insert(std::move(program));
}

bool MemoryLauncher::IsAvailable(std::string_view program) const {
    std::lock_guard lock(m_mutex);
    return m_programs.find(program) != m_programs.end();
}

bool MemoryLauncher::Spawn(const std::vector<std::string>& argv) {
    std::lock_guard lock(m_mutex);
    if (argv.empty() || m_programs.find(argv.front()) == m_programs.end()) {
        return false;
    }
    m_started.push_back(argv);
    return true;
}

std::vector<std::vector<std::string>> MemoryLauncher::Started() const {
    std::lock_guard lock(m_mutex);
    return m_started;
}

}  // namespace corvatt
