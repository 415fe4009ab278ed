#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/Folders.h"
#include "TempDir.h"

namespace corvatt {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(Folders, ExecutablePathIsThisTestProgram) {
    const std::string path = ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(std::filesystem::path(path).filename(), "test_platform");
}

TEST(Folders, InstallFolderIsTheExecutablesFolderWhenItHoldsConfig) {
    TempDir dir;
    std::filesystem::create_directories(dir / "bin");
    WriteFile(dir / "bin/config.xml", "<config/>");
    const Folders folders(Environment(), dir / "bin/corvatt");
    EXPECT_EQ(folders.InstallFolder(), dir / "bin/");
    EXPECT_EQ(folders.InstallFolderNoSlash(), dir / "bin");
}

TEST(Folders, InstallFolderFallsBackToShareAndHonoursTheOverride) {
    TempDir dir;
    std::filesystem::create_directories(dir / "bin");
    Folders folders(Environment(), dir / "bin/corvatt");
    EXPECT_EQ(folders.InstallFolder(), dir / "share/corvatt/");
    EXPECT_EQ(folders.InstallFolderNoSlash(), dir / "share/corvatt");

    folders.SetInstallOverride(dir / "data/./x/..");
    EXPECT_EQ(folders.InstallFolder(), dir / "data/");
    folders.SetInstallOverride("");
    EXPECT_EQ(folders.InstallFolder(), dir / "share/corvatt/");
}

TEST(Folders, DataAndConfigFoldersFollowXdg) {
    struct Case {
        Environment env;
        std::string data;
        std::string config;
    };
    const Case cases[] = {
        {Environment({{"HOME", "/home/u"}}), "/home/u/.local/share/Corvatt Files/",
         "/home/u/.config"},
        {Environment({{"HOME", "/home/u/"}, {"XDG_DATA_HOME", "/x/data/"},
                      {"XDG_CONFIG_HOME", "/x/cfg"}}),
         "/x/data/Corvatt Files/", "/x/cfg"},
        // Relative XDG folders are not valid and are ignored.
        {Environment({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "rel"}, {"XDG_CONFIG_HOME", ""}}),
         "/home/u/.local/share/Corvatt Files/", "/home/u/.config"},
    };
    for (const Case& c : cases) {
        const Folders folders(c.env, "/usr/bin/corvatt");
        EXPECT_EQ(folders.DataFolder("Corvatt"), c.data);
        EXPECT_EQ(folders.ConfigHome(), c.config);
    }
}

TEST(Folders, DataFolderOverrideReplacesTheWholeFolder) {
    Folders folders(Environment({{"HOME", "/home/u"}}), "/usr/bin/corvatt");
    folders.SetDataOverride("/tmp/corvatt-data");
    EXPECT_EQ(folders.DataFolder("Corvatt"), "/tmp/corvatt-data/");
}

TEST(Folders, ProcessFoldersAreWhatStartUpSets) {
    Folders folders(Environment({{"HOME", "/home/p"}}), "/nowhere/bin/corvatt");
    folders.SetInstallOverride("/opt/corvatt");
    SetProcessFolders(folders);
    EXPECT_EQ(GetInstallFolder(), "/opt/corvatt/");
    EXPECT_EQ(GetInstallFolderNoSlash(), "/opt/corvatt");
    EXPECT_EQ(GetDataFolder("Corvatt"), "/home/p/.local/share/Corvatt Files/");
}

TEST(CreateFolderTree, CreatesEveryMissingParent) {
    TempDir dir;
    const std::string path = dir / "a/b c/d/db";
    EXPECT_TRUE(CreateFolderTree(path));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(CreateFolderTree(path));           // already there
    EXPECT_TRUE(CreateFolderTree(dir / "a/e/"));   // trailing slash
    EXPECT_TRUE(CreateFolderTree(dir / "a//f"));   // doubled slash
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/f"));
}

TEST(CreateFolderTree, RelativePathsAreCreatedFromTheWorkingFolder) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const bool created = CreateFolderTree("rel/sub/db");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(created);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "rel/sub/db"));
}

TEST(CreateFolderTree, AFileInTheWayIsAFailure) {
    TempDir dir;
    WriteFile(dir / "file", "x");
    EXPECT_FALSE(CreateFolderTree(dir / "file"));
    EXPECT_FALSE(CreateFolderTree(dir / "file/db"));
    EXPECT_FALSE(CreateFolderTree(""));
}

}  // namespace
}  // namespace corvatt
