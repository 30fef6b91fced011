#include "platform/win32/native_edit.h"

#include <imm.h>

#include "platform/win32/text.h"
#include "ui/application.h"

namespace win32 {
namespace {

// Closes the input method of an edit's input context, leaving it usable.
void closeInputMethod(HWND edit) {
  HIMC context = ImmGetContext(edit);
  if (!context) return;
  ImmSetOpenStatus(context, FALSE);
  ImmReleaseContext(edit, context);
}

std::wstring windowText(HWND w) {
  int n = GetWindowTextLengthW(w);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  s.resize(static_cast<std::size_t>(GetWindowTextW(w, s.data(), n + 1)));
  return s;
}

}  // namespace

NativeEdit::NativeEdit(ui::Edit& edit, bool digitsOnly, const NativeSite& site)
    : NativeControl(edit, site, L"EDIT",
                    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL | (digitsOnly ? ES_NUMBER : 0),
                    WS_EX_CLIENTEDGE),
      edit_(edit) {
  if (edit.inputMethodClosed()) closeInputMethod(hwnd());
  if (edit.maxLength() > 0) SendMessageW(hwnd(), EM_LIMITTEXT, WPARAM(edit.maxLength()), 0);
}

void NativeEdit::sync(const ui::Form& form, GdiPainter& painter) {
  syncFace(face_, widen(edit_.caption()), form, painter);
  placeOverControl(form);
}

void NativeEdit::command(WORD code, ui::Application& app) {
  HWND w = hwnd();
  // The input method starts closed each time the edit takes the focus;
  // the user may still open it to type Japanese.
  if (code == EN_SETFOCUS && edit_.inputMethodClosed()) closeInputMethod(w);
  if (code != EN_CHANGE) return;
  std::wstring now = windowText(w);
  // What the window holds already needs no echo back.
  if (now == face_.text) return;
  face_.text = now;
  ui::Edit* edit = &edit_;
  bool kept = false;
  app.dispatch([&] { kept = edit->type(narrow(now.data(), now.size())); });
  if (!kept) {
    face_.text = widen(edit_.text());
    SetWindowTextW(w, face_.text.c_str());
  }
}

bool NativeEdit::wantsDialogKeys() const { return true; }

}  // namespace win32
