#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/handles.h"
#include "ui/form.h"

namespace win32 {

// The hints of one form's window: one tool of a tooltip window per showing
// control with a hint. The tooltip window is made for the first hint, so a
// form without hints has none.
class Tooltips {
 public:
  // The tooltip window belongs to appWindow and shows on the form's window
  // (formWindow), which may not be made yet; color is the hint colour.
  Tooltips(HINSTANCE instance, HWND appWindow, ui::Color color, const ui::Form& form,
           const UniqueWindow& formWindow);

  // The tooltip window, if it has been made.
  HWND window() const { return tooltip_.get(); }
  // Brings the tools in step with the controls' hints and places.
  void sync();
  void setColor(ui::Color color);
  // Lets go of the tooltip window and its tools.
  void clear() noexcept;

 private:
  void make();
  void applyColor();

  struct Tool {
    RECT rect;
    std::wstring text;
  };

  HINSTANCE instance_;
  HWND appWindow_;
  ui::Color color_;
  const ui::Form& form_;
  const UniqueWindow& formWindow_;
  UniqueWindow tooltip_;
  std::map<const ui::Control*, Tool> tools_;
};

}  // namespace win32
