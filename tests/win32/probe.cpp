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
//   mirune_probe monitors          -> one line per monitor: "monitor L T W H"
//   mirune_probe topmost CLASS  -> as window, for the first visible
//                                  stay-on-top window of the class
//   mirune_probe visible CLASS  -> as window, for the first visible window
//                                  of the class
//   mirune_probe count CLASS    -> "count N": how many top-level windows of
//                                  the class are visible (open menus: #32768)
//   mirune_probe pattern L T W H -> shows a window of known pixels there
//                                  until it is killed: client pixel (x, y)
//                                  is red, green or blue by
//                                  (x / 8 + y / 8) % 3
//   mirune_probe manual TITLE   -> the first line the window's multi-line
//                                  text shows, "first N", then that line
//                                  and the two after it
//   mirune_probe at X Y         -> "CLASS|TITLE|visible V" of the top-level
//                                  window at that point of the screen
//   mirune_probe answers TITLE SECONDS -> sends WM_NULL to the window every
//                                  100 ms (SendMessageTimeout, SMTO_ABORTIFHUNG,
//                                  5 s) for that long, as Windows does to learn
//                                  whether a program still answers: "sends N
//                                  answered A longest MS" (milliseconds to the
//                                  slowest answer or failure)
//   mirune_probe foreground     -> the same of the foreground window, the
//                                  one the keys go to
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/win32/handles.h"
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

int count(const wchar_t* cls) {
  int n = 0;
  for (HWND w = FindWindowW(cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr))
    if (IsWindowVisible(w)) ++n;
  print("count " + std::to_string(n));
  return 0;
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
        win32::UniqueGdi<HBRUSH> b(CreateSolidBrush(patternColor(x, y)));
        RECT cell{x, y, x + 8, y + 8};
        FillRect(dc, &cell, b.get());
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
  win32::UniqueWindow w(CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"MiruneTestPattern",
                                        WS_POPUP | WS_VISIBLE, l, t, width, height, nullptr, nullptr,
                                        wc.hInstance, nullptr));
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
  // Asked of the window itself: an edit of another program keeps its text
  // where GetWindowText does not look.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(t), SMTO_ABORTIFHUNG, 2000, &ignored);
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

BOOL CALLBACK printMonitor(HMONITOR m, HDC, LPRECT, LPARAM) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(m, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  print("monitor " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
        std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
  return TRUE;
}

int monitors() { return EnumDisplayMonitors(nullptr, nullptr, printMonitor, 0) ? 0 : 1; }

BOOL CALLBACK findMultiline(HWND child, LPARAM found) {
  wchar_t c[64] = {};
  GetClassNameW(child, c, 64);
  if (lstrcmpiW(c, L"Edit") == 0 && (GetWindowLongPtrW(child, GWL_STYLE) & ES_MULTILINE)) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

int manual(const wchar_t* title) {
  HWND w = FindWindowW(nullptr, title);
  HWND text = nullptr;
  if (w) EnumChildWindows(w, findMultiline, reinterpret_cast<LPARAM>(&text));
  if (!text) {
    print("none");
    return 1;
  }
  int first = int(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0));
  print("first " + std::to_string(first));
  int length = int(SendMessageW(text, WM_GETTEXTLENGTH, 0, 0));
  std::wstring all(std::size_t(length) + 1, L'\0');
  all.resize(
      std::size_t(SendMessageW(text, WM_GETTEXT, WPARAM(length + 1), reinterpret_cast<LPARAM>(all.data()))));
  std::size_t at = 0;
  for (int line = 0; line < first + 3 && at <= all.size(); ++line) {
    std::size_t end = all.find(L"\r\n", at);
    if (end == std::wstring::npos) end = all.size();
    if (line >= first) print(win32::narrow(all.data() + at, end - at));
    at = end + 2;
  }
  return 0;
}

int describeRoot(HWND w) {
  if (!w) {
    print("none");
    return 1;
  }
  wchar_t c[64] = {}, t[256] = {};
  GetClassNameW(w, c, 64);
  GetWindowTextW(w, t, 256);
  print(win32::narrow(c, wcslen(c)) + "|" + win32::narrow(t, wcslen(t)) + "|visible " +
        (IsWindowVisible(w) ? "1" : "0"));
  return 0;
}

int answers(const wchar_t* title, int seconds) {
  HWND w = FindWindowW(nullptr, title);
  if (!w) {
    print("none");
    return 1;
  }
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  auto ms = [&frequency](LONGLONG ticks) { return double(ticks) * 1000.0 / double(frequency.QuadPart); };
  QueryPerformanceCounter(&start);
  int sends = 0, answered = 0;
  double longest = 0;
  for (int i = 0; i < seconds * 10; ++i) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) ++answered;
    QueryPerformanceCounter(&after);
    ++sends;
    longest = std::max(longest, ms(after.QuadPart - before.QuadPart));
    // The next send 100 ms after this one was due.
    QueryPerformanceCounter(&now);
    double next = (i + 1) * 100.0 - ms(now.QuadPart - start.QuadPart);
    if (next > 0) Sleep(DWORD(next));
  }
  char buf[100];
  std::snprintf(buf, sizeof buf, "sends %d answered %d longest %.0f", sends, answered, longest);
  print(buf);
  return 0;
}

int at(int x, int y) {
  HWND w = WindowFromPoint({x, y});
  return describeRoot(w ? GetAncestor(w, GA_ROOT) : nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Places and sizes in device pixels on a scaled display, as the program
  // itself has them.
  SetProcessDPIAware();
  std::wstring cmd = argc > 1 ? argv[1] : L"";
  if (cmd == L"window" && argc == 3) return window(argv[2]);
  if (cmd == L"texts" && argc == 4) return texts(argv[2], argv[3]);
  if (cmd == L"scroll" && argc == 4) return scroll(argv[2], argv[3]);
  if (cmd == L"screen" && argc == 2) return screen();
  if (cmd == L"monitors" && argc == 2) return monitors();
  if (cmd == L"topmost" && argc == 3) return topmost(argv[2]);
  if (cmd == L"visible" && argc == 3) return visible(argv[2]);
  if (cmd == L"count" && argc == 3) return count(argv[2]);
  if (cmd == L"pattern" && argc == 6)
    return pattern(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
  if (cmd == L"manual" && argc == 3) return manual(argv[2]);
  if (cmd == L"at" && argc == 4) return at(_wtoi(argv[2]), _wtoi(argv[3]));
  if (cmd == L"answers" && argc == 4) return answers(argv[2], _wtoi(argv[3]));
  if (cmd == L"foreground" && argc == 2) return describeRoot(GetForegroundWindow());
  print(
      "usage: mirune_probe window TITLE | texts CLASS TITLE | scroll CLASS TITLE | screen | monitors |"
      " topmost CLASS | visible CLASS | count CLASS | pattern L T W H | manual TITLE | at X Y | foreground |"
      " answers TITLE SECONDS");
  return 2;
}
