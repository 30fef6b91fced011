#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

namespace win32 {

// Disables the thread's other enabled top-level windows for the life of a
// modal box or dialog and enables them again afterwards, even if it fails.
class ModalScope {
 public:
  explicit ModalScope(HWND owner) {
    // Nothing may be thrown through the system's frames: the room is made
    // here, and the windows are collected into it there.
    std::size_t n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::count, reinterpret_cast<LPARAM>(&n));
    windows_.reserve(n);
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::collect, reinterpret_cast<LPARAM>(&windows_));
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
  static bool taken(HWND w) noexcept { return IsWindowVisible(w) && IsWindowEnabled(w); }
  static BOOL CALLBACK count(HWND w, LPARAM n) noexcept {
    if (taken(w)) ++*reinterpret_cast<std::size_t*>(n);
    return TRUE;
  }
  static BOOL CALLBACK collect(HWND w, LPARAM into) noexcept {
    auto& windows = *reinterpret_cast<std::vector<HWND>*>(into);
    if (taken(w) && windows.size() < windows.capacity()) windows.push_back(w);
    return TRUE;
  }
  std::vector<HWND> windows_;
};

}  // namespace win32
