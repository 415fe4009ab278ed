#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace corvatt::testing {

// A fresh folder under the temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 (std::string("corvatt-app-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace corvatt::testing
