#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// Registry of control classes by the name given to CreateControl. The toolkit's classes are
// registered on first use; adding a class = one model class + one Register call here.
class ControlFactory {
public:
  using Maker = std::function<std::unique_ptr<MControl>()>;

  static ControlFactory& Instance();
  void Register(std::string_view class_name, Maker maker);
  bool IsRegistered(std::string_view class_name) const;
  std::unique_ptr<MControl> Make(std::string_view class_name) const;
  std::vector<std::string> ClassNames() const;

private:
  ControlFactory();
  struct Entry {
    std::string name;
    Maker maker;
  };
  std::vector<Entry> m_entries;
};

}  // namespace corvatt::dui
