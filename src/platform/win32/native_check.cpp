#include "platform/win32/native_check.h"

#include "platform/win32/text.h"
#include "ui/application.h"

namespace win32 {

NativeCheck::NativeCheck(ui::CheckControl& check, DWORD buttonStyle, const NativeSite& site)
    : NativeControl(check, site, L"BUTTON", WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | buttonStyle),
      check_(check) {}

void NativeCheck::sync(const ui::Form& form, GdiPainter& painter) {
  syncFace(face_, widen(check_.caption()), form, painter);
  if (check_.checked() != checked_) {
    SendMessageW(hwnd(), BM_SETCHECK, check_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    checked_ = check_.checked();
  }
  placeOverControl(form);
}

void NativeCheck::command(WORD code, ui::Application& app) {
  if (code != BN_CLICKED) return;
  ui::CheckControl* c = &check_;
  app.dispatch([c] { c->click(); });
}

bool NativeCheck::wantsDialogKeys() const { return true; }

}  // namespace win32
