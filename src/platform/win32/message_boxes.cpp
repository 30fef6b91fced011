#include "platform/win32/modal_scope.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {
namespace {

UINT iconFlag(sys::MsgIcon icon) {
  switch (icon) {
    case sys::MsgIcon::None:
      return 0;
    case sys::MsgIcon::Information:
      return MB_ICONINFORMATION;
    case sys::MsgIcon::Warning:
      return MB_ICONWARNING;
    case sys::MsgIcon::Error:
      return MB_ICONERROR;
    case sys::MsgIcon::Confirmation:
      return MB_ICONQUESTION;
  }
  return 0;
}

UINT buttonFlag(sys::MsgButtons buttons) {
  switch (buttons) {
    case sys::MsgButtons::OK:
      return MB_OK;
    case sys::MsgButtons::OKCancel:
      return MB_OKCANCEL;
    case sys::MsgButtons::YesNo:
      return MB_YESNO;
    case sys::MsgButtons::YesNoCancel:
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

sys::MsgResult resultOf(int id) {
  switch (id) {
    case IDOK:
      return sys::MsgResult::OK;
    case IDCANCEL:
      return sys::MsgResult::Cancel;
    case IDYES:
      return sys::MsgResult::Yes;
    case IDNO:
      return sys::MsgResult::No;
    default:
      return sys::MsgResult::None;
  }
}

}  // namespace

sys::MsgResult MessageBoxes::show(const std::string& text, const std::string& caption, sys::MsgIcon icon,
                                  sys::MsgButtons buttons) {
  HWND owner = GetActiveWindow();
  if (!owner && fallback_) owner = fallback_();
  std::wstring t = widen(text), c = widen(caption);
  ModalScope modal(owner);
  int id = MessageBoxW(owner, t.c_str(), c.c_str(), iconFlag(icon) | buttonFlag(buttons));
  return resultOf(id);
}

}  // namespace win32
