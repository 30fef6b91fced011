#include "platform/win32/native_controls.h"

#include <functional>

#include "platform/win32/gdi_values.h"
#include "platform/win32/painter.h"
#include "platform/win32/text.h"
#include "ui/application.h"
#include "ui/push_button.h"

namespace win32 {
namespace {

RECT formRect(const ui::Control& c, ui::Rect r) {
  int x = c.formLeft() + r.left, y = c.formTop() + r.top;
  return {x, y, x + r.width, y + r.height};
}

bool sameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

NativeControls::NativeControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent)
    : painter_(painter), form_(form) {
  UINT_PTR id = 1;
  ui::forEachDescendant(form, [&](ui::Control& c) {
    if (auto* button = dynamic_cast<ui::PushButton*>(&c)) {
      UniqueWindow w(CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                     parent, reinterpret_cast<HMENU>(id++), instance, nullptr));
      if (w) buttons_.push_back({button, std::move(w), {}});
    } else if (auto* box = dynamic_cast<ui::ScrollBox*>(&c)) {
      for (ui::Axis axis : {ui::Axis::Horizontal, ui::Axis::Vertical}) {
        DWORD style = WS_CHILD | (axis == ui::Axis::Horizontal ? SBS_HORZ : SBS_VERT);
        UniqueWindow w(CreateWindowExW(0, L"SCROLLBAR", L"", style, 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(id++), instance, nullptr));
        if (w) bars_.push_back({box, axis, std::move(w), {}});
      }
    }
  });
  for (Button& b : buttons_) syncButton(b);
  for (Bar& b : bars_) syncBar(b);
}

NativeControls::~NativeControls() = default;

void NativeControls::place(HWND w, Shown& shown, RECT rect, bool visible) {
  if (!sameRect(rect, shown.rect)) {
    SetWindowPos(w, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    shown.rect = rect;
  }
  if (visible != shown.visible) {
    ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE);
    shown.visible = visible;
  }
}

void NativeControls::syncButton(Button& b) {
  HWND w = b.window.get();
  const ui::PushButton& c = *b.control;
  HFONT font = painter_.font(c.font());
  if (font != b.shown.font) {
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    b.shown.font = font;
  }
  std::wstring text = widen(c.caption());
  if (text != b.shown.text) {
    SetWindowTextW(w, text.c_str());
    b.shown.text = text;
  }
  if (c.enabled() != b.shown.enabled) {
    EnableWindow(w, c.enabled());
    b.shown.enabled = c.enabled();
  }
  place(w, b.shown, formRect(c, {0, 0, c.width(), c.height()}), c.showing());
}

void NativeControls::syncBar(Bar& b) {
  HWND w = b.window.get();
  const ui::ScrollBox& box = *b.box;
  ui::Rect viewport = box.viewport();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = box.range(b.axis) - 1;
  si.nPage = UINT(b.axis == ui::Axis::Horizontal ? viewport.width : viewport.height);
  si.nPos = box.position(b.axis);
  if (!sameScroll(si, b.shown.scroll)) {
    SetScrollInfo(w, SB_CTL, &si, TRUE);
    b.shown.scroll = si;
  }
  place(w, b.shown, formRect(box, box.barRect(b.axis)), box.showing() && box.barShown(b.axis));
}

void NativeControls::controlChanged(ui::Control& c, ui::Change what) {
  // A move or a visibility change may concern a parent of a native.
  bool everything = what == ui::Change::Bounds || what == ui::Change::Visible;
  for (Button& b : buttons_)
    if (everything || b.control == &c) syncButton(b);
  for (Bar& b : bars_)
    if (everything || b.box == &c) syncBar(b);
}

bool NativeControls::command(WPARAM wp, LPARAM lp) {
  if (HIWORD(wp) != BN_CLICKED) return false;
  HWND from = reinterpret_cast<HWND>(lp);
  for (Button& b : buttons_) {
    if (b.window.get() != from) continue;
    ui::PushButton* c = b.control;
    form_.application().dispatch([c] { c->click(); });
    return true;
  }
  return false;
}

bool NativeControls::scroll(WPARAM wp, LPARAM lp) {
  HWND from = reinterpret_cast<HWND>(lp);
  for (Bar& b : bars_) {
    if (b.window.get() != from) continue;
    ui::ScrollCode code;
    int thumb = 0;
    switch (LOWORD(wp)) {
      case SB_LINELEFT:
        code = ui::ScrollCode::LineBack;
        break;
      case SB_LINERIGHT:
        code = ui::ScrollCode::LineForward;
        break;
      case SB_PAGELEFT:
        code = ui::ScrollCode::PageBack;
        break;
      case SB_PAGERIGHT:
        code = ui::ScrollCode::PageForward;
        break;
      case SB_LEFT:
        code = ui::ScrollCode::Start;
        break;
      case SB_RIGHT:
        code = ui::ScrollCode::End;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        // The 32-bit position: the message itself carries only 16 bits.
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(from, SB_CTL, &si);
        code = ui::ScrollCode::Thumb;
        thumb = si.nTrackPos;
        break;
      }
      default:
        return true;  // the end of a scroll: nothing moves
    }
    ui::ScrollBox* box = b.box;
    ui::Axis axis = b.axis;
    form_.application().dispatch([box, axis, code, thumb] { box->scroll(axis, code, thumb); });
    return true;
  }
  return false;
}

}  // namespace win32
