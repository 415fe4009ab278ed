#include "protocol/ButtonTable.h"

#include "protocol/KeyUsage.h"

namespace corvatt {
namespace {

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

void Put(std::uint8_t* entry, int b0, int b1, int b2) {
    entry[0] = Low(b0);
    entry[1] = Low(b1);
    entry[2] = Low(b2);
}

void MouseFunction(std::uint8_t* e, int v) {
    switch (v) {
    case 1: Put(e, 0x10, 0x01, 0x00); break;
    case 2: Put(e, 0x10, 0x04, 0x00); break;
    case 3: Put(e, 0x10, 0x02, 0x00); break;
    case 4: Put(e, 0x30, 0x32, 0x03); break;
    case 5: Put(e, 0x10, 0x10, 0x00); break;
    case 6: Put(e, 0x10, 0x08, 0x00); break;
    case 7: Put(e, 0x20, 0x01, 0x00); break;
    case 8: Put(e, 0x20, 0xFF, 0x00); break;
    case 9: Put(e, 0x10, 0x00, 0xF5); break;
    case 10: Put(e, 0x10, 0x00, 0xF6); break;
    default: Put(e, 0x10, 0x00, 0x00); break;
    }
}

bool IsModifierUsage(int usage) { return usage >= 0xE0 && usage <= 0xE7; }

void KeyboardKey(std::uint8_t* e, int v, int w) {
    if (w == 0 && IsModifierUsage(v)) {
        Put(e, 0x70, ModifierBit(v), 0x00);
        return;
    }
    // Only the modifier usages become bits; every other usage is sent as it is
    // (keypad 3 and 4, 0x5B and 0x5C, are keys, not the Windows keys' codes).
    Put(e, 0x70, w, IsModifierUsage(v) ? ModifierBit(v) : v);
}

void Multimedia(std::uint8_t* e, int v) {
    static constexpr int kUsages[] = {0x0000, 0x0183, 0x00CD, 0x00B7, 0x00B6, 0x00B5, 0x00E9, 0x00EA, 0x00E2};
    const int usage = v >= 1 && v <= 8 ? kUsages[v] : 0;
    Put(e, 0x80, usage & 0xFF, usage >> 8);
}

bool Macro(std::uint8_t* e, int key_code, int macro_id, const std::vector<MacroData>& macros) {
    for (const MacroData& macro : macros) {
        if (macro.macro_id != macro_id) continue;
        int flag = 0;
        int count = 0;
        if (macro.play_type == 1 || macro.play_type == 3) {
            flag = 0x10;
        } else if (macro.play_type == 2) {
            flag = 0x40;
        } else if (macro.play_type == 0 && macro.play_times >= 1) {
            flag = 0x20;
            count = macro.play_times;
        }
        Put(e, 0x90, key_code | flag, count);
        return true;
    }
    return false;
}

void DpiFunction(std::uint8_t* e, int v) {
    const int b1 = v == 1 ? 0x02 : v == 2 ? 0x03 : v == 3 ? 0x01 : 0x00;
    Put(e, 0x40, b1, 0x00);
}

void SpecialFunction(std::uint8_t* e, int v) {
    e[0] = 0x60;
    if (v == 1) e[1] = 0x04;
    if (v == 2) e[1] = 0x01;
}

void SystemShortcut(std::uint8_t* e, int v) {
    switch (v) {
    case 1: Put(e, 0x80, 0x6F, 0x00); break;
    case 2: Put(e, 0x80, 0x70, 0x00); break;
    case 3: Put(e, 0x80, 0x92, 0x01); break;
    case 4: Put(e, 0x80, 0x94, 0x01); break;
    case 5: Put(e, 0x80, 0x23, 0x02); break;
    case 6: Put(e, 0x80, 0x8A, 0x01); break;
    case 7: Put(e, 0x70, 0x08, 0x07); break;   // Win+D
    case 8: Put(e, 0x70, 0x08, 0x2B); break;   // Win+Tab
    case 9: Put(e, 0x70, 0x01, 0x06); break;   // Ctrl+C
    case 10: Put(e, 0x70, 0x01, 0x19); break;  // Ctrl+V
    case 11: Put(e, 0x70, 0x01, 0x1B); break;  // Ctrl+X
    default: Put(e, 0x80, 0x00, 0x00); break;
    }
}

}  // namespace

ButtonTable DefaultButtonTable() {
    ButtonTable table{};
    static constexpr std::uint8_t kMouse[] = {0x01, 0x02, 0x04, 0x08, 0x10};
    for (int k = 0; k < 5; ++k) {
        table[3 * k] = 0x10;
        table[3 * k + 1] = kMouse[k];
    }
    table[15] = 0x40;
    table[16] = 0x01;
    return table;
}

bool ApplyAssignment(ButtonTable& table, const KeyAssignment& a, const std::vector<MacroData>& macros) {
    if (a.key_code < 0 || a.key_code > kHighestButtonCode) return false;
    std::uint8_t* e = table.data() + 3 * a.key_code;
    const int v = a.macro_value;
    const int w = a.macro_value2;
    switch (a.macro_type) {
    case 1: MouseFunction(e, v); break;
    case 2: KeyboardKey(e, v, w); break;
    case 3: Multimedia(e, v); break;
    case 4: Macro(e, a.key_code, v, macros); break;
    case 5: DpiFunction(e, v); break;
    case 6: SpecialFunction(e, v); break;
    case 7: Put(e, 0x30, v, w); break;
    case 8: SystemShortcut(e, v); break;
    case 9: Put(e, 0x60, 0x00, 0x00); break;
    default: break;
    }
    return true;
}

ButtonTable BuildButtonTable(const std::vector<KeyAssignment>& assignments, const std::vector<MacroData>& macros) {
    ButtonTable table = DefaultButtonTable();
    for (const KeyAssignment& a : assignments) ApplyAssignment(table, a, macros);
    return table;
}

}  // namespace corvatt
