#include "platform/win32/native_button.h"

#include "platform/win32/text.h"
#include "ui/application.h"

namespace win32 {

NativeButton::NativeButton(ui::PushButton& button, const NativeSite& site)
    : NativeControl(
          button, site, L"BUTTON",
          WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | (button.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
      button_(button) {}

void NativeButton::sync(const ui::Form& form, GdiPainter& painter) {
  syncFace(face_, widen(button_.caption()), form, painter);
  placeOverControl(form);
}

void NativeButton::command(WORD code, ui::Application& app) {
  if (code != BN_CLICKED) return;
  ui::PushButton* b = &button_;
  app.dispatch([b] { b->click(); });
}

// Enter and Escape must reach a button with a role.
bool NativeButton::wantsDialogKeys() const { return button_.isDefault() || button_.isCancel(); }

}  // namespace win32
