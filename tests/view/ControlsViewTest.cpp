#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

#include "catalog/DeviceDescription.h"
#include "common/ui/CCheckButton.h"
#include "common/ui/CHelpButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/DPIControl.h"
#include "common/ui/DPISlider.h"
#include "common/ui/MComboBox.h"
#include "common/ui/MDialog.h"
#include "common/ui/MPalette.h"
#include "common/ui/Manager.h"
#include "common/ui/MouseCtrl.h"
#include "common/ui/MouseKeyCtrl.h"
#include "common/ui/NumberEdit.h"
#include "common/ui/ReporteCtrl.h"
#include "common/ui/CRecordList.h"
#include "common/ui/DListBox.h"
#include "common/ui/MacroList.h"
#include "view/ComboWidget.h"
#include "view/ListBoxWidget.h"
#include "view/RecordListWidget.h"
#include "view/DPIControlWidget.h"
#include "view/MouseCtrlWidget.h"
#include "view/QtHost.h"
#include "ViewSupport.h"

namespace corvatt::view {
namespace {

namespace fs = std::filesystem;
using namespace corvatt::dui;
using viewtest::App;
using viewtest::Settle;

struct Note {
  int id, event;
  intptr_t param;
  friend bool operator==(const Note&, const Note&) = default;
};

std::ostream& operator<<(std::ostream& os, const Note& n) {
  return os << "{" << n.id << ", " << n.event << ", " << n.param << "}";
}

// Section "LAN" of the shipped English texts.
std::map<int, std::string> EnglishTexts() {
  std::map<int, std::string> texts;
  std::ifstream in(std::string(CORVATT_TEST_DATA) + "/language/1033.lan");
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0 || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
    texts.emplace(std::stoi(line.substr(0, eq)), line.substr(eq + 1));
  }
  return texts;
}

class Page : public MDialog {
public:
  int OnMessage(int id, int event, intptr_t param) override {
    notes.push_back({id, event, param});
    return 1;
  }
  std::vector<Note> notes;
};

// The button page's picture and list for one shipped model, filled as the program does.
class ButtonsPage : public Page {
public:
  explicit ButtonsPage(std::string model) : m_model(std::move(model)) {}
  void InitUI() override {
    Manager::Instance().SetSkinRoot(std::string(CORVATT_TEST_DATA) + "/skins/default/");
    list = Create<MouseKeyCtrl>(68, {20, 20, 300, 540});
    mouse = Create<MouseCtrl>(108, {320, 20, 1000, 540}, "device/" + m_model + ".png");
    DeviceDescription description;
    EXPECT_TRUE(description.Read(std::string(CORVATT_TEST_DATA) + "/device/" + m_model + ".xml"));
    const auto texts = EnglishTexts();
    auto text = [&](const std::string& id) {
      auto it = texts.find(std::atoi(id.c_str()));
      return it == texts.end() ? id : it->second;
    };
    for (const auto& b : description.buttons) {
      mouse->AddItem(text(b.name), b.key_value, b.direction, {b.line_from_x, b.line_y},
                     {b.line_to_x, b.line_y}, b.dashed);
      list->AddItem(text(b.name), text(b.func_desc), b.key_value);
    }
    mouse->SetSelectItem(0);
    list->SetSelectItem(0);
  }
  MouseCtrl* mouse = nullptr;
  MouseKeyCtrl* list = nullptr;

private:
  std::string m_model;
};

class DpiPage : public Page {
public:
  void InitUI() override {
    Manager::Instance().SetSkinRoot(std::string(CORVATT_TEST_DATA) + "/skins/default/");
    help = Create<CHelpButton>(114, {20, 20, 42, 42}, "Set the DPI of each stage.");
    stages = Create<DPIControl>(116, {20, 56, 860, 146});
    const int values[] = {400, 800, 1600, 3200, 6400};
    const uint32_t colors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};
    for (int i = 0; i < 5; ++i) stages->AddItem(values[i], colors[i]);
    stages->SetSelectItem(2);
    slider = Create<DPISlider>(117, {20, 160, 860, 230});
    slider->SetRange(1, 520);
    slider->SetProgress(32);
    slider->SetDPIDesc("50", "26000");
    slider->SetValueText("1600");
    count = Create<MComboBox>(120, {20, 244, 200, 280});
    for (int i = 1; i <= 6; ++i) count->AddItem(std::to_string(i), i);
    count->SelectData(5);
    rates = Create<ReporteCtrl>(125, {20, 300, 860, 340});
    const std::pair<const char*, int> rate[] = {{"125Hz", 8}, {"250Hz", 4}, {"500Hz", 2}, {"1000Hz", 1}};
    const uint32_t rate_colors[] = {67825, 15559424, 5109248, 2139135};
    for (int i = 0; i < 4; ++i) rates->AddItem(rate[i].first, rate[i].second, rate_colors[i]);
    rates->SetSelectCode(1);
    for (int i = 0; i < 2; ++i) {
      auto* lod = Create<CRadioButton>(129 + i, {20 + i * 120, 360, 130 + i * 120, 386}, i == 0 ? "1.0mm" : "2.0mm");
      lod->SetGroupName("IDC_PER_STC_LOD");
    }
    GetControl<CRadioButton>(129)->SetCheck(true);
    const char* sensor[] = {"Angle snapping", "Ripple control", "Motion sync"};
    for (int i = 0; i < 3; ++i) Create<CCheckButton>(134, {300 + i * 180, 360, 470 + i * 180, 386}, sensor[i]);
    FindControls(134)[1]->UpdateControl();
    static_cast<CCheckButton*>(FindControls(134)[1])->SetCheck(true);
    respond = Create<NumberEdit>(139, {20, 400, 120, 432}, "8");
    palette = Create<MPalette>(226, {300, 400, 560, 540});
  }
  CHelpButton* help = nullptr;
  DPIControl* stages = nullptr;
  DPISlider* slider = nullptr;
  MComboBox* count = nullptr;
  ReporteCtrl* rates = nullptr;
  NumberEdit* respond = nullptr;
  MPalette* palette = nullptr;
};

class ControlsViewTest : public ::testing::Test {
protected:
  ControlsViewTest() : host(Options()) {}
  static ViewOptions Options() {
    App();
    ViewOptions options;
    options.quit_exits_process = false;
    return options;
  }
  template <class W = QWidget>
  W* WidgetOf(MControl* control) {
    Settle();
    return dynamic_cast<W*>(static_cast<QWidget*>(host.WidgetOfControl(control->Serial())));
  }
  // A PNG of the window; kept (and its path printed) when CORVATT_KEEP_SHOTS is set.
  QImage Shot(MWindow& window, const std::string& name) {
    Settle();
    const fs::path path = fs::temp_directory_path() / ("corvatt_" + name + "_" + std::to_string(getpid()) + ".png");
    EXPECT_TRUE(host.SaveScreenshot(path.string(), &window));
    QImage image(QString::fromStdString(path.string()));
    if (qEnvironmentVariableIsSet("CORVATT_KEEP_SHOTS")) {
      std::printf("screenshot: %s\n", path.c_str());
    } else {
      fs::remove(path);
    }
    return image;
  }

  QtHost host;
};

bool NearAccent(QColor c) {
  const QColor accent(0x27, 0xB6, 0xF0);
  return std::abs(c.red() - accent.red()) < 40 && std::abs(c.green() - accent.green()) < 40 &&
         std::abs(c.blue() - accent.blue()) < 40;
}

TEST_F(ControlsViewTest, MousePictureLabelsPickAndFollowTheKeys) {
  ButtonsPage page("corvatt_v1");
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 1020, 560}, "Buttons");
  auto* widget = WidgetOf<MouseCtrlWidget>(page.mouse);
  ASSERT_NE(widget, nullptr);
  ASSERT_EQ(page.mouse->GetItemCount(), 7);
  // Every label lies inside the widget and no two overlap.
  std::vector<QRectF> labels;
  {
    std::lock_guard lock(Manager::Instance().UiLock());
    for (int i = 0; i < 7; ++i) labels.push_back(widget->LabelRect(i));
  }
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(QRectF(widget->rect()).contains(labels[i])) << i;
    for (int j = i + 1; j < 7; ++j) EXPECT_FALSE(labels[i].intersects(labels[j])) << i << " " << j;
  }
  QTest::mouseClick(widget, Qt::LeftButton, {}, labels[3].center().toPoint());
  Settle();
  EXPECT_EQ(page.mouse->GetSelectItem(), 3);
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_Down);
  Settle();
  QTest::keyClick(widget, Qt::Key_Up);
  QTest::keyClick(widget, Qt::Key_Up);
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{108, kEventClick, 3}, {108, kEventClick, 4}, {108, kEventClick, 3},
                                           {108, kEventClick, 2}}));

  // The selected button's leader line is drawn in the accent (the wheel's label is on the
  // right, the left button's on the left).
  const QImage image = Shot(page, "mouse_v1");
  const QPointF wheel = labels[2].translated(widget->pos()).topLeft() + QPointF(-6, labels[2].height() / 2);
  const QPointF left = labels[0].translated(widget->pos()).topRight() + QPointF(6, labels[0].height() / 2);
  EXPECT_TRUE(NearAccent(image.pixelColor(wheel.toPoint())));
  EXPECT_FALSE(NearAccent(image.pixelColor(left.toPoint())));
}

TEST_F(ControlsViewTest, SecondModelPictureHasItsFiveLabels) {
  ButtonsPage page("corvatt_v2");
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 1020, 560}, "Buttons");
  ASSERT_EQ(page.mouse->GetItemCount(), 5);
  auto* list = WidgetOf(page.list);
  ASSERT_NE(list, nullptr);
  // Rows of the list: the second row is picked by a click, the third by the Down key.
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(100, 64 + 30));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{68, kEventClick, 1}, {68, kEventClick, 2}}));
  EXPECT_EQ(page.list->GetSelectItem(), 2);
  Shot(page, "mouse_v2");
}

TEST_F(ControlsViewTest, DpiStagesNotifyPickColourFocusAndTypedValue) {
  DpiPage page;
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 880, 560}, "DPI");
  auto* widget = WidgetOf<DPIControlWidget>(page.stages);
  ASSERT_NE(widget, nullptr);
  QRectF card0, color3;
  {
    std::lock_guard lock(Manager::Instance().UiLock());
    card0 = widget->CardRect(0, 5);
    color3 = widget->ColorRect(3, 5);
  }
  QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(int(card0.left()) + 12, int(card0.bottom()) - 12));
  QTest::mouseClick(widget, Qt::LeftButton, {}, color3.center().toPoint());
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{116, kEventClick, 0}, {116, kEventSecondary, 3}}));
  EXPECT_EQ(page.stages->GetSelectItem(), 3);

  page.notes.clear();
  QLineEdit* field = widget->Field(1);
  ASSERT_TRUE(field->isVisible());
  EXPECT_EQ(field->text(), "800");
  field->setFocus();
  Settle();
  field->selectAll();
  QTest::keyClicks(field, "12a50");  // the letter is refused
  QTest::keyClick(field, Qt::Key_Return);
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{116, kEventSetFocus, 1}, {116, kEventKillFocus, 1}}));
  EXPECT_EQ(page.stages->GetEditText(1), "1250");
  EXPECT_EQ(page.stages->GetDPIValue(1), 800);  // the page decides the value
  page.stages->SetDPIValue(1, 1200);
  Settle();
  EXPECT_EQ(field->text(), "1200");
}

TEST_F(ControlsViewTest, SliderDragsThenReleasesAndStepsWithKeys) {
  DpiPage page;
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 880, 560}, "DPI");
  QWidget* widget = WidgetOf(page.slider);
  ASSERT_NE(widget, nullptr);
  const int y = widget->height() / 2;
  QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(11, y));
  QTest::mouseMove(widget, QPoint(widget->width() / 2, y));
  QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(widget->width() - 11, y));
  Settle();
  ASSERT_GE(page.notes.size(), 2u);
  EXPECT_EQ(page.notes.front(), (Note{117, kEventDrag, 1}));
  EXPECT_EQ(page.notes.back(), (Note{117, kEventClick, 520}));
  for (size_t i = 0; i + 1 < page.notes.size(); ++i) EXPECT_EQ(page.notes[i].event, kEventDrag);

  page.notes.clear();
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_Left);
  QTest::keyClick(widget, Qt::Key_Right);
  QTest::keyClick(widget, Qt::Key_Right);  // already at the end: nothing
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{117, kEventClick, 519}, {117, kEventClick, 520}}));
}

TEST_F(ControlsViewTest, ComboListWindowChoosesAndKeysStep) {
  DpiPage page;
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 880, 560}, "DPI");
  auto* combo = WidgetOf<ComboWidget>(page.count);
  ASSERT_NE(combo, nullptr);
  QTest::mouseClick(combo, Qt::LeftButton, {}, combo->rect().center());
  Settle();
  ComboPopup* popup = combo->Popup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->windowTitle(), "ComboWnd");
  EXPECT_EQ(popup->Highlighted(), 4);
  QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(20, 4 + ComboPopup::kRowHeight * 1 + 10));
  Settle();
  EXPECT_EQ(combo->Popup(), nullptr);
  EXPECT_EQ(page.count->GetCurData(), 2);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Up);
  QTest::keyClick(combo, Qt::Key_Up);  // first item: nothing
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{120, kEventClick, 1}, {120, kEventClick, 0}}));
  EXPECT_EQ(page.count->GetTitle(), "1");
}

TEST_F(ControlsViewTest, ButtonsEditsRatesAndPaletteNotify) {
  DpiPage page;
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 880, 560}, "DPI");
  QWidget* radio2 = WidgetOf(page.GetControl(130));
  QWidget* check1 = WidgetOf(page.FindControls(134)[0]);
  QWidget* rates = WidgetOf(page.rates);
  QWidget* palette = WidgetOf(page.palette);
  ASSERT_TRUE(radio2 && check1 && rates && palette);
  QTest::mouseClick(radio2, Qt::LeftButton, {}, QPoint(8, radio2->height() / 2));
  check1->setFocus();
  QTest::keyClick(check1, Qt::Key_Space);
  QTest::mouseClick(rates, Qt::LeftButton, {}, QPoint(rates->width() / 8, rates->height() / 2));
  rates->setFocus();
  QTest::keyClick(rates, Qt::Key_Right);
  QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(1, 1));
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{130, kEventClick, 1},
                                           {134, kEventClick, 1},
                                           {125, kEventClick, 0},
                                           {125, kEventClick, 1},
                                           {226, kEventPick, 0x0000FF},
                                           {226, kEventPick, 0x0000FF},
                                           {226, kEventClick, 0x0000FF}}));
  EXPECT_FALSE(page.GetControl<CRadioButton>(129)->GetCheck());
  EXPECT_EQ(page.rates->GetSelectCode(), 4);

  page.notes.clear();
  auto* edit = WidgetOf(page.respond)->findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  Settle();
  edit->selectAll();
  QTest::keyClicks(edit, "2x5");
  palette->setFocus();  // focus leaves the edit
  Settle();
  EXPECT_EQ(page.respond->GetEditText(), "25");
  EXPECT_EQ(page.notes, (std::vector<Note>{{139, kEventSetFocus, 0},
                                           {139, kEventTextChange, 0},
                                           {139, kEventTextChange, 0},
                                           {139, kEventKillFocus, 0}}));
  page.respond->SetText("20");  // the page corrects the value; the field follows
  Settle();
  EXPECT_EQ(edit->text(), "20");
  Shot(page, "dpi");
}

TEST_F(ControlsViewTest, ListEditsInPlaceWithDoubleClickAndEnter) {
  Page page;
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 300, 220}, "ProfileDlg");
  auto* list = page.Create<DListBox>(31, {10, 10, 290, 170});
  for (int i = 1; i <= 4; ++i) list->AddItem("Profile " + std::to_string(i), i);
  list->SetCurSel(0);
  auto* widget = WidgetOf<ListBoxWidget>(list);
  ASSERT_NE(widget, nullptr);
  const int row = ListBoxWidget::kRowHeight;
  QTest::mouseDClick(widget, Qt::LeftButton, {}, QPoint(40, row + row / 2));
  Settle();
  Settle();
  ASSERT_TRUE(widget->Editor()->isVisible());
  EXPECT_EQ(widget->Editor()->text(), "Profile 2");
  widget->Editor()->selectAll();
  QTest::keyClicks(widget->Editor(), "Work");
  QTest::keyClick(widget->Editor(), Qt::Key_Return);
  Settle();
  EXPECT_FALSE(widget->Editor()->isVisible());
  EXPECT_EQ(list->GetItemText(1), "Work");
  QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(40, 2 * row + row / 2));
  Settle();
  // The double click's own presses activate the row before the edit begins.
  ASSERT_FALSE(page.notes.empty());
  EXPECT_EQ(page.notes.back(), (Note{31, kEventClick, 2}));
  EXPECT_NE(std::find(page.notes.begin(), page.notes.end(), Note{31, kEventKillFocus, 1}), page.notes.end());
}

TEST_F(ControlsViewTest, EventListRightClickAndScrollingToTheSelection) {
  Page page;
  page.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 400, 300}, "Macro");
  auto* events = page.Create<CRecordList>(166, {10, 10, 390, 10 + 5 * RecordListWidget::kRowHeight});
  for (int i = 0; i < 40; ++i) events->InsertString(-1, {std::to_string(i) + " ms", 1, i, uint32_t(i)});
  auto* widget = WidgetOf<RecordListWidget>(events);
  ASSERT_NE(widget, nullptr);
  const int row = RecordListWidget::kRowHeight;
  QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(60, 2 * row + row / 2));
  Settle();
  events->SetSelectItem(30);  // from the program: scrolled into view
  Settle();
  EXPECT_EQ(widget->FirstRow(), 26);
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_Down);
  QTest::keyClick(widget, Qt::Key_Down);
  Settle();
  EXPECT_EQ(widget->FirstRow(), 28);
  QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(60, row / 2));
  Settle();
  EXPECT_EQ(page.notes, (std::vector<Note>{{166, kEventSecondary, 2}, {166, kEventClick, 31},
                                           {166, kEventClick, 32}, {166, kEventClick, 28}}));

  auto* macros = page.Create<MacroList>(156, {10, 200, 390, 290}, "btn_more.png");
  macros->AddItem("Macro 1", 1);
  macros->SetCurSel(0);
  auto* list = WidgetOf<ListBoxWidget>(macros);
  ASSERT_NE(list, nullptr);
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 20, ListBoxWidget::kRowHeight / 2));
  Settle();
  Settle();
  EXPECT_TRUE(macros->IsEditing());
  EXPECT_TRUE(list->Editor()->isVisible());
}

}  // namespace
}  // namespace corvatt::view
