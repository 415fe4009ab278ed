#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "store/StoreRecords.h"

namespace corvatt {

// Three bytes per button code k at 3k .. 3k+2; codes 0 to 20 have a place.
inline constexpr int kButtonTableSize = 65;
inline constexpr int kHighestButtonCode = 20;
using ButtonTable = std::array<std::uint8_t, kButtonTableSize>;

// Buttons 0-4 mouse buttons, 5 the DPI button, everything else 0.
ButtonTable DefaultButtonTable();

// Writes one assignment's entry at its button code. Returns false, leaving the
// table alone, when the code has no place (below 0 or above 20). Macro
// assignments look their macro up in `macros`; an unknown id keeps the entry.
bool ApplyAssignment(ButtonTable& table, const KeyAssignment& assignment, const std::vector<MacroData>& macros);

// The defaults with every assignment applied in order.
ButtonTable BuildButtonTable(const std::vector<KeyAssignment>& assignments, const std::vector<MacroData>& macros);

}  // namespace corvatt
