#include "platform/win32/native_control.h"

#include "base/error.h"
#include "platform/win32/gdi_values.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/painter.h"
#include "platform/win32/text.h"
#include "ui/scale.h"

namespace win32 {

NativeControl::NativeControl(ui::Control& control, const NativeSite& site, const wchar_t* windowClass,
                             DWORD style, DWORD exStyle)
    : control_(control) {
  // Without the common controls the system's own classes still answer,
  // in their older look; a track bar does not.
  bool common = loadCommonControls();
  window_.reset(CreateWindowExW(exStyle, windowClass, L"", style, 0, 0, 0, 0, site.parent,
                                reinterpret_cast<HMENU>(INT_PTR(site.id)), site.instance, nullptr));
  // A form is made whole or not at all.
  if (!window_) throw base::Error(common ? base::kOutOfResources : base::kUnexpectedError);
}

NativeControl::~NativeControl() = default;

void NativeControl::command(WORD, ui::Application&) {}

void NativeControl::afterNotification(ui::Application&) {}

bool NativeControl::scroll(WPARAM, ui::Application&) { return false; }

ui::Color NativeControl::background() const {
  return control_.parent() ? control_.parent()->color() : ui::clBtnFace;
}

bool NativeControl::wantsDialogKeys() const { return false; }

bool NativeControl::syncFace(Face& face, const std::wstring& text, const ui::Form& form,
                             GdiPainter& painter) {
  HWND w = hwnd();
  HFONT font = painter.font(ui::scaled(control_.font(), form.dpi()));
  bool fontChanged = font != face.font;
  if (fontChanged) {
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    face.font = font;
  }
  if (text != face.text) {
    face.text = text;
    SetWindowTextW(w, text.c_str());
  }
  if (control_.enabled() != face.enabled) {
    EnableWindow(w, control_.enabled());
    face.enabled = control_.enabled();
  }
  return fontChanged;
}

void NativeControl::place(const ui::Form& form, ui::Rect r, bool visible) {
  HWND w = hwnd();
  // The rectangle in the form's client area, in device pixels.
  ui::Rect d = form.toDevice({control_.formLeft() + r.left, control_.formTop() + r.top, r.width, r.height});
  RECT rect{d.left, d.top, d.right(), d.bottom()};
  if (!sameRect(rect, rect_)) {
    SetWindowPos(w, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    rect_ = rect;
  }
  if (visible != visible_) {
    ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE);
    visible_ = visible;
  }
}

void NativeControl::placeOverControl(const ui::Form& form) {
  place(form, {0, 0, control_.width(), control_.height()}, control_.showing());
}

}  // namespace win32
