// Push buttons and scroll-box bars as the system's own child windows: they
// follow the model, and what the user does on them reaches the controls.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "platform/win32/backend.h"
#include "platform/win32/form_window.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"
#include "ui/application.h"
#include "ui/check_box.h"
#include "ui/controls.h"
#include "ui/edit.h"
#include "ui/menu.h"
#include "ui/push_button.h"
#include "ui/rich_text.h"
#include "ui/scroll_box.h"
#include "ui/track_bar.h"

namespace {

using wintest::Fixture;
using wintest::hwndOf;

// A sheet-like window: a button column and a strip of 2700 pixels.
struct StripForm : ui::Form {
  ui::Panel column{this, "column"};
  ui::PushButton play{&column, "play"};
  ui::PushButton print{&column, "print"};
  ui::ScrollBox strip{this, "strip"};
  ui::Panel distant{&strip.content(), "distant"};
  explicit StripForm(ui::Application& app) : ui::Form(app, "StripForm") {
    setBorderStyle(ui::BorderStyle::ToolWindow);
    setCaption("ネガシート");
    setBounds({0, 300, 640, 140});
    column.setBounds({0, 0, 89, 109});
    play.setBounds({4, 5, 83, 21});
    play.setCaption("連続表示　＞");
    print.setBounds({4, 86, 83, 20});
    print.setCaption("ﾈｶﾞｼｰﾄ印刷");
    strip.setBounds({89, 0, 500, 109});
    strip.setRange(ui::Axis::Horizontal, 2700);
    strip.setIncrement(ui::Axis::Horizontal, 25);
    strip.setRange(ui::Axis::Vertical, 88);
    distant.setBounds({2000, 0, 75, 75});
  }
};

struct Child {
  HWND hwnd;
  std::wstring cls, text;
};

std::vector<Child> children(HWND parent) {
  std::vector<Child> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[64] = {}, text[128] = {};
    GetClassNameW(c, cls, 64);
    GetWindowTextW(c, text, 128);
    out.push_back({c, cls, text});
  }
  return out;
}

HWND childWith(HWND parent, const std::wstring& cls, const std::wstring& text) {
  for (const Child& c : children(parent))
    if (_wcsicmp(c.cls.c_str(), cls.c_str()) == 0 && (text.empty() || c.text == text)) return c.hwnd;
  return nullptr;
}

RECT childRect(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool rectIs(const RECT& r, int left, int top, int width, int height) {
  return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

void settle(win32::Backend& b) {
  for (int t = 0; t < 200; t += 20) {
    b.dispatchPending();
    Sleep(20);
  }
}

void postKey(HWND w, WPARAM k) {
  PostMessageW(w, WM_KEYDOWN, k, 1);
  PostMessageW(w, WM_KEYUP, k, LPARAM(0xC0000001));
}

}  // namespace

TEST(NativeControls, ButtonsFollowTheModel) {
  Fixture fx;
  auto* form = fx.app->createForm<StripForm>();
  form->show();
  HWND w = hwndOf(*form);
  EXPECT_NE(GetWindowLongPtrW(w, GWL_STYLE) & WS_CLIPCHILDREN, 0)
      << "the form's painting leaves its children be";
  HWND play = childWith(w, L"Button", L"連続表示　＞");
  HWND print = childWith(w, L"Button", L"ﾈｶﾞｼｰﾄ印刷");
  ASSERT_TRUE(play && print) << "each push button is a BUTTON child with its caption";
  EXPECT_TRUE(rectIs(childRect(w, play), 4, 5, 83, 21)) << "the button sits where the model puts it";
  EXPECT_NE(IsWindowVisible(play), FALSE) << "and shows with its form";
  EXPECT_NE(SendMessageW(play, WM_GETFONT, 0, 0), 0) << "it has the form's font";
  // One count of ids for every native control of the form: a button
  // without a role never answers to the dialog keys' ids.
  std::vector<int> ids;
  for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ids.push_back(GetDlgCtrlID(c));
  EXPECT_EQ(ids.size(), std::size_t(4)) << "two buttons and the strip's two bars";
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_TRUE(ids[i] != IDOK && ids[i] != IDCANCEL) << "no plain control has IDOK or IDCANCEL";
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(ids[i], ids[j]) << "each control has its own id";
  }

  int clicks = 0;
  form->play.onClick = [&] { ++clicks; };
  SendMessageW(play, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1) << "a click on the button runs onClick";

  form->play.setCaption("x");
  wchar_t text[32] = {};
  GetWindowTextW(play, text, 32);
  EXPECT_EQ(std::wstring(text), L"x") << "a new caption reaches the window";
  form->column.setLeft(10);
  EXPECT_TRUE(rectIs(childRect(w, play), 14, 5, 83, 21)) << "moving the parent panel moves the button";
  form->column.hide();
  EXPECT_TRUE(!IsWindowVisible(play)) << "hiding the parent panel hides the button";
  form->column.show();
  form->play.setEnabled(false);
  EXPECT_TRUE(!IsWindowEnabled(play)) << "a disabled control disables its window";
}

// Each kind of standard control gets a window of its own kind, with ids
// from one count in the order of the form's controls, and the form takes
// the dialog keys only for controls that use them.
TEST(NativeControls, EachKindGetsItsWindow) {
  struct AllKinds : ui::Form {
    ui::PushButton plain{this, "plain"};
    ui::ScrollBox box{this, "box"};
    ui::MaskedEdit digits{this, "digits"};
    ui::Edit any{this, "any"};
    ui::CheckBox check{this, "check"};
    ui::RadioButton radio{this, "radio"};
    ui::TrackBar bar{this, "bar"};
    ui::RichText text{this, "text"};
    ui::PushButton cancel{this, "cancel"};
    explicit AllKinds(ui::Application& app) : ui::Form(app, "AllKinds") { cancel.setCancel(true); }
  };
  Fixture fx;
  auto* form = fx.app->createForm<AllKinds>();
  HWND w = hwndOf(*form);
  struct Expected {
    int id;
    const wchar_t* cls;
    LONG_PTR mask, style;
    const char* what;
  } expected[] = {
      {1000, L"Button", 0x0F, BS_PUSHBUTTON, "a push button"},
      {1001, L"ScrollBar", SBS_VERT, SBS_HORZ, "the scroll box's horizontal bar"},
      {1002, L"ScrollBar", SBS_VERT, SBS_VERT, "and its vertical one"},
      {1003, L"Edit", ES_NUMBER | ES_READONLY, ES_NUMBER, "a masked edit, digits only"},
      {1004, L"Edit", ES_NUMBER | ES_READONLY, 0, "an edit, any text"},
      {1005, L"Button", 0x0F, BS_CHECKBOX, "a check box"},
      {1006, L"Button", 0x0F, BS_RADIOBUTTON, "a radio button"},
      {1007, TRACKBAR_CLASSW, TBS_VERT, TBS_HORZ, "a track bar"},
      {1008, L"Edit", ES_READONLY | ES_MULTILINE, ES_READONLY | ES_MULTILINE, "the read-only text"},
      {IDCANCEL, L"Button", 0x0F, BS_PUSHBUTTON, "the cancel button, at IDCANCEL"},
  };
  for (const Expected& e : expected) {
    HWND c = GetDlgItem(w, e.id);
    wchar_t cls[64] = {};
    GetClassNameW(c, cls, 64);
    EXPECT_EQ(_wcsicmp(cls, e.cls), 0) << e.what;
    EXPECT_EQ(GetWindowLongPtrW(c, GWL_STYLE) & e.mask, e.style) << e.what;
  }
  EXPECT_TRUE(static_cast<win32::FormWindow*>(form->peer())->wantsDialogKeys())
      << "this form takes the dialog keys";

  auto* strip = fx.app->createForm<StripForm>();
  hwndOf(*strip);
  EXPECT_FALSE(static_cast<win32::FormWindow*>(strip->peer())->wantsDialogKeys())
      << "buttons without a role and scroll bars want no dialog keys";
}

TEST(NativeControls, ButtonOpensItsRightClickMenu) {
  Fixture fx;
  auto* form = fx.app->createForm<StripForm>();
  form->show();
  HWND w = hwndOf(*form);
  ui::PopupMenu menu(*fx.app, "playMenu");
  int chosen = 0, popups = 0, clicks = 0;
  menu.add("autoPlay", "自動連続表示").onClick = [&] { ++chosen; };
  menu.onPopup = [&] { ++popups; };
  form->play.setPopupMenu(&menu);
  form->play.onClick = [&] { ++clicks; };
  HWND play = childWith(w, L"Button", L"連続表示　＞");
  ASSERT_NE(play, nullptr) << "the button exists";
  postKey(fx.backend.applicationWindow(), VK_DOWN);
  postKey(fx.backend.applicationWindow(), VK_RETURN);
  SendMessageW(play, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageW(play, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(popups, 1) << "a right click on the button opens its menu";
  EXPECT_EQ(chosen, 1) << "the item chosen in it runs";
  EXPECT_EQ(clicks, 0) << "a right click is not a click";
}

TEST(NativeControls, ScrollBarFollowsAndDrivesTheBox) {
  Fixture fx;
  auto* form = fx.app->createForm<StripForm>();
  form->show();
  HWND w = hwndOf(*form);
  HWND bar = childWith(w, L"ScrollBar", L"");
  ASSERT_NE(bar, nullptr) << "the strip's bar is a SCROLLBAR child";
  EXPECT_EQ(GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT, 0) << "the first bar is the horizontal one";
  EXPECT_NE(IsWindowVisible(bar), FALSE) << "it shows: 2700 pixels do not fit in 500";
  EXPECT_TRUE(rectIs(childRect(w, bar), 89, 93, 500, 16)) << "along the strip's bottom edge";
  int vertical = 0;
  for (const Child& c : children(w))
    if (_wcsicmp(c.cls.c_str(), L"ScrollBar") == 0 && IsWindowVisible(c.hwnd)) ++vertical;
  EXPECT_EQ(vertical, 1) << "no vertical bar: 88 fits in 93";

  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &si);
  EXPECT_TRUE(si.nMin == 0 && si.nMax == 2699 && si.nPage == 500 && si.nPos == 0)
      << "range, page and position";

  SendMessageW(w, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(form->strip.position(ui::Axis::Horizontal), 25) << "a line is the increment";
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 25) << "and the bar shows it";
  SendMessageW(w, WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(form->strip.position(ui::Axis::Horizontal), 525) << "a page is what the strip shows";
  SendMessageW(w, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(form->strip.position(ui::Axis::Horizontal), 2200) << "the end: the range less the page";
  form->strip.setPosition(ui::Axis::Horizontal, 75);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 75) << "a position set by the program moves the thumb";

  // The user drags the thumb: press, move and release are queued before
  // any is handled, since the bar tracks the drag in a loop of its own.
  RECT br{};
  GetWindowRect(bar, &br);
  int y = (br.top + br.bottom) / 2;
  int thumbX = br.left + 16 + 3 + (br.right - br.left - 32) * 75 / 2700;
  settle(fx.backend);
  SetCursorPos(thumbX, y);
  auto at = [](int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((x * 65536LL) / GetSystemMetrics(SM_CXSCREEN) + 1);
    in.mi.dy = LONG((y * 65536LL) / GetSystemMetrics(SM_CYSCREEN) + 1);
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
  };
  INPUT drag[4] = {at(thumbX, y), at(thumbX + 200, y), at(thumbX + 200, y), {}};
  drag[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  drag[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  drag[3] = at(thumbX + 200, y);
  SendInput(4, drag, sizeof(INPUT));
  settle(fx.backend);
  EXPECT_TRUE(form->strip.position(ui::Axis::Horizontal) > 75) << "dragging the thumb scrolls the strip";
  EXPECT_EQ(form->distant.formLeft(), 89 + 2000 - form->strip.position(ui::Axis::Horizontal))
      << "the content moves with the position";

  form->strip.setRange(ui::Axis::Horizontal, 400);
  EXPECT_TRUE(!IsWindowVisible(bar)) << "a range that fits hides the bar";
}
