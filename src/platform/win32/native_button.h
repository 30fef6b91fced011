#pragma once
#include "platform/win32/native_control.h"
#include "ui/push_button.h"

namespace win32 {

// A push button as a BUTTON window; the default button is drawn as such.
class NativeButton : public NativeControl {
 public:
  NativeButton(ui::PushButton& button, const NativeSite& site);

  void sync(const ui::Form& form, GdiPainter& painter) override;
  void command(WORD code, ui::Application& app) override;
  bool wantsDialogKeys() const override;

 private:
  ui::PushButton& button_;
  Face face_;
};

}  // namespace win32
