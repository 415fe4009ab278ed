// The settings page in the main window: opening and leaving it, the preferences it keeps in
// the registry and the autostart entry, the language switch and the factory reset.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "common/ui/CCheckButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/MComboBox.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MText.h"
#include "pages/SettingsPage.h"
#include "platform/MemoryAutostart.h"

namespace corvatt {
namespace {

using testing::kKey;
using testing::kV1;

class SettingsPageTest : public testing::LiveWindowTest {
protected:
    void SetUp() override {
        m_languages = {1031, 1033, 2052};
        m_autostart_entry = &m_autostart;
    }
    void TearDown() override {
        Language::Instance().SetCurrentLanguage(1033);
        LiveWindowTest::TearDown();
    }
    void Open() { ASSERT_EQ(m_window->OnMessage(40, dui::kEventClick, 0), 1); }
    int Click(int id) {
        auto* button = m_window->GetControl<dui::MButton>(id);
        return button ? button->Click() : -1;
    }
    dui::CCheckButton* Check(int id) { return m_window->GetControl<dui::CCheckButton>(id); }
    std::string Registry(const char* name) {
        std::string value;
        m_registry.QueryValue(kKey, name, value);
        return value;
    }

    MemoryAutostart m_autostart;
};

TEST_F(SettingsPageTest, OpensOverTheDeviceViewAndGoesBackToIt) {
    Start("v1-wired");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV1); }));
    Settle();
    m_window->OnMessage(57, dui::kEventClick, kV1);
    m_window->GetControl<dui::MTabCtrl>(48)->UserSelect(2);

    Open();
    EXPECT_TRUE(Shown(56));
    for (int id : {48, 40, 41, 44, 45}) EXPECT_FALSE(Shown(id)) << id;
    EXPECT_EQ(m_window->GetControl<dui::MText>(274)->GetTitle(), GetLanguageText(17) + ": v1.0.0");
    // The installed languages, in the page's order, with the current one chosen.
    const auto items = m_window->GetControl<dui::MComboBox>(279)->GetItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "简体中文");
    EXPECT_EQ(items[1].text, "English");
    EXPECT_EQ(items[2].text, "Deutsch");
    EXPECT_EQ(m_window->GetControl<dui::MComboBox>(279)->GetCurData(), 1033);
    EXPECT_FALSE(m_window->GetControl(276)->IsEnabled()) << "no update check to run yet";

    ASSERT_EQ(Click(273), 1);
    EXPECT_FALSE(Shown(56));
    for (int id : {48, 40, 41, 44, 45}) EXPECT_TRUE(Shown(id)) << id;
    EXPECT_TRUE(Shown(52)) << "the DPI page shown before";
}

TEST_F(SettingsPageTest, PreferencesAreStoredAtOnce) {
    Start("v1-wired");
    Settle();
    m_registry.SetValue(kKey, "exit_mode", "abc");
    Open();
    EXPECT_TRUE(m_window->GetControl<dui::CRadioButton>(287)->GetCheck());
    EXPECT_FALSE(Check(282)->IsEnabled());

    // Autostart on, minimised on; then autostart off takes minimised with it.
    ASSERT_EQ(Click(281), 1);
    EXPECT_TRUE(m_autostart.IsEnabled());
    EXPECT_EQ(m_autostart.Command(), "/opt/corvatt dir/corvatt -autorun");
    EXPECT_TRUE(Check(282)->IsEnabled());
    ASSERT_EQ(Click(282), 1);
    EXPECT_EQ(Registry("autorun_minimize"), "1");
    ASSERT_EQ(Click(281), 1);
    EXPECT_FALSE(m_autostart.IsEnabled());
    EXPECT_FALSE(Check(282)->GetCheck());
    EXPECT_FALSE(Check(282)->IsEnabled());
    EXPECT_EQ(Registry("autorun_minimize"), "0");

    ASSERT_EQ(Click(286), 1);
    EXPECT_EQ(Registry("exit_mode"), "1");
    ASSERT_EQ(Click(287), 1);
    EXPECT_EQ(Registry("exit_mode"), "0");

    // The language: every text follows, and the choice is stored.
    auto* list = m_window->GetControl<dui::MComboBox>(279);
    ASSERT_EQ(list->ChooseItem(0), 1);
    EXPECT_EQ(Language::Instance().CurrentLanguage(), 2052);
    EXPECT_EQ(Registry("LCID"), "2052");
    EXPECT_EQ(m_window->GetControl<dui::MText>(278)->GetTitle(), "语言");
}

TEST_F(SettingsPageTest, FactoryResetWithoutAConnectedMouseOnlyExplains) {
    Start("v1-receiver");
    ASSERT_TRUE(WaitFor([&] { return m_window->DeviceConnected(); }));
    Settle();
    m_sim->SetMouseOn(m_sim->PluggedIds().front(), false);
    ASSERT_TRUE(WaitFor([&] { return !m_window->DeviceConnected(); }));
    Settle();
    // The header's button: only the notice, even if it were answered as a confirmation.
    m_host.ScriptModalResult(1);
    m_window->Settings().OnPageMessage(46, dui::kEventClick, 0);
    ASSERT_EQ(m_host.ModalTitles().size(), 1u);
    EXPECT_EQ(m_host.ModalTitles().back(), "MessageBox");
    EXPECT_TRUE(m_window->Queue().Empty());
}

TEST_F(SettingsPageTest, ConfirmedFactoryResetRestoresTheMouseAndTheProfiles) {
    Start("v1-wired");
    ASSERT_TRUE(WaitFor([&] { return m_window->DeviceConnected(); }));
    Settle();
    const int id = m_sim->PluggedIds().front();
    ConfigStore::Instance().SetConfigValue(1, "dpi_group0_value", "5000");

    m_host.ScriptModalResult(2);  // cancelled: nothing happens
    m_window->Settings().OnPageMessage(277, dui::kEventClick, 0);
    EXPECT_TRUE(m_window->Queue().Empty());

    m_host.ScriptModalResult(1);
    m_window->Settings().OnPageMessage(250, dui::kEventClick, 0);
    ASSERT_TRUE(WaitFor([&] { return m_sim->State(id)->factory_resets == 1; }));
    Settle();
    std::string value;
    ConfigStore::Instance().GetConfigValue(1, "dpi_group0_value", value);
    EXPECT_EQ(value, "400") << "the model's default";
}

}  // namespace
}  // namespace corvatt
