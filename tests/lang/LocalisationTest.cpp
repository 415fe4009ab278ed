#include "app/Localisation.h"

#include <gtest/gtest.h>

#include <string>

#include "LangTestFiles.h"
#include "app/Language.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MButton.h"
#include "common/ui/MDialog.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "platform/MemoryRegistry.h"

namespace corvatt {
namespace {

struct AssignmentCase {
    int language;
    const char* name;
    const char* expected;
};

class AssignmentNameTest : public ::testing::TestWithParam<AssignmentCase> {};

std::string CustomWord(int language) {
    switch (language) {
        case kLanguageEnglish: return "Custom";
        case kLanguageChineseSimplified: return "自定义";
        case kLanguageChineseTraditional: return "自定義";
        case kLanguageJapanese: return "カスタム";
        case kLanguageRussian: return "Пользоват";
        default: return "Personnalisé";
    }
}

TEST_P(AssignmentNameTest, ShownInTheCurrentLanguage) {
    const AssignmentCase& c = GetParam();
    EXPECT_EQ(LocaliseAssignmentName(c.name, c.language, CustomWord(c.language)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, AssignmentNameTest,
    ::testing::Values(
        // Another language's "custom" word at the start becomes the current one.
        AssignmentCase{1033, "自定义2", "Custom2"},
        AssignmentCase{1033, "自定義 3", "Custom 3"},
        AssignmentCase{1033, "カスタム1", "Custom1"},
        AssignmentCase{1033, "Пользоват1", "Custom1"},
        AssignmentCase{1033, "Custom 2", "Custom 2"},  // already English
        AssignmentCase{2052, "Custom 2", "自定义 2"},
        AssignmentCase{2052, "自定义2", "自定义2"},
        AssignmentCase{1028, "自定义5", "自定義5"},
        AssignmentCase{1041, "自定義5", "カスタム5"},
        AssignmentCase{1049, "カスタム5", "Пользоват5"},
        // Exact and only once.
        AssignmentCase{2052, "custom1", "custom1"},
        AssignmentCase{2052, "CustomCustom", "自定义Custom"},
        AssignmentCase{2052, "My Custom", "My Custom"},
        // Copy words at the end: the text before them keeps its blank, the format adds one.
        AssignmentCase{2052, "自定义1Copy", "自定义1 复制"},
        AssignmentCase{2052, "Custom 1 Copy", "自定义 1  复制"},
        AssignmentCase{2052, "宏 複製", "宏  复制"},
        AssignmentCase{2052, "宏 Копировать", "宏  复制"},
        AssignmentCase{2052, "宏 复制", "宏 复制"},
        AssignmentCase{1033, "自定义1 复制", "Custom1  Copy"},
        AssignmentCase{1033, "Macro 1 Copy", "Macro 1 Copy"},
        AssignmentCase{1028, "Custom 1 Copy", "自定義 1  複製"},
        AssignmentCase{1041, "Custom1复制", "カスタム1 複製"},
        AssignmentCase{1049, "Custom1 复制", "Пользоват1  Копировать"},
        AssignmentCase{1049, "x 複製", "x 複製"},  // not in the Russian list
        AssignmentCase{2052, "Copy", " 复制"},
        AssignmentCase{2052, "Copying", "Copying"},
        // A name that holds the word twice keeps the first one.
        AssignmentCase{2052, "Copy of Copy", "Copy of  复制"},
        // Other languages: no change at all.
        AssignmentCase{1036, "自定义1 Copy", "自定义1 Copy"},
        AssignmentCase{1031, "Custom1复制", "Custom1复制"}));

struct DefaultNameCase {
    const char* custom_word;
    const char* copy_word;
    const char* name;
    const char* expected;
};

class DefaultNameTest : public ::testing::TestWithParam<DefaultNameCase> {};

TEST_P(DefaultNameTest, MacroListName) {
    const DefaultNameCase& c = GetParam();
    EXPECT_EQ(LocaliseDefaultName(c.name, c.custom_word, c.copy_word), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DefaultNameTest,
    ::testing::Values(
        DefaultNameCase{"自定义", "复制", "Custom 3", "自定义 3"},
        DefaultNameCase{"Custom", "Copy", "自定义3", "Custom3"},
        DefaultNameCase{"Custom", "Copy", "Custom 3", "Custom 3"},
        DefaultNameCase{"Custom", "Copy", "Custom 1 Copy", "Custom 1  Copy"},
        DefaultNameCase{"自定义", "复制", "Custom 1 Copy", "自定义 1  复制"},
        DefaultNameCase{"Custom", "Copy", "宏复制", "宏 Copy"},
        DefaultNameCase{"自定义", "复制", "自定义2复制", "自定义2 复制"},
        DefaultNameCase{"Custom", "Copy", "Copy Copy", "Copy  Copy"},
        DefaultNameCase{"Custom", "Copy", "カスタム1", "カスタム1"},  // only two words here
        DefaultNameCase{"Custom", "Copy", "My macro", "My macro"},
        DefaultNameCase{"Custom", "Copy", "customcopy", "customcopy"},
        DefaultNameCase{"Custom", "Copy", "", ""}));

TEST(ProfileNameTest, GeneratedNamesFollowTheLanguage) {
    EXPECT_EQ(LocaliseProfileName("Profile 1", "配置"), "配置 1");
    EXPECT_EQ(LocaliseProfileName("配置 2", "Profile"), "Profile 2");
    EXPECT_EQ(LocaliseProfileName("Profile", "配置"), "配置");
    EXPECT_EQ(LocaliseProfileName("profile 1", "配置"), "profile 1");
    EXPECT_EQ(LocaliseProfileName("Gaming", "配置"), "Gaming");
}

// The program's language singleton, pointed at a temporary installation for one test.
class ProgramLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Language& language = Language::Instance();
        m_old_folder = language.InstallFolder();
        m_old_language = language.CurrentLanguage();
        m_old_font = dui::Manager::Instance().GetFontName();
        language.SetInstallFolder(install.Folder());
        language.SetCurrentLanguage(1033);
        install.Write(1033, "[LAN]\n12=Exit\n15=Firmware\n31=Copy\n61=Profile\n71=Home\n72=Buttons\n"
                            "85=Previous\n351=Custom\n");
        install.Write(2052, "[LAN]\n12=退出\n15=固件\n31=复制\n61=配置\n71=首页\n72=按键\n"
                            "85=上一个\n351=自定义\n");
    }
    void TearDown() override {
        Language::Instance().SetInstallFolder(m_old_folder);
        Language::Instance().SetCurrentLanguage(m_old_language);
        dui::Manager::Instance().SetFontName(m_old_font);
    }

    test::TempInstall install;

private:
    std::string m_old_folder;
    int m_old_language = 0;
    std::string m_old_font;
};

TEST_F(ProgramLanguageTest, NameRulesUseTheCurrentLanguageTexts) {
    EXPECT_EQ(LocaliseDefaultName("自定义 1复制"), "Custom 1 Copy");
    EXPECT_EQ(LocaliseAssignmentName("自定义2"), "Custom2");
    EXPECT_EQ(LocaliseProfileName("配置 3"), "Profile 3");
    Language::Instance().SetCurrentLanguage(2052);
    EXPECT_EQ(LocaliseDefaultName("Custom 1 Copy"), "自定义 1  复制");
    EXPECT_EQ(LocaliseAssignmentName("Custom 1 Copy"), "自定义 1  复制");
    EXPECT_EQ(LocaliseProfileName("Profile 3"), "配置 3");
    // Without a language file the words are empty, as every other text.
    Language::Instance().SetCurrentLanguage(1049);
    EXPECT_EQ(LocaliseDefaultName("Custom 1"), " 1");
    EXPECT_EQ(LocaliseAssignmentName("Custom 1"), " 1");
}

class ApplyLanguageTest : public ProgramLanguageTest {
protected:
    void SetUp() override {
        ProgramLanguageTest::SetUp();
        main.Create(nullptr, "MWindow", 0, {0, 0, 1300, 788}, "Main");
        caption = main.Create<dui::MText>(35, {}, GetLanguageText(12));
        caption->SetTextId(12);
        fixed = main.Create<dui::MText>(36, {}, "v1.0.0");  // no id: left alone
        previous = main.Create<dui::MButton>(60, {});
        previous->SetTooltipId(85);
        previous->SetTooltip(GetLanguageText(85));
        tabs = main.Create<dui::MTabCtrl>(48, {});
        tabs->AddItem(1, GetLanguageText(71), "", 0, 71);
        tabs->AddItem(2, GetLanguageText(72), "", 0, 72);
        tabs->AddItem(3, "plain", "", 0, 0);
        list = main.Create<dui::CDeviceList>(57, {});
        list->SetVersionLabelId(15);
        list->SetVersionLabel(GetLanguageText(15));
        other.Create(nullptr, "MWindow", 0, {0, 0, 300, 200}, "Other");
        other_text = other.Create<dui::MText>(31, {}, GetLanguageText(61));
        other_text->SetTextId(61);
        registry.CreateKey("SOFTWARE\\Corvatt");
    }
    void TearDown() override {
        other.DestroyWindow();
        main.DestroyWindow();
        ProgramLanguageTest::TearDown();
    }

    dui::HeadlessHost host;
    dui::MDialog main;
    dui::MDialog other;
    dui::MText* caption = nullptr;
    dui::MText* fixed = nullptr;
    dui::MButton* previous = nullptr;
    dui::MTabCtrl* tabs = nullptr;
    dui::CDeviceList* list = nullptr;
    dui::MText* other_text = nullptr;
    MemoryRegistry registry;
};

TEST_F(ApplyLanguageTest, SwitchLanguageReappliesEveryTextOfEveryWindow) {
    ASSERT_EQ(caption->GetTitle(), "Exit");
    dui::Manager::Instance().SetFontName("Some Other Font");
    int hook_runs = 0;
    const int token = AddLanguageHook([&] { ++hook_runs; });

    EXPECT_TRUE(SwitchLanguage(2052, registry, "SOFTWARE\\Corvatt"));

    EXPECT_EQ(Language::Instance().CurrentLanguage(), 2052);
    std::string lcid;
    EXPECT_EQ(registry.QueryValue("SOFTWARE\\Corvatt", "LCID", lcid), RegistryStatus::kOk);
    EXPECT_EQ(lcid, "2052");
    EXPECT_EQ(dui::Manager::Instance().GetFontName(), "Open Sans Semibold");
    EXPECT_EQ(caption->GetTitle(), "退出");
    EXPECT_EQ(caption->GetFontName(), "Open Sans Semibold");
    EXPECT_EQ(fixed->GetTitle(), "v1.0.0");
    EXPECT_EQ(previous->GetTooltip(), "上一个");
    const auto items = tabs->GetItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "首页");
    EXPECT_EQ(items[1].text, "按键");
    EXPECT_EQ(items[2].text, "plain");
    EXPECT_EQ(list->GetVersionLabel(), "固件");
    EXPECT_EQ(other_text->GetTitle(), "配置");
    EXPECT_EQ(hook_runs, 1);

    RemoveLanguageHook(token);
    EXPECT_TRUE(SwitchLanguage(1033, registry, "SOFTWARE\\Corvatt"));
    EXPECT_EQ(hook_runs, 1);
    EXPECT_EQ(caption->GetTitle(), "Exit");
    EXPECT_EQ(tabs->GetItems()[0].text, "Home");
    EXPECT_EQ(other_text->GetTitle(), "Profile");
    EXPECT_EQ(registry.QueryValue("SOFTWARE\\Corvatt", "LCID", lcid), RegistryStatus::kOk);
    EXPECT_EQ(lcid, "1033");
}

TEST_F(ApplyLanguageTest, HooksRunInOrderUntilTheirOwnerGoesAway) {
    std::string runs;
    {
        ScopedLanguageHook first([&] { runs += "a"; });
        ScopedLanguageHook second([&] { runs += "b"; });
        ScopedLanguageHook moved = std::move(second);
        ApplyLanguage();
        EXPECT_EQ(runs, "ab");
        ApplyLanguage(main);  // one window only: no hooks
        EXPECT_EQ(runs, "ab");
    }
    ApplyLanguage();
    EXPECT_EQ(runs, "ab");
}

TEST_F(ApplyLanguageTest, LanguageWithoutFileEmptiesTheTexts) {
    EXPECT_TRUE(SwitchLanguage(1031, registry, "SOFTWARE\\Corvatt"));
    EXPECT_EQ(caption->GetTitle(), "");
    EXPECT_EQ(previous->GetTooltip(), "");
    EXPECT_EQ(tabs->GetItems()[0].text, "");
    EXPECT_EQ(fixed->GetTitle(), "v1.0.0");
}

TEST_F(ApplyLanguageTest, MissingRegistryKeyStillSwitches) {
    MemoryRegistry empty;
    EXPECT_FALSE(SwitchLanguage(2052, empty, "SOFTWARE\\Corvatt"));
    std::string lcid;
    EXPECT_NE(empty.QueryValue("SOFTWARE\\Corvatt", "LCID", lcid), RegistryStatus::kOk);
    EXPECT_EQ(Language::Instance().CurrentLanguage(), 2052);
    EXPECT_EQ(caption->GetTitle(), "退出");
}

TEST_F(ApplyLanguageTest, FileEditedOnDiskIsUsedByTheNextApply) {
    ApplyLanguage();
    EXPECT_EQ(caption->GetTitle(), "Exit");
    install.Write(1033, "[LAN]\n12=Quit\n71=Start\n");
    ApplyLanguage(main);
    EXPECT_EQ(caption->GetTitle(), "Quit");
    EXPECT_EQ(tabs->GetItems()[0].text, "Start");
    EXPECT_EQ(other_text->GetTitle(), "Profile");  // only the window asked for
}

TEST_F(ApplyLanguageTest, ApplyFromAnotherThread) {
    Language::Instance().SetCurrentLanguage(2052);
    std::thread worker([] { ApplyLanguage(); });
    worker.join();
    EXPECT_EQ(caption->GetTitle(), "退出");
    EXPECT_EQ(other_text->GetTitle(), "配置");
}

}  // namespace
}  // namespace corvatt
