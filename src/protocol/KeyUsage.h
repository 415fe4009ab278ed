#pragma once

namespace corvatt {

// Windows virtual-key code (and the decoder's codes 301, 302, 666) -> HID keyboard
// usage; 0 for codes without one.
int VirtualKeyToUsage(int virtual_key);

// Modifier keys (virtual-key codes and HID usages) -> their bit: Ctrl 0x01,
// Shift 0x02, Alt 0x04, Win 0x08 on the left, 0x10 ... 0x80 on the right.
// Any other code is returned as it is.
int ModifierBit(int code);

}  // namespace corvatt
