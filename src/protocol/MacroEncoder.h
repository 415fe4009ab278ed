#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/StoreRecords.h"

namespace corvatt {

inline constexpr int kMacroEventSize = 4;
// 27 payload bytes per download report and 15 chunks: the button code and 101 events.
inline constexpr int kMacroChunkBytes = 27;
inline constexpr int kMaxMacroChunks = 15;
inline constexpr int kMaxMacroEvents = (kMaxMacroChunks * kMacroChunkBytes - 1) / kMacroEventSize;

// Events (four bytes each) of a macro's records, taken in the order given
// (record_index order). Returns the number of events written.
int EncodeMacroRecords(const std::vector<MacroRecord>& records, std::vector<std::uint8_t>& events);

// Download data: the button code, then the events, at most kMaxMacroEvents of them.
// `cut` tells whether events had to be left out.
std::vector<std::uint8_t> BuildMacroData(int button_code, const std::vector<std::uint8_t>& events, bool* cut = nullptr);

}  // namespace corvatt
