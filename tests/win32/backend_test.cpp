// The Win32 backend under a real message loop: window styles and frames,
// model <-> window mirroring, painting, mouse, menus, timers, posted work,
// tooltips, minimise / restore and activation. No modal message boxes.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "allocation_limit.h"
#include "app_fixture.h"
#include "base/error.h"
#include "platform/win32/backend.h"
#include "platform/win32/form_window.h"
#include "platform/win32/gdi_values.h"
#include "platform/win32/modal_scope.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"
#include "platform/win32/window_proc.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/menu.h"
#include "ui/push_button.h"
#include "ui/timer.h"

namespace {

using wintest::Fixture;
using wintest::hwndOf;

// A small palette-like window: two hinted buttons, one plain, a panel.
struct TestForm : ui::Form {
  ui::SpeedButton first{this, "First"};
  ui::SpeedButton second{this, "Second"};
  ui::SpeedButton plain{this, "Plain"};
  ui::Panel panel{this, "Panel"};
  ui::Image inner{&panel, "Inner"};
  explicit TestForm(ui::Application& app) : ui::Form(app, "TestForm") {
    setBorderStyle(ui::BorderStyle::ToolWindow);
    setSystemMenu(false);
    setCaption("Mirune");
    first.setBounds({0, 0, 30, 26});
    second.setBounds({0, 26, 30, 26});
    plain.setBounds({0, 52, 30, 26});
    panel.setBounds({0, 78, 30, 52});
    inner.setBounds({5, 5, 20, 20});
    first.setHint("カメラボックスを表示します");
    second.setHint("ネガシートを表示します");
    first.setShowHint(true);
    second.setShowHint(true);
  }
};

// A borderless window with a system button and a windowed panel, as the
// camera box and the dialogs have them.
struct ScalingForm : ui::Form {
  ui::PushButton button{this, "button"};
  ui::Panel handle{this, "handle"};
  explicit ScalingForm(ui::Application& app) : ui::Form(app, "ScalingForm") {
    setBorderStyle(ui::BorderStyle::None);
    setBounds({100, 100, 120, 80});
    button.setBounds({10, 10, 80, 24});
    button.setCaption("OK");
    handle.setWindowed(true);
    handle.setBounds({10, 50, 30, 20});
  }
};

// Where a child window lies in its parent's client area.
RECT childRect(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

DWORD styleOf(HWND w) { return DWORD(GetWindowLongPtrW(w, GWL_STYLE)); }
DWORD exStyleOf(HWND w) { return DWORD(GetWindowLongPtrW(w, GWL_EXSTYLE)); }

SIZE clientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return {r.right, r.bottom};
}

// Lets the system and the X server catch up.
void settle(win32::Backend& b, int ms = 200) {
  for (int t = 0; t < ms; t += 20) {
    b.dispatchPending();
    Sleep(20);
  }
}

std::uint32_t screenPixel(int x, int y) {
  win32::Screen s;
  return s.copy({x, y, 1, 1}).pixel(0, 0);
}

void postKeys(HWND w, std::initializer_list<WPARAM> keys) {
  for (WPARAM k : keys) {
    PostMessageW(w, WM_KEYDOWN, k, 1);
    PostMessageW(w, WM_KEYUP, k, LPARAM(0xC0000001));
  }
}

// A window of its own class on the program's window procedure, whose
// handler fails at one message and counts another.
struct FailingWindow {
  win32::Backend& owner;
  int answered = 0;
  win32::Backend& backend() const { return owner; }
  LRESULT onMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 7 || msg == WM_CLOSE) throw std::bad_alloc();
    if (msg == WM_APP + 8) ++answered;
    return DefWindowProcW(w, msg, wp, lp);
  }
};

TEST(Backend, WindowProcedureStopsAFailureAtItsEdge) {
  Fixture fx;
  FailingWindow failing{fx.backend};
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &win32::windowProc<FailingWindow, &FailingWindow::onMessage>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MiruneFailingWindow";
  RegisterClassExW(&wc);
  win32::UniqueWindow window(CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                             wc.hInstance, &failing));
  HWND w = window.get();
  ASSERT_NE(w, nullptr) << "the window is made";
  SendMessageW(w, WM_APP + 7, 0, 0);
  EXPECT_EQ(fx.boxes.shown.size(), std::size_t(1)) << "a failure in the handler is shown once";
  if (!fx.boxes.shown.empty()) {
    EXPECT_EQ(fx.boxes.shown[0], base::kOutOfResources) << "in the program's own words";
  }
  SendMessageW(w, WM_APP + 8, 0, 0);
  EXPECT_EQ(failing.answered, 1) << "and the window goes on answering";
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_NE(IsWindow(w), FALSE) << "a close that failed leaves the window to its owner";
  window.reset();
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace

TEST(Backend, FormStylesAndFrames) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  HWND w = hwndOf(*form);
  EXPECT_NE(w, nullptr) << "the form has a window";
  EXPECT_EQ(GetWindow(w, GW_OWNER), fx.backend.applicationWindow()) << "owned by the application window";
  EXPECT_EQ(styleOf(w) & (WS_CAPTION | WS_POPUP), (WS_CAPTION | WS_POPUP)) << "tool window: caption, popup";
  EXPECT_TRUE(!(styleOf(w) & WS_SYSMENU)) << "tool window without system menu: no WS_SYSMENU";
  EXPECT_NE(exStyleOf(w) & WS_EX_TOOLWINDOW, 0) << "WS_EX_TOOLWINDOW";

  // The palette's creation: height for five buttons, then 30 pixels wide.
  form->setClientHeight(130);
  form->setClientWidth(30);
  SIZE c = clientSize(w);
  EXPECT_EQ(int(c.cx), 30) << "client width 30";
  EXPECT_EQ(int(c.cy), 130) << "client height 130";
  EXPECT_EQ(form->clientWidth(), 30) << "the model's client width agrees";

  RECT wr{};
  GetWindowRect(w, &wr);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  ui::Rect in = form->peer()->frameInsets();
  EXPECT_TRUE(in.left == origin.x - wr.left && in.top == origin.y - wr.top &&
              in.width == wr.right - origin.x - c.cx && in.height == wr.bottom - origin.y - c.cy)
      << "frame insets are the real frame";

  form->setBounds({40, 50, form->width(), form->height()});
  GetWindowRect(w, &wr);
  EXPECT_TRUE(wr.left == 40 && wr.top == 50) << "the model's position moves the window";
  SetWindowPos(w, nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(form->left() == 70 && form->top() == 80) << "a move by the system reaches the model";
  EXPECT_EQ(form->clientWidth(), 30) << "and keeps the size";

  form->setCaption("Mirune　起動中");
  wchar_t text[64] = {};
  GetWindowTextW(w, text, 64);
  EXPECT_EQ(std::wstring(text), L"Mirune　起動中") << "caption mirrored in UTF-16";
  fx.app->setTitle("Mirune 36 枚撮り");
  GetWindowTextW(fx.backend.applicationWindow(), text, 64);
  EXPECT_EQ(std::wstring(text), L"Mirune 36 枚撮り") << "the application window carries the title";
  RECT ar{};
  GetWindowRect(fx.backend.applicationWindow(), &ar);
  EXPECT_TRUE(ar.right == ar.left && ar.bottom == ar.top) << "the application window has no size";

  // A sizeable frame is held to the minimum tracking size by the system;
  // the form's own minimum lets it be narrower.
  form->setBorderStyle(ui::BorderStyle::Sizeable);
  form->setClientWidth(30);
  EXPECT_EQ(int(clientSize(w).cx), 30) << "a sizeable window can be 30 pixels wide too";

  form->setBorderStyle(ui::BorderStyle::Dialog);
  form->setSystemMenu(true);
  EXPECT_EQ(styleOf(w) & (WS_CAPTION | WS_SYSMENU | WS_DLGFRAME), (WS_CAPTION | WS_SYSMENU | WS_DLGFRAME))
      << "dialog: caption, system menu, dialog frame";
  EXPECT_TRUE((exStyleOf(w) & WS_EX_DLGMODALFRAME) && !(exStyleOf(w) & WS_EX_TOOLWINDOW))
      << "dialog: modal frame, no tool window";

  form->setBorderStyle(ui::BorderStyle::None);
  form->setStayOnTop(true);
  EXPECT_TRUE(!(styleOf(w) & WS_CAPTION) && (styleOf(w) & WS_POPUP)) << "borderless: popup, no caption";
  EXPECT_NE(exStyleOf(w) & WS_EX_TOPMOST, 0) << "stay on top: topmost";
  EXPECT_EQ(form->peer()->frameInsets().top, 0) << "borderless has no frame";
  form->show();
  EXPECT_NE(IsWindowVisible(w), FALSE) << "show shows the window";
  form->hide();
  EXPECT_TRUE(!IsWindowVisible(w)) << "hide hides it";
}

// The system tells a window that it stands on a monitor of another DPI
// (as Windows does; Wine gives every monitor the same DPI).
TEST(Backend, WindowTakesTheDpiOfTheMonitorItMovesTo) {
  Fixture fx;
  auto* form = fx.app->createForm<ScalingForm>();
  form->show();
  HWND w = hwndOf(*form);
  SIZE asked{};
  SendMessageW(w, 0x02E4 /* WM_GETDPISCALEDSIZE */, 144, reinterpret_cast<LPARAM>(&asked));
  EXPECT_TRUE(asked.cx == 180 && asked.cy == 120) << "asked, it gives its size at 144 DPI";
  RECT suggested{300, 200, 480, 320};
  SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form->dpi(), 144);
  RECT wr{};
  GetWindowRect(w, &wr);
  EXPECT_TRUE(win32::sameRect(wr, suggested)) << "the window takes the suggested rectangle";
  HWND button = FindWindowExW(w, nullptr, L"Button", nullptr);
  EXPECT_TRUE(win32::sameRect(childRect(w, button), {15, 15, 135, 51})) << "the system's button is scaled";
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -18) << "and so is its font";
  HWND handle = FindWindowExW(w, nullptr, L"MiruneChild", nullptr);
  EXPECT_TRUE(win32::sameRect(childRect(w, handle), {15, 75, 60, 105})) << "a windowed panel too";
  int presses = 0;
  form->handle.onMouseDown = [&](ui::MouseButton, unsigned, int, int) { ++presses; };
  // (20, 80) lies below the panel in the design, on it at 144 DPI.
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 80));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 80));
  EXPECT_EQ(presses, 1) << "the mouse finds the control where it is drawn";
}

TEST(Backend, PaintsThroughTheRenderer) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  form->setBorderStyle(ui::BorderStyle::None);
  form->setStayOnTop(true);
  form->setBounds({300, 300, 30, 130});
  form->panel.setColor(0xFF0000);
  form->panel.setBevelOuter(ui::BevelCut::None);
  form->show();
  settle(fx.backend);
  EXPECT_EQ(screenPixel(300 + 2, 300 + 78 + 2), 0xFF0000u) << "the panel shows red on the screen";
  form->panel.setColor(0x0000FF);
  form->update();
  settle(fx.backend);
  EXPECT_EQ(screenPixel(300 + 2, 300 + 78 + 2), 0x0000FFu) << "a changed colour shows after update";
  form->panel.setBounds({0, 90, 30, 40});
  settle(fx.backend);
  EXPECT_EQ(screenPixel(300 + 2, 300 + 80), ui::clBtnFace) << "the place the panel left is repainted";
  EXPECT_EQ(screenPixel(300 + 2, 300 + 92), 0x0000FFu) << "the panel shows at its new place";
}

TEST(Backend, MouseReachesControls) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  form->setBounds({100, 100, 40, 160});
  form->show();
  HWND w = hwndOf(*form);
  int clicks = 0, downs = 0;
  unsigned lastShift = 0;
  form->first.onClick = [&] { ++clicks; };
  form->second.onMouseDown = [&](ui::MouseButton, unsigned shift, int, int) {
    ++downs;
    lastShift = shift;
  };
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(form->first.pressed()) << "a held button is drawn pressed";
  EXPECT_EQ(GetCapture(), w) << "the window holds the mouse while the button is down";
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
  EXPECT_EQ(clicks, 1) << "press and release on the button is a click";
  EXPECT_NE(GetCapture(), w) << "the mouse is let go";
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 100));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 100));
  EXPECT_EQ(clicks, 1) << "released elsewhere is not a click";
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 30));
  SendMessageW(w, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(10, 30));
  EXPECT_EQ(downs, 1) << "the second button got its press";
  EXPECT_TRUE((lastShift & ui::ssShift) && (lastShift & ui::ssLeft))
      << "shift state carries shift and the left button";

  bool asked = false;
  form->onCloseQuery = [&](bool& canClose) {
    asked = true;
    canClose = false;
  };
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_TRUE(asked) << "a close from the system asks the form";
  EXPECT_NE(IsWindowVisible(w), FALSE) << "a refused close keeps the window";
}

TEST(Backend, PopupMenus) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  form->setBounds({100, 100, 40, 160});
  form->show();
  HWND app = fx.backend.applicationWindow();
  ui::PopupMenu menu(*fx.app, "commandMenu");
  std::vector<std::string> log;
  auto& a = menu.add("shoot", "ｼｬｯﾀｰ");
  a.onClick = [&] { log.push_back("shoot"); };
  menu.add("separator1", "-");
  auto& sub = menu.add("size", "表示サイズ");
  auto& s1 = sub.add("fullSize", "1/1");
  auto& s2 = sub.add("quarterSize", "1/4");
  s1.onClick = [&] { log.push_back("fullSize"); };
  s2.onClick = [&] { log.push_back("quarterSize"); };
  // Opening the submenu runs its handler, which may change its items.
  sub.onClick = [&] {
    log.push_back("size");
    s1.setVisible(false);
    s2.setChecked(true);
  };
  auto& off = menu.add("unavailable", "無効");
  off.setEnabled(false);
  off.onClick = [&] { log.push_back("unavailable"); };
  int popups = 0;
  menu.onPopup = [&] { ++popups; };

  postKeys(app, {VK_DOWN, VK_RETURN});
  menu.popup(120, 120);
  EXPECT_EQ(log.size() == 1 ? log[0] : std::string("?"), std::string("shoot"))
      << "the chosen item's handler ran";

  log.clear();
  postKeys(app, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
  menu.popup(120, 120);
  EXPECT_EQ(log.size(), std::size_t(2)) << "submenu handler, then the item";
  if (log.size() == 2) {
    EXPECT_EQ(log[0], std::string("size")) << "the submenu's handler ran as it opened";
    EXPECT_EQ(log[1], std::string("quarterSize"))
        << "the submenu was rebuilt after its handler (full size hidden)";
  }

  // A right click on a control without a menu opens its parent's.
  form->panel.setPopupMenu(&menu);
  log.clear();
  HWND w = hwndOf(*form);
  postKeys(app, {VK_ESCAPE});
  SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 90));
  SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(10, 90));
  EXPECT_EQ(popups, 3) << "a right click on the panel's image opens the panel's menu";
  EXPECT_TRUE(log.empty()) << "Escape chooses nothing";
  postKeys(app, {VK_ESCAPE});
  SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(popups, 3) << "a right click where no menu is set opens none";
  fx.backend.dispatchPending();  // the unused Escape
}

TEST(Backend, Timers) {
  Fixture fx;
  ui::Timer timer(*fx.app, "layoutTimer", 15);
  int fired = 0;
  timer.onTimer = [&] { ++fired; };
  DWORD start = GetTickCount();
  while (fired < 3 && GetTickCount() - start < 3000) {
    fx.backend.processMessages();
    Sleep(5);
  }
  EXPECT_TRUE(fired >= 3) << "an enabled timer fires repeatedly";
  timer.setEnabled(false);
  int before = fired;
  settle(fx.backend, 100);
  EXPECT_EQ(fired, before) << "a disabled timer is silent";
  timer.setInterval(1);
  timer.setEnabled(true);
  timer.onTimer = [&] {
    ++fired;
    timer.setEnabled(false);  // a one-shot, as the tidy pass is
  };
  settle(fx.backend, 100);
  EXPECT_EQ(fired, before + 1) << "a timer that stops itself fires once";

  // A timer whose handler outlasts its interval does not hold
  // processMessages for ever.
  ui::Timer busy(*fx.app, "Busy", 1);
  busy.onTimer = [] { Sleep(5); };
  start = GetTickCount();
  fx.backend.processMessages();
  EXPECT_TRUE(GetTickCount() - start < 1000) << "processMessages returns with a busy timer running";
}

TEST(Backend, PostedWorkAndLoop) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  int ran = 0;
  fx.app->post([&] { ++ran; });
  fx.backend.processMessages();
  EXPECT_EQ(ran, 1) << "processMessages runs posted work";
  fx.app->post([&] {
    ++ran;
    fx.app->post([&] {
      ++ran;
      fx.app->terminate();
    });
  });
  fx.app->run();
  EXPECT_EQ(ran, 3) << "the loop runs posted work, including work posted by it";
  EXPECT_TRUE(fx.app->terminated()) << "the loop ended on terminate";
  EXPECT_TRUE(!IsWindowVisible(hwndOf(*form))) << "the windows leave the screen when the loop ends";
}

TEST(Backend, HiddenFormGetsItsWindowsWhenFirstShown) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  auto* peer = static_cast<win32::FormWindow*>(form->peer());
  EXPECT_EQ(peer->madeWindow(), nullptr) << "a hidden form has no window yet";
  EXPECT_EQ(peer->tooltips().window(), nullptr) << "nor a tooltip";
  // What changes meanwhile is what the window starts with.
  form->setCaption("後から");
  form->setBounds({40, 50, 120, 160});
  form->setEnabled(false);
  form->second.setShowHint(false);
  EXPECT_EQ(peer->madeWindow(), nullptr) << "changes of a hidden form make no window";
  form->show();
  HWND w = peer->madeWindow();
  ASSERT_NE(w, nullptr) << "showing makes the window";
  EXPECT_TRUE(IsWindowVisible(w)) << "and shows it";
  wchar_t text[64] = {};
  GetWindowTextW(w, text, 64);
  EXPECT_EQ(win32::narrow(text), "後から") << "with the caption set while hidden";
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_TRUE(r.left == 40 && r.top == 50 && r.right == 160 && r.bottom == 210) << "and the bounds";
  EXPECT_FALSE(IsWindowEnabled(w)) << "and disabled, as the form is";
  ASSERT_NE(peer->tooltips().window(), nullptr) << "the first hint makes the tooltip";
  EXPECT_EQ(int(SendMessageW(peer->tooltips().window(), TTM_GETTOOLCOUNT, 0, 0)), 1)
      << "with the hints showing now";

  // A form without hints never has a tooltip; asking for its window makes it.
  auto* bare = fx.app->createForm<ui::Form>("Bare");
  auto* barePeer = static_cast<win32::FormWindow*>(bare->peer());
  HWND made = barePeer->hwnd();
  EXPECT_NE(made, nullptr) << "asking for the window of a hidden form makes it";
  EXPECT_FALSE(IsWindowVisible(made)) << "hidden";
  EXPECT_EQ(barePeer->hwnd(), made) << "once";
  EXPECT_EQ(barePeer->tooltips().window(), nullptr) << "no hint, no tooltip";

  // Made while hidden as it will show: on top, its windowed panel a window.
  auto* onTop = fx.app->createForm<TestForm>();
  onTop->setStayOnTop(true);
  onTop->panel.setWindowed(true);
  HWND top = hwndOf(*onTop);
  EXPECT_NE(exStyleOf(top) & WS_EX_TOPMOST, 0u) << "a form that stays on top is topmost from the start";
  HWND panel = GetWindow(top, GW_CHILD);
  RECT r2{};
  GetWindowRect(panel, &r2);
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&r2), 2);
  EXPECT_TRUE(panel && r2.left == 0 && r2.top == 78 && r2.right == 30 && r2.bottom == 130)
      << "the windowed panel is a child window at its place";
  onTop->show();
  EXPECT_NE(exStyleOf(top) & WS_EX_TOPMOST, 0u) << "and stays topmost as it shows";
}

TEST(Backend, HiddenFormsGetTheirWindowsOnceTheLoopRuns) {
  Fixture fx;
  auto* main = fx.app->createForm<TestForm>();
  auto* hidden = fx.app->createForm<TestForm>();
  auto* hiddenPeer = static_cast<win32::FormWindow*>(hidden->peer());
  bool madeBeforeLoop = hiddenPeer->windowMade();
  // Looks every 20 ms; gives up after two seconds.
  int looks = 0;
  ui::Timer look(*fx.app, "Look", 20);
  look.onTimer = [&] {
    if (hiddenPeer->windowMade() || ++looks > 100) fx.app->terminate();
  };
  fx.app->run();
  EXPECT_FALSE(madeBeforeLoop) << "before the loop only shown forms have windows";
  EXPECT_TRUE(hiddenPeer->windowMade()) << "the loop makes the hidden form's window when it is idle";
  EXPECT_NE(hiddenPeer->madeWindow(), nullptr);
  EXPECT_FALSE(IsWindowVisible(hiddenPeer->madeWindow())) << "without showing it";
  EXPECT_NE(static_cast<win32::FormWindow*>(main->peer())->madeWindow(), nullptr);
}

namespace {

// Sends WM_NULL to a window from another thread, as Windows does to learn
// whether a program still answers, and notes whether the answer came while
// the window's thread was still waiting.
struct Asker {
  HWND window;
  std::atomic<bool> waiting{true};
  std::atomic<bool> answeredWhileWaiting{false};
  static DWORD WINAPI run(LPVOID self) noexcept {
    auto* a = static_cast<Asker*>(self);
    Sleep(100);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(a->window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) && a->waiting)
      a->answeredWhileWaiting = true;
    return 0;
  }
};

BOOL CALLBACK countFormWindow(HWND w, LPARAM count) noexcept {
  wchar_t name[32] = {};
  GetClassNameW(w, name, 32);
  if (lstrcmpW(name, L"MiruneForm") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The thread's windows of the form class.
int formWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), &countFormWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

// A shown form with a click posted to its first button and a timer of the
// given interval, each counted when it runs.
struct QueuedInput {
  QueuedInput(Fixture& fx, int intervalMs) : form(fx.app->createForm<TestForm>()) {
    form->setBounds({100, 100, 40, 160});
    form->show();
    w = hwndOf(*form);
    fx.backend.dispatchPending();
    form->first.onClick = [this] { ++clicks; };
    timer.emplace(*fx.app, "timer", intervalMs);
    timer->onTimer = [this] { ++ticks; };
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  }
  QueuedInput(const QueuedInput&) = delete;
  QueuedInput& operator=(const QueuedInput&) = delete;

  TestForm* form;
  HWND w = nullptr;
  int clicks = 0, ticks = 0;
  std::optional<ui::Timer> timer;
};

}  // namespace

TEST(Backend, AWaitAnswersWhatIsSentAndRepaintsButRunsNothingOfTheProgram) {
  Fixture fx;
  QueuedInput in(fx, 10);
  const HWND w = in.w;
  int &clicks = in.clicks, &ticks = in.ticks;
  InvalidateRect(w, nullptr, FALSE);
  Asker asker{w};
  struct Thread {
    HANDLE h;
    ~Thread() {
      if (h) CloseHandle(h);
    }
  } thread{CreateThread(nullptr, 0, &Asker::run, &asker, 0, nullptr)};
  ASSERT_NE(thread.h, nullptr);
  win32::Clock clock;
  ULONGLONG start = GetTickCount64();
  clock.sleep(500);
  ULONGLONG waited = GetTickCount64() - start;
  asker.waiting = false;
  EXPECT_TRUE(clicks == 0 && ticks == 0) << "input and timers wait for the loop";
  EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE)) << "the window was repainted meanwhile";
  while (WaitForSingleObject(thread.h, 10) == WAIT_TIMEOUT) fx.backend.dispatchPending();
  EXPECT_TRUE(asker.answeredWhileWaiting) << "a message sent during the wait is answered during it";
  EXPECT_GE(waited, 500u) << "the wait keeps its length";
  fx.backend.dispatchPending();
  EXPECT_EQ(clicks, 1) << "the click is dispatched after the wait";
}

TEST(Backend, ProcessingPendingMessagesLeavesInputQueued) {
  Fixture fx;
  // A click on the palette during a burst, which handles pending messages
  // before each shot.
  QueuedInput in(fx, 1);
  int &clicks = in.clicks, &ticks = in.ticks;
  Sleep(20);
  fx.app->processMessages();
  EXPECT_EQ(ticks, 1) << "the timers run";
  EXPECT_EQ(clicks, 0) << "the click does not";
  fx.backend.dispatchPending();
  EXPECT_EQ(clicks, 1) << "it waits for the loop";
}

TEST(Backend, AFormWhoseWindowCannotBeMadeStaysUnmadeUntilItCanBe) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  form->panel.setWindowed(true);
  auto* peer = static_cast<win32::FormWindow*>(form->peer());
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // Without its class the system refuses the window.
  win32::FormWindow::unregisterClass(instance);
  fx.app->post([&] { fx.app->terminate(); });  // were the loop reached, it would end at once
  EXPECT_THROW(fx.app->run(), base::Error) << "a main form that cannot appear ends the start-up";
  fx.app->dispatch([&] { form->show(); });
  ASSERT_EQ(fx.boxes.shown.size(), std::size_t(1)) << "a show that fails is reported once";
  EXPECT_EQ(fx.boxes.shown[0], base::kOutOfResources) << "in the program's words";
  EXPECT_FALSE(form->visible()) << "the form stays hidden";
  EXPECT_THROW(peer->hwnd(), base::Error) << "asking for its window tries again";
  // The form's window made, its viewfinder's refused: nothing half made stays.
  win32::FormWindow::registerClass(instance);
  UnregisterClassW(L"MiruneChild", instance);
  fx.app->dispatch([&] { form->show(); });
  EXPECT_EQ(fx.boxes.shown.size(), std::size_t(2)) << "reported";
  EXPECT_TRUE(!form->visible() && !peer->madeWindow() && formWindows() == 0) << "and left unmade";
  win32::FormWindow::registerClass(instance);
  form->show();
  HWND w = peer->madeWindow();
  EXPECT_TRUE(form->visible() && w && IsWindowVisible(w)) << "the next show makes the window";
  EXPECT_NE(GetWindow(w, GW_CHILD), nullptr) << "whole, with its windowed panel";
}

TEST(Backend, AModalScopeWithoutMemoryFailsBeforeItTouchesAWindow) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  form->show();
  HWND w = hwndOf(*form);
  {
    testsupport::AllocationLimit none(0);
    EXPECT_THROW(win32::ModalScope scope(nullptr), std::bad_alloc);
  }
  EXPECT_NE(IsWindowEnabled(w), FALSE) << "the windows stay enabled";
  {
    win32::ModalScope scope(nullptr);
    EXPECT_FALSE(IsWindowEnabled(w)) << "with memory, the scope disables them";
  }
  EXPECT_NE(IsWindowEnabled(w), FALSE) << "for its life only";
}

TEST(Backend, Tooltips) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  hwndOf(*form);  // the window and its tooltip, hidden
  HWND tip = static_cast<win32::FormWindow*>(form->peer())->tooltips().window();
  ASSERT_NE(tip, nullptr) << "the form has a tooltip";
  EXPECT_EQ(int(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)), 2) << "one tool per hinted control";
  form->second.setShowHint(false);
  EXPECT_EQ(int(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)), 1)
      << "a control that stops showing its hint loses its tool";
  form->plain.setHint("ヘルプを表示します");
  form->plain.setShowHint(true);
  form->first.hide();
  EXPECT_EQ(int(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)), 1)
      << "a hidden control has no tool, a new one has";
  form->plain.setTop(60);
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = hwndOf(*form);
  ti.uId = reinterpret_cast<UINT_PTR>(&form->plain);
  wchar_t text[80] = {};
  ti.lpszText = text;
  SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_TRUE(ti.rect.top == 60 && ti.rect.bottom == 86) << "the tool follows the control's bounds";
  EXPECT_EQ(std::wstring(text), L"ヘルプを表示します") << "the tool shows the hint text";
  fx.app->setHintColor(ui::rgb(0, 255, 255));
  EXPECT_EQ(COLORREF(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)), COLORREF(RGB(0, 255, 255)))
      << "the application's hint colour is the tip's background";
}

TEST(Backend, MinimizeRestoreAndActivation) {
  Fixture fx;
  auto* form = fx.app->createForm<TestForm>();
  form->setBounds({10, 10, 40, 160});
  form->show();
  HWND app = fx.backend.applicationWindow();
  HWND w = hwndOf(*form);
  int restores = 0, deactivations = 0;
  fx.app->onRestore.subscribe([&] { ++restores; });
  fx.app->onDeactivate.subscribe([&] { ++deactivations; });
  SendMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(!IsWindowVisible(w)) << "minimising the application takes its forms off the screen";
  EXPECT_TRUE(form->visible()) << "the form itself stays shown";
  SendMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_NE(IsWindowVisible(w), FALSE) << "restoring brings them back";
  EXPECT_EQ(restores, 1) << "the restore handler ran once";
  SendMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(restores, 1) << "a restore while not minimised is nothing";

  // Count from a known state: showing and hiding may have changed it.
  SendMessageW(app, WM_ACTIVATEAPP, TRUE, 0);
  deactivations = 0;
  SendMessageW(app, WM_ACTIVATEAPP, FALSE, 0);
  SendMessageW(w, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(deactivations, 1) << "losing activation is reported once, whichever window hears it";
  SendMessageW(w, WM_ACTIVATEAPP, TRUE, 0);
  SendMessageW(w, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(deactivations, 2) << "and again after the next activation";

  auto* other = fx.app->createForm<TestForm>();
  other->setBounds({100, 10, 40, 160});
  other->show();
  int activations = 0;
  form->onActivate = [&] { ++activations; };
  SetActiveWindow(w);
  EXPECT_TRUE(form->active() && !other->active()) << "activation reaches the form";
  EXPECT_EQ(activations, 1) << "its handler runs once";
  SetActiveWindow(hwndOf(*other));
  EXPECT_TRUE(!form->active() && other->active()) << "activating another form deactivates it";
}
