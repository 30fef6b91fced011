#pragma once
#include "platform/win32/native_control.h"
#include "ui/check_box.h"

namespace win32 {

// A check box or a radio button as a BUTTON window of the given style
// (BS_CHECKBOX, BS_RADIOBUTTON): the control decides its mark on a click.
class NativeCheck : public NativeControl {
 public:
  NativeCheck(ui::CheckControl& check, DWORD buttonStyle, const NativeSite& site);

  void sync(const ui::Form& form, GdiPainter& painter) override;
  void command(WORD code, ui::Application& app) override;
  bool wantsDialogKeys() const override;

 private:
  ui::CheckControl& check_;
  Face face_;
  bool checked_ = false;
};

}  // namespace win32
