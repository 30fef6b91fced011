// The standard controls as the system's child windows under a real message
// loop: what the program sets shows in the windows, what the user does in
// them reaches the controls, and Enter and Escape reach the form's default
// and cancel buttons.
#include <windows.h>

#include <commctrl.h>
#include <imm.h>

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
#include "ui/push_button.h"
#include "ui/radio_group.h"
#include "ui/rich_text.h"
#include "ui/track_bar.h"

namespace {

using wintest::Fixture;
using wintest::hwndOf;

struct DialogForm : ui::Form {
  ui::Panel back{this, "back"};
  ui::MaskedEdit count{&back, "count"};
  ui::Edit path{&back, "path"};
  ui::CheckBox option{&back, "option"};
  ui::RadioGroup colours{&back, "colours"};
  ui::TrackBar delay{&back, "delay"};
  ui::RichText manual{&back, "manual"};
  ui::PushButton ok{&back, "ok"};
  ui::PushButton cancel{&back, "cancel"};
  int oks = 0, cancels = 0;
  explicit DialogForm(ui::Application& app) : ui::Form(app, "dialogForm") {
    setBorderStyle(ui::BorderStyle::Dialog);
    setCaption("オプション");
    setBounds({100, 100, 400, 330});
    back.setBounds({0, 0, 394, 300});
    count.setBounds({10, 10, 49, 20});
    count.setDigits(1, 2);
    path.setBounds({70, 10, 140, 20});
    option.setBounds({10, 40, 200, 17});
    option.setCaption("ストロボ撮影の間隔を変更する。");
    colours.setBounds({10, 60, 193, 31});
    colours.setColumns(2);
    colours.setItems({"標準", "反転"});
    colours.setItemIndex(0);
    delay.setBounds({10, 100, 150, 28});
    delay.setRange(1, 60);
    delay.setFrequency(10);
    delay.setPosition(1);
    manual.setBounds({220, 40, 160, 120});
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i) lines.push_back("行 " + std::to_string(i));
    manual.setLines(lines);
    ok.setBounds({10, 250, 70, 24});
    ok.setCaption("OK");
    ok.setDefault(true);
    ok.onClick = [this] { ++oks; };
    cancel.setBounds({90, 250, 70, 24});
    cancel.setCaption("ｷｬﾝｾﾙ");
    cancel.setCancel(true);
    cancel.onClick = [this] { ++cancels; };
  }
};

void settle(win32::Backend& b, int ms = 200) {
  for (int t = 0; t < ms; t += 20) {
    b.dispatchPending();
    Sleep(20);
  }
}

HWND formWindow(ui::Form& f) { return static_cast<win32::FormWindow*>(f.peer())->hwnd(); }

// The child window of the given class whose n-th of that class it is.
HWND child(HWND parent, const wchar_t* cls, int n) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(c, name, 64);
    if (lstrcmpiW(name, cls) == 0 && n-- == 0) return c;
  }
  return nullptr;
}

std::wstring textOf(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

}  // namespace

TEST(StandardControls, MirrorTheModelAndTheUser) {
  Fixture fx;
  auto* f = fx.app->createForm<DialogForm>();
  f->showForm();
  settle(fx.backend);
  HWND w = formWindow(*f);
  HWND count = child(w, L"Edit", 0), path = child(w, L"Edit", 1), manual = child(w, L"Edit", 2);
  HWND option = child(w, L"Button", 0), firstColour = child(w, L"Button", 1),
       secondColour = child(w, L"Button", 2);
  HWND bar = child(w, TRACKBAR_CLASSW, 0), ok = child(w, L"Button", 3);
  EXPECT_TRUE(count && path && manual && option && firstColour && secondColour && bar && ok)
      << "every standard control has its window";
  EXPECT_NE(GetWindowLongPtrW(count, GWL_STYLE) & ES_NUMBER, 0) << "the masked edit takes digits only";
  EXPECT_EQ(int(SendMessageW(count, EM_GETLIMITTEXT, 0, 0)), 2) << "and at most two of them";
  EXPECT_EQ(GetDlgCtrlID(ok), IDOK) << "the default button answers to IDOK";
  EXPECT_EQ(int(GetWindowLongPtrW(ok, GWL_STYLE) & 0x0F), int(BS_DEFPUSHBUTTON))
      << "and is drawn as the default";

  // The program's values show in the windows.
  f->count.setText("12");
  f->option.setChecked(true);
  f->delay.setPosition(42);
  f->manual.setScrollTop(12 * 30);
  EXPECT_EQ(textOf(count), L"12") << "the edit shows the text set";
  EXPECT_EQ(int(SendMessageW(option, BM_GETCHECK, 0, 0)), int(BST_CHECKED))
      << "the check box shows its check";
  EXPECT_EQ(int(SendMessageW(bar, TBM_GETPOS, 0, 0)), 42) << "the track bar shows its position";
  EXPECT_EQ(int(SendMessageW(manual, EM_GETFIRSTVISIBLELINE, 0, 0)), 30) << "the text shows line 30 first";
  f->count.hide();
  EXPECT_TRUE(!IsWindowVisible(count)) << "a hidden control hides its window";
  f->back.hide();
  EXPECT_TRUE(!IsWindowVisible(path)) << "hiding a parent hides the windows in it";
  f->back.show();
  f->count.show();
  EXPECT_TRUE(IsWindowVisible(count) && IsWindowVisible(path)) << "and showing it shows them again";

  // What the user does reaches the controls.
  SetWindowTextW(count, L"7");
  settle(fx.backend, 60);
  EXPECT_EQ(f->count.text(), std::string("7")) << "typed digits reach the masked edit";
  SetWindowTextW(count, L"7x");  // pasted: not digits
  settle(fx.backend, 60);
  EXPECT_EQ(f->count.text(), std::string("7")) << "refused text stays out of the model";
  EXPECT_EQ(textOf(count), L"7") << "and out of the window";
  SetWindowTextW(path, L"C:\\絵\\draw.exe");
  settle(fx.backend, 60);
  EXPECT_EQ(f->path.text(), std::string("C:\\絵\\draw.exe")) << "a plain edit takes any text";
  SendMessageW(option, BM_CLICK, 0, 0);
  settle(fx.backend, 60);
  EXPECT_TRUE(!f->option.checked()) << "a click unchecks the check box";
  EXPECT_EQ(int(SendMessageW(option, BM_GETCHECK, 0, 0)), int(BST_UNCHECKED)) << "and its window follows";
  SendMessageW(secondColour, BM_CLICK, 0, 0);
  settle(fx.backend, 60);
  EXPECT_EQ(f->colours.itemIndex(), 1) << "a click on the second radio button chooses it";
  EXPECT_EQ(int(SendMessageW(firstColour, BM_GETCHECK, 0, 0)), int(BST_UNCHECKED))
      << "the first one's window unchecks";
  SendMessageW(bar, TBM_SETPOS, TRUE, 17);
  SendMessageW(w, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 17), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(f->delay.position(), 17) << "a moved thumb reaches the track bar";
  SendMessageW(manual, WM_VSCROLL, SB_TOP, 0);
  settle(fx.backend, 100);
  EXPECT_EQ(f->manual.firstLine(), 0) << "a scroll by hand reaches the text";

  // Enter and Escape, with the focus in an edit.
  SetFocus(count);
  PostMessageW(count, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(count, WM_KEYUP, VK_RETURN, LPARAM(0xC0000001));
  settle(fx.backend, 100);
  EXPECT_EQ(f->oks, 1) << "Enter presses the default button";
  PostMessageW(count, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(count, WM_KEYUP, VK_ESCAPE, LPARAM(0xC0000001));
  settle(fx.backend, 100);
  EXPECT_EQ(f->cancels, 1) << "Escape presses the cancel button";
  EXPECT_EQ(f->oks, 1) << "and not the default one";
}

TEST(StandardControls, AModalFormReturnsWhenClosed) {
  Fixture fx;
  auto* other = fx.app->createForm<DialogForm>();
  other->showForm();
  auto* modal = fx.app->createForm<DialogForm>();
  modal->ok.onClick = [modal] { modal->close(); };
  bool otherWasDisabled = false;
  HWND ok = child(formWindow(*modal), L"Button", 3);
  // Both wait in the queue for the modal loop: a look at the other form,
  // then the user's press on OK.
  fx.app->post([&] { otherWasDisabled = !IsWindowEnabled(formWindow(*other)); });
  PostMessageW(ok, BM_CLICK, 0, 0);
  DWORD before = GetTickCount();
  modal->showModal();
  EXPECT_TRUE(!modal->visible()) << "the modal loop returns once the form is closed";
  EXPECT_TRUE(otherWasDisabled) << "the other forms took no input meanwhile";
  EXPECT_NE(IsWindowEnabled(formWindow(*other)), FALSE) << "and take it again afterwards";
  EXPECT_TRUE(GetTickCount() - before < 5000) << "without waiting for anything else";
}

TEST(StandardControls, AnEditStartsWithItsInputMethodClosedNotRemoved) {
  Fixture fx;
  // The thread's input method is open, as a Japanese user's often is.
  HWND app = fx.backend.applicationWindow();
  HIMC open = ImmGetContext(app);
  ASSERT_NE(open, nullptr);
  ImmSetOpenStatus(open, TRUE);
  ImmReleaseContext(app, open);
  auto* f = fx.app->createForm<DialogForm>();
  f->path.setInputMethodClosed(true);
  HWND w = formWindow(*f);  // made while hidden, as the options dialog is
  HWND path = child(w, L"Edit", 1);
  HIMC context = ImmGetContext(path);
  ASSERT_NE(context, nullptr) << "the edit keeps its input context";
  EXPECT_FALSE(ImmGetOpenStatus(context)) << "with the input method closed";
  ImmReleaseContext(path, context);
}
