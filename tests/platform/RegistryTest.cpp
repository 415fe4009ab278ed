#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/IniRegistry.h"
#include "platform/MemoryRegistry.h"
#include "platform/Registry.h"
#include "TempDir.h"

namespace corvatt {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr std::string_view kKey = "SOFTWARE\\Corvatt";

std::string Repeat(std::string_view unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += unit;
    }
    return out;
}

TEST(Registry, ApplicationKeyIsUnderSoftware) {
    EXPECT_EQ(ApplicationKey("Corvatt"), "SOFTWARE\\Corvatt");
}

TEST(Registry, AbsentKeyIsNotFoundUntilCreatedAndWritesNeedTheKey) {
    TempDir dir;
    IniRegistry registry(dir / "Corvatt/registry.ini");

    EXPECT_EQ(registry.OpenKey(kKey), RegistryStatus::kNotFound);
    EXPECT_FALSE(WriteRegistryDecimal(registry, kKey, "LCID", 2052));
    EXPECT_FALSE(std::filesystem::exists(registry.Path()));

    // Reading through ReadRegistryInt creates the missing key and counts as 0.
    EXPECT_EQ(ReadRegistryInt(registry, kKey, "exit_mode"), 0);
    EXPECT_EQ(registry.OpenKey(kKey), RegistryStatus::kOk);
    EXPECT_EQ(ReadFile(registry.Path()), "[SOFTWARE\\Corvatt]\n");

    EXPECT_TRUE(WriteRegistryDecimal(registry, kKey, "LCID", 2052));
    EXPECT_TRUE(WriteRegistryString(registry, kKey, "exit_mode", "1"));
    EXPECT_EQ(ReadRegistryInt(registry, kKey, "LCID"), 2052);
    EXPECT_EQ(ReadFile(registry.Path()), "[SOFTWARE\\Corvatt]\nLCID=2052\nexit_mode=1\n");
}

TEST(Registry, KeysAndNamesIgnoreLetterCaseAndParentsExist) {
    MemoryRegistry registry;
    ASSERT_TRUE(registry.CreateKey("SOFTWARE\\Corvatt"));
    EXPECT_EQ(registry.OpenKey("software\\corvatt"), RegistryStatus::kOk);
    EXPECT_EQ(registry.OpenKey("SOFTWARE"), RegistryStatus::kOk);
    EXPECT_EQ(registry.OpenKey("SOFTWARE\\Corv"), RegistryStatus::kNotFound);
    ASSERT_TRUE(WriteRegistryString(registry, "Software\\CORVATT", "DeviceType", "102"));
    EXPECT_EQ(ReadRegistryDecimal(registry, kKey, "devicetype"), 102);
    ASSERT_TRUE(WriteRegistryString(registry, kKey, "DEVICETYPE", "201"));
    std::string value;
    EXPECT_EQ(registry.QueryValue(kKey, "DeviceType", value), RegistryStatus::kOk);
    EXPECT_EQ(value, "201");
}

TEST(Registry, ReadsUnderThe255ByteRule) {
    struct Case {
        std::string stored;
        bool readable;
        int decimal;
    };
    const Case cases[] = {
        {"2052", true, 2052},
        {"", true, 0},
        {"abc", true, 0},
        {"12ab", true, 12},
        {" -7", true, -7},
        {Repeat("x", 126), true, 0},                   // 254 bytes as UTF-16
        {"1" + Repeat(" ", 125), true, 1},             // still fits
        {"1" + Repeat(" ", 126), false, 0},            // 256 bytes: too long, reads as 0
        {Repeat("\xE4\xB8\xAD", 126), true, 0},        // 126 CJK characters, 378 bytes of UTF-8
        {Repeat("\xE4\xB8\xAD", 127), false, 0},
        {Repeat("\xF0\x9F\x98\x80", 63), true, 0},     // surrogate pairs count twice
        {Repeat("\xF0\x9F\x98\x80", 64), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        MemoryRegistry registry;
        ASSERT_TRUE(registry.CreateKey(kKey));
        ASSERT_TRUE(registry.SetValue(kKey, "LCID", c.stored));
        std::string value = "left over";
        const RegistryStatus status = ReadRegistryString(registry, kKey, "LCID", value);
        EXPECT_EQ(status == RegistryStatus::kOk, c.readable);
        EXPECT_EQ(value, c.readable ? c.stored : std::string());
        EXPECT_EQ(ReadRegistryDecimal(registry, kKey, "LCID"), c.decimal);
    }
}

TEST(Registry, MissingValueAndFailingStoreReadAsZero) {
    MemoryRegistry registry;
    ASSERT_TRUE(registry.CreateKey(kKey));
    std::string value;
    EXPECT_EQ(ReadRegistryString(registry, kKey, "LCID", value), RegistryStatus::kNotFound);
    EXPECT_EQ(ReadRegistryInt(registry, kKey, "LCID"), 0);

    registry.SetFailing(true);
    EXPECT_EQ(registry.OpenKey(kKey), RegistryStatus::kError);
    EXPECT_EQ(ReadRegistryInt(registry, kKey, "LCID"), 0);
    EXPECT_FALSE(WriteRegistryDecimal(registry, kKey, "LCID", 1033));
    EXPECT_EQ(registry.WriteCount(), 0);
}

TEST(Registry, UnreadableFileIsAnErrorAndIsNotReplaced) {
    TempDir dir;
    // A folder where the file should be: it can be opened but not read.
    const std::string path = dir / "registry.ini";
    std::filesystem::create_directory(path);
    IniRegistry registry(path);
    EXPECT_EQ(registry.OpenKey(kKey), RegistryStatus::kError);
    EXPECT_EQ(ReadRegistryInt(registry, kKey, "LCID"), 0);
    EXPECT_FALSE(registry.CreateKey(kKey));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(Registry, StoreThatCannotBeWrittenFailsCleanly) {
    TempDir dir;
    WriteFile(dir / "blocker", "not a folder");
    IniRegistry registry(dir / "blocker/registry.ini");
    EXPECT_FALSE(registry.CreateKey(kKey));
    EXPECT_EQ(registry.OpenKey(kKey), RegistryStatus::kError);
}

TEST(Registry, ValuesRoundTripThroughTheFile) {
    TempDir dir;
    IniRegistry writer(dir / "registry.ini");
    ASSERT_TRUE(writer.CreateKey(kKey));
    const std::pair<std::string, std::string> values[] = {
        {"chinese", "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"},
        {"path", "C:\\Program Files\\x\\"},
        {"lines", "one\ntwo\r\nthree\x01"},
        {"spaces", "  padded = yes  "},
        {"brackets", "[not a section]"},
        {"escape_like", "\\x41 stays"},
        {"empty", ""},
    };
    for (const auto& [name, text] : values) {
        ASSERT_TRUE(writer.SetValue(kKey, name, text)) << name;
    }
    const std::string file = ReadFile(writer.Path());
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 8) << file;

    IniRegistry reader(dir / "registry.ini");
    for (const auto& [name, text] : values) {
        std::string read;
        EXPECT_EQ(reader.QueryValue(kKey, name, read), RegistryStatus::kOk) << name;
        EXPECT_EQ(read, text) << name;
    }
}

TEST(Registry, NamesTheFileCannotHoldAreRefused) {
    TempDir dir;
    IniRegistry registry(dir / "registry.ini");
    ASSERT_TRUE(registry.CreateKey(kKey));
    EXPECT_FALSE(registry.SetValue(kKey, "a=b", "1"));
    EXPECT_FALSE(registry.SetValue(kKey, "line\nbreak", "1"));
    EXPECT_FALSE(registry.SetValue(kKey, "[section]", "1"));
    EXPECT_FALSE(registry.CreateKey("bad\nkey"));
    EXPECT_EQ(ReadFile(registry.Path()), "[SOFTWARE\\Corvatt]\n");
}

TEST(Registry, ParseToleratesHandEditedFiles) {
    const RegistryTree tree = IniRegistry::Parse(
        "\xEF\xBB\xBF"
        "orphan=1\r\n"
        "[SOFTWARE\\Corvatt]\r\n"
        "LCID=1031\r\n"
        "no equals sign\r\n"
        "LCID=2052\r\n"
        "\r\n"
        "[Other]\n"
        "exit_mode=1");
    ASSERT_EQ(tree.Keys().size(), 2u);
    const RegistryTree::Value* lcid = tree.FindValue(kKey, "LCID");
    ASSERT_NE(lcid, nullptr);
    EXPECT_EQ(lcid->text, "2052");
    EXPECT_EQ(tree.Keys()[0].values.size(), 1u);
    ASSERT_NE(tree.FindValue("Other", "exit_mode"), nullptr);
    EXPECT_EQ(tree.FindValue("Other", "exit_mode")->text, "1");
}

TEST(Registry, WriteReplacesTheFileAtomically) {
    TempDir dir;
    IniRegistry registry(dir / "registry.ini");
    ASSERT_TRUE(registry.CreateKey(kKey));
    ASSERT_TRUE(registry.SetValue(kKey, "LCID", "1033"));
    const std::string before = ReadFile(registry.Path());

    // A reader holding the old file keeps a complete old file; the path holds the new one.
    const int old_fd = ::open(registry.Path().c_str(), O_RDONLY);
    ASSERT_GE(old_fd, 0);
    ASSERT_TRUE(registry.SetValue(kKey, "LCID", "2052"));
    char buffer[256] = {};
    const ssize_t n = ::pread(old_fd, buffer, sizeof buffer - 1, 0);
    ::close(old_fd);
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0), before);
    EXPECT_EQ(ReadFile(registry.Path()), "[SOFTWARE\\Corvatt]\nLCID=2052\n");

    // No temporary file is left beside it, and the file is private to the user.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    const auto perms = std::filesystem::status(registry.Path()).permissions();
    EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST(Registry, SeesChangesMadeThroughAnotherObject) {
    TempDir dir;
    IniRegistry first(dir / "registry.ini");
    IniRegistry second(dir / "registry.ini");
    ASSERT_TRUE(first.CreateKey(kKey));
    ASSERT_TRUE(second.SetValue(kKey, "DeviceType", "101"));
    EXPECT_EQ(ReadRegistryDecimal(first, kKey, "DeviceType"), 101);
    ASSERT_TRUE(first.DeleteValue(kKey, "DeviceType"));
    EXPECT_TRUE(second.DeleteValue(kKey, "DeviceType"));  // already gone
    std::string value;
    EXPECT_EQ(second.QueryValue(kKey, "DeviceType", value), RegistryStatus::kNotFound);
}

TEST(Registry, DefaultPathFollowsXdgConfigHome) {
    EXPECT_EQ(IniRegistry::DefaultPath(Environment({{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/h"}}),
                                       "Corvatt"),
              "/cfg/Corvatt/registry.ini");
    EXPECT_EQ(IniRegistry::DefaultPath(Environment({{"HOME", "/h"}}), "Corvatt"),
              "/h/.config/Corvatt/registry.ini");
}

}  // namespace
}  // namespace corvatt
