#pragma once

#include <string>

#include "platform/Autostart.h"

namespace corvatt {

class MemoryAutostart : public Autostart {
public:
    bool Enable(const std::string& executable_path) override {
        m_command = executable_path + " -autorun";
        m_enabled = true;
        return true;
    }
    bool Disable() override {
        m_enabled = false;
        m_command.clear();
        return true;
    }
    bool IsEnabled() const override { return m_enabled; }
    const std::string& Command() const { return m_command; }

private:
    bool m_enabled = false;
    std::string m_command;
};

}  // namespace corvatt
