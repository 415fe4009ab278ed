#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <thread>

#include <unistd.h>

#include "common/ui/BatteryCtrl.h"
#include "view/Theme.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CDeviceState.h"
#include "common/ui/CIconButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/CTextButton.h"
#include "common/ui/MButton.h"
#include "common/ui/MDialog.h"
#include "common/ui/MPicture.h"
#include "common/ui/MProgress2.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MTabLayout.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "view/QtHost.h"
#include "ViewSupport.h"

namespace corvatt::view {
namespace {

namespace fs = std::filesystem;
using namespace corvatt::dui;

using viewtest::App;

struct Note {
  int id, event;
  intptr_t param;
  friend bool operator==(const Note&, const Note&) = default;
};

class Panel : public MDialog {
public:
  void InitUI() override {
    Manager::Instance().SetSkinRoot(std::string(CORVATT_TEST_DATA) + "/skins/default/");
    Create<MPicture>(1, {0, 0, 900, 560}, "main_bkg.png");
    Create<MPicture>(2, {20, 14, 280, 54}, "logo.png");
    Create<CImageButton>(38, {850, 16, 882, 48}, "sysbtn_close.png");
    Create<CImageButton>(39, {810, 16, 842, 48}, "sysbtn_min.png");
    auto* state = Create<CDeviceState>(44, {320, 18, 560, 50}, "Wired");
    state->SetState(CDeviceState::kWired);
    state->SetFont(15, true);
    auto* battery = Create<BatteryCtrl>(43, {600, 18, 700, 50});
    battery->SetBatteryInfo(72, 100);
    tabs = Create<MTabCtrl>(48, {0, 80, 200, 440});
    home = Create<MTabLayout>(49, {200, 80, 900, 520});
    keys = Create<MTabLayout>(50, {200, 80, 900, 520});
    tabs->AddItem(1, "Home", "icon/tab_home.png", 49);
    tabs->AddItem(2, "Buttons", "icon/tab_key.png", 50);
    tabs->AddItem(3, "DPI", "icon/tab_dpi.png");
    tabs->SetSelectItem(0);
    list = Create<CDeviceList>(57, {230, 110, 870, 420}, {}, 0, 0, home);
    list->SetVersionLabel("Version");
    list->AddDevice("Corvatt V1", 102, "device/corvatt_v1.png");
    list->AddDevice("Corvatt V2", 201, "device/corvatt_v2.png");
    list->SetDeviceState(102, 0, 1);
    list->SetDeviceVersion(102, 0x0102);
    list->SetDeviceBattery(102, 72, 100);
    reset = Create<MButton>(46, {700, 460, 860, 500}, "Factory settings", 0, 0, home);
    Create<CIconButton>(45, {240, 460, 420, 500}, "Profile 1", 0, 0, home)->SetIcon("icon/tab_set.png");
    Create<CTextButton>(37, {620, 525, 880, 550}, "corvatt.example.org");
    auto* bar = Create<MProgress>(33, {240, 432, 860, 444}, {}, 0, 0, home);
    bar->SetRange(0, 16000);
    bar->SetPos(9600);
    auto* caption = Create<MText>(35, {230, 440, 600, 460}, "Key page", 0, 0, keys);
    caption->SetFont(16);
  }
  int OnMessage(int id, int event, intptr_t param) override {
    notes.push_back({id, event, param});
    return 1;
  }
  void OnTimer(unsigned id) override {
    ++timer_ticks;
    if (id == 5) KillTimer(5);
    MDialog::OnTimer(id);
  }

  MTabCtrl* tabs = nullptr;
  MTabLayout* home = nullptr;
  MTabLayout* keys = nullptr;
  CDeviceList* list = nullptr;
  MButton* reset = nullptr;
  std::vector<Note> notes;
  int timer_ticks = 0;
};

class ViewTest : public ::testing::Test {
protected:
  ViewTest() : host(TestOptions()) { App(); }
  static ViewOptions TestOptions() {
    App();
    ViewOptions options;
    options.quit_exits_process = false;
    return options;
  }
  void SetUp() override {
    panel.Create(nullptr, "MWindow", WS_VISIBLE, {40, 40, 940, 600}, "Panel");
    Settle();
  }
  void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
  QWidget* WidgetOf(MControl* control) {
    return static_cast<QWidget*>(host.WidgetOfControl(control->Serial()));
  }

  QtHost host;
  Panel panel;
};

TEST_F(ViewTest, AnIconNamedIcoIsTakenFromThePngOfTheSkin) {
    EXPECT_FALSE(theme::Image("Corvatt.ico").isNull());
    EXPECT_EQ(theme::Image("Corvatt.ico").size(), theme::Image("Corvatt.png").size());
    EXPECT_TRUE(theme::Image("missing.ico").isNull());
}

TEST_F(ViewTest, ClickOnAButtonWidgetReachesOnMessage) {
  QWidget* widget = WidgetOf(panel.reset);
  ASSERT_NE(widget, nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  Settle();
  EXPECT_EQ(panel.notes, (std::vector<Note>{{46, kEventClick, 0}}));

  panel.reset->SetEnabled(false);
  Settle();
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  Settle();
  EXPECT_EQ(panel.notes.size(), 1u);
}

TEST_F(ViewTest, HiddenModelControlsAndPagesHideTheirWidgets) {
  QWidget* button = WidgetOf(panel.reset);
  QWidget* caption = WidgetOf(panel.GetControl(35));
  ASSERT_NE(button, nullptr);
  ASSERT_NE(caption, nullptr);
  EXPECT_TRUE(button->isVisible());
  EXPECT_FALSE(caption->isVisible());  // its page is not selected

  panel.reset->SetVisible(false);
  Settle();
  EXPECT_FALSE(button->isVisible());
  panel.reset->SetVisible(true);
  panel.tabs->SetSelectItem(1);  // shows page 50, hides page 49
  Settle();
  EXPECT_FALSE(button->isVisible());
  EXPECT_TRUE(caption->isVisible());
}

TEST_F(ViewTest, TabAndDeviceListClicksNotifyWithTheirParameter) {
  QWidget* tabs = WidgetOf(panel.tabs);
  ASSERT_NE(tabs, nullptr);
  // Vertical strip: items are at most 64 pixels high, from the top.
  QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(tabs->width() / 2, 64 + 32));
  Settle();
  EXPECT_EQ(panel.tabs->GetSelectItem(), 1);

  panel.tabs->SetSelectItem(0);
  Settle();
  QWidget* list = WidgetOf(panel.list);
  ASSERT_NE(list, nullptr);
  // Two cards side by side, centred: the right one is the second row.
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() / 2 + 60, list->height() / 2));
  Settle();
  EXPECT_EQ(panel.notes, (std::vector<Note>{{48, kEventClick, 1}, {57, kEventClick, 201}}));
  EXPECT_EQ(panel.list->GetSelectDevice(), 201);
}

TEST_F(ViewTest, ScreenshotOfADialogHasItsContent) {
  const fs::path path = fs::temp_directory_path() / ("corvatt_view_panel_" + std::to_string(getpid()) + ".png");
  fs::remove(path);
  ASSERT_TRUE(host.SaveScreenshot(path.string(), &panel));
  QImage image(QString::fromStdString(path.string()));
  fs::remove(path);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 900);
  EXPECT_EQ(image.height(), 560);
  // Not a flat fill: the background, the cards and the texts differ.
  const QRgb corner = image.pixel(5, 300);
  int differing = 0;
  for (int y = 0; y < image.height(); y += 7) {
    for (int x = 0; x < image.width(); x += 7) differing += image.pixel(x, y) != corner;
  }
  EXPECT_GT(differing, 500);
}

TEST_F(ViewTest, AWideButtonKeepsTheRoundedEndsOfItsImage) {
  MDialog box;
  box.Create(&panel, "MWindow", WS_VISIBLE, {0, 0, 430, 230}, "MessageBox");
  box.LoadBKImage("bk_prompt.png");
  auto* caption = box.Create<MText>(31, {20, 15, 410, 45}, "Notice");
  caption->SetAlignment(kAlignCenter | kAlignVCenter | kAlignSingleLine);
  caption->SetFont(16);
  auto* text = box.Create<MText>(32, {20, 50, 410, 180}, "Please connect the device first.");
  text->SetAlignment(kAlignCenter | kAlignVCenter | kAlignWordBreak);
  text->SetFont(16);
  auto* ok = box.Create<MButton>(33, {60, 180, 370, 216}, "OK");
  ok->SetImage("img_button.png");
  ok->SetFont(16);
  Settle();
  const fs::path path = fs::temp_directory_path() / ("corvatt_view_box_" + std::to_string(getpid()) + ".png");
  ASSERT_TRUE(host.SaveScreenshot(path.string(), &box));
  QImage image(QString::fromStdString(path.string()));
  if (!qEnvironmentVariableIsSet("CORVATT_KEEP_SHOTS")) fs::remove(path);
  ASSERT_FALSE(image.isNull());
  const QColor accent = QColor(0x27, 0xB6, 0xF0);
  auto near_accent = [&](QColor c) {
    return std::abs(c.red() - accent.red()) < 40 && std::abs(c.green() - accent.green()) < 40 &&
           std::abs(c.blue() - accent.blue()) < 40;
  };
  EXPECT_TRUE(near_accent(image.pixelColor(80, 198)));   // body, left of the title
  EXPECT_TRUE(near_accent(image.pixelColor(360, 198)));  // body near the right end
  EXPECT_FALSE(near_accent(image.pixelColor(60, 180)));  // rounded corner left open
  EXPECT_FALSE(near_accent(image.pixelColor(369, 215)));
}

TEST_F(ViewTest, WorkerChangesAreRepaintedOnTheGuiThread) {
  auto* caption = panel.GetControl<MText>(35);
  std::thread worker([&] {
    for (int i = 0; i <= 300; ++i) caption->SetTitle("step " + std::to_string(i));
    panel.list->SetDeviceState(201, 1, 1);
  });
  worker.join();
  Settle();
  EXPECT_FALSE(caption->IsDirty());
  EXPECT_FALSE(panel.list->IsDirty());
  EXPECT_EQ(caption->GetTitle(), "step 300");
}

TEST_F(ViewTest, TimersRunOnTheQtLoop) {
  panel.SetTimer(5, 10);
  panel.SetTimer(6, 10);
  QTest::qWait(80);
  panel.KillTimer(6);
  const int ticks = panel.timer_ticks;
  EXPECT_GE(ticks, 3);  // timer 5 once, timer 6 several times
  QTest::qWait(40);
  EXPECT_EQ(panel.timer_ticks, ticks);
}

TEST_F(ViewTest, ModalRunEndsWithDoOK) {
  QTimer::singleShot(20, [this] { panel.DoOK(); });
  EXPECT_EQ(panel.ShowModal(), 1);
  EXPECT_FALSE(panel.IsModal());
}

TEST_F(ViewTest, NestedModalBlocksTheWindowBelowAndReturnsItsCode) {
  Panel box;
  box.Create(&panel, "MWindow", 0, {0, 0, 430, 230}, "MessageBox");
  int inner = -1;
  QTimer::singleShot(10, [&] {
    QTimer::singleShot(30, [&] {
      auto* widget = static_cast<QWidget*>(host.WidgetOf(box));
      EXPECT_NE(widget, nullptr);
      if (widget != nullptr) {
        EXPECT_EQ(widget->windowModality(), Qt::ApplicationModal);
      }
      box.PostMessage(WM_CLOSE, 2, 0);  // closed with a result, as ClosePopups does
    });
    inner = box.ShowModal();
    panel.DoCancel();
  });
  EXPECT_EQ(panel.ShowModal(), 0);
  EXPECT_EQ(inner, 2);
}

TEST(ViewHostTest, ExitAfterEndsTheModalRunAndTakesTheScreenshot) {
  App();
  const fs::path path = fs::temp_directory_path() / ("corvatt_view_exit_" + std::to_string(getpid()) + ".png");
  fs::remove(path);
  ViewOptions options;
  options.quit_exits_process = false;
  options.screenshot_path = path.string();
  options.exit_after_ms = 150;
  QtHost host(options);
  Panel panel;
  panel.Create(nullptr, "MWindow", 0, {0, 0, 900, 560}, "Main");
  EXPECT_EQ(panel.ShowModal(), 0);
  EXPECT_TRUE(host.ScreenshotTaken());
  EXPECT_TRUE(fs::exists(path));
  fs::remove(path);
  host.Quit(0);
  EXPECT_EQ(host.QuitCode(), 0);
}

TEST(ViewOptionsTest, ParsesScreenshotAndExitAfter) {
  char a0[] = "corvatt", a1[] = "--simulate", a2[] = "--screenshot", a3[] = "/tmp/s.png",
       a4[] = "--exit-after=4000";
  char* argv[] = {a0, a1, a2, a3, a4};
  const ViewOptions options = ParseViewOptions(5, argv);
  EXPECT_EQ(options.screenshot_path, "/tmp/s.png");
  EXPECT_EQ(options.exit_after_ms, 4000);
  char b2[] = "--exit-after", b3[] = "soon";
  char* bad[] = {a0, b2, b3};
  EXPECT_EQ(ParseViewOptions(3, bad).exit_after_ms, -1);
}

}  // namespace
}  // namespace corvatt::view
