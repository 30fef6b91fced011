#include <cstring>

#include "platform/win32/dib_info.h"
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

picture::Bitmap Screen::copy(picture::Rect r) {
  if (r.width <= 0 || r.height <= 0) return {};
  // A copy that fails gives a black picture of the size asked for.
  auto black = [&r] { return picture::Bitmap::create(r.width, r.height, 32); };
  waitForCompositor();
  WindowDc screen(nullptr);
  if (!screen) return black();
  BITMAPINFO bi = topDownInfo(r.width, r.height);
  void* bits = nullptr;
  UniqueGdi<HBITMAP> dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc mem(CreateCompatibleDC(screen.get()));
  if (!dib || !mem || !bits) return black();
  {
    Selection sel(mem.get(), dib.get());
    BitBlt(mem.get(), 0, 0, r.width, r.height, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  // Every byte of every row is written below.
  auto out = picture::Bitmap::createUninitialized(r.width, r.height, 32);
  const auto* src = static_cast<const std::uint8_t*>(bits);
  for (int y = 0; y < r.height; ++y) {
    std::uint8_t* row = out.mutableRow(y);
    std::memcpy(row, src + std::size_t(y) * std::size_t(r.width) * 4, std::size_t(r.width) * 4);
    for (int x = 0; x < r.width; ++x) row[x * 4 + 3] = 0;  // no alpha of the screen's
  }
  return out;
}

}  // namespace win32
