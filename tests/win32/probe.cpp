// A helper for the end-to-end script: asks the window manager of Wine
// (through the Win32 API, as another program on the same desktop would)
// where a window is and what it says.
//
//   mirune_probe window TITLE   -> "window L T W H client X Y W H visible V"
//                                  (window rect, client origin on the screen,
//                                  client size) or "none"
//   mirune_probe texts CLASS TITLE -> one line per child: "CLASS|TEXT"
//   mirune_probe scroll CLASS TITLE -> "scroll POS" of the first scroll-bar
//                                  child, or "none"
//   mirune_probe screen            -> "screen W H"
//   mirune_probe topmost CLASS  -> as window, for the first visible
//                                  stay-on-top window of the class
//   mirune_probe visible CLASS  -> as window, for the first visible window
//                                  of the class
//   mirune_probe pattern L T W H -> shows a window of known pixels there
//                                  until it is killed: client pixel (x, y)
//                                  is red, green or blue by
//                                  (x / 8 + y / 8) % 3
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/win32/text.h"

namespace {

void print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

int describe(HWND w) {
  if (!w) {
    print("none");
    return 1;
  }
  RECT wr{}, cr{};
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  char buf[200];
  std::snprintf(buf, sizeof buf, "window %ld %ld %ld %ld client %ld %ld %ld %ld visible %d", wr.left, wr.top,
                wr.right - wr.left, wr.bottom - wr.top, origin.x, origin.y, cr.right, cr.bottom,
                IsWindowVisible(w) ? 1 : 0);
  print(buf);
  return 0;
}

int window(const wchar_t* title) { return describe(FindWindowW(nullptr, title)); }

int topmost(const wchar_t* cls) {
  for (HWND w = FindWindowW(cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr))
    if (IsWindowVisible(w) && (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) return describe(w);
  return describe(nullptr);
}

int visible(const wchar_t* cls) {
  for (HWND w = FindWindowW(cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr))
    if (IsWindowVisible(w)) return describe(w);
  return describe(nullptr);
}

COLORREF patternColor(int x, int y) {
  static const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  return colors[(x / 8 + y / 8) % 3];
}

LRESULT CALLBACK patternProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT c;
    GetClientRect(w, &c);
    for (int y = 0; y < c.bottom; y += 8)
      for (int x = 0; x < c.right; x += 8) {
        HBRUSH b = CreateSolidBrush(patternColor(x, y));
        RECT cell{x, y, x + 8, y + 8};
        FillRect(dc, &cell, b);
        DeleteObject(b);
      }
    EndPaint(w, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, msg, wp, lp);
}

int pattern(int l, int t, int width, int height) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = patternProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MiruneTestPattern";
  if (!RegisterClassW(&wc)) return 1;
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"MiruneTestPattern", WS_POPUP | WS_VISIBLE, l, t,
                           width, height, nullptr, nullptr, wc.hInstance, nullptr);
  if (!w) return 1;
  print("shown");
  std::fflush(stdout);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}

BOOL CALLBACK printChild(HWND child, LPARAM) {
  wchar_t c[64] = {}, t[512] = {};
  GetClassNameW(child, c, 64);
  GetWindowTextW(child, t, 512);
  print(win32::narrow(c, wcslen(c)) + "|" + win32::narrow(t, wcslen(t)));
  return TRUE;
}

int texts(const wchar_t* cls, const wchar_t* title) {
  HWND w = FindWindowW(cls, title);
  if (!w) {
    print("none");
    return 1;
  }
  EnumChildWindows(w, printChild, 0);
  return 0;
}

int scroll(const wchar_t* cls, const wchar_t* title) {
  HWND w = FindWindowW(cls, title);
  HWND bar = w ? FindWindowExW(w, nullptr, L"ScrollBar", nullptr) : nullptr;
  if (!bar) {
    print("none");
    return 1;
  }
  print("scroll " + std::to_string(GetScrollPos(bar, SB_CTL)));
  return 0;
}

int screen() {
  print("screen " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
        std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring cmd = argc > 1 ? argv[1] : L"";
  if (cmd == L"window" && argc == 3) return window(argv[2]);
  if (cmd == L"texts" && argc == 4) return texts(argv[2], argv[3]);
  if (cmd == L"scroll" && argc == 4) return scroll(argv[2], argv[3]);
  if (cmd == L"screen" && argc == 2) return screen();
  if (cmd == L"topmost" && argc == 3) return topmost(argv[2]);
  if (cmd == L"visible" && argc == 3) return visible(argv[2]);
  if (cmd == L"pattern" && argc == 6)
    return pattern(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
  print("usage: mirune_probe window TITLE | texts CLASS TITLE | scroll CLASS TITLE | screen | topmost CLASS |"
        " visible CLASS | pattern L T W H");
  return 2;
}
