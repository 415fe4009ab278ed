#include <gtest/gtest.h>

#include "common/ui/BatteryCtrl.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MDialog.h"
#include "common/ui/MProgress2.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MTabLayout.h"

namespace corvatt::dui {
namespace {

class NotesDialog : public MDialog {
public:
  int OnMessage(int id, int event, intptr_t param) override {
    notes.push_back({id, event, static_cast<int>(param)});
    return 1;
  }
  std::vector<std::array<int, 3>> notes;
};

class TabTest : public ::testing::Test {
protected:
  void SetUp() override {
    dlg.Create(nullptr, "MWindow", 0, {0, 0, 1300, 788}, "Main");
    tabs = dlg.Create<MTabCtrl>(48, {});
    const char* icons[] = {"icon/tab_home.png", "icon/tab_key.png", "icon/tab_dpi.png",
                           "icon/tab_macro.png", "icon/tab_light.png", "icon/tab_set.png"};
    const int pages[] = {49, 50, 52, 53, 54, 55};
    for (int i = 0; i < 6; ++i) {
      page[i] = dlg.Create<MTabLayout>(pages[i], {});
      tabs->AddItem(i + 1, "", icons[i], pages[i], 71 + i);
    }
    settings = dlg.Create<MTabLayout>(56, {});
  }
  bool Shown(int i) const { return page[i]->IsVisible(); }

  HeadlessHost host;
  NotesDialog dlg;
  MTabCtrl* tabs = nullptr;
  MTabLayout* page[6] = {};
  MTabLayout* settings = nullptr;
};

TEST_F(TabTest, SelectingShowsTheItemsPageOnlyAndDoesNotNotify) {
  ASSERT_TRUE(tabs->SetSelectItem(2));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Shown(i), i == 2) << i;
  EXPECT_TRUE(settings->IsVisible());  // not a page of the strip
  EXPECT_EQ(tabs->GetSelectItem(), 2);
  EXPECT_EQ(tabs->GetItemId(2), 3);
  EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(TabTest, NoSelectionLeavesPagesAndOutOfRangeIsRefused) {
  tabs->SetSelectItem(0);
  EXPECT_TRUE(tabs->SetSelectItem(-1));
  EXPECT_EQ(tabs->GetSelectItem(), -1);
  EXPECT_TRUE(Shown(0));
  EXPECT_FALSE(tabs->SetSelectItem(6));
  EXPECT_FALSE(tabs->SetSelectItem(-2));
  EXPECT_EQ(tabs->GetSelectItem(), -1);
  EXPECT_EQ(tabs->GetItemId(6), -1);
  EXPECT_FALSE(tabs->SetItemVisible(9, false));
}

TEST_F(TabTest, UserSelectNotifiesWithTheIndexUnlessTheItemIsHidden) {
  ASSERT_TRUE(tabs->SetItemVisible(4, false));  // lighting not available
  EXPECT_EQ(tabs->UserSelect(4), 0);
  EXPECT_EQ(tabs->UserSelect(3), 1);
  EXPECT_EQ(tabs->GetSelectItem(), 3);
  EXPECT_TRUE(Shown(3));
  EXPECT_FALSE(Shown(0));
  tabs->SetVisible(false);
  EXPECT_EQ(tabs->UserSelect(1), 0);
  ASSERT_EQ(dlg.notes.size(), 1u);
  EXPECT_EQ(dlg.notes[0], (std::array<int, 3>{48, kEventClick, 3}));
}

class DeviceListTest : public ::testing::Test {
protected:
  void SetUp() override {
    dlg.Create(nullptr, "MWindow", 0, {0, 0, 1300, 788}, "Main");
    list = dlg.Create<CDeviceList>(57, {});
    list->AddDevice("Corvatt V1", 102, "device/corvatt_v1.png");
    list->AddDevice("Corvatt V2", 201, "device/corvatt_v2.png");
    list->AddDevice("Corvatt V3", 301, "device/corvatt_v3.png");
  }
  HeadlessHost host;
  NotesDialog dlg;
  CDeviceList* list = nullptr;
};

TEST_F(DeviceListTest, SelectDeviceRule) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> online;  // (type, mode)
    int asked;
    int expected;
  } cases[] = {
      {"online type is chosen", {{102, 0}, {201, 1}}, 201, 201},
      {"offline type gives the first online row", {{201, 0}, {301, 1}}, 102, 201},
      {"unknown type gives the first online row", {{301, 0}}, 101, 301},
      {"nothing online keeps a listed type", {}, 201, 201},
      {"nothing online and unknown type selects nothing", {}, 999, 0},
  };
  for (const Case& c : cases) {
    list->SetAllDeviceState(0);
    for (auto [type, mode] : c.online) ASSERT_TRUE(list->SetDeviceState(type, mode, 1));
    list->SetSelectDevice(c.asked);
    EXPECT_EQ(list->GetSelectDevice(), c.expected) << c.what;
    EXPECT_EQ(list->GetOnlineDevCount(), static_cast<int>(c.online.size())) << c.what;
  }
}

TEST_F(DeviceListTest, StatePerConnection) {
  list->SetDeviceState(102, 0, 1);
  list->SetDeviceState(102, 1, 1);
  EXPECT_EQ(list->GetOnlineDevCount(), 1);
  list->SetDeviceState(102, 1, 0);  // receiver lost, cable remains
  EXPECT_TRUE(list->IsDeviceOnline(102));
  list->SetDeviceState(102, 0, 0);
  EXPECT_FALSE(list->IsDeviceOnline(102));
  EXPECT_FALSE(list->SetDeviceState(102, 2, 1));
  EXPECT_FALSE(list->SetDeviceState(555, 0, 1));
  list->SetAllDeviceState(1);
  EXPECT_EQ(list->GetOnlineDevCount(), 3);
}

TEST_F(DeviceListTest, VersionBatteryAndRowsKeepFileOrder) {
  EXPECT_EQ(list->AddDevice("again", 102, ""), -1);
  ASSERT_TRUE(list->SetDeviceVersion(201, 0x0102));
  ASSERT_TRUE(list->SetDeviceBattery(201, 80, 100));
  EXPECT_FALSE(list->SetDeviceVersion(7, 1));
  const auto rows = list->GetRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "Corvatt V1");
  EXPECT_EQ(rows[1].version, "1.02");
  EXPECT_EQ(rows[1].battery, 80);
  EXPECT_EQ(rows[1].battery2, 100);
  EXPECT_EQ(list->GetDeviceBattery(7), -1);
  list->ClearList();
  EXPECT_EQ(list->GetRowCount(), 0);
  EXPECT_EQ(list->GetSelectDevice(), 0);
}

TEST(DeviceListFormat, Release) {
  EXPECT_EQ(CDeviceList::FormatRelease(0x0102), "1.02");
  EXPECT_EQ(CDeviceList::FormatRelease(0x1A0B), "1a.0b");
  EXPECT_EQ(CDeviceList::FormatRelease(0), "0.00");
  EXPECT_EQ(CDeviceList::FormatRelease(-1), "");
}

TEST_F(DeviceListTest, ActivateRowSelectsAndNotifiesTheType) {
  EXPECT_EQ(list->ActivateRow(1), 1);
  EXPECT_EQ(list->GetSelectDevice(), 201);
  EXPECT_EQ(list->ActivateRow(3), 0);
  ASSERT_EQ(dlg.notes.size(), 1u);
  EXPECT_EQ(dlg.notes[0], (std::array<int, 3>{57, kEventClick, 201}));
  EXPECT_TRUE(list->SetSelectIndex(-1));
  EXPECT_EQ(list->GetSelectDevice(), 0);
  EXPECT_FALSE(list->SetSelectIndex(3));
}

TEST(BatteryTest, LevelIsShownWithinRangeAndSecondValueKept) {
  HeadlessHost host;
  BatteryCtrl battery;
  EXPECT_FALSE(battery.IsKnown());
  struct Case {
    int level, second, shown;
    bool known;
  } cases[] = {{55, 100, 55, true}, {0, 3, 0, false}, {130, 0, 100, true}, {-4, 0, 0, false}};
  for (const Case& c : cases) {
    battery.SetBatteryInfo(c.level, c.second);
    EXPECT_EQ(battery.GetLevel(), c.level);
    EXPECT_EQ(battery.GetSecondValue(), c.second);
    EXPECT_EQ(battery.GetShownLevel(), c.shown);
    EXPECT_EQ(battery.IsKnown(), c.known);
  }
}

TEST(ProgressTest, PositionIsKeptAsGivenAndTheFractionStaysInRange) {
  HeadlessHost host;
  MProgress bar;
  bar.SetRange(0, 16000);
  struct Case {
    int pos;
    double fraction;
  } cases[] = {{0, 0.0}, {1600, 0.1}, {16000, 1.0}, {26000, 1.0}, {-5, 0.0}};
  for (const Case& c : cases) {
    bar.SetPos(c.pos);
    EXPECT_EQ(bar.GetPos(), c.pos);
    EXPECT_DOUBLE_EQ(bar.GetFraction(), c.fraction) << c.pos;
  }
  bar.SetRange(5, 5);
  EXPECT_DOUBLE_EQ(bar.GetFraction(), 0.0);
}

TEST(ProgressTest, AnimationTicksOnlyWhileRunning) {
  HeadlessHost host;
  MProgress2 bar;
  bar.Tick();
  EXPECT_EQ(bar.GetPhase(), 0);
  bar.StartAnimation();
  for (int i = 0; i < 105; ++i) bar.Tick();
  EXPECT_EQ(bar.GetPhase(), 5);
  bar.StopAnimation();
  bar.Tick();
  EXPECT_EQ(bar.GetPhase(), 5);
  bar.StartAnimation();
  EXPECT_EQ(bar.GetPhase(), 0);
}

}  // namespace
}  // namespace corvatt::dui
