#include "platform/win32/message_wait.h"

#include <windows.h>

#include <algorithm>

namespace win32 {
namespace {

constexpr ULONGLONG kSliceMs = 50;
// A window whose paint never validates it would keep us here for ever.
constexpr int kMostPaints = 64;

}  // namespace

void repaintPending() {
  MSG m;
  for (int n = 0; n < kMostPaints && PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT);
       ++n) {
    if (m.message == WM_QUIT) {
      // Not ours to take: the loop after the wait ends on it.
      PostQuitMessage(int(m.wParam));
      return;
    }
    DispatchMessageW(&m);
  }
}

void waitAnswering(int ms) {
  if (ms <= 0) return;
  const ULONGLONG end = GetTickCount64() + ULONGLONG(ms);
  for (;;) {
    // Peeking answers what was sent meanwhile; only paints are taken.
    repaintPending();
    ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    DWORD slice = DWORD(std::min(end - now, kSliceMs));
    MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_SENDMESSAGE | QS_PAINT, 0);
  }
}

}  // namespace win32
