#pragma once
#include "platform/win32/native_control.h"
#include "ui/track_bar.h"

namespace win32 {

// A track bar as the common controls' window, ticks below; a slide moves
// the control.
class NativeTrackBar : public NativeControl {
 public:
  NativeTrackBar(ui::TrackBar& bar, const NativeSite& site);

  void sync(const ui::Form& form, GdiPainter& painter) override;
  bool scroll(WPARAM wp, ui::Application& app) override;
  bool wantsDialogKeys() const override;

 private:
  ui::TrackBar& bar_;
  Face face_;
  int position_ = -1, lo_ = 0, hi_ = -1, frequency_ = 0;
};

}  // namespace win32
