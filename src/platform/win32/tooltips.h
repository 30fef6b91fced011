#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/handles.h"
#include "ui/form.h"

namespace win32 {

class Backend;

// The hints of one form's window: one tool of a tooltip window per showing
// control with a hint. The tooltip window is made for the first hint, so a
// form without hints has none.
class Tooltips {
 public:
  // window is the form's window, which may not be made yet.
  Tooltips(Backend& backend, const ui::Form& form, const UniqueWindow& window);

  // The tooltip window, if it has been made.
  HWND window() const { return tooltip_.get(); }
  // Brings the tools in step with the controls' hints and places.
  void sync();
  void hintColorChanged();
  // Lets go of the tooltip window and its tools.
  void clear() noexcept;

 private:
  void make();

  struct Tool {
    RECT rect;
    std::wstring text;
  };

  Backend& backend_;
  const ui::Form& form_;
  const UniqueWindow& owner_;
  UniqueWindow tooltip_;
  std::map<const ui::Control*, Tool> tools_;
};

}  // namespace win32
