#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/form.h"

namespace win32 {

class GdiPainter;

// The standard controls a form has when its window is made, as the
// system's own child windows: edits
// (digits only for masked edits, the input method closed where asked),
// check boxes, radio buttons, push buttons, track bars and the read-only
// text. Each window follows its control's place, visibility, text and
// state; what the user does on it goes back to the control. The default
// push button has the id IDOK and the cancel button IDCANCEL, so the
// dialog keys (Enter, Escape) reach them through the form.
class StandardControls {
 public:
  StandardControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent);
  ~StandardControls();
  StandardControls(const StandardControls&) = delete;
  StandardControls& operator=(const StandardControls&) = delete;

  bool empty() const { return items_.empty(); }
  // Mirrors a change of c, or of a parent that moves or hides controls.
  void controlChanged(ui::Control& c, ui::Change what);
  // A message of the form's window from or about one of ours; true when
  // it was ours, with the window procedure's result.
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  enum class Kind { Edit, CheckBox, Radio, Button, TrackBar, Text };
  struct Item {
    Kind kind = Kind::Edit;
    ui::Control* control = nullptr;
    UniqueWindow window;
    // What the window shows now.
    RECT rect{};
    bool visible = false;
    bool enabled = true;
    bool checked = false;
    std::wstring text;
    HFONT font = nullptr;
    int position = -1, lo = 0, hi = -1, frequency = 0, firstLine = 0;
  };
  void sync(Item& item);
  Item* find(HWND w);
  HBRUSH brush(ui::Color c);

  GdiPainter& painter_;
  ui::Form& form_;
  HWND parent_;
  std::vector<Item> items_;
  std::map<ui::Color, UniqueGdi<HBRUSH>> brushes_;
};

}  // namespace win32
