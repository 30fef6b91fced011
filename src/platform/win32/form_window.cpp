#include "platform/win32/form_window.h"

#include <windowsx.h>

#include <algorithm>
#include <functional>

#include "base/error.h"
#include "base/raised.h"
#include "platform/win32/backend.h"
#include "platform/win32/dpi.h"
#include "platform/win32/gdi_values.h"
#include "platform/win32/native_controls.h"
#include "platform/win32/text.h"
#include "platform/win32/window_proc.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/menu.h"

namespace win32 {
namespace {

constexpr wchar_t kFormClass[] = L"MiruneForm";

// WM_GETDPISCALEDSIZE, of Windows 10 1703 and later.
constexpr UINT kGetDpiScaledSize = 0x02E4;

unsigned shiftState(WPARAM wp) {
  unsigned s = 0;
  if (wp & MK_SHIFT) s |= ui::ssShift;
  if (wp & MK_CONTROL) s |= ui::ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ui::ssAlt;
  if (wp & MK_LBUTTON) s |= ui::ssLeft;
  if (wp & MK_RBUTTON) s |= ui::ssRight;
  if (wp & MK_MBUTTON) s |= ui::ssMiddle;
  return s;
}

const wchar_t* cursorId(ui::Cursor c) {
  switch (c) {
    case ui::Cursor::SizeWE:
      return IDC_SIZEWE;
    case ui::Cursor::SizeNS:
      return IDC_SIZENS;
    case ui::Cursor::SizeNWSE:
      return IDC_SIZENWSE;
    case ui::Cursor::SizeNESW:
      return IDC_SIZENESW;
    case ui::Cursor::Default:
      break;
  }
  return IDC_ARROW;
}

}  // namespace

void FormWindow::registerClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  // A size change repaints everything: the renderer lays out by size.
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &windowProc<FormWindow, &FormWindow::onMessage>;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
  ChildWindow::registerClass(instance);
}

void FormWindow::unregisterClass(HINSTANCE instance) {
  UnregisterClassW(kFormClass, instance);
  ChildWindow::unregisterClass(instance);
}

DWORD FormWindow::styleFor(const ui::Form& f) {
  // Native controls are child windows: the form's own painting leaves them be.
  return frameStyleFor(f) | WS_CLIPCHILDREN;
}

DWORD FormWindow::frameStyleFor(const ui::Form& f) {
  DWORD sysMenu = f.systemMenu() ? WS_SYSMENU : 0;
  switch (f.borderStyle()) {
    case ui::BorderStyle::None:
      return WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    case ui::BorderStyle::ToolWindow:
      return WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | sysMenu;
    case ui::BorderStyle::Dialog:
      return WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | sysMenu;
    case ui::BorderStyle::Sizeable:
      return WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
             (f.systemMenu() ? WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : 0);
  }
  return WS_POPUP;
}

DWORD FormWindow::exStyleFor(const ui::Form& f) {
  DWORD ex = 0;
  if (f.borderStyle() == ui::BorderStyle::ToolWindow) ex |= WS_EX_TOOLWINDOW;
  if (f.borderStyle() == ui::BorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME;
  if (f.stayOnTop()) ex |= WS_EX_TOPMOST;
  return ex;
}

FormWindow::FormWindow(Backend& backend, ui::Form& form)
    : backend_(backend),
      form_(form),
      tooltips_(backend.instance(), backend.applicationWindow(), backend.hintColor(), form, hwnd_),
      backdrop_(form, hwnd_),
      canvas_(
          form, backend.painter(), backdrop_, hwnd_, [this] { makeWindow(); },
          [this](HWND w) { return drawsChild(w); }) {
  backend_.addForm(this);
  // A hidden form gets its windows when it first shows, when its window is
  // asked for, or when the message loop has nothing else to do: start-up
  // makes every form but shows only the palette, and each window made
  // costs the system a round of work the palette need not wait for.
  if (form.visible()) formChanged(ui::Change::Visible);
}

HWND FormWindow::hwnd() {
  makeWindow();
  return hwnd_.get();
}

void FormWindow::makeWindow() {
  // The creation's own messages must not start a second one.
  if (windowMade_ || making_) return;
  base::Raised making(making_);
  try {
    ui::Rect b = form_.bounds();
    std::wstring caption = widen(form_.caption());
    hwnd_.reset(CreateWindowExW(exStyleFor(form_), kFormClass, caption.c_str(), styleFor(form_), b.left,
                                b.top, b.width, b.height, backend_.applicationWindow(), nullptr,
                                backend_.instance(), this));
    if (!hwnd_) throw base::Error(base::kOutOfResources);
    // Made on a monitor of another DPI than the primary one: the form takes
    // it before its controls' windows are made.
    takeDpi(windowDpi(hwnd_.get()), nullptr);
    natives_ = std::make_unique<NativeControls>(backend_.instance(), backend_.painter(), form_, hwnd_.get());
    ui::forEachDescendant(form_, [&](ui::Control& c) {
      auto* panel = dynamic_cast<ui::Panel*>(&c);
      if (panel && panel->windowed()) children_.push_back(std::make_unique<ChildWindow>(*this, c));
    });
    if (!form_.enabled()) EnableWindow(hwnd_.get(), FALSE);
    // A form about to show gets its tips once it is on the screen.
    if (!form_.visible()) tooltips_.sync();
  } catch (...) {
    // Nothing half made stays: the next show or hwnd() starts afresh.
    unmakeWindow();
    throw;
  }
  windowMade_ = true;
}

void FormWindow::makeWindowWhenIdle() noexcept {
  try {
    makeWindow();
  } catch (...) {
    // Nobody asked for the window yet: the form's show, or whoever asks
    // for its window, meets the failure again and reports it.
    idleAttemptFailed_ = true;
  }
}

void FormWindow::unmakeWindow() noexcept {
  // From here on the window's messages no longer reach the form.
  if (hwnd_) SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
  tooltips_.clear();
  // The child windows go before their parent.
  natives_.reset();
  children_.clear();
  hwnd_.reset();
  canvas_.windowGone();
  pressWindow_ = nullptr;
}

FormWindow::~FormWindow() {
  backend_.removeForm(this);
  unmakeWindow();
}

bool FormWindow::wantsDialogKeys() const { return natives_ && natives_->wantsDialogKeys(); }

// w is passed in: during CreateWindowEx hwnd_ is not set yet.
LRESULT FormWindow::onMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (natives_) {
    LRESULT result = 0;
    bool ours = false;
    backend_.guard([&] { ours = natives_->handle(msg, wp, lp, result); });
    if (ours) return result;
  }
  switch (msg) {
    case WM_PAINT:
      backend_.guard([this, w] { canvas_.paint(w); });
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_NCHITTEST: {
      // The form's own surface moves the window as a caption bar would;
      // windowed controls answer their own hit tests.
      LRESULT hit = DefWindowProcW(w, msg, wp, lp);
      if (hit == HTCLIENT && form_.movableBySurface()) return HTCAPTION;
      return hit;
    }
    case WM_GETMINMAXINFO: {
      // The system's minimum tracking size would widen the 30-pixel
      // palette; a form may be as small as its frame.
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      ui::Rect in = frameInsets();
      mm->ptMinTrackSize.x = std::max(1, in.left + in.width);
      mm->ptMinTrackSize.y = std::max(1, in.top + in.height);
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
      if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) {
        RECT r;
        if (GetWindowRect(w, &r)) {
          ui::Rect now{r.left, r.top, r.right - r.left, r.bottom - r.top};
          if (!(now == form_.bounds())) backend_.guard([this, now] { form_.boundsChangedBySystem(now); });
        }
        // A see-through window shows what lies beneath its new place.
        backend_.guard([this] { backdrop_.windowMoved(); });
      }
      // A see-through window over this one's old or new place shows what
      // lies beneath it now.
      if ((pos->flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW)) || !(pos->flags & SWP_NOMOVE) ||
          !(pos->flags & SWP_NOSIZE))
        backend_.windowChanged(w);
      break;
    }
    case WM_ACTIVATE:
      if (backend_.ending()) break;
      if (LOWORD(wp) == WA_INACTIVE) {
        form_.deactivated();
      } else {
        backend_.guard([this] { form_.application().dispatch([this] { form_.activated(); }); });
      }
      break;
    case WM_ACTIVATEAPP:
      backend_.activationChanged(wp != FALSE);
      break;
    case WM_CLOSE:
      backend_.guard([this] { form_.application().dispatch([this] { form_.close(); }); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      backend_.guard([&] { mouse(w, msg, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); });
      return 0;
    case WM_RBUTTONUP:
      backend_.guard([&] { mouse(w, msg, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); });
      break;  // the default procedure turns it into WM_CONTEXTMENU
    case WM_CONTEXTMENU: {
      bool shown = false;
      backend_.guard([&] { shown = contextMenu(w, lp); });
      if (shown) return 0;
      break;
    }
    case WM_CAPTURECHANGED:
      // Another window (a popup menu, a modal box) took the mouse: the
      // release of the button held here will not arrive.
      if (reinterpret_cast<HWND>(lp) != w) form_.releaseMouse();
      break;
    case WM_CANCELMODE:
      form_.releaseMouse();
      break;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && setCursor(w)) return TRUE;
      break;
    case WM_DPICHANGED:
      takeDpi(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case kGetDpiScaledSize:
      // The size the system then suggests for the new monitor: the form's
      // own, so that the layout keeps its proportions exactly.
      *reinterpret_cast<SIZE*>(lp) = sizeAtDpi(static_cast<int>(wp));
      return TRUE;
    default:
      break;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

picture::Canvas FormWindow::clientImage() { return canvas_.clientImage(); }

bool FormWindow::drawsChild(HWND w) const {
  return std::any_of(children_.begin(), children_.end(),
                     [w](const std::unique_ptr<ChildWindow>& child) { return child->hwnd() == w; });
}

ChildWindow* FormWindow::childOf(const ui::Control& c) const {
  for (const auto& child : children_)
    if (&child->control() == &c) return child.get();
  return nullptr;
}

void FormWindow::mouse(HWND from, UINT msg, WPARAM wp, int deviceX, int deviceY) {
  unsigned shift = shiftState(wp);
  int x = form_.fromDevice(deviceX), y = form_.fromDevice(deviceY);
  ui::Form& f = form_;
  auto run = [&f](const std::function<void()>& h) { f.application().dispatch(h); };
  auto down = [&](ui::MouseButton b) {
    pressWindow_ = from;
    run([&] { f.dispatchMouseDown(b, shift, x, y); });
  };
  switch (msg) {
    case WM_LBUTTONDOWN:
      down(ui::MouseButton::Left);
      break;
    case WM_RBUTTONDOWN:
      down(ui::MouseButton::Right);
      break;
    case WM_MBUTTONDOWN:
      down(ui::MouseButton::Middle);
      break;
    case WM_LBUTTONUP:
      run([&] { f.dispatchMouseUp(ui::MouseButton::Left, shift, x, y); });
      break;
    case WM_RBUTTONUP:
      run([&] { f.dispatchMouseUp(ui::MouseButton::Right, shift, x, y); });
      break;
    case WM_MBUTTONUP:
      run([&] { f.dispatchMouseUp(ui::MouseButton::Middle, shift, x, y); });
      break;
    case WM_MOUSEMOVE:
      run([&] { f.dispatchMouseMove(shift, x, y); });
      break;
    default:
      break;
  }
}

// A right click opens the popup menu of the control under the pointer, or
// of the nearest parent that has one, at the pointer.
bool FormWindow::contextMenu(HWND w, LPARAM lp) {
  POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (screen.x == -1 && screen.y == -1) GetCursorPos(&screen);  // from the keyboard
  POINT client = screen;
  ScreenToClient(w, &client);
  ui::Control* c = form_.childAt(form_.fromDevice(client.x), form_.fromDevice(client.y));
  if (!c) c = &form_;
  for (; c; c = c->parent()) {
    if (ui::PopupMenu* m = c->popupMenu()) {
      form_.application().dispatch([m, screen] { m->popup(screen.x, screen.y); });
      return true;
    }
  }
  return false;
}

bool FormWindow::setCursor(HWND w) {
  POINT p;
  if (!GetCursorPos(&p) || !ScreenToClient(w, &p)) return false;
  ui::Control* c = form_.mouseTarget();
  if (!c) c = form_.childAt(form_.fromDevice(p.x), form_.fromDevice(p.y));
  if (!c) c = &form_;
  for (; c; c = c->parent()) {
    if (c->cursor() != ui::Cursor::Default) {
      SetCursor(LoadCursorW(nullptr, cursorId(c->cursor())));
      return true;
    }
  }
  return false;
}

void FormWindow::formChanged(ui::Change what) {
  if (what == ui::Change::Visible && form_.visible()) makeWindow();
  HWND w = hwnd_.get();
  if (!w) return;
  switch (what) {
    case ui::Change::Bounds: {
      ui::Rect b = form_.bounds();
      SetWindowPos(w, nullptr, b.left, b.top, b.width, b.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
      break;
    }
    case ui::Change::Visible:
      if (form_.visible()) {
        backdrop_.takeBeforeShow();
        ShowWindow(w, SW_SHOWNORMAL);
        tooltips_.sync();
      } else {
        ShowWindow(w, SW_HIDE);
      }
      break;
    case ui::Change::Text:
      SetWindowTextW(w, widen(form_.caption()).c_str());
      break;
    case ui::Change::Appearance:
      applyStyle();
      InvalidateRect(w, nullptr, FALSE);
      break;
    case ui::Change::Enabled:
      EnableWindow(w, form_.enabled());
      break;
    case ui::Change::Hint:
      break;
  }
}

void FormWindow::applyStyle() {
  HWND w = hwnd_.get();
  DWORD visible = DWORD(GetWindowLongPtrW(w, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
  DWORD style = styleFor(form_) | visible;
  DWORD ex = exStyleFor(form_);
  DWORD oldStyle = DWORD(GetWindowLongPtrW(w, GWL_STYLE));
  DWORD oldEx = DWORD(GetWindowLongPtrW(w, GWL_EXSTYLE));
  if (style == oldStyle && ex == oldEx) return;
  // WS_EX_TOPMOST only changes through the z-order.
  SetWindowLongPtrW(w, GWL_STYLE, LONG_PTR(style));
  SetWindowLongPtrW(w, GWL_EXSTYLE, LONG_PTR(ex & ~DWORD(WS_EX_TOPMOST)) | LONG_PTR(oldEx & WS_EX_TOPMOST));
  bool topmost = (ex & WS_EX_TOPMOST) != 0, wasTopmost = (oldEx & WS_EX_TOPMOST) != 0;
  // Only this window's place changes: with its owner moved along, Wine
  // leaves an owned window topmost after HWND_NOTOPMOST.
  SetWindowPos(w, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER |
                   (topmost == wasTopmost ? SWP_NOZORDER : 0));
}

void FormWindow::invalidate(ui::Rect r) {
  if (r.width <= 0 || r.height <= 0) return;
  RECT rc = toRect(r);
  // Windowed controls in the rectangle repaint their part too.
  RedrawWindow(hwnd_.get(), &rc, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormWindow::controlChanged(ui::Control& c, ui::Change what, ui::Rect oldBounds) {
  if (!hwnd_) return;
  if (natives_) natives_->controlChanged(c, what);
  ui::Rect now = form_.deviceBounds(c);
  switch (what) {
    case ui::Change::Bounds: {
      if (ChildWindow* child = childOf(c)) child->place();
      int px = c.parent() ? c.parent()->formLeft() : 0, py = c.parent() ? c.parent()->formTop() : 0;
      invalidate(
          form_.toDevice({px + oldBounds.left, py + oldBounds.top, oldBounds.width, oldBounds.height}));
      invalidate(now);
      tooltips_.sync();
      break;
    }
    case ui::Change::Visible:
      if (ChildWindow* child = childOf(c)) child->place();
      invalidate(now);
      tooltips_.sync();
      break;
    case ui::Change::Hint:
      tooltips_.sync();
      break;
    case ui::Change::Appearance:
    case ui::Change::Text:
    case ui::Change::Enabled:
      invalidate(now);
      break;
  }
}

void FormWindow::update() {
  // Windowed controls (the camera box's viewfinder) repaint their parts too.
  if (hwnd_) RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void FormWindow::bringToFront() {
  if (hwnd_) SetWindowPos(hwnd_.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

ui::Rect FormWindow::frameInsets() const { return insetsAt(form_.dpi()); }

ui::Rect FormWindow::insetsAt(int dpi) const {
  RECT r = frameAtDpi(styleFor(form_), exStyleFor(form_), dpi);
  return {-r.left, -r.top, r.right, r.bottom};
}

SIZE FormWindow::sizeAtDpi(int dpi) const {
  ui::Rect client = form_.clientAreaAtDpi(dpi), in = insetsAt(dpi);
  return {client.width + in.left + in.width, client.height + in.top + in.height};
}

void FormWindow::takeDpi(int dpi, const RECT* suggested) {
  if (dpi <= 0 || (!suggested && dpi == form_.dpi())) return;
  ui::Rect b = form_.bounds();
  SIZE size = sizeAtDpi(dpi);
  ui::Rect to{b.left, b.top, size.cx, size.cy};
  if (suggested)
    to = {suggested->left, suggested->top, suggested->right - suggested->left,
          suggested->bottom - suggested->top};
  backend_.guard([&] { form_.application().dispatch([&] { form_.dpiChangedBySystem(dpi, to); }); });
  // The controls the system draws take the new size and font; the tips
  // their new places.
  if (natives_) natives_->controlChanged(form_, ui::Change::Bounds);
  for (const auto& child : children_) child->place();
  tooltips_.sync();
  RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormWindow::captureMouse(bool on) {
  if (!hwnd_) return;
  if (on) {
    // The window that had the press keeps the mouse: a handle's moves
    // and its release come to it wherever the pointer goes.
    SetCapture(pressWindow_ ? pressWindow_ : hwnd_.get());
    return;
  }
  HWND holder = GetCapture();
  if (holder && (holder == hwnd_.get() || GetParent(holder) == hwnd_.get())) ReleaseCapture();
}

}  // namespace win32
