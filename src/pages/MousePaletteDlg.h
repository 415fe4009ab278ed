#pragma once

#include <cstdint>
#include <string>

#include "common/ui/MDialog.h"
#include "common/ui/Types.h"

namespace corvatt {

// The modal colour dialog: palette, preview, red/green/blue fields and eight presets. The
// colour (0x00BBGGRR) is set before it opens and read when it ends; the close button sets it
// to 0 first.
class MousePaletteDlg : public dui::MDialog {
public:
    static constexpr const char* kWindowClass = "PaletteDlg";
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 400;

    // Control ids.
    static constexpr int kClose = 31;
    static constexpr int kPalette = 32;
    static constexpr int kPreview = 33;
    static constexpr int kRedLabel = 34;
    static constexpr int kRedField = 37;
    static constexpr int kGreenField = 38;
    static constexpr int kBlueField = 39;
    static constexpr int kFirstPreset = 40;
    static constexpr int kLastPreset = 47;
    static constexpr int kOk = 48;
    static constexpr int kOkTextId = 22;

    explicit MousePaletteDlg(dui::TextLookup text);

    void SetColor(std::uint32_t colour);
    std::uint32_t GetColor() const;

    // Creates the dialog over owner, runs it modally and destroys it. Returns the colour it
    // ended with (0 after the close button).
    static std::uint32_t Pick(dui::MWindow* owner, std::uint32_t colour, const dui::TextLookup& text);

    void InitUI() override;
    int OnMessage(int id, int event, intptr_t param) override;

private:
    // Fields, palette selection (when asked) and preview from the colour.
    void ShowColour(bool palette);
    void OnFieldChanged(int id);

    dui::TextLookup m_text;
    std::uint32_t m_colour = 0;
};

}  // namespace corvatt
