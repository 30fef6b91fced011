#include "platform/win32/native_track_bar.h"

#include <commctrl.h>

#include "ui/application.h"

namespace win32 {

NativeTrackBar::NativeTrackBar(ui::TrackBar& bar, const NativeSite& site)
    : NativeControl(bar, site, TRACKBAR_CLASSW,
                    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS),
      bar_(bar) {}

void NativeTrackBar::sync(const ui::Form& form, GdiPainter& painter) {
  HWND w = hwnd();
  syncFace(face_, std::wstring(), form, painter);
  if (bar_.minValue() != lo_ || bar_.maxValue() != hi_) {
    SendMessageW(w, TBM_SETRANGEMIN, FALSE, bar_.minValue());
    SendMessageW(w, TBM_SETRANGEMAX, TRUE, bar_.maxValue());
    lo_ = bar_.minValue();
    hi_ = bar_.maxValue();
  }
  if (bar_.frequency() != frequency_) {
    SendMessageW(w, TBM_SETTICFREQ, WPARAM(bar_.frequency()), 0);
    frequency_ = bar_.frequency();
  }
  if (bar_.position() != position_) {
    SendMessageW(w, TBM_SETPOS, TRUE, bar_.position());
    position_ = bar_.position();
  }
  placeOverControl(form);
}

bool NativeTrackBar::scroll(WPARAM, ui::Application& app) {
  int pos = int(SendMessageW(hwnd(), TBM_GETPOS, 0, 0));
  position_ = pos;
  ui::TrackBar* bar = &bar_;
  app.dispatch([bar, pos] { bar->slide(pos); });
  return true;
}

bool NativeTrackBar::wantsDialogKeys() const { return true; }

}  // namespace win32
