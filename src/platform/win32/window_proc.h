#pragma once
#include <windows.h>

#include <exception>

#include "platform/win32/backend.h"
#include "platform/win32/handles.h"

namespace win32 {

inline Backend& backendOf(Backend& b) { return b; }
template <class T>
Backend& backendOf(T& owner) {
  return owner.backend();
}

// The window procedure of windows that each belong to one object of T,
// given as CreateWindowEx's parameter: it finds the object and hands the
// message to its member Handler; before WM_NCCREATE and after the object
// let go of its window, the system's default answers. Nothing may unwind
// through the system's frames: a failure that escapes the handler is
// shown by the backend, and the message gets the default handling, but
// for a close: the default destroys the window, which its owner still
// holds.
template <class T, LRESULT (T::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK windowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  T* self = windowObject<T>(w, msg, lp);
  if (!self) return DefWindowProcW(w, msg, wp, lp);
  try {
    return (self->*Handler)(w, msg, wp, lp);
  } catch (...) {
    backendOf(*self).reportFailure(std::current_exception());
    return msg == WM_CLOSE ? 0 : DefWindowProcW(w, msg, wp, lp);
  }
}

}  // namespace win32
