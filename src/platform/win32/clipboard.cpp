#include <cstring>
#include <vector>

#include "base/error.h"
#include "picture/bmp.h"
#include "picture/errors.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/handles.h"
#include "platform/win32/services.h"

namespace win32 {
namespace {

// A CF_BITMAP the system did not offer as CF_DIB, read through GetDIBits
// as 32 bits (through its palette when the clipboard has one).
picture::Bitmap fromDdb(HBITMAP bmp, HPALETTE pal) {
  BITMAP info{};
  if (!GetObjectW(bmp, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
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

// The bitmap of the open clipboard; an empty one when it holds none.
// Throws the picture layer's error when a bitmap is there but cannot be read.
picture::Bitmap readOpenClipboard() {
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return {};
  if (IsClipboardFormatAvailable(CF_DIB)) {
    if (HANDLE h = GetClipboardData(CF_DIB)) {
      GlobalLockScope lock(h);
      if (lock.get() && lock.size() > 0) {
        try {
          return picture::readDib(static_cast<const std::uint8_t*>(lock.get()), lock.size());
        } catch (const base::Error&) {
          // A packed DIB this reader does not know: the device bitmap below may still do.
        }
      }
    }
  }
  auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  auto pal =
      IsClipboardFormatAvailable(CF_PALETTE) ? static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)) : nullptr;
  // Handles from GetClipboardData belong to the clipboard: not ours to free.
  picture::Bitmap b = bmp ? fromDdb(bmp, pal) : picture::Bitmap();
  if (b.empty()) picture::messages::badBitmap();
  return b;
}

}  // namespace

// One format query: the system offers CF_BITMAP for every bitmap format.
bool Clipboard::hasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

std::uint32_t Clipboard::changeCount() { return GetClipboardSequenceNumber(); }

std::optional<picture::Bitmap> Clipboard::takeBitmap() {
  // One attempt: a clipboard another program holds is tried again later.
  ClipboardOpen open(owner(), 1);
  if (!open.ok()) return std::nullopt;
  picture::Bitmap b = readOpenClipboard();
  if (b.empty()) return std::nullopt;
  if (!EmptyClipboard()) throw base::Error(sys::kCannotEmptyClipboard);
  return b;
}

picture::Bitmap Clipboard::bitmap() {
  ClipboardOpen open(owner());
  if (!open.ok()) throw base::Error(sys::kCannotOpenClipboard);
  return readOpenClipboard();
}

void Clipboard::setBitmap(const picture::Bitmap& b) {
  if (b.empty()) {
    clear();
    return;
  }
  std::vector<std::uint8_t> dib = picture::writeDib(b);
  UniqueGlobal mem(GlobalAlloc(GMEM_MOVEABLE, dib.size()));
  if (!mem) throw base::Error(sys::kCannotWriteClipboard);
  {
    GlobalLockScope lock(mem.get());
    if (!lock.get()) throw base::Error(sys::kCannotWriteClipboard);
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
    if (!palette) throw base::Error(sys::kCannotWriteClipboard);
  }
  ClipboardOpen open(owner());
  if (!open.ok()) throw base::Error(sys::kCannotOpenClipboard);
  if (!EmptyClipboard()) throw base::Error(sys::kCannotEmptyClipboard);
  // After a successful SetClipboardData the system owns the handle.
  if (!SetClipboardData(CF_DIB, mem.get())) throw base::Error(sys::kCannotWriteClipboard);
  mem.release();
  if (palette) {
    if (!SetClipboardData(CF_PALETTE, palette.get())) throw base::Error(sys::kCannotWriteClipboard);
    palette.release();
  }
}

void Clipboard::clear() {
  ClipboardOpen open(owner());
  if (!open.ok()) throw base::Error(sys::kCannotOpenClipboard);
  if (!EmptyClipboard()) throw base::Error(sys::kCannotEmptyClipboard);
}

}  // namespace win32
