#pragma once

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A progress bar. The position is kept as given (a value past the range is not clamped; the
// view draws it full).
class MProgress : public MControl {
public:
  static constexpr const char* kClassName = "MProgress";
  MProgress() : MProgress(kClassName) {}

  void SetRange(int min, int max);
  int GetMin() const;
  int GetMax() const;
  void SetPos(int pos);
  int GetPos() const;
  // Share of the range, 0.0 to 1.0 (an empty range gives 0).
  double GetFraction() const;
  // Bar colour, ARGB; 0 = the highlight colour.
  void SetBarColor(uint32_t argb);
  uint32_t GetBarColor() const;

protected:
  explicit MProgress(std::string_view class_name) : MControl(class_name) {}

private:
  int m_min = 0;
  int m_max = 100;
  int m_pos = 0;
  uint32_t m_bar_color = 0;
};

}  // namespace corvatt::dui
