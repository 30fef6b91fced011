#pragma once
#include "platform/win32/native_control.h"
#include "ui/rich_text.h"

namespace win32 {

// The read-only text as a multi-line EDIT window with its own scroll bar;
// where the user scrolls it, the control learns its new first line.
class NativeText : public NativeControl {
 public:
  NativeText(ui::RichText& text, const NativeSite& site);

  void sync(const ui::Form& form, GdiPainter& painter) override;
  void command(WORD code, ui::Application& app) override;
  void afterNotification(ui::Application& app) override;
  ui::Color background() const override;
  bool wantsDialogKeys() const override;

 private:
  ui::RichText& text_;
  Face face_;
};

}  // namespace win32
