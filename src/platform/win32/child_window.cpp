#include "platform/win32/child_window.h"

#include <windowsx.h>

#include "base/error.h"
#include "platform/win32/backend.h"
#include "platform/win32/form_window.h"
#include "platform/win32/window_proc.h"

namespace win32 {
namespace {

constexpr wchar_t kChildClass[] = L"MiruneChild";

}  // namespace

void ChildWindow::registerClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &windowProc<ChildWindow, &ChildWindow::onMessage>;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kChildClass;
  RegisterClassExW(&wc);
}

void ChildWindow::unregisterClass(HINSTANCE instance) { UnregisterClassW(kChildClass, instance); }

ChildWindow::ChildWindow(FormWindow& owner, ui::Control& control) : owner_(owner), control_(control) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.showing() ? WS_VISIBLE : 0);
  ui::Rect at = owner.form().deviceBounds(control);
  hwnd_.reset(CreateWindowExW(0, kChildClass, L"", style, at.left, at.top, at.width, at.height, owner.hwnd(),
                              nullptr, owner.backend().instance(), this));
  if (!hwnd_) throw base::Error(base::kOutOfResources);
}

ChildWindow::~ChildWindow() {
  if (hwnd_) SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
}

Backend& ChildWindow::backend() const { return owner_.backend(); }

void ChildWindow::place() {
  HWND w = hwnd_.get();
  if (!w) return;
  UINT show = control_.showing() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  ui::Rect at = owner_.form().deviceBounds(control_);
  SetWindowPos(w, nullptr, at.left, at.top, std::max(0, at.width), std::max(0, at.height),
               SWP_NOZORDER | SWP_NOACTIVATE | show);
}

LRESULT ChildWindow::onMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      owner_.backend().guard([this, w] { owner_.canvas().paintChild(w, control_); });
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_RBUTTONUP: {
      // In the form's client area; the form decides which control gets it.
      ui::Rect at = owner_.form().deviceBounds(control_);
      int x = GET_X_LPARAM(lp) + at.left, y = GET_Y_LPARAM(lp) + at.top;
      owner_.backend().guard([&] { owner_.mouse(w, msg, wp, x, y); });
      if (msg == WM_RBUTTONUP) break;  // the default turns it into WM_CONTEXTMENU for the form
      return 0;
    }
    case WM_CAPTURECHANGED:
      // A popup menu or a modal box took the mouse from us.
      if (reinterpret_cast<HWND>(lp) != w) owner_.form().releaseMouse();
      break;
    default:
      break;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace win32
