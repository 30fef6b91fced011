#include <cstring>

#include "base/error.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/dpi.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"

namespace win32 {
Screen::Screen() : dwm_(L"dwmapi.dll") {}

// On Windows the compositor may still show a window we just hid; waiting
// for its next frame makes the copy show what lies beneath. dwmapi is
// optional (and does nothing under Wine), so it is looked up at run time.
void Screen::waitForCompositor() {
  using DwmFlushFn = HRESULT(WINAPI*)();
  if (auto flush = dwm_.function<DwmFlushFn>("DwmFlush")) flush();
}

int Screen::width() { return GetSystemMetrics(SM_CXSCREEN); }
int Screen::height() { return GetSystemMetrics(SM_CYSCREEN); }

namespace {

BOOL CALLBACK addMonitor(HMONITOR m, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(m, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  sys::Monitor monitor{{r.left, r.top, r.right - r.left, r.bottom - r.top}, monitorDpi(m)};
  auto& monitors = *reinterpret_cast<std::vector<sys::Monitor>*>(list);
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    monitors.insert(monitors.begin(), monitor);
  else
    monitors.push_back(monitor);
  return TRUE;
}

}  // namespace

std::vector<sys::Monitor> Screen::monitors() {
  std::vector<sys::Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty())
    monitors.push_back(
        {{0, 0, width(), height()}, monitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY))});
  return monitors;
}

picture::Bitmap Screen::copy(picture::Rect r) {
  waitForCompositor();
  return copyWithoutSettling(r);
}

picture::Bitmap Screen::copyWithoutSettling(picture::Rect r) {
  if (r.width <= 0 || r.height <= 0) return {};
  WindowDc screen(nullptr);
  if (!screen) throw base::Error(base::kOutOfResources);
  return copyDeviceContext(screen.get(), r);
}

// The pixels are copied into a bitmap of the device's own kind and read
// from there straight into the picture's pixels: one frame-sized buffer of
// ours, and one pass over it after the copy (the screen's fourth byte is
// no alpha value, so it is cleared). A step that fails refuses the copy:
// a black picture would go into the film as a shot.
picture::Bitmap copyDeviceContext(HDC source, picture::Rect r) {
  if (r.width <= 0 || r.height <= 0) return {};
  // Every byte is written below, or the copy is refused.
  auto out = picture::Bitmap::createUninitialized(r.width, r.height, 32);
  // A 32-bit bitmap's rows follow each other with no padding.
  std::uint8_t* pixels = out.mutableRow(0);
  UniqueMemoryDc mem(CreateCompatibleDC(source));
  UniqueGdi<HBITMAP> shot(CreateCompatibleBitmap(source, r.width, r.height));
  if (!mem || !shot) throw base::Error(base::kOutOfResources);
  {
    Selection sel(mem.get(), shot.get());
    if (!sel || !BitBlt(mem.get(), 0, 0, r.width, r.height, source, r.left, r.top, SRCCOPY))
      throw base::Error(base::kOutOfResources);
  }
  BITMAPINFO bi = topDownInfo(r.width, r.height);
  if (GetDIBits(source, shot.get(), 0, static_cast<UINT>(r.height), pixels, &bi, DIB_RGB_COLORS) != r.height)
    throw base::Error(base::kOutOfResources);
  // A word at a time: the compiler makes one load, mask and store of it.
  for (std::uint8_t *p = pixels, *end = pixels + out.byteCount(); p != end; p += 4) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    v &= 0x00FFFFFFu;
    std::memcpy(p, &v, 4);
  }
  return out;
}

}  // namespace win32
