#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "common/ui/BatteryCtrl.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CDeviceState.h"
#include "common/ui/CIconButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/CTextButton.h"
#include "common/ui/ControlFactory.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MButton.h"
#include "common/ui/MDialog.h"
#include "common/ui/MPicture.h"
#include "common/ui/MProgress2.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MTabLayout.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"

namespace corvatt::dui {
namespace {

struct Note {
  int id, event;
  intptr_t param;
};

class RecordingDialog : public MDialog {
public:
  int OnMessage(int id, int event, intptr_t param) override {
    notes.push_back({id, event, param});
    return 1;
  }
  void UISize() override { ++ui_size_calls; }
  std::vector<Note> notes;
  int ui_size_calls = 0;
};

class ToolkitTest : public ::testing::Test {
protected:
  void SetUp() override { dlg.Create(nullptr, "MWindow", 0, {0, 0, 400, 300}, "Test"); }
  HeadlessHost host;
  RecordingDialog dlg;
};

template <class T>
bool IsA(MControl* c) {
  return dynamic_cast<T*>(c) != nullptr;
}

TEST_F(ToolkitTest, CreateControlMakesTheNamedClass) {
  struct Case {
    const char* name;
    bool (*check)(MControl*);
  } cases[] = {
      {"MPicture", IsA<MPicture>},       {"MText", IsA<MText>},
      {"MButton", IsA<MButton>},         {"CImageButton", IsA<CImageButton>},
      {"CTextButton", IsA<CTextButton>}, {"CIconButton", IsA<CIconButton>},
      {"MTabCtrl", IsA<MTabCtrl>},       {"MTabLayout", IsA<MTabLayout>},
      {"CDeviceList", IsA<CDeviceList>}, {"CDeviceState", IsA<CDeviceState>},
      {"BatteryCtrl", IsA<BatteryCtrl>}, {"MProgress", IsA<MProgress>},
      {"MProgress2", IsA<MProgress2>},
  };
  int id = 1;
  for (const Case& c : cases) {
    MControl* control = dlg.CreateControl(c.name, id++, {1, 2, 3, 4});
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_TRUE(c.check(control)) << c.name;
    EXPECT_EQ(control->GetClassName(), c.name);
    EXPECT_EQ(control->GetRect(), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(control->GetOwner(), &dlg);
  }
  EXPECT_EQ(dlg.CreateControl("NoSuchControl", 99, {}), nullptr);
  EXPECT_EQ(dlg.ControlCount(), std::size(cases));
}

TEST_F(ToolkitTest, GetControlFindsTheFirstWithTheIdAndChecksTheType) {
  auto* first = dlg.CreateControl("MButton", 134, {}, "a");
  dlg.CreateControl("MText", 7, {});
  auto* second = dlg.CreateControl("MButton", 134, {}, "b");
  EXPECT_EQ(dlg.GetControl(134), first);
  EXPECT_EQ(dlg.GetControl<MButton>(134), first);
  EXPECT_EQ(dlg.GetControl<MText>(134), nullptr);
  EXPECT_EQ(dlg.GetControl(555), nullptr);
  EXPECT_EQ(dlg.FindControls(134), (std::vector<MControl*>{first, second}));
  ASSERT_EQ(dlg.Controls().size(), 3u);
  EXPECT_EQ(dlg.Controls()[2], second);
}

TEST_F(ToolkitTest, CreateTextIsTitleOrImageByClass) {
  EXPECT_EQ(dlg.Create<MText>(1, {}, "caption")->GetTitle(), "caption");
  EXPECT_EQ(dlg.Create<MButton>(2, {}, "OK")->GetTitle(), "OK");
  EXPECT_EQ(dlg.Create<MPicture>(3, {}, "logo.png")->GetImage(), "logo.png");
  EXPECT_EQ(dlg.Create<CImageButton>(4, {}, "sysbtn_close.png")->GetImage(), "sysbtn_close.png");
}

TEST_F(ToolkitTest, SettersMarkDirtyAndWakeTheHost) {
  auto* text = dlg.Create<MText>(1, {});
  text->TakeDirty();
  const size_t wakes = host.WakeCount();
  text->SetTitle("x");
  EXPECT_TRUE(text->TakeDirty());
  EXPECT_FALSE(text->TakeDirty());
  EXPECT_GT(host.WakeCount(), wakes);
  text->SetTitle("x");  // unchanged
  EXPECT_FALSE(text->TakeDirty());
  text->UpdateControl();
  EXPECT_TRUE(text->TakeDirty());
}

TEST_F(ToolkitTest, ButtonClickNotifiesOnlyWhenEnabledAndShown) {
  auto* page = dlg.Create<MTabLayout>(50, {});
  auto* button = dlg.Create<MButton>(46, {}, "Reset", 0, 0, page);
  EXPECT_EQ(button->Click(), 1);
  button->SetEnabled(false);
  EXPECT_EQ(button->Click(), 0);
  button->SetEnabled(true);
  page->SetVisible(false);
  EXPECT_TRUE(button->IsVisible());
  EXPECT_FALSE(button->IsShown());
  EXPECT_EQ(button->Click(), 0);
  ASSERT_EQ(dlg.notes.size(), 1u);
  EXPECT_EQ(dlg.notes[0].id, 46);
  EXPECT_EQ(dlg.notes[0].event, kEventClick);
  EXPECT_EQ(dlg.notes[0].param, 0);
}

TEST_F(ToolkitTest, ParentLayoutRefusesCycles) {
  auto* a = dlg.Create<MTabLayout>(1, {});
  auto* b = dlg.Create<MTabLayout>(2, {}, {}, 0, 0, a);
  a->SetParentLayout(b);
  EXPECT_EQ(a->GetParentLayout(), nullptr);
  a->SetVisible(false);
  EXPECT_FALSE(b->IsShown());
}

TEST_F(ToolkitTest, ApplyTextsWalksEveryRememberedId) {
  auto* caption = dlg.Create<MText>(35, {}, "old");
  caption->SetTextId(71);
  auto* plain = dlg.Create<MText>(36, {}, "keep");
  auto* next = dlg.Create<CImageButton>(61, {});
  next->SetTooltipId(86);
  auto* tabs = dlg.Create<MTabCtrl>(48, {});
  tabs->AddItem(1, "home", "icon/tab_home.png", 49, 71);
  tabs->AddItem(2, "fixed", "icon/tab_key.png");
  auto* list = dlg.Create<CDeviceList>(57, {});
  list->SetVersionLabelId(15);

  dlg.ApplyTexts([](int id) { return "T" + std::to_string(id); });

  EXPECT_EQ(caption->GetTitle(), "T71");
  EXPECT_EQ(plain->GetTitle(), "keep");
  EXPECT_EQ(next->GetTooltip(), "T86");
  EXPECT_EQ(tabs->GetItems()[0].text, "T71");
  EXPECT_EQ(tabs->GetItems()[1].text, "fixed");
  EXPECT_EQ(list->GetVersionLabel(), "T15");
}

TEST_F(ToolkitTest, MaximizeFillsTheScreenAndRestoreReturns) {
  Manager::Instance().SetScreenRect({0, 0, 1600, 1000});
  dlg.MoveWindow(100, 50, 400, 300);
  const int before = dlg.ui_size_calls;
  dlg.Maximize();
  EXPECT_TRUE(dlg.IsMaximized());
  EXPECT_EQ(dlg.GetClientRect(), (Rect{0, 0, 1600, 1000}));
  EXPECT_GT(dlg.ui_size_calls, before);
  dlg.Restore();
  EXPECT_FALSE(dlg.IsMaximized());
  EXPECT_EQ(dlg.GetWindowRect(), (Rect{100, 50, 500, 350}));
}

TEST_F(ToolkitTest, CenterWindowUsesTheScreen) {
  Manager::Instance().SetScreenRect({0, 0, 1600, 1000});
  dlg.CenterWindow();
  EXPECT_EQ(dlg.GetWindowRect(), (Rect{600, 350, 1000, 650}));
}

TEST_F(ToolkitTest, WindowsAreFoundByClassAndTitle) {
  MDialog popup;
  popup.Create(&dlg, "MWindow", 0, {0, 0, 10, 10}, "MessageBox");
  EXPECT_EQ(Manager::Instance().FindWindows("MWindow", "MessageBox"),
            (std::vector<MWindow*>{&popup}));
  popup.DestroyWindow();
  EXPECT_TRUE(Manager::Instance().FindWindows("MWindow", "MessageBox").empty());
  EXPECT_EQ(popup.GetSafeHwnd(), 0u);
}

TEST(ManagerTest, ResolveImageUsesTheSkinRootAndAcceptsAPngForAnIco) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("corvatt_ui_skin_" + std::to_string(getpid()));
  fs::create_directories(root / "icon");
  std::ofstream(root / "Corvatt.png") << "png";
  Manager& m = Manager::Instance();
  const std::string old_root = m.GetSkinRoot();
  m.SetSkinRoot(root.string());
  const std::string base = root.string() + "/";
  EXPECT_EQ(m.ResolveImage("icon\\tab_home.png"), base + "icon/tab_home.png");
  EXPECT_EQ(m.ResolveImage("Corvatt.ico"), base + "Corvatt.png");
  EXPECT_EQ(m.ResolveImage("missing.ico"), base + "missing.ico");
  EXPECT_EQ(m.ResolveImage("/abs/x.png"), "/abs/x.png");
  EXPECT_EQ(m.ResolveImage(""), "");
  m.SetSkinRoot(old_root);
  fs::remove_all(root);
}

TEST(ManagerTest, Defaults) {
  Manager& m = Manager::Instance();
  EXPECT_EQ(m.GetTheme(), "default");
  EXPECT_EQ(m.GetFontName(), "Open Sans Semibold");
  EXPECT_EQ(RgbToArgb(0x00332211u), 0xFF112233u);
  EXPECT_EQ(ArgbToRgb(0xFF112233u), 0x00332211u);
}

}  // namespace
}  // namespace corvatt::dui
