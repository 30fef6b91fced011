#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"
#include "ui/form.h"

namespace win32 {

class GdiPainter;

// The controls of a form that are the system's own child windows.
//
// Ids count up from kFirstId so that none collides with the dialog manager's:
// the first default and cancel buttons take IDOK and IDCANCEL, so that Enter
// and Escape reach them through the form.
class NativeControls {
 public:
  static constexpr int kFirstId = 1000;

  NativeControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent);
  ~NativeControls();
  NativeControls(const NativeControls&) = delete;
  NativeControls& operator=(const NativeControls&) = delete;

  // True when one of the controls needs the dialog manager's keys.
  bool wantsDialogKeys() const { return wantsDialogKeys_; }
  // Mirrors a change of c, or of a parent that moves or hides controls.
  void controlChanged(ui::Control& c, ui::Change what);
  // A message of the form's window from or about one of ours; true when
  // it was ours, with the window procedure's result.
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  void add(HINSTANCE instance, ui::Control& c);
  void adopt(std::unique_ptr<NativeControl> adapter);
  NativeSite site(HINSTANCE instance, int id) const { return {instance, parent_, id}; }
  int buttonId(bool isDefault, bool isCancel);
  bool command(HWND from, WORD id, WORD code);
  NativeControl* find(HWND w) const;
  HBRUSH brush(ui::Color c);

  GdiPainter& painter_;
  ui::Form& form_;
  HWND parent_;
  std::vector<std::unique_ptr<NativeControl>> adapters_;
  std::map<ui::Color, UniqueGdi<HBRUSH>> brushes_;
  int nextId_ = kFirstId;
  bool haveDefault_ = false, haveCancel_ = false, wantsDialogKeys_ = false;
};

}  // namespace win32
