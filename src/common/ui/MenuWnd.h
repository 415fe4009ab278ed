#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ui/Host.h"
#include "common/ui/Types.h"

namespace corvatt::dui {

class MWindow;

// A pop-up menu: entries (command id, text) shown by the host at a screen point with a width.
// Choosing an entry posts (message, command id, 0) to the owner window; dismissing it posts
// nothing. Not a control of a dialog: made where it is needed and shown with Popup.
class MenuWnd {
public:
  void AddItem(unsigned id, std::string_view text);
  void DeleteAllItems();
  const std::vector<MenuItem>& Items() const { return m_items; }
  // False without a host or without entries.
  bool Popup(MWindow& owner, Point screen_point, int width, unsigned message) const;

private:
  std::vector<MenuItem> m_items;
};

}  // namespace corvatt::dui
