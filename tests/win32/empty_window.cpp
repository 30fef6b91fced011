// The smallest Win32 program with one window: the baseline that
// scripts/startup-time.sh measures the program's start against. Given
// intervals in milliseconds (empty_window.exe 55 55), it also runs one
// timer of each with an empty handler: the idle baseline of
// tests/win32/camera_cpu.sh for a state of the program with those timers.
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) return 0;
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"EmptyWindow";
  if (!RegisterClassW(&wc)) return 1;
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"EmptyWindow", L"EmptyWindow", WS_CAPTION | WS_POPUP, 0, 0, 36,
                           160, nullptr, nullptr, instance, nullptr);
  if (!w) return 1;
  ShowWindow(w, show);
  UINT_PTR id = 1;
  for (wchar_t* at = args; at && *at;) {
    wchar_t* end = nullptr;
    unsigned long ms = std::wcstoul(at, &end, 10);
    if (end == at) break;
    if (ms > 0) SetTimer(w, id++, static_cast<UINT>(ms), nullptr);
    at = end;
  }
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
