#include "view/WidgetRegistry.h"

#include "view/BatteryWidget.h"
#include "view/ButtonWidget.h"
#include "view/CheckButtonWidget.h"
#include "view/ColorButtonWidget.h"
#include "view/ComboWidget.h"
#include "view/ControlWidget.h"
#include "view/DPIControlWidget.h"
#include "view/EditWidget.h"
#include "view/ListBoxWidget.h"
#include "view/MouseCtrlWidget.h"
#include "view/MouseKeyCtrlWidget.h"
#include "view/PaletteWidget.h"
#include "view/RecordListWidget.h"
#include "view/ReporteWidget.h"
#include "view/SliderWidget.h"
#include "view/DeviceListWidget.h"
#include "view/DeviceStateWidget.h"
#include "view/IconButtonWidget.h"
#include "view/ImageButtonWidget.h"
#include "view/PictureWidget.h"
#include "view/Progress2Widget.h"
#include "view/ProgressWidget.h"
#include "view/TabCtrlWidget.h"
#include "view/TabLayoutWidget.h"
#include "view/TextButtonWidget.h"
#include "view/TextWidget.h"

namespace corvatt::view {

namespace {

// For a class without a widget yet: keeps the geometry and visibility, draws nothing.
class PlaceholderWidget : public ControlWidget {
public:
  PlaceholderWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
  }

protected:
  void Paint(QPainter&) override {}
};

template <class W>
WidgetRegistry::Maker MakerOf() {
  return [](dui::MControl& control, QWidget* parent) -> ControlWidget* {
    return new W(control, parent);
  };
}

}  // namespace

WidgetRegistry& WidgetRegistry::Instance() {
  static WidgetRegistry registry;
  return registry;
}

WidgetRegistry::WidgetRegistry() {
  Register("MPicture", MakerOf<PictureWidget>());
  Register("MText", MakerOf<TextWidget>());
  Register("MButton", MakerOf<ButtonWidget>());
  Register("CImageButton", MakerOf<ImageButtonWidget>());
  Register("CTextButton", MakerOf<TextButtonWidget>());
  Register("CIconButton", MakerOf<IconButtonWidget>());
  Register("MTabCtrl", MakerOf<TabCtrlWidget>());
  Register("MTabLayout", MakerOf<TabLayoutWidget>());
  Register("CDeviceList", MakerOf<DeviceListWidget>());
  Register("CDeviceState", MakerOf<DeviceStateWidget>());
  Register("BatteryCtrl", MakerOf<BatteryWidget>());
  Register("MProgress", MakerOf<ProgressWidget>());
  Register("MProgress2", MakerOf<Progress2Widget>());
  Register("MouseCtrl", MakerOf<MouseCtrlWidget>());
  Register("MouseKeyCtrl", MakerOf<MouseKeyCtrlWidget>());
  Register("DPIControl", MakerOf<DPIControlWidget>());
  Register("DPISlider", MakerOf<SliderWidget>());
  Register("LightSlider", MakerOf<SliderWidget>());
  Register("ReporteCtrl", MakerOf<ReporteWidget>());
  Register("MEdit", MakerOf<EditWidget>());
  Register("NumberEdit", MakerOf<EditWidget>());
  Register("NumberEdit2", MakerOf<EditWidget>());
  Register("CCheckButton", MakerOf<CheckButtonWidget>());
  Register("CRadioButton", MakerOf<CheckButtonWidget>());
  Register("MButton2", MakerOf<ToggleButtonWidget>());
  Register("MButton3", MakerOf<ToggleButtonWidget>());
  Register("CColorButton", MakerOf<ColorButtonWidget>());
  Register("CHelpButton", MakerOf<HelpButtonWidget>());
  Register("MComboBox", MakerOf<ComboWidget>());
  Register("MComboBox2", MakerOf<ComboWidget>());
  Register("MPalette", MakerOf<PaletteWidget>());
  Register("CArea", MakerOf<AreaWidget>());
  Register("CRoundArea", MakerOf<AreaWidget>());
  Register("DListBox", MakerOf<ListBoxWidget>());
  Register("MacroList", MakerOf<ListBoxWidget>());
  Register("CRecordList", MakerOf<RecordListWidget>());
}

void WidgetRegistry::Register(std::string_view class_name, Maker maker) {
  m_makers[std::string(class_name)] = std::move(maker);
}

bool WidgetRegistry::Has(std::string_view class_name) const {
  return m_makers.find(class_name) != m_makers.end();
}

ControlWidget* WidgetRegistry::Make(dui::MControl& control, QWidget* parent) const {
  auto it = m_makers.find(control.GetClassName());
  if (it != m_makers.end()) return it->second(control, parent);
  return new PlaceholderWidget(control, parent);
}

void WidgetRegistry::Track(uint64_t serial, dui::MControl* control) { m_alive[serial] = control; }
void WidgetRegistry::Untrack(uint64_t serial) { m_alive.erase(serial); }
bool WidgetRegistry::IsAlive(uint64_t serial) const { return m_alive.count(serial) != 0; }

dui::MControl* WidgetRegistry::FindControl(uint64_t serial) const {
  auto it = m_alive.find(serial);
  return it == m_alive.end() ? nullptr : it->second;
}

}  // namespace corvatt::view
