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

int window(const wchar_t* title) {
  HWND w = FindWindowW(nullptr, title);
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
  print("usage: mirune_probe window TITLE | texts CLASS TITLE | scroll CLASS TITLE | screen");
  return 2;
}
