#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/form.h"
#include "ui/scroll_box.h"

namespace win32 {

class GdiPainter;

// The controls of a form that are the system's own child windows of the
// form's window, made when the form's window is: push buttons, edits
// (digits only for masked edits, the input method closed where asked),
// check boxes, radio buttons, track bars, the read-only text and the bars
// of scroll boxes. Each window follows its control's place, visibility,
// text and state; what the user does on it goes back to the control. The
// form's window clips them out of its own painting.
//
// Child-window ids are given from one count, kFirstId upwards, so none
// collides with the dialog manager's: the form's first default button has
// the id IDOK and its first cancel button IDCANCEL, so the dialog keys
// (Enter, Escape) reach them through the form.
class NativeControls {
 public:
  static constexpr int kFirstId = 1000;

  NativeControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent);
  ~NativeControls();
  NativeControls(const NativeControls&) = delete;
  NativeControls& operator=(const NativeControls&) = delete;

  // A form wants the dialog manager's keys (Tab, Enter, Escape) when it
  // has a control that takes typed input or a button with a role: an edit,
  // a check box, a radio button, a track bar, the read-only text, or a
  // default or cancel button.
  bool wantsDialogKeys() const { return wantsDialogKeys_; }
  // Mirrors a change of c, or of a parent that moves or hides controls.
  void controlChanged(ui::Control& c, ui::Change what);
  // A message of the form's window from or about one of ours; true when
  // it was ours, with the window procedure's result.
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  enum class Kind { Button, Edit, CheckBox, Radio, TrackBar, Text, ScrollBar };
  struct Item {
    Kind kind = Kind::Button;
    ui::Control* control = nullptr;
    ui::Axis axis = ui::Axis::Horizontal;  // a scroll bar's
    UniqueWindow window;
    // What the window shows now.
    RECT rect{};
    bool visible = false;
    bool enabled = true;
    bool checked = false;
    std::wstring text;
    HFONT font = nullptr;
    int position = -1, lo = 0, hi = -1, frequency = 0, firstLine = 0;
    SCROLLINFO scroll{};
  };
  void add(HINSTANCE instance, HWND parent, ui::Control& c);
  void make(HINSTANCE instance, HWND parent, Item item, const wchar_t* cls, DWORD style, DWORD ex, int id);
  void sync(Item& item);
  void syncBar(Item& item);
  void place(Item& item, RECT rect, bool visible);
  bool command(HWND from, WORD id, WORD code);
  bool scroll(Item& item, WPARAM wp);
  Item* find(HWND w);
  HBRUSH brush(ui::Color c);

  GdiPainter& painter_;
  ui::Form& form_;
  HWND parent_;
  std::vector<Item> items_;
  std::map<ui::Color, UniqueGdi<HBRUSH>> brushes_;
  int nextId_ = kFirstId;
  bool haveDefault_ = false, haveCancel_ = false, wantsDialogKeys_ = false;
};

}  // namespace win32
