#include <gtest/gtest.h>

#include <string>

#include "common/text/Text.h"
#include "common/ui/CArea.h"
#include "common/ui/CColorButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MButton.h"
#include "common/ui/MEdit.h"
#include "common/ui/MPalette.h"
#include "common/ui/MText.h"
#include "pages/MousePaletteDlg.h"

namespace corvatt {
namespace {

using Dlg = MousePaletteDlg;

std::string Fields(const Dlg& d) {
    return d.GetControl<dui::MEdit>(Dlg::kRedField)->GetEditText() + "," +
           d.GetControl<dui::MEdit>(Dlg::kGreenField)->GetEditText() + "," +
           d.GetControl<dui::MEdit>(Dlg::kBlueField)->GetEditText();
}

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override { owner.Create(nullptr, "MWindow", dui::WS_POPUP, {0, 0, 1300, 788}, "Corvatt"); }
    void TearDown() override { owner.DestroyWindow(); }

    // Opens the dialog with colour, runs script inside it, returns Pick's result.
    std::uint32_t Run(std::uint32_t colour, std::function<void(Dlg&)> script) {
        host.ScriptModal([script](dui::MWindow& w) {
            script(dynamic_cast<Dlg&>(w));
            return 0;
        });
        return Dlg::Pick(&owner, colour, [](int id) { return text::Format("T%d", id); });
    }

    dui::HeadlessHost host;
    dui::MDialog owner;
};

TEST_F(PaletteTest, OpensOnTheInputColourWithItsControls) {
    const std::uint32_t result = Run(0x336699, [](Dlg& d) {
        EXPECT_EQ(d.GetControl<dui::MPalette>(Dlg::kPalette)->GetSelectColor(), 0x336699u);
        EXPECT_EQ(d.GetControl<dui::CArea>(Dlg::kPreview)->GetColor(), 0x336699u);
        EXPECT_EQ(Fields(d), "153,102,51");
        EXPECT_EQ(d.GetControl<dui::MText>(34)->GetTitle(), "R:");
        EXPECT_EQ(d.GetControl<dui::MText>(36)->GetTitle(), "B:");
        EXPECT_EQ(d.GetControl<dui::MButton>(Dlg::kOk)->GetTitle(), "T22");
        EXPECT_EQ(d.GetControl<dui::MButton>(Dlg::kOk)->GetTextId(), 22);
        const std::uint32_t presets[8] = {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF,
                                          0xFF00FF, 0xFFFF00, 0xFF00FF, 0xFFFFFF};
        for (int i = 0; i < 8; ++i) {
            auto* preset = d.GetControl<dui::CColorButton>(40 + i);
            ASSERT_NE(preset, nullptr);
            EXPECT_EQ(preset->GetColor(), presets[i]);
            EXPECT_EQ(preset->GetGroupName(), "DEFAULTCOLOR");
        }
        d.GetControl<dui::MButton>(Dlg::kOk)->Click();
    });
    EXPECT_EQ(result, 0x336699u);
    EXPECT_EQ(host.ModalTitles(), std::vector<std::string>{"PaletteDlg"});
}

TEST_F(PaletteTest, FieldsAreClampedAndBuildTheColour) {
    const std::uint32_t result = Run(0x0000FF, [](Dlg& d) {
        auto* green = d.GetControl<dui::MEdit>(Dlg::kGreenField);
        green->SetText("");
        green->TypeText("300");
        EXPECT_EQ(green->GetEditText(), "255");
        EXPECT_EQ(d.GetControl<dui::MPalette>(Dlg::kPalette)->GetSelectColor(), 0x00FFFFu);
        EXPECT_EQ(d.GetControl<dui::CArea>(Dlg::kPreview)->GetColor(), 0x00FFFFu);
        auto* blue = d.GetControl<dui::MEdit>(Dlg::kBlueField);
        blue->SetText("");
        blue->TypeText("16");
        d.GetControl<dui::MButton>(Dlg::kOk)->Click();
    });
    EXPECT_EQ(result, 0x10FFFFu);
}

TEST_F(PaletteTest, PresetAndPaletteChangeTheColour) {
    const std::uint32_t result = Run(0x0000FF, [](Dlg& d) {
        d.GetControl<dui::CColorButton>(45)->Click();  // 0xFFFF00
        EXPECT_EQ(Fields(d), "0,255,255");
        EXPECT_EQ(d.GetControl<dui::MPalette>(Dlg::kPalette)->GetSelectColor(), 0xFFFF00u);
        EXPECT_EQ(d.GetControl<dui::CArea>(Dlg::kPreview)->GetColor(), 0xFFFF00u);

        auto* palette = d.GetControl<dui::MPalette>(Dlg::kPalette);
        palette->Pick(120, 1.0, false);  // pure green while held
        const std::uint32_t picked = palette->GetSelectColor();
        EXPECT_EQ(d.GetColor(), picked);
        EXPECT_EQ(d.GetControl<dui::CArea>(Dlg::kPreview)->GetColor(), picked);
        EXPECT_EQ(Fields(d), text::Format("%d,%d,%d", picked & 0xFF, (picked >> 8) & 0xFF, picked >> 16));
        d.GetControl<dui::MButton>(Dlg::kOk)->Click();
    });
    EXPECT_EQ(result & 0xFF00u, 0xFF00u);
}

TEST_F(PaletteTest, CloseButtonAndOtherClosingGiveNoColour) {
    EXPECT_EQ(Run(0x123456, [](Dlg& d) {
                  d.GetControl<dui::CColorButton>(41)->Click();
                  d.GetControl<dui::CImageButton>(Dlg::kClose)->Click();
                  EXPECT_EQ(d.GetColor(), 0u);
              }),
              0u);
    EXPECT_EQ(Run(0x123456, [](Dlg& d) { d.DoCancel(); }), 0u);
}

}  // namespace
}  // namespace corvatt
