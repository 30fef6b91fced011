#include "platform/win32/dpi.h"

#include "platform/win32/handles.h"

namespace win32 {
namespace {

// The DPI of the screen as programs unaware of monitors see it.
int systemDpi() {
  WindowDc screen(nullptr);
  int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

// user32 is loaded already: its newer functions need no library of their own.
template <class F>
F user32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

const Library& shcore() {
  static const Library library(L"shcore.dll");
  return library;
}

}  // namespace

int monitorDpi(HMONITOR m) {
  // GetDpiForMonitor with MDT_EFFECTIVE_DPI (0).
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto get = shcore().function<GetDpiForMonitorFn>("GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (m && get && SUCCEEDED(get(m, 0, &x, &y)) && x > 0) return static_cast<int>(x);
  return systemDpi();
}

int windowDpi(HWND w) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get && w) {
    UINT dpi = get(w);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return monitorDpi(w ? MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST) : nullptr);
}

RECT frameAtDpi(DWORD style, DWORD exStyle, int dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = user32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, 0, 0};
  if (!adjust || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    r = {0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
  }
  return r;
}

}  // namespace win32
