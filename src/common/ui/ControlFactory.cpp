#include "common/ui/ControlFactory.h"

#include <algorithm>

#include "common/ui/BatteryCtrl.h"
#include "common/ui/MouseCtrl.h"
#include "common/ui/MouseKeyCtrl.h"
#include "common/ui/CRecordList.h"
#include "common/ui/DListBox.h"
#include "common/ui/MacroList.h"
#include "common/ui/DPIControl.h"
#include "common/ui/DPISlider.h"
#include "common/ui/LightSlider.h"
#include "common/ui/ReporteCtrl.h"
#include "common/ui/MEdit.h"
#include "common/ui/NumberEdit.h"
#include "common/ui/NumberEdit2.h"
#include "common/ui/CCheckButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/MButton2.h"
#include "common/ui/MButton3.h"
#include "common/ui/CColorButton.h"
#include "common/ui/CHelpButton.h"
#include "common/ui/MComboBox.h"
#include "common/ui/MComboBox2.h"
#include "common/ui/CArea.h"
#include "common/ui/CRoundArea.h"
#include "common/ui/MPalette.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CDeviceState.h"
#include "common/ui/CIconButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/CTextButton.h"
#include "common/ui/MButton.h"
#include "common/ui/MPicture.h"
#include "common/ui/MProgress.h"
#include "common/ui/MProgress2.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MTabLayout.h"
#include "common/ui/MText.h"

namespace corvatt::dui {

namespace {
template <class T>
void Add(ControlFactory& factory) {
  factory.Register(T::kClassName, [] { return std::make_unique<T>(); });
}
}  // namespace

ControlFactory& ControlFactory::Instance() {
  static ControlFactory factory;
  return factory;
}

ControlFactory::ControlFactory() {
  Add<MPicture>(*this);
  Add<MText>(*this);
  Add<MButton>(*this);
  Add<CImageButton>(*this);
  Add<CTextButton>(*this);
  Add<CIconButton>(*this);
  Add<MTabCtrl>(*this);
  Add<MTabLayout>(*this);
  Add<CDeviceList>(*this);
  Add<CDeviceState>(*this);
  Add<BatteryCtrl>(*this);
  Add<MProgress>(*this);
  Add<MProgress2>(*this);
  Add<MouseCtrl>(*this);
  Add<MouseKeyCtrl>(*this);
  Add<DPIControl>(*this);
  Add<DPISlider>(*this);
  Add<LightSlider>(*this);
  Add<ReporteCtrl>(*this);
  Add<MEdit>(*this);
  Add<NumberEdit>(*this);
  Add<NumberEdit2>(*this);
  Add<CCheckButton>(*this);
  Add<CRadioButton>(*this);
  Add<MButton2>(*this);
  Add<MButton3>(*this);
  Add<CColorButton>(*this);
  Add<CHelpButton>(*this);
  Add<MComboBox>(*this);
  Add<MComboBox2>(*this);
  Add<CArea>(*this);
  Add<CRoundArea>(*this);
  Add<MPalette>(*this);
  Add<DListBox>(*this);
  Add<MacroList>(*this);
  Add<CRecordList>(*this);
}

void ControlFactory::Register(std::string_view class_name, Maker maker) {
  for (Entry& entry : m_entries) {
    if (entry.name == class_name) {
      entry.maker = std::move(maker);
      return;
    }
  }
  m_entries.push_back({std::string(class_name), std::move(maker)});
}

bool ControlFactory::IsRegistered(std::string_view class_name) const {
  return std::any_of(m_entries.begin(), m_entries.end(),
                     [&](const Entry& e) { return e.name == class_name; });
}

std::unique_ptr<MControl> ControlFactory::Make(std::string_view class_name) const {
  for (const Entry& entry : m_entries) {
    if (entry.name == class_name) return entry.maker();
  }
  return nullptr;
}

std::vector<std::string> ControlFactory::ClassNames() const {
  std::vector<std::string> names;
  for (const Entry& entry : m_entries) names.push_back(entry.name);
  return names;
}

}  // namespace corvatt::dui
