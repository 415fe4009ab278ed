#pragma once

#include <cstdint>

namespace corvatt::dui {

// Window messages, numbered as the Windows ones.
inline constexpr unsigned WM_NULL = 0x0000;
inline constexpr unsigned WM_CREATE = 0x0001;
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_QUIT = 0x0012;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned WM_NCACTIVATE = 0x0086;
inline constexpr unsigned WM_INPUT = 0x00FF;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_SYSKEYDOWN = 0x0104;
inline constexpr unsigned WM_SYSKEYUP = 0x0105;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_DEVICECHANGE = 0x0219;
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_APP = 0x8000;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// Window styles used by the program.
inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr uint32_t WS_CLIPCHILDREN = 0x02000000u;
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008u;
inline constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080u;

// Device-change events.
inline constexpr uintptr_t DBT_DEVICEARRIVAL = 0x8000;
inline constexpr uintptr_t DBT_DEVICEREMOVECOMPLETE = 0x8004;
inline constexpr int DBT_DEVTYP_DEVICEINTERFACE = 5;

}  // namespace corvatt::dui
