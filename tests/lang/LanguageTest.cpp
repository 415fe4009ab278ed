#include "app/Language.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "LangTestFiles.h"
#include "common/text/Text.h"

namespace corvatt {
namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        language.SetInstallFolder(install.Folder());
        language.SetCurrentLanguage(1033);
    }
    test::TempInstall install;
    Language language;
};

TEST_F(LanguageTest, TextsComeFromTheCurrentLanguageFile) {
    install.Write(1033, "[LAN]\n12=Exit\n57=Please connect the mouse first.\n");
    install.Write(2052, "[LAN]\r\n12=退出\r\n");
    EXPECT_EQ(language.Text(12), "Exit");
    EXPECT_EQ(language.Text(57), "Please connect the mouse first.");
    EXPECT_EQ(language.Text(13), "");  // missing key
    language.SetCurrentLanguage(2052);
    EXPECT_EQ(language.Text(12), "退出");
    EXPECT_EQ(language.Text(57), "");
    EXPECT_EQ(language.Text(1033, 12), "Exit");
    EXPECT_EQ(language.FilePath(2052), install.Folder() + "language/2052.lan");
}

TEST_F(LanguageTest, OnlyTheSectionLanCounts) {
    install.Write(1033, "12=before any section\n[Other]\n12=other\n[lan]\n 12 = Exit \n[LAN]\n12=again\n");
    EXPECT_EQ(language.Text(12), "Exit");
}

TEST_F(LanguageTest, MissingFileGivesEmptyTextsUntilItAppears) {
    language.SetCurrentLanguage(1031);
    for (int id : {0, 12, 57, 351, 99999, -1}) EXPECT_EQ(language.Text(id), "") << id;
    EXPECT_EQ(language.ParseCount(), 0u);
    install.Write(1031, "[LAN]\n12=Beenden\n");
    EXPECT_EQ(language.Text(12), "Beenden");
    install.Remove(1031);
    EXPECT_EQ(language.Text(12), "");
}

TEST_F(LanguageTest, FileIsParsedOnceAndAgainWhenItChangesOnDisk) {
    install.Write(1033, "[LAN]\n12=Exit\n");
    for (int i = 0; i < 50; ++i) ASSERT_EQ(language.Text(12), "Exit");
    EXPECT_EQ(language.ParseCount(), 1u);

    // Same size, written right away: the change still shows at the next lookup.
    install.Write(1033, "[LAN]\n12=Quit\n");
    EXPECT_EQ(language.Text(12), "Quit");
    install.Write(1033, "[LAN]\n12=Leave the program\n");
    EXPECT_EQ(language.Text(12), "Leave the program");
    EXPECT_EQ(language.ParseCount(), 3u);
}

TEST_F(LanguageTest, SnapshotStaysValidWhileTheFileIsReplaced) {
    install.Write(1033, "[LAN]\n12=Exit\n");
    const auto before = language.CurrentTexts();
    install.Write(1033, "[LAN]\n12=Quit it\n");
    const auto after = language.CurrentTexts();
    EXPECT_EQ(before->Get("LAN", "12"), "Exit");
    EXPECT_EQ(after->Get("LAN", "12"), "Quit it");
}

TEST_F(LanguageTest, LongTextsAreCutTo259Characters) {
    std::string ascii(300, 'a');
    std::string chinese;
    for (int i = 0; i < 300; ++i) chinese += "字";
    install.Write(1033, "[LAN]\n1=" + ascii + "\n2=" + chinese + "\n3=" + std::string(259, 'b') + "\n");
    EXPECT_EQ(language.Text(1), std::string(259, 'a'));
    const std::string cut = language.Text(2);
    EXPECT_EQ(text::CharCount(cut), 259u);
    EXPECT_EQ(cut.size(), 259u * 3);
    EXPECT_EQ(language.Text(3), std::string(259, 'b'));
}

TEST_F(LanguageTest, Utf16LittleEndianFileWithMark) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text::Utf8ToUtf16("[LAN]\r\n12=退出\r\n57=请先连接鼠标。\r\n")) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    install.Write(2052, bytes);
    language.SetCurrentLanguage(2052);
    EXPECT_EQ(language.Text(12), "退出");
    EXPECT_EQ(language.Text(57), "请先连接鼠标。");
}

TEST_F(LanguageTest, Utf8FileWithMark) {
    install.Write(1033, "\xEF\xBB\xBF[LAN]\n12=Exit\n");
    EXPECT_EQ(language.Text(12), "Exit");
}

TEST_F(LanguageTest, LookupsFromSeveralThreadsWhileTheFileChanges) {
    install.Write(1033, "[LAN]\n12=Exit\n");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 2; ++t) {
        readers.emplace_back([&] {
            while (!stop.load()) {
                const std::string value = language.Text(12);
                // A reader may catch the file while it is rewritten (empty), never a mix.
                if (value != "Exit" && value != "Quit" && !value.empty()) ++bad;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        install.Write(1033, i % 2 ? "[LAN]\n12=Exit\n" : "[LAN]\n12=Quit\n");
        language.SetCurrentLanguage(i % 3 ? 1033 : 2052);
    }
    stop = true;
    for (auto& reader : readers) reader.join();
    EXPECT_EQ(bad.load(), 0);
    language.SetCurrentLanguage(1033);
    install.Write(1033, "[LAN]\n12=Leave\n");
    EXPECT_EQ(language.Text(12), "Leave");
}

TEST(GetLanguageTextTest, UsesTheProgramLanguage) {
    test::TempInstall install;
    install.Write(2052, "[LAN]\n61=配置\n");
    Language& language = Language::Instance();
    const std::string old_folder = language.InstallFolder();
    const int old_language = language.CurrentLanguage();
    language.SetInstallFolder(install.Folder());
    language.SetCurrentLanguage(2052);
    EXPECT_EQ(GetLanguageText(61), "配置");
    language.SetCurrentLanguage(old_language);
    language.SetInstallFolder(old_folder);
}

}  // namespace
}  // namespace corvatt
