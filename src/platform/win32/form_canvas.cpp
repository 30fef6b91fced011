#include "platform/win32/form_canvas.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/win32/dib_info.h"

namespace win32 {

FormCanvas::FormCanvas(ui::Form& form, ui::Painter& painter, const Backdrop& backdrop,
                       const UniqueWindow& window, std::function<void()> makeWindow,
                       std::function<bool(HWND)> drawnByUs)
    : form_(form),
      painter_(painter),
      backdrop_(backdrop),
      hwnd_(window),
      makeWindow_(std::move(makeWindow)),
      drawnByUs_(std::move(drawnByUs)) {}

bool FormCanvas::render(ui::Rect clip) {
  ui::Rect part = onScreenPart(hwnd_.get());
  if (part.width <= 0 || part.height <= 0) return false;
  if (!(canvasArea_ == part)) {
    canvas_.resize(part.width, part.height);
    canvasArea_ = part;
    clip = part;  // a fresh canvas holds nothing yet
  }
  if (backdrop_.shows()) {
    // The copy of what lies beneath is the surface; the controls go over it.
    ui::Rect c = picture::intersect(clip, part);
    canvas_.setClip({c.left - part.left, c.top - part.top, c.width, c.height});
    backdrop_.draw(canvas_, part.left, part.top);
    canvas_.resetClip();
  }
  ui::renderForm(form_, canvas_, clip, painter_, part.left, part.top);
  return true;
}

void FormCanvas::paint(HWND w) {
  PaintScope ps(w);
  if (!ps.dc()) return;
  if (!render({ps.rect().left, ps.rect().top, ps.rect().right - ps.rect().left,
               ps.rect().bottom - ps.rect().top}))
    return;
  const ui::Rect& part = canvasArea_;
  BITMAPINFO bi = topDownInfo(part.width, part.height);
  // The whole canvas goes out; the paint's clip region keeps it to the
  // invalid part.
  SetDIBitsToDevice(ps.dc(), part.left, part.top, DWORD(part.width), DWORD(part.height), 0, 0, 0,
                    UINT(part.height), canvas_.pixels(), &bi, DIB_RGB_COLORS);
}

void FormCanvas::paintChild(HWND child, const ui::Control& c) {
  PaintScope ps(child);
  if (!ps.dc() || !hwnd_) return;
  ui::Rect at = form_.deviceBounds(c);
  int x = at.left, y = at.top;
  if (!render({x + ps.rect().left, y + ps.rect().top, ps.rect().right - ps.rect().left,
               ps.rect().bottom - ps.rect().top}))
    return;
  const ui::Rect& part = canvasArea_;
  BITMAPINFO bi = topDownInfo(part.width, part.height);
  // The form's canvas, placed so that the child's part lands on it.
  SetDIBitsToDevice(ps.dc(), part.left - x, part.top - y, DWORD(part.width), DWORD(part.height), 0, 0, 0,
                    UINT(part.height), canvas_.pixels(), &bi, DIB_RGB_COLORS);
}

picture::Canvas FormCanvas::clientImage() {
  int cw = std::max(0, form_.deviceClientWidth()), ch = std::max(0, form_.deviceClientHeight());
  // Printed as the system draws its controls, hidden or not.
  makeWindow_();
  picture::Canvas image(cw, ch);
  // What lies beneath, where it lies: a window partly off the screen has
  // it only for the part on the screen, as the screen shows it.
  backdrop_.draw(image, 0, 0);
  ui::renderForm(form_, image, {0, 0, cw, ch}, painter_);
  if (hwnd_) printNativeChildren(image);
  return image;
}

void FormCanvas::printNativeChildren(picture::Canvas& image) {
  HWND w = hwnd_.get();
  std::vector<HWND> natives;
  for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!drawnByUs_(c) && (GetWindowLongPtrW(c, GWL_STYLE) & WS_VISIBLE)) natives.push_back(c);
  }
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!dc) return;
  // GW_CHILD gives the top of the stacking order first.
  for (auto it = natives.rbegin(); it != natives.rend(); ++it) {
    HWND c = *it;
    RECT r;
    if (!GetWindowRect(c, &r)) continue;
    MapWindowPoints(HWND_DESKTOP, w, reinterpret_cast<POINT*>(&r), 2);
    int cw = r.right - r.left, ch = r.bottom - r.top;
    if (cw <= 0 || ch <= 0) continue;
    BITMAPINFO bi = topDownInfo(cw, ch);
    void* bits = nullptr;
    UniqueGdi<HBITMAP> dib(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) continue;
    // What the renderer drew there first: a control that does not paint
    // itself when printed (Wine's scroll bar) keeps that likeness.
    auto* pixels = static_cast<std::uint32_t*>(bits);
    ui::Rect shown = picture::intersect({r.left, r.top, cw, ch}, {0, 0, image.width(), image.height()});
    for (int y = shown.top; y < shown.bottom(); ++y)
      for (int x = shown.left; x < shown.right(); ++x)
        pixels[std::size_t(y - r.top) * std::size_t(cw) + std::size_t(x - r.left)] = image.pixel(x, y);
    {
      Selection selected(dc.get(), dib.get());
      SendMessageW(c, WM_PRINT, reinterpret_cast<WPARAM>(dc.get()),
                   PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN);
      GdiFlush();
    }
    for (int y = shown.top; y < shown.bottom(); ++y)
      for (int x = shown.left; x < shown.right(); ++x)
        image.setPixel(x, y, pixels[std::size_t(y - r.top) * std::size_t(cw) + std::size_t(x - r.left)]);
  }
}

}  // namespace win32
