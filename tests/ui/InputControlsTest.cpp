#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "common/ui/CArea.h"
#include "common/ui/CCheckButton.h"
#include "common/ui/CColorButton.h"
#include "common/ui/CHelpButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/ControlFactory.h"
#include "common/ui/CRecordList.h"
#include "common/ui/DListBox.h"
#include "common/ui/MacroList.h"
#include "common/ui/Manager.h"
#include "common/ui/MenuWnd.h"
#include "common/ui/DPIControl.h"
#include "common/ui/DPISlider.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/LightSlider.h"
#include "common/ui/MButton2.h"
#include "common/ui/MButton3.h"
#include "common/ui/MComboBox2.h"
#include "common/ui/MDialog.h"
#include "common/ui/MEdit.h"
#include "common/ui/MPalette.h"
#include "common/ui/MouseCtrl.h"
#include "common/ui/MouseKeyCtrl.h"
#include "common/ui/NumberEdit.h"
#include "common/ui/ReporteCtrl.h"

namespace corvatt::dui {
namespace {

using Note = std::array<intptr_t, 3>;

class Page : public MDialog {
public:
  int OnMessage(int id, int event, intptr_t param) override {
    notes.push_back({id, event, param});
    return 1;
  }
  std::vector<Note> notes;
};

class InputControlsTest : public ::testing::Test {
protected:
  void SetUp() override { page.Create(nullptr, "MWindow", 0, {0, 0, 1300, 788}, "Main"); }
  HeadlessHost host;
  Page page;
};

TEST_F(InputControlsTest, EveryNewClassIsMadeByItsName) {
  for (const char* name : {"MouseCtrl", "MouseKeyCtrl", "DPIControl", "DPISlider", "LightSlider", "ReporteCtrl",
                           "MEdit", "NumberEdit", "NumberEdit2", "CCheckButton", "CRadioButton", "MButton2",
                           "MButton3", "CColorButton", "CHelpButton", "MComboBox", "MComboBox2", "MPalette",
                           "CArea", "CRoundArea", "DListBox", "MacroList", "CRecordList"}) {
    MControl* control = page.CreateControl(name, 900, {});
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->GetClassName(), name);
  }
}

TEST_F(InputControlsTest, ButtonPictureAndListKeepTheirItemsAndSelection) {
  auto* mouse = page.Create<MouseCtrl>(108, {}, "device/corvatt_v1.png");
  auto* list = page.Create<MouseKeyCtrl>(68, {});
  EXPECT_EQ(mouse->GetImage(), "device/corvatt_v1.png");
  const std::pair<const char*, int> buttons[] = {{"Left", 0}, {"Right", 1}, {"Wheel", 2}, {"Side", 7}};
  for (const auto& [name, code] : buttons) {
    mouse->AddItem(name, code, code % 2, {150, 96}, {0, 96}, code == 2);
    list->AddItem(name, "desc", code);
  }
  // Selection: -1 clears, the last index is taken, one past it is refused and changes nothing.
  const std::pair<int, bool> selects[] = {{3, true}, {4, false}, {-2, false}, {-1, true}, {0, true}};
  int expected = -1;
  for (const auto& [index, ok] : selects) {
    EXPECT_EQ(mouse->SetSelectItem(index), ok) << index;
    EXPECT_EQ(list->SetSelectItem(index), ok) << index;
    if (ok) expected = index;
    EXPECT_EQ(mouse->GetSelectItem(), expected);
    EXPECT_EQ(list->GetSelectItem(), expected);
  }
  EXPECT_EQ(mouse->GetItemKeyValue(3), 7);
  EXPECT_EQ(mouse->GetItemKeyValue(4), -1);
  EXPECT_EQ(list->GetItemKeyValue(), 0);  // the selected item's
  EXPECT_EQ(list->GetItemKeyName(2), "Wheel");
  EXPECT_EQ(mouse->FindItem(7), 3);

  EXPECT_TRUE(list->SetItemKeyDesc(7, "Macro 1"));
  EXPECT_FALSE(list->SetItemKeyDesc(9, "nothing"));
  EXPECT_EQ(list->GetItemKeyDesc(7), "Macro 1");
  EXPECT_TRUE(mouse->SetItemText(1, "Rechte Taste"));
  EXPECT_TRUE(list->SetItemText(1, "Rechte Taste"));
  EXPECT_FALSE(list->SetItemText(5, "x"));
  EXPECT_EQ(mouse->GetItems()[1].name, "Rechte Taste");
  EXPECT_EQ(list->GetItems()[1].desc, "desc");
  EXPECT_TRUE(mouse->GetItems()[2].dashed);

  mouse->DeleteAllItems();
  list->DeleteAllItems();
  EXPECT_EQ(mouse->GetSelectItem(), -1);
  EXPECT_EQ(list->GetItemCount(), 0);
  EXPECT_EQ(list->GetItemKeyValue(), -1);
}

TEST_F(InputControlsTest, PickingAButtonSelectsAndNotifiesUnlessDisabledOrHidden) {
  auto* mouse = page.Create<MouseCtrl>(108, {});
  auto* list = page.Create<MouseKeyCtrl>(68, {});
  for (int i = 0; i < 3; ++i) {
    mouse->AddItem("b", i, 0, {}, {}, false);
    list->AddItem("b", "d", i);
  }
  mouse->ActivateItem(2);
  list->ActivateItem(1);
  list->ActivateItem(3);  // out of range
  mouse->SetEnabled(false);
  mouse->ActivateItem(0);
  list->SetVisible(false);
  list->ActivateItem(0);
  EXPECT_EQ(page.notes, (std::vector<Note>{{108, kEventClick, 2}, {68, kEventClick, 1}}));
  EXPECT_EQ(mouse->GetSelectItem(), 2);
  EXPECT_EQ(list->GetSelectItem(), 1);
}

TEST_F(InputControlsTest, DpiStagesKeepSlotsAcrossRebuildsAndRefuseUnlistedOnes) {
  auto* dpi = page.Create<DPIControl>(116, {});
  // The page sets all seven stages first, then lists the active ones.
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(dpi->SetDPIValue(i, 400 * (i + 1)));
    EXPECT_TRUE(dpi->SetDPIColorValue(i, 0x10 * i));
  }
  EXPECT_FALSE(dpi->SetDPIValue(DPIControl::kMaxStages, 100));
  EXPECT_EQ(dpi->GetItemCount(), 0);
  EXPECT_EQ(dpi->GetDPIValue(6), 2800);
  EXPECT_EQ(dpi->GetEditText(6), "2800");
  EXPECT_FALSE(dpi->SetSelectItem(0));  // nothing listed yet

  for (int i = 0; i < 3; ++i) EXPECT_EQ(dpi->AddItem(dpi->GetDPIValue(i), dpi->GetDPIColorValue(i)), i);
  EXPECT_TRUE(dpi->SetSelectItem(2));
  EXPECT_FALSE(dpi->SetSelectItem(3));
  EXPECT_EQ(dpi->GetSelectItem(), 2);
  EXPECT_EQ(dpi->GetStages().size(), 3u);
  EXPECT_EQ(dpi->GetStages()[1].color, 0x10u);

  dpi->DeleteAllItems();
  EXPECT_EQ(dpi->GetSelectItem(), -1);
  EXPECT_EQ(dpi->GetDPIValue(5), 2400);  // unlisted slots keep their values
  for (int i = 0; i < DPIControl::kMaxStages; ++i) EXPECT_EQ(dpi->AddItem(100, 0), i);
  EXPECT_EQ(dpi->AddItem(100, 0), -1);
}

TEST_F(InputControlsTest, DpiStageInputSendsItsEventWithTheStage) {
  auto* dpi = page.Create<DPIControl>(116, {});
  for (int i = 0; i < 4; ++i) dpi->AddItem(800, 0xFF);
  dpi->SelectStage(1);
  dpi->OnFocus(2);
  dpi->ClickColor(3);
  dpi->CommitEdit(0, "1250");
  dpi->SelectStage(4);  // not listed
  EXPECT_EQ(page.notes, (std::vector<Note>{{116, kEventClick, 1},
                                           {116, kEventSetFocus, 2},
                                           {116, kEventSecondary, 3},
                                           {116, kEventKillFocus, 0}}));
  EXPECT_EQ(dpi->GetSelectItem(), 0);
  EXPECT_EQ(dpi->GetEditText(0), "1250");
  EXPECT_EQ(dpi->GetDPIValue(0), 800);  // typing alone does not change the value
}

TEST_F(InputControlsTest, SlidersHoldTheRangeAndNotifyOnlyUserMoves) {
  auto* light = page.Create<LightSlider>(204, {});
  auto* dpi = page.Create<DPISlider>(117, {});
  EXPECT_EQ(light->GetMax(), 4);
  EXPECT_FALSE(light->SetRange(5, 4));
  light->SetProgress(9);
  EXPECT_EQ(light->GetProgress(), 4);
  light->Drag(2);
  light->Drag(2);  // unchanged: nothing
  light->Drag(-3);
  light->Release(0);  // a release is always sent
  light->Step(-1);    // at the start: nothing
  light->Step(3);
  EXPECT_TRUE(dpi->SetRange(1, 520));
  dpi->SetDPIDesc("50", "26000");
  dpi->Release(600);
  EXPECT_EQ(page.notes, (std::vector<Note>{{204, kEventDrag, 2},
                                           {204, kEventDrag, 0},
                                           {204, kEventClick, 0},
                                           {204, kEventClick, 3},
                                           {117, kEventClick, 520}}));
  EXPECT_EQ(dpi->GetHighDesc(), "26000");
  EXPECT_TRUE(dpi->SetRange(1, 100));
  EXPECT_EQ(dpi->GetPos(), 100);  // held within the narrower range
}

TEST_F(InputControlsTest, ReportRateSelectsByCode) {
  auto* rates = page.Create<ReporteCtrl>(125, {});
  const std::pair<const char*, int> items[] = {{"125Hz", 8}, {"250Hz", 4}, {"500Hz", 2}, {"1000Hz", 1}};
  for (const auto& [text, code] : items) rates->AddItem(text, code, 0);
  EXPECT_TRUE(rates->SetSelectCode(2));
  EXPECT_EQ(rates->GetSelectItem(), 2);
  EXPECT_FALSE(rates->SetSelectCode(64));  // not offered: nothing chosen
  EXPECT_EQ(rates->GetSelectCode(), -1);
  rates->Choose(3);
  EXPECT_EQ(rates->GetSelectCode(), 1);
  EXPECT_EQ(page.notes, (std::vector<Note>{{125, kEventClick, 3}}));
}

TEST_F(InputControlsTest, EditFiltersTypedText) {
  auto* edit = page.Create<MEdit>(93, {});
  auto* number = page.Create<NumberEdit>(139, {});
  struct Case {
    bool number_only, negative;
    int max;
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {
      {false, false, 0, "Shift + A", "Shift + A"},
      {false, false, 0, "two\nlines\r", "twolines"},
      {false, false, 3, "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", "\xC3\xA4\xC3\xB6\xC3\xBC"},  // characters, not bytes
      {true, false, 5, "12a-34567", "12345"},
      {true, true, 0, "-4-2", "-42"},
      {true, false, 0, "-4", "4"},
  };
  for (const Case& c : cases) {
    edit->SetNumberOnly(c.number_only, c.negative);
    edit->SetMaxLength(c.max);
    EXPECT_EQ(edit->FilterTyped(c.typed), c.kept) << c.typed;
  }
  number->TypeText("2x5");
  EXPECT_EQ(number->GetEditText(), "25");
  number->SetReadOnly(true);
  number->TypeText("7");
  EXPECT_EQ(number->GetEditText(), "25");
}

TEST_F(InputControlsTest, EditFocusTypingAndEnterNotify) {
  auto* edit = page.Create<MEdit>(102, {}, "1");
  edit->FocusOut();  // never had the focus: nothing
  edit->FocusIn();
  edit->TypeText("300");
  edit->FocusOut();
  edit->Enter();
  EXPECT_EQ(page.notes, (std::vector<Note>{{102, kEventSetFocus, 0},
                                           {102, kEventTextChange, 0},
                                           {102, kEventKillFocus, 0},
                                           {102, kEventKillFocus, 0},
                                           {102, kEventClick, 0}}));
  EXPECT_FALSE(edit->HasFocus());
  EXPECT_EQ(edit->GetEditText(), "300");
}

TEST_F(InputControlsTest, LanguageChangeSetsHintAndTipButKeepsTheTypedText) {
  auto* edit = page.Create<MEdit>(93, {}, "Press a key");
  edit->SetTextId(162);
  edit->SetHintId(162);
  edit->SetTooltipId(183);
  edit->TypeText("Ctrl");
  page.ApplyTexts([](int id) { return "text " + std::to_string(id); });
  EXPECT_EQ(edit->GetEditText(), "Ctrl");
  EXPECT_EQ(edit->GetHint(), "text 162");
  EXPECT_EQ(edit->GetTooltip(), "text 183");
}

TEST_F(InputControlsTest, CheckBoxesToggleAndRadiosClearTheirGroupOnly) {
  std::vector<CCheckButton*> sensor;
  for (int i = 0; i < 3; ++i) sensor.push_back(page.Create<CCheckButton>(134, {}));
  auto* lod1 = page.Create<CRadioButton>(129, {}, "1.0mm");
  auto* lod2 = page.Create<CRadioButton>(130, {}, "2.0mm");
  auto* other = page.Create<CRadioButton>(610, {});
  for (auto* r : {lod1, lod2}) r->SetGroupName("IDC_PER_STC_LOD");
  other->SetGroupName("IDC_SET_STC_EXITMODE");
  other->SetCheck(true);
  lod1->SetCheck(true);
  lod2->Click();
  EXPECT_FALSE(lod1->GetCheck());
  EXPECT_TRUE(lod2->GetCheck());
  EXPECT_TRUE(other->GetCheck());
  lod2->Click();  // stays checked
  EXPECT_TRUE(lod2->GetCheck());
  lod1->SetCheck(true);  // from the program as well
  EXPECT_FALSE(lod2->GetCheck());

  sensor[1]->Click();
  sensor[1]->Click();
  sensor[2]->Click();
  EXPECT_EQ(page.notes, (std::vector<Note>{{130, kEventClick, 1},
                                           {130, kEventClick, 1},
                                           {134, kEventClick, 1},
                                           {134, kEventClick, 0},
                                           {134, kEventClick, 1}}));
  // Same id, each read on its own.
  const auto same = page.FindControls(134);
  ASSERT_EQ(same.size(), 3u);
  EXPECT_FALSE(static_cast<CCheckButton*>(same[1])->GetCheck());
  EXPECT_TRUE(static_cast<CCheckButton*>(same[2])->GetCheck());
}

TEST_F(InputControlsTest, PushButtonsWithACheckAndColourButtons) {
  auto* mark = page.Create<MButton2>(89, {});
  auto* ctrl = page.Create<MButton3>(94, {}, "Ctrl");
  MButton* as_button = ctrl;  // a click through the base class changes the check too
  std::vector<CColorButton*> presets;
  for (int i = 0; i < 3; ++i) {
    presets.push_back(page.Create<CColorButton>(209 + i, {}));
    presets.back()->SetGroupName("DEFAULTCOLOR");
    presets.back()->SetColor(0xFF000000u | (0x10u << i));
  }
  mark->Click();
  EXPECT_FALSE(mark->GetCheck());
  mark->SetCheck(true);
  as_button->Click();
  EXPECT_TRUE(ctrl->GetCheck());
  presets[0]->Click();
  presets[2]->Click();
  EXPECT_FALSE(presets[0]->GetCheck());
  EXPECT_TRUE(presets[2]->GetCheck());
  EXPECT_EQ(presets[1]->GetColor(), 0x20u);  // 24 bits kept
  EXPECT_EQ(page.notes, (std::vector<Note>{{89, kEventClick, 0},
                                           {94, kEventClick, 1},
                                           {209, kEventClick, 1},
                                           {211, kEventClick, 1}}));
  auto* help = page.Create<CHelpButton>(114, {}, "Help text");
  EXPECT_EQ(help->GetTitle(), "?");
  EXPECT_EQ(help->GetTooltip(), "Help text");
  auto* area = page.Create<CArea>(227, {});
  area->SetTransparent(0x12345678u);
  EXPECT_EQ(area->GetColor(), 0x345678u);
}

TEST_F(InputControlsTest, ComboSelectsByDataAndLanguageKeepsDataAndSelection) {
  auto* sleep = page.Create<MComboBox>(145, {});
  const int minutes[] = {1, 2, 6, 10, 20, 30};
  for (int m : minutes) sleep->AddItem(std::to_string(m) + " min", m * 6, 537, std::to_string(m) + " %s");
  EXPECT_EQ(sleep->GetCurData(), -1);
  EXPECT_TRUE(sleep->SelectData(60));
  EXPECT_EQ(sleep->GetCurSel(), 3);
  EXPECT_FALSE(sleep->SelectData(61));  // no such item: the choice stays
  EXPECT_EQ(sleep->GetCurSel(), 3);
  EXPECT_EQ(sleep->GetTitle(), "10 min");
  page.ApplyTexts([](int id) { return id == 537 ? std::string("Minuten") : std::string(); });
  EXPECT_EQ(sleep->GetItemText(0), "1 Minuten");
  EXPECT_EQ(sleep->GetCurText(), "10 Minuten");
  EXPECT_EQ(sleep->GetTitle(), "10 Minuten");
  EXPECT_EQ(sleep->GetCurData(), 60);

  auto* count = page.Create<MComboBox2>(73, {});
  count->AddItem("Left click", 1, 106);
  count->AddItem("Fixed", 9);
  count->SetCheck(true);
  count->ChooseItem(1);
  count->ChooseItem(2);  // out of range
  page.ApplyTexts([](int id) { return "text " + std::to_string(id); });
  EXPECT_EQ(count->GetItemText(0), "text 106");
  EXPECT_EQ(count->GetItemText(1), "Fixed");  // no text id: kept
  EXPECT_TRUE(count->GetCheck());
  EXPECT_EQ(count->GetCurData(), 9);
  EXPECT_EQ(page.notes, (std::vector<Note>{{73, kEventClick, 1}}));
  count->DelAllItems();
  EXPECT_EQ(count->GetCurData(), -1);
  EXPECT_EQ(count->GetTitle(), "");
}

TEST_F(InputControlsTest, PaletteColoursFromHueAndSaturation) {
  struct Case {
    double hue, saturation;
    uint32_t color;  // red in the low byte
  };
  const Case cases[] = {{0, 1, 0x0000FF}, {120, 1, 0x00FF00}, {240, 1, 0xFF0000}, {60, 1, 0x00FFFF},
                        {300, 1, 0xFF00FF}, {360, 1, 0x0000FF}, {0, 0, 0xFFFFFF},   {180, 0.5, 0xFFFF80}};
  for (const Case& c : cases) {
    EXPECT_EQ(MPalette::HsvToColor(c.hue, c.saturation, 1.0), c.color) << c.hue << " " << c.saturation;
    if (c.hue < 360 && c.saturation > 0) {
      double hue = -1, saturation = -1;
      MPalette::ColorToHueSaturation(c.color, hue, saturation);
      EXPECT_NEAR(hue, c.hue, 0.5);
      EXPECT_NEAR(saturation, c.saturation, 0.01);
    }
  }
  auto* palette = page.Create<MPalette>(32, {});
  palette->SetSelectColor(0x050505FFu);  // a colour the field cannot show exactly is kept as set
  EXPECT_EQ(palette->GetSelectColor(), 0x0505FFu);
  EXPECT_NEAR(palette->GetSaturation(), 250.0 / 255.0, 1e-9);
  palette->Pick(120, 1, false);
  palette->Pick(500, 2, true);  // held within the field
  EXPECT_EQ(page.notes, (std::vector<Note>{{32, kEventPick, 0x00FF00},
                                           {32, kEventPick, 0x0000FF},
                                           {32, kEventClick, 0x0000FF}}));
  EXPECT_EQ(palette->GetHue(), 360.0);
}

TEST_F(InputControlsTest, ListRenamesInPlaceAndIgnoresAnEmptiedName) {
  auto* list = page.Create<DListBox>(31, {});
  for (int i = 1; i <= 4; ++i) list->AddItem("Profile " + std::to_string(i), i);
  EXPECT_TRUE(list->SelectData(3));
  EXPECT_FALSE(list->EndEdit());  // nothing being edited
  ASSERT_TRUE(list->BeginEdit(1));
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(list->GetEditText(), "Profile 2");
  list->SetEditText("Work");
  EXPECT_TRUE(list->EndEdit());
  EXPECT_EQ(list->GetItemText(1), "Work");
  list->BeginEdit(2);
  list->SetEditText("");
  list->EndEdit();
  EXPECT_EQ(list->GetItemText(2), "Profile 3");  // the handler sees "" and ignores it
  EXPECT_EQ(list->GetEditText(), "");
  list->BeginEdit(0);
  list->SetEditText("Lost");
  list->EndEdit(false);  // cancelled: no change, no notification
  EXPECT_EQ(list->GetItemText(0), "Profile 1");
  list->BeginEdit(3);
  list->DeleteAllItems();  // rebuilt while editing
  EXPECT_FALSE(list->EndEdit());
  list->AddItem("Profile 1", 1);
  list->ActivateItem(0);
  EXPECT_EQ(page.notes, (std::vector<Note>{{31, kEventKillFocus, 1}, {31, kEventKillFocus, 2}, {31, kEventClick, 0}}));
  EXPECT_EQ(list->GetItemData(0), 1);
}

RecordItem Rec(const char* text, int type, int value, uint32_t t) { return {text, type, value, t}; }

TEST_F(InputControlsTest, EventListInsertsMovesAndKeepsTheSelectedRow) {
  auto* list = page.Create<CRecordList>(166, {});
  // A key press inserted after the selected event, as the editor does: m + 1 ... m + 4.
  list->InsertString(-1, Rec("A", 2, 65, 1));
  list->InsertString(-1, Rec("B", 3, 65, 1));
  ASSERT_TRUE(list->SetSelectItem(0));
  const int m = list->GetSelectEvent();
  list->InsertString(m + 1, Rec("down", 4, 1, 7));
  list->InsertString(m + 2, Rec("10 ms", 1, 10, 8));
  list->InsertString(m + 3, Rec("up", 5, 1, 7));
  list->InsertString(m + 4, Rec("10 ms", 1, 10, 9));
  list->InsertString(99, Rec("end", 1, 5, 10));  // past the end: appended
  list->InsertString(0, Rec("first", 1, 5, 11));  // before the selected row: it moves along
  auto texts = [&] {
    std::vector<std::string> out;
    for (const auto& r : list->GetItems()) out.push_back(r.text);
    return out;
  };
  EXPECT_EQ(texts(), (std::vector<std::string>{"first", "A", "down", "10 ms", "up", "10 ms", "B", "end"}));
  EXPECT_EQ(list->GetSelectItem(), 1);
  EXPECT_EQ(list->GetItemCount(), 8);
  EXPECT_EQ(list->GetEventCount(), 4);  // delays are not events

  EXPECT_EQ(list->SetRecordInfo(7u, 4, "down RB", 2), 1);  // only the type asked for
  EXPECT_EQ(list->SetRecordInfo(7u, 6, "none", 0), 0);
  RecordItem item;
  ASSERT_TRUE(list->GetRecordInfo(2, item));
  EXPECT_EQ(item, Rec("down RB", 4, 2, 7));
  EXPECT_EQ(list->GetItems()[4], Rec("up", 5, 1, 7));
  EXPECT_FALSE(list->GetRecordInfo(8, item));
  EXPECT_EQ(list->GetRecrodTimeStamp(6), 1u);
  EXPECT_EQ(list->GetRecrodTimeStamp(-1), 0u);

  EXPECT_TRUE(list->MoveToBottom(1));  // the selected row goes, the selection follows it
  EXPECT_EQ(list->GetSelectItem(), 7);
  EXPECT_EQ(texts().back(), "A");
  EXPECT_TRUE(list->MoveToTop(7));
  EXPECT_EQ(list->GetSelectItem(), 0);
  EXPECT_EQ(texts().front(), "A");
  EXPECT_TRUE(list->SwapItems(0, 1));
  EXPECT_FALSE(list->SwapItems(0, 8));
  EXPECT_TRUE(list->DeleteItem(3));
  EXPECT_TRUE(list->DeleteItem(list->GetSelectItem()));
  EXPECT_EQ(list->GetSelectEvent(), -1);
  EXPECT_EQ(list->GetItemCount(), 6);

  list->ActivateItem(2);
  list->RightClick(4);
  list->ActivateItem(6);  // out of range
  EXPECT_EQ(page.notes, (std::vector<Note>{{166, kEventClick, 2}, {166, kEventSecondary, 4}}));
  EXPECT_EQ(list->GetSelectItem(), 4);
  list->DeleteAllItems();
  EXPECT_EQ(list->GetSelectItem(), -1);
}

TEST_F(InputControlsTest, MacroListKeepsItsEditImageAndRenamesItems) {
  auto* list = page.Create<MacroList>(156, {}, "btn_more.png");
  EXPECT_EQ(list->GetEditImage(), "btn_more.png");
  list->AddItem("Custom 1", 5);
  EXPECT_TRUE(list->ModifyItemString(0, "Makro 1"));
  EXPECT_FALSE(list->ModifyItemString(1, "x"));
  EXPECT_EQ(list->GetItemText(0), "Makro 1");
  EXPECT_EQ(list->GetItemData(0), 5);
}

class MenuOwner : public MDialog {
public:
  intptr_t OnWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled) override {
    if (msg == 1711) commands.push_back(static_cast<unsigned>(wparam));
    return MDialog::OnWindowMessage(msg, wparam, lparam, handled);
  }
  std::vector<unsigned> commands;
};

TEST_F(InputControlsTest, PopupMenuPostsTheChosenCommandToItsOwner) {
  MenuOwner owner;
  owner.Create(nullptr, "MWindow", 0, {0, 0, 400, 300}, "Owner");
  MenuWnd menu;
  EXPECT_FALSE(menu.Popup(owner, {10, 10}, 120, 1711));  // nothing to show
  for (unsigned id = 100; id <= 103; ++id) menu.AddItem(id, "entry " + std::to_string(id));
  ASSERT_TRUE(menu.Popup(owner, {275, 402}, 120, 1711));
  const auto shown = host.LastPopupMenu();
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->at, (Point{275, 402}));
  EXPECT_EQ(shown->width, 120);
  EXPECT_EQ(shown->items.size(), 4u);
  EXPECT_FALSE(host.ChoosePopupItem(104));
  EXPECT_TRUE(host.ChoosePopupItem(102));
  Manager::Instance().DispatchPostedMessages();
  EXPECT_EQ(owner.commands, (std::vector<unsigned>{102}));
}

}  // namespace
}  // namespace corvatt::dui
