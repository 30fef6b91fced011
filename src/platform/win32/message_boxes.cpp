#include <vector>

#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {
namespace {

// Disables the thread's other enabled top-level windows for the life of a
// modal box and enables them again afterwards, even if the box fails.
class ModalScope {
 public:
  explicit ModalScope(HWND owner) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::collect, reinterpret_cast<LPARAM>(this));
    for (HWND w : windows_)
      if (w != owner) EnableWindow(w, FALSE);
  }
  ~ModalScope() {
    for (HWND w : windows_)
      if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  static BOOL CALLBACK collect(HWND w, LPARAM self) {
    if (IsWindowVisible(w) && IsWindowEnabled(w)) reinterpret_cast<ModalScope*>(self)->windows_.push_back(w);
    return TRUE;
  }
  std::vector<HWND> windows_;
};

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
