// The floor of a bitmap's way from another program's clipboard into a
// Win32 program under Wine, for tests/win32/clipboard_measure.sh: the
// smallest program that takes a bitmap off the clipboard as the
// program's watcher does (a changed count, then open, read the CF_DIB,
// empty), but looking every millisecond instead of every 55. For each
// bitmap it takes it prints one line of Unix times in microseconds: when
// it saw the count change, when the bits were read, when the clipboard
// was emptied (the moment the other program loses it).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/handles.h"

namespace {

long long nowMicroseconds() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  // From 100 ns steps since 1601 to microseconds since 1970.
  return static_cast<long long>(t.QuadPart / 10ULL) - 11644473600000000LL;
}

LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, msg, wp, lp); }

}  // namespace

int wmain() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"ClipboardReader";
  if (!RegisterClassW(&wc)) return 1;
  win32::UniqueWindow window(CreateWindowExW(0, L"ClipboardReader", L"ClipboardReader", WS_POPUP, 0, 0, 0, 0,
                                             nullptr, nullptr, instance, nullptr));
  HWND owner = window.get();
  if (!owner) return 1;
  std::vector<unsigned char> copy;
  DWORD last = GetClipboardSequenceNumber();
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) return 0;
      DispatchMessageW(&m);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    DWORD change = GetClipboardSequenceNumber();
    if (change == last) continue;
    last = change;
    long long seen = nowMicroseconds();
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !OpenClipboard(owner)) continue;
    bool read = false;
    if (HANDLE h = GetClipboardData(CF_DIB)) {
      if (const void* bits = GlobalLock(h)) {
        copy.resize(GlobalSize(h));
        std::memcpy(copy.data(), bits, copy.size());
        GlobalUnlock(h);
        read = !copy.empty();
      }
    }
    long long readAt = nowMicroseconds();
    bool emptied = read && EmptyClipboard();
    long long emptiedAt = nowMicroseconds();
    CloseClipboard();
    // Our own emptying changes the count too.
    last = GetClipboardSequenceNumber();
    if (emptied) {
      std::printf("%lld %lld %lld %zu\n", seen, readAt, emptiedAt, copy.size());
      std::fflush(stdout);
    }
  }
}
