#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/DpiDecision.h"
#include "platform/MemoryAutostart.h"
#include "platform/MemoryLauncher.h"
#include "platform/PosixLauncher.h"
#include "platform/UserLanguage.h"
#include "platform/XdgAutostart.h"
#include "TempDir.h"

namespace corvatt {
namespace {

using namespace std::chrono_literals;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(UserLanguage, LocaleNamesMapToLanguageIds) {
    const std::pair<const char*, int> cases[] = {
        {"zh_CN", 2052},       {"zh_CN.UTF-8", 2052}, {"zh_SG.GB2312", 2052}, {"zh", 2052},
        {"zh_TW", 1028},       {"zh_TW.Big5", 1028},  {"zh_HK.UTF-8", 1028},  {"en_US", 1033},
        {"en_GB.UTF-8", 1033}, {"de", 1031},          {"de_DE@euro", 1031},   {"de_AT.UTF-8", 1031},
        {"ja_JP.eucJP", 1041}, {"ru_RU.KOI8-R", 1049}, {"fr_CA", 1036},       {"es_ES", 1034},
        {"it_IT", 1040},       {"pt_BR", 2070},       {"pt_PT", 2070},        {"pl_PL", 1045},
        {"vi_VN", 1066},       {"C", 1033},           {"POSIX", 1033},        {"C.UTF-8", 1033},
        {"ko_KR", 1033},       {"", 1033},            {"DE_de", 1031},
    };
    for (const auto& [locale, id] : cases) {
        EXPECT_EQ(LanguageIdFromLocale(locale), id) << locale;
    }
}

TEST(UserLanguage, FirstNonEmptyVariableWins) {
    EXPECT_EQ(UserUiLanguage(Environment({{"LC_ALL", "de_DE"}, {"LC_MESSAGES", "ja_JP"},
                                          {"LANG", "ru_RU"}})),
              1031);
    EXPECT_EQ(UserUiLanguage(Environment({{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP"},
                                          {"LANG", "ru_RU"}})),
              1041);
    EXPECT_EQ(UserUiLanguage(Environment({{"LANG", "zh_CN.UTF-8"}})), 2052);
    EXPECT_EQ(UserUiLanguage(Environment()), 1033);
}

TEST(DpiDecision, ScaleMapping) {
    const std::pair<int, int> cases[] = {{0, 100},   {72, 100},  {96, 100},  {100, 100},
                                         {120, 125}, {130, 100}, {144, 150}, {168, 175},
                                         {192, 200}, {240, 100}};
    for (const auto& [dpi, scale] : cases) {
        EXPECT_EQ(ScreenScaleFromDpi(dpi), scale) << dpi;
    }
}

TEST(DpiDecision, ScreenFigures) {
    struct Case {
        int width, height, dpi;
        bool aware;
    };
    const Case cases[] = {
        {1366, 768, 96, true},    {1366, 768, 0, true},     {1399, 1200, 96, true},
        {1600, 799, 96, true},    {1400, 800, 96, false},   {2560, 1440, 96, false},
        {2560, 1440, 192, false}, {1920, 1080, 144, true},  {1920, 1080, 168, true},
        {1920, 1080, 192, true},  {1920, 1080, 120, false}, {1920, 1080, 96, false},
        {1920, 1080, 0, false},   {1920, 1200, 144, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideDpiAware(c.width, c.height, c.dpi), c.aware)
            << c.width << "x" << c.height << " at " << c.dpi;
    }
}

// A script that writes its arguments, one per line, to the file named by its first.
std::string MakeRecorder(const TempDir& dir, const std::string& name) {
    const std::string path = dir / name;
    WriteFile(path, "#!/bin/sh\nout=\"$1\"; shift\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\nmv \"$out.tmp\" \"$out\"\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    return ReadFile(path);
}

TEST(PosixLauncher, FindsProgramsOnTheSearchPathOnly) {
    TempDir dir;
    MakeRecorder(dir, "tool");
    WriteFile(dir / "plain", "not executable");
    std::filesystem::create_directory(dir / "folder");
    const std::string search = "/nonexistent::" + dir.Path();
    EXPECT_EQ(PosixLauncher::FindProgram("tool", search), dir / "tool");
    EXPECT_EQ(PosixLauncher::FindProgram("plain", search), "");
    EXPECT_EQ(PosixLauncher::FindProgram("folder", search), "");
    EXPECT_EQ(PosixLauncher::FindProgram("missing", search), "");
    EXPECT_EQ(PosixLauncher::FindProgram(dir / "tool", ""), dir / "tool");
    EXPECT_EQ(PosixLauncher::FindProgram("", search), "");
}

TEST(PosixLauncher, ArgumentsReachTheProgramUntouchedByAShell) {
    TempDir dir;
    MakeRecorder(dir, "recorder");
    PosixLauncher launcher(dir.Path());
    const std::string out = dir / "args";
    const std::string tricky = "https://x.test/a?b=1&c=$(touch " + dir.Path() + "/pwned); `id`";
    ASSERT_TRUE(launcher.Spawn({"recorder", out, tricky, "two words"}));
    EXPECT_EQ(WaitForFile(out), tricky + "\ntwo words\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "pwned"));
}

TEST(PosixLauncher, ShellOpenFailsCleanlyWithoutXdgOpen) {
    TempDir dir;
    PosixLauncher launcher(dir.Path());
    EXPECT_FALSE(launcher.IsAvailable("xdg-open"));
    EXPECT_FALSE(ShellOpen(launcher, "https://example.invalid/"));
    EXPECT_FALSE(launcher.Spawn({"/nonexistent/program"}));
    EXPECT_FALSE(launcher.Spawn({}));
}

TEST(PosixLauncher, ShellOpenStartsXdgOpenWithTheTarget) {
    TempDir dir;
    // An xdg-open stand-in that records its argument.
    const std::string out = dir / "opened";
    WriteFile(dir / "xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + out + ".tmp\"\nmv \"" + out +
                                    ".tmp\" \"" + out + "\"\n");
    ::chmod((dir / "xdg-open").c_str(), 0755);
    PosixLauncher launcher(dir.Path());
    EXPECT_FALSE(ShellOpen(launcher, ""));
    ASSERT_TRUE(ShellOpen(launcher, "/home/u/My Files/report.xml"));
    EXPECT_EQ(WaitForFile(out), "/home/u/My Files/report.xml");
}

TEST(MouseSettings, FirstAvailableToolIsStarted) {
    struct Case {
        std::vector<std::string> installed;
        std::vector<std::string> started;
    };
    const Case cases[] = {
        {{}, {}},
        {{"xfce4-mouse-settings"}, {"xfce4-mouse-settings"}},
        {{"kcmshell5", "xfce4-mouse-settings"}, {"kcmshell5", "kcm_mouse"}},
        {{"kcmshell6", "kcmshell5"}, {"kcmshell6", "kcm_mouse"}},
        {{"systemsettings", "kcmshell6"}, {"systemsettings", "kcm_mouse"}},
        {{"xfce4-mouse-settings", "gnome-control-center"}, {"gnome-control-center", "mouse"}},
    };
    for (const Case& c : cases) {
        MemoryLauncher launcher;
        for (const std::string& program : c.installed) {
            launcher.AddProgram(program);
        }
        EXPECT_EQ(OpenMouseSettings(launcher), !c.started.empty());
        const auto started = launcher.Started();
        if (c.started.empty()) {
            EXPECT_TRUE(started.empty());
        } else {
            ASSERT_EQ(started.size(), 1u);
            EXPECT_EQ(started.front(), c.started);
        }
    }
}

TEST(MouseSettings, FoundOnTheRealSearchPath) {
    TempDir dir;
    MakeRecorder(dir, "kcmshell5");
    PosixLauncher launcher(dir.Path());
    EXPECT_TRUE(launcher.IsAvailable("kcmshell5"));
    EXPECT_FALSE(launcher.IsAvailable("gnome-control-center"));
    // The recorder takes "kcm_mouse" as its output file name.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const bool started = OpenMouseSettings(launcher);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(started);
    EXPECT_EQ(WaitForFile(dir / "kcm_mouse"), "");
}

TEST(XdgAutostart, EntryHoldsTheQuotedPathAndAutorun) {
    EXPECT_EQ(XdgAutostart::EntryText("Corvatt", "/opt/My Apps/corvatt"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Corvatt\n"
              "Exec=\"/opt/My Apps/corvatt\" -autorun\n"
              "Terminal=false\n"
              "X-GNOME-Autostart-enabled=true\n");
    // Quote, backquote, dollar and backslash are escaped inside the quotes (the backslash then
    // once more for the string value); a percent sign is doubled.
    const std::string text = XdgAutostart::EntryText("Corvatt", "/o/a\"b`c$d\\e%f");
    EXPECT_NE(text.find("Exec=\"/o/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f\" -autorun\n"), std::string::npos)
        << text;
    EXPECT_EQ(XdgAutostart::EntryText("Corvatt", "/o/new\nline"), "");
    EXPECT_EQ(XdgAutostart::EntryText("Corvatt", ""), "");
}

TEST(XdgAutostart, EnableQueryDisable) {
    TempDir dir;
    const Environment env({{"XDG_CONFIG_HOME", dir.Path()}, {"HOME", "/nonexistent"}});
    const std::string path = XdgAutostart::DefaultPath(env, "Corvatt");
    EXPECT_EQ(path, dir / "autostart/Corvatt.desktop");
    XdgAutostart autostart(path, "Corvatt");
    EXPECT_FALSE(autostart.IsEnabled());
    EXPECT_TRUE(autostart.Disable());  // nothing to remove
    ASSERT_TRUE(autostart.Enable("/usr/bin/corvatt"));
    EXPECT_TRUE(autostart.IsEnabled());
    EXPECT_EQ(ReadFile(path), XdgAutostart::EntryText("Corvatt", "/usr/bin/corvatt"));
    EXPECT_FALSE(autostart.Enable("/bad\npath"));
    EXPECT_EQ(ReadFile(path), XdgAutostart::EntryText("Corvatt", "/usr/bin/corvatt"));
    EXPECT_TRUE(autostart.Disable());
    EXPECT_FALSE(autostart.IsEnabled());
}

TEST(MemoryAutostart, RecordsTheCommand) {
    MemoryAutostart autostart;
    EXPECT_FALSE(autostart.IsEnabled());
    autostart.Enable("/usr/bin/corvatt");
    EXPECT_TRUE(autostart.IsEnabled());
    EXPECT_EQ(autostart.Command(), "/usr/bin/corvatt -autorun");
    autostart.Disable();
    EXPECT_FALSE(autostart.IsEnabled());
}

}  // namespace
}  // namespace corvatt
