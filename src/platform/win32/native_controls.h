#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/form.h"
#include "ui/scroll_box.h"

namespace ui {
class PushButton;
}

namespace win32 {

class GdiPainter;

// The controls of a form that are the system's own windows: push buttons
// (BUTTON) and the bars of scroll boxes (SCROLLBAR), as child windows of the
// form's window. Each follows its control's place, visibility, caption,
// enabled state and scroll state; what the user does on them goes back to
// the control. The form's window clips them out of its own painting.
class NativeControls {
 public:
  NativeControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent);
  ~NativeControls();
  NativeControls(const NativeControls&) = delete;
  NativeControls& operator=(const NativeControls&) = delete;

  // Mirrors a change of c, or of a parent that moves or hides natives.
  void controlChanged(ui::Control& c, ui::Change what);
  // WM_COMMAND from a child: a button was clicked. True when it was ours.
  bool command(WPARAM wp, LPARAM lp);
  // WM_HSCROLL / WM_VSCROLL from a child bar. True when it was ours.
  bool scroll(WPARAM wp, LPARAM lp);

 private:
  struct Shown {
    RECT rect{};
    bool visible = false;
    bool enabled = true;
    std::wstring text;
    HFONT font = nullptr;
    SCROLLINFO scroll{};
  };
  struct Button {
    ui::PushButton* control;
    UniqueWindow window;
    Shown shown;
  };
  struct Bar {
    ui::ScrollBox* box;
    ui::Axis axis;
    UniqueWindow window;
    Shown shown;
  };
  void syncButton(Button& b);
  void syncBar(Bar& b);
  void place(HWND w, Shown& shown, RECT rect, bool visible);

  GdiPainter& painter_;
  ui::Form& form_;
  std::vector<Button> buttons_;
  std::vector<Bar> bars_;
};

}  // namespace win32
