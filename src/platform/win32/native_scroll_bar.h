#pragma once
#include "platform/win32/native_control.h"
#include "ui/scroll_box.h"

namespace win32 {

// One bar of a scroll box as a SCROLLBAR window: it shows the box's range,
// page and position on its axis and scrolls the box.
class NativeScrollBar : public NativeControl {
 public:
  NativeScrollBar(ui::ScrollBox& box, ui::Axis axis, const NativeSite& site);

  void sync(const ui::Form& form, GdiPainter& painter) override;
  bool scroll(WPARAM wp, ui::Application& app) override;

 private:
  ui::ScrollBox& box_;
  ui::Axis axis_;
  SCROLLINFO shown_{};
};

}  // namespace win32
