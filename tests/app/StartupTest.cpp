#include "app/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "AppTestSupport.h"
#include "app/CommandLine.h"
#include "app/DeviceMainDlg.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/Manager.h"
#include "platform/Folders.h"
#include "platform/IniRegistry.h"
#include "platform/MemoryLauncher.h"
#include "platform/MemoryRegistry.h"
#include "platform/MemorySingleInstance.h"

namespace corvatt {
namespace {

constexpr const char* kKey = "SOFTWARE\\Corvatt";

struct LanguageCase {
    const char* name;
    const char* stored;     // LCID before, nullptr = absent
    bool key_exists;
    bool failing;
    int user_language;
    int expected_current;
    const char* expected_stored;  // LCID after, nullptr = absent
};

class ChooseLanguageTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ChooseLanguageTest, PicksTheRunLanguageAndFixesTheRegistry) {
    const auto& c = GetParam();
    MemoryRegistry registry;
    if (c.key_exists) registry.CreateKey(kKey);
    if (c.stored) registry.SetValue(kKey, "LCID", c.stored);
    registry.SetFailing(c.failing);
    const std::map<int, int> available{{1033, 1}, {2052, 1}};

    EXPECT_EQ(ChooseLanguage(registry, kKey, available, c.user_language), c.expected_current);

    registry.SetFailing(false);
    std::string value;
    const auto status = registry.QueryValue(kKey, "LCID", value);
    if (c.expected_stored) {
        EXPECT_EQ(status, RegistryStatus::kOk);
        EXPECT_EQ(value, c.expected_stored);
    } else {
        EXPECT_NE(status, RegistryStatus::kOk);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseLanguageTest,
    ::testing::Values(
        // The user's language is not available: the registry gets 1033, the run keeps 1031.
        LanguageCase{"UnavailableUserLanguage", nullptr, true, false, 1031, 1031, "1033"},
        LanguageCase{"NoKeyYet", nullptr, false, false, 2052, 2052, "2052"},
        LanguageCase{"StoredAndAvailable", "2052", true, false, 1033, 2052, "2052"},
        LanguageCase{"StoredButUnavailable", "1049", true, false, 1033, 1049, "1033"},
        LanguageCase{"NonNumeric", "abc", true, false, 1033, 1033, "1033"},
        // A registry that cannot be opened gives 2052 and is left alone.
        LanguageCase{"RegistryUnreadable", nullptr, false, true, 1033, 2052, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChooseLanguageTest, StoredAvailableLanguageWritesNothing) {
    MemoryRegistry registry;
    registry.CreateKey(kKey);
    registry.SetValue(kKey, "LCID", "2052");
    const int writes = registry.WriteCount();
    EXPECT_EQ(ChooseLanguage(registry, kKey, {{1033, 1}, {2052, 1}}, 1033), 2052);
    EXPECT_EQ(registry.WriteCount(), writes);
}

TEST(CommandLineTest, ReadsOptionsAndTheHideTest) {
    auto cl = CommandLine::Parse({"--simulate=v1-wired,v1-receiver", "-x-hide-y", "--data-dir", "/d",
                                  "--install-dir=/i", "--exit-after", "250", "-vv", "--screenshot", "s.png", "--open"});
    EXPECT_TRUE(cl.simulate);
    EXPECT_TRUE(cl.open_device);
    EXPECT_EQ(cl.simulate_devices, (std::vector<std::string>{"v1-wired", "v1-receiver"}));
    EXPECT_TRUE(cl.hide);
    EXPECT_EQ(cl.data_dir, "/d");
    EXPECT_EQ(cl.install_dir, "/i");
    EXPECT_EQ(cl.exit_after_ms, 250);
    EXPECT_EQ(cl.verbosity, 2);
    EXPECT_EQ(cl.screenshot, "s.png");
    EXPECT_TRUE(cl.errors.empty());

    EXPECT_EQ(CommandLine::Parse({"--simulate"}).simulate_devices, std::vector<std::string>{"v1-wired"});
    EXPECT_FALSE(CommandLine::Parse({"--simulate"}).open_device);
    EXPECT_FALSE(CommandLine::Parse({"-HIDE"}).hide);  // the test is case-sensitive
    EXPECT_FALSE(CommandLine::Parse({"--exit-after", "soon"}).errors.empty());
    EXPECT_FALSE(CommandLine::Parse({"--data-dir"}).errors.empty());
}

// Start-up against the shipped installation, with the user's folders in a temporary folder.
class RunProgramTest : public ::testing::Test {
protected:
    RunProgramTest()
        : m_folders(Environment({{"HOME", m_home.Path()},
                                 {"XDG_DATA_HOME", m_home.Path() + "/data"},
                                 {"XDG_CONFIG_HOME", m_home.Path() + "/config"}}),
                    std::string(CORVATT_TEST_DATA) + "/corvatt") {
        m_services.folders = &m_folders;
        m_services.launcher = &m_launcher;
        m_services.host = &m_host;
        m_services.user_ui_language = 1033;
        m_services.make_registry = [this](const std::string& app_name) -> std::unique_ptr<Registry> {
            return std::make_unique<IniRegistry>(IniRegistry::DefaultPath(m_folders.Env(), app_name));
        };
        m_services.make_instance = [this](const std::string&) -> std::unique_ptr<SingleInstance> {
            return std::make_unique<MemorySingleInstance>(m_bus);
        };
    }

    std::string RegistryPath() const { return m_home.Path() + "/config/Corvatt/registry.ini"; }

    testing::TempFolder m_home;
    Folders m_folders;
    MemoryLauncher m_launcher;
    MemoryInstanceBus m_bus;
    dui::HeadlessHost m_host;
    ProgramServices m_services;
};

TEST_F(RunProgramTest, FirstStartWritesTheRegistryAndMakesTheDataFolder) {
    bool window_seen = false;
    m_host.ScriptModal([&](dui::MWindow& window) {
        window_seen = true;
        EXPECT_EQ(window.GetTitle(), "Corvatt");
        EXPECT_TRUE(window.IsVisible());
        EXPECT_EQ(window.GetClientRect().Width(), 1300);
        EXPECT_EQ(window.GetClientRect().Height(), 788);
        EXPECT_EQ(window.GetWindowProperty("Corvatt"), 1);
        return 0;
    });
    EXPECT_EQ(RunProgram(CommandLine::Parse({}), m_services), 1);
    EXPECT_TRUE(window_seen);

    IniRegistry registry(RegistryPath());
    EXPECT_EQ(ReadRegistryDecimal(registry, kKey, "LCID"), 1033);
    EXPECT_EQ(ReadRegistryDecimal(registry, kKey, "DeviceType"), 101);
    EXPECT_TRUE(std::filesystem::is_directory(m_home.Path() + "/data/Corvatt Files/db"));
}

TEST_F(RunProgramTest, HideStartsWithOnlyTheTrayIcon) {
    m_host.ScriptModal([&](dui::MWindow& window) {
        EXPECT_FALSE(window.IsVisible());
        EXPECT_TRUE(m_host.GetTray().has_value());
        return 0;
    });
    EXPECT_EQ(RunProgram(CommandLine::Parse({"-hide"}), m_services), 1);
}

TEST_F(RunProgramTest, SecondStartBringsTheFirstForwardAndQuitEndsIt) {
    m_host.ScriptModal([&](dui::MWindow& window) {
        window.ShowWindow(dui::SW_HIDE);
        // A later start finds this one, asks it to come forward and leaves with 0.
        EXPECT_EQ(RunProgram(CommandLine::Parse({}), m_services), 0);
        m_host.PumpMessages();
        EXPECT_TRUE(window.IsVisible());
        EXPECT_EQ(m_host.ActivatedWindow(), window.Serial());

        EXPECT_EQ(RunProgram(CommandLine::Parse({"--quit"}), m_services), 0);
        m_host.PumpMessages();
        EXPECT_EQ(m_host.QuitCode(), 0);
        return 0;
    });
    RunProgram(CommandLine::Parse({}), m_services);
}

TEST_F(RunProgramTest, QuitWithoutARunningInstanceFails) {
    EXPECT_EQ(RunProgram(CommandLine::Parse({"--quit"}), m_services), 1);
    EXPECT_FALSE(m_host.QuitCode().has_value());
}

TEST_F(RunProgramTest, ExitAfterEndsTheLoopNormally) {
    m_host.ScriptModal([&](dui::MWindow& window) {
        // Ending the modal run hides the window.
        m_host.AdvanceClock(499);
        EXPECT_TRUE(window.IsVisible());
        m_host.AdvanceClock(1);
        EXPECT_FALSE(window.IsVisible());
        return 0;
    });
    EXPECT_EQ(RunProgram(CommandLine::Parse({"--exit-after", "500"}), m_services), 1);
}

}  // namespace
}  // namespace corvatt
