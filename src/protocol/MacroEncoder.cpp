#include "protocol/MacroEncoder.h"

#include <algorithm>

#include "protocol/KeyUsage.h"

namespace corvatt {
namespace {

constexpr int kDelay = 1;
constexpr int kKeyDown = 2;
constexpr int kKeyUp = 3;
constexpr int kButtonDown = 4;
constexpr int kButtonUp = 5;

bool TakesModifierPath(int vk) { return (vk >= 0xA0 && vk <= 0xA7) || vk == 0x5B || vk == 0x5D; }

void StorePause(std::vector<std::uint8_t>& events, long long pause) {
    const std::size_t at = events.size() - kMacroEventSize;
    const unsigned low = static_cast<unsigned>(pause) & 0xFFFFu;
    events[at + 1] = static_cast<std::uint8_t>(low & 0xFF);
    events[at + 2] = static_cast<std::uint8_t>(low >> 8);
}

}  // namespace

int EncodeMacroRecords(const std::vector<MacroRecord>& records, std::vector<std::uint8_t>& events) {
    events.clear();
    long long pause = 0;
    int count = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const MacroRecord& r = records[i];
        if (r.type == kDelay) {
            pause += r.value;
            if (i + 1 == records.size() && count > 0) {
                StorePause(events, pause);
                pause = 0;
            }
            continue;
        }
        if (count > 0) {
            StorePause(events, pause <= 0 ? 1 : pause);
            pause = 0;
        }
        int code = 0;
        int data = 0;
        switch (r.type) {
        case kKeyDown:
            code = TakesModifierPath(r.value) ? 0x20 : 0x30;
            data = TakesModifierPath(r.value) ? ModifierBit(r.value) : VirtualKeyToUsage(r.value);
            break;
        case kKeyUp:
            code = TakesModifierPath(r.value) ? 0xA0 : 0xB0;
            data = TakesModifierPath(r.value) ? ModifierBit(r.value) : VirtualKeyToUsage(r.value);
            break;
        case kButtonDown:
            code = 0x10;
            data = r.value;
            break;
        case kButtonUp:
            code = 0x90;
            data = r.value;
            break;
        default: continue;
        }
        events.push_back(static_cast<std::uint8_t>(code));
        events.push_back(0x01);
        events.push_back(0x00);
        events.push_back(static_cast<std::uint8_t>(data & 0xFF));
        ++count;
    }
    return count;
}

std::vector<std::uint8_t> BuildMacroData(int button_code, const std::vector<std::uint8_t>& events, bool* cut) {
    const std::size_t whole = events.size() / kMacroEventSize;
    const std::size_t kept = std::min<std::size_t>(whole, kMaxMacroEvents);
    if (cut != nullptr) *cut = kept < whole;
    std::vector<std::uint8_t> data;
    data.reserve(1 + kept * kMacroEventSize);
    data.push_back(static_cast<std::uint8_t>(button_code & 0xFF));
    data.insert(data.end(), events.begin(), events.begin() + static_cast<std::ptrdiff_t>(kept * kMacroEventSize));
    return data;
}

}  // namespace corvatt
