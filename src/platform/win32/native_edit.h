#pragma once
#include "platform/win32/native_control.h"
#include "ui/edit.h"

namespace win32 {

// An edit as an EDIT window, taking digits only for a masked edit. What the
// user types goes to the control, which may refuse it.
class NativeEdit : public NativeControl {
 public:
  NativeEdit(ui::Edit& edit, bool digitsOnly, const NativeSite& site);

  void sync(const ui::Form& form, GdiPainter& painter) override;
  void command(WORD code, ui::Application& app) override;
  bool wantsDialogKeys() const override;

 private:
  ui::Edit& edit_;
  Face face_;
};

}  // namespace win32
