#include <cstring>

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

// The screen is copied into a bitmap of the display's own kind and read
// from there straight into the picture's pixels: one frame-sized buffer of
// ours, and one pass over it after the copy (the screen's fourth byte is
// no alpha value, so it is cleared). A copy that fails gives a black
// picture of the size asked for, in the same pixels.
picture::Bitmap Screen::copyWithoutSettling(picture::Rect r) {
  if (r.width <= 0 || r.height <= 0) return {};
  // Every byte is written below, by the copy or by the black fill.
  auto out = picture::Bitmap::createUninitialized(r.width, r.height, 32);
  // A 32-bit bitmap's rows follow each other with no padding.
  std::uint8_t* pixels = out.mutableRow(0);
  bool copied = false;
  if (WindowDc screen(nullptr); screen) {
    UniqueMemoryDc mem(CreateCompatibleDC(screen.get()));
    UniqueGdi<HBITMAP> shot(CreateCompatibleBitmap(screen.get(), r.width, r.height));
    if (mem && shot) {
      {
        Selection sel(mem.get(), shot.get());
        copied = BitBlt(mem.get(), 0, 0, r.width, r.height, screen.get(), r.left, r.top, SRCCOPY) != 0;
      }
      BITMAPINFO bi = topDownInfo(r.width, r.height);
      copied = copied && GetDIBits(screen.get(), shot.get(), 0, static_cast<UINT>(r.height), pixels, &bi,
                                   DIB_RGB_COLORS) == r.height;
    }
  }
  if (!copied) {
    std::memset(pixels, 0, out.byteCount());
    return out;
  }
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
