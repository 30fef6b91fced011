#pragma once
#include <windows.h>

#include <vector>

namespace win32 {

// Disables the thread's other enabled top-level windows for the life of a
// modal box or dialog and enables them again afterwards, even if it fails.
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

}  // namespace win32
