// The opened model's buttons in the main window: the picture with its labels and the list
// beside it, filled from the model's description, kept in step, and following the language.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/Localisation.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MouseCtrl.h"
#include "common/ui/MouseKeyCtrl.h"

namespace corvatt {
namespace {

using testing::kKey;
using testing::kV1;
using testing::kV2;

class ButtonPictureTest : public testing::LiveWindowTest {
protected:
    void TearDown() override {
        Language::Instance().SetCurrentLanguage(1033);
        LiveWindowTest::TearDown();
    }
    dui::MouseCtrl* Picture() { return m_window->GetControl<dui::MouseCtrl>(108); }
    dui::MouseKeyCtrl* Buttons() { return m_window->GetControl<dui::MouseKeyCtrl>(68); }
    bool LightingTab() { return m_window->GetControl<dui::MTabCtrl>(48)->IsItemVisible(4); }
};

TEST_F(ButtonPictureTest, V1FillsThePictureAndTheListFromItsDescription) {
    Start("v1-wired");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV1); }));
    Settle();

    ASSERT_EQ(Picture()->GetItemCount(), 7);
    ASSERT_EQ(Buttons()->GetItemCount(), 7);
    EXPECT_EQ(Picture()->GetImage(), "device/corvatt_v1.png");
    // <key name="701" key_value="1" direction="1" rect="270#420#96" func_desc="107" dashed="0">
    const auto item = Picture()->GetItems()[1];
    EXPECT_EQ(item.name, GetLanguageText(701));
    EXPECT_EQ(item.key_value, 1);
    EXPECT_EQ(item.direction, 1);
    EXPECT_EQ(item.point1.x, 270);
    EXPECT_EQ(item.point2.x, 420);
    EXPECT_EQ(item.point1.y, 96);
    EXPECT_EQ(item.point2.y, 96);
    EXPECT_FALSE(item.dashed);
    EXPECT_TRUE(Picture()->GetItems()[2].dashed);
    const auto row = Buttons()->GetItems()[1];
    EXPECT_EQ(row.name, GetLanguageText(701));
    EXPECT_EQ(row.desc, GetLanguageText(107));
    EXPECT_EQ(row.key_value, 1);
    EXPECT_EQ(Picture()->GetSelectItem(), 0);
    EXPECT_EQ(Buttons()->GetSelectItem(), 0);
    // Seven rows of the list, each 58 high with a gap of 6.
    EXPECT_EQ(Buttons()->GetRect().Height(), 7 * 64 - 6);
    EXPECT_TRUE(LightingTab());

    // A label picked on the picture selects the same button in the list, and back.
    m_window->OnMessage(57, dui::kEventClick, kV1);
    ASSERT_EQ(m_window->GetControl<dui::MTabCtrl>(48)->UserSelect(1), 1);
    ASSERT_EQ(Picture()->ActivateItem(3), 1);
    EXPECT_EQ(Buttons()->GetSelectItem(), 3);
    ASSERT_EQ(Buttons()->ActivateItem(5), 1);
    EXPECT_EQ(Picture()->GetSelectItem(), 5);
}

TEST_F(ButtonPictureTest, V2HasFiveButtonsAndNoLightingTab) {
    Start("v2-wired");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV2); }));
    Settle();
    EXPECT_EQ(Picture()->GetItemCount(), 5);
    EXPECT_EQ(Buttons()->GetItemCount(), 5);
    EXPECT_EQ(Picture()->GetImage(), "device/corvatt_v2.png");
    EXPECT_EQ(Buttons()->GetRect().Height(), 5 * 64 - 6);
    EXPECT_FALSE(LightingTab());
}

TEST_F(ButtonPictureTest, NamesFollowALanguageSwitchAndKeepTheSelection) {
    Start("v1-wired");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV1); }));
    Settle();
    m_window->OnMessage(57, dui::kEventClick, kV1);
    ASSERT_EQ(m_window->GetControl<dui::MTabCtrl>(48)->UserSelect(1), 1);
    ASSERT_EQ(Buttons()->ActivateItem(2), 1);

    ASSERT_TRUE(SwitchLanguage(2052, m_registry, kKey));
    EXPECT_EQ(Picture()->GetItems()[0].name, "左键");
    EXPECT_EQ(Buttons()->GetItems()[0].name, "左键");
    EXPECT_EQ(Buttons()->GetItems()[0].desc, GetLanguageText(106));
    EXPECT_NE(GetLanguageText(106), "Left click");
    EXPECT_EQ(Buttons()->GetSelectItem(), 2);
    EXPECT_EQ(Picture()->GetSelectItem(), 2);
}

}  // namespace
}  // namespace corvatt
