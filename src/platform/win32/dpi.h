#pragma once
#include <windows.h>

// The DPI functions of newer Windows (8.1 and 10), looked up at run time:
// where one is missing the system's DPI stands for every monitor's, and
// the frame is measured as the system measures it for that DPI.
namespace win32 {

// The DPI of the monitor the window stands on.
int windowDpi(HWND w);
// The DPI of one monitor.
int monitorDpi(HMONITOR m);
// The frame around a client area of these styles on a monitor of dpi:
// left, top, right and bottom thickness as a RECT around an empty client.
RECT frameAtDpi(DWORD style, DWORD exStyle, int dpi);

}  // namespace win32
