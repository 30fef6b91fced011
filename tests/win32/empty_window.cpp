// The smallest Win32 program with one window: the baseline that
// scripts/startup-time.sh measures the program's start against.
#include <windows.h>

namespace {

LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
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
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
