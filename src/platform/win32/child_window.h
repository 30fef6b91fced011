#pragma once
#include <windows.h>

#include "platform/win32/handles.h"
#include "ui/control.h"

namespace win32 {

class Backend;
class FormWindow;

// The window of a windowed control (a windowed ui::Panel): a child of its
// form's window at the control's place. It draws its part of the form's
// canvas and hands its mouse input to the form in the form's coordinates;
// anything else (cursor, context menu) it leaves to the form's window.
class ChildWindow {
 public:
  ChildWindow(FormWindow& owner, ui::Control& control);
  ~ChildWindow();
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  HWND hwnd() const { return hwnd_.get(); }
  ui::Control& control() const { return control_; }
  Backend& backend() const;
  // Takes the control's place and visibility.
  void place();

  static void registerClass(HINSTANCE instance);
  static void unregisterClass(HINSTANCE instance);

 private:
  LRESULT onMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp);

  FormWindow& owner_;
  ui::Control& control_;
  UniqueWindow hwnd_;
};

}  // namespace win32
