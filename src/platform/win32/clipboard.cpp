#include <cstring>
#include <vector>

#include "picture/bmp.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"

namespace win32 {
namespace {

// A CF_BITMAP the system did not offer as CF_DIB, read through GetDIBits
// as 32 bits (through its palette when the clipboard has one).
picture::Bitmap fromDdb(HBITMAP bmp, HPALETTE pal) {
  BITMAP info{};
  if (!GetObjectW(bmp, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return {};
  auto out = picture::Bitmap::create(info.bmWidth, info.bmHeight, 32);
  BITMAPINFO bi = topDownInfo(info.bmWidth, info.bmHeight);
  WindowDc screen(nullptr);
  HPALETTE old = pal ? SelectPalette(screen.get(), pal, TRUE) : nullptr;
  if (pal) RealizePalette(screen.get());
  std::vector<std::uint8_t> bits(std::size_t(out.stride()) * std::size_t(out.height()));
  int rows = GetDIBits(screen.get(), bmp, 0, UINT(info.bmHeight), bits.data(), &bi, DIB_RGB_COLORS);
  if (pal) SelectPalette(screen.get(), old, TRUE);
  if (rows != info.bmHeight) return {};
  for (int y = 0; y < out.height(); ++y) {
    std::uint8_t* row = out.mutableRow(y);
    std::memcpy(row, bits.data() + std::size_t(y) * std::size_t(out.stride()), std::size_t(out.stride()));
    for (int x = 0; x < out.width(); ++x) row[x * 4 + 3] = 0;
  }
  return out;
}

}  // namespace

bool Clipboard::hasBitmap() {
  return IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
         IsClipboardFormatAvailable(CF_DIBV5);
}

picture::Bitmap Clipboard::bitmap() {
  ClipboardOpen open(owner_ ? owner_() : nullptr);
  if (!open.ok()) return {};
  if (IsClipboardFormatAvailable(CF_DIB)) {
    if (HANDLE h = GetClipboardData(CF_DIB)) {
      GlobalLockScope lock(h);
      if (lock.get() && lock.size() > 0)
        return picture::readDib(static_cast<const std::uint8_t*>(lock.get()), lock.size());
    }
  }
  if (IsClipboardFormatAvailable(CF_BITMAP)) {
    auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    auto pal = IsClipboardFormatAvailable(CF_PALETTE)
                   ? static_cast<HPALETTE>(GetClipboardData(CF_PALETTE))
                   : nullptr;
    // Handles from GetClipboardData belong to the clipboard: not ours to free.
    if (bmp) return fromDdb(bmp, pal);
  }
  return {};
}

void Clipboard::setBitmap(const picture::Bitmap& b) {
  if (b.empty()) {
    clear();
    return;
  }
  std::vector<std::uint8_t> dib = picture::writeDib(b);
  UniqueGlobal mem(GlobalAlloc(GMEM_MOVEABLE, dib.size()));
  if (!mem) return;
  {
    GlobalLockScope lock(mem.get());
    if (!lock.get()) return;
    std::memcpy(lock.get(), dib.data(), dib.size());
  }
  UniqueGdi<HPALETTE> palette;
  if (!b.palette().empty()) {
    std::vector<std::uint8_t> buf(sizeof(LOGPALETTE) + b.palette().size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(b.palette().size());
    for (std::size_t i = 0; i < b.palette().size(); ++i) {
      std::uint32_t c = b.palette()[i];
      lp->palPalEntry[i] = {BYTE(c >> 16), BYTE(c >> 8), BYTE(c), 0};
    }
    palette.reset(CreatePalette(lp));
  }
  ClipboardOpen open(owner_ ? owner_() : nullptr);
  if (!open.ok() || !EmptyClipboard()) return;
  // After a successful SetClipboardData the system owns the handle.
  if (SetClipboardData(CF_DIB, mem.get())) mem.release();
  if (palette && SetClipboardData(CF_PALETTE, palette.get())) palette.release();
}

void Clipboard::clear() {
  ClipboardOpen open(owner_ ? owner_() : nullptr);
  if (open.ok()) EmptyClipboard();
}

}  // namespace win32
