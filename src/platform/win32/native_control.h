#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "ui/form.h"

namespace win32 {

class GdiPainter;

// Where an adapter makes its window: the module, the form's window and the
// child-window id.
struct NativeSite {
  HINSTANCE instance;
  HWND parent;
  int id;
};

// The adapter between one ui control and the system's child window that shows
// it, one per kind of standard control, chosen once when the control is added.
class NativeControl {
 public:
  // Posted to the form's window by an adapter that must act once the
  // window's own handling of a notification has finished.
  static constexpr UINT kAfterNotification = WM_APP + 40;

  virtual ~NativeControl();
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  HWND hwnd() const { return window_.get(); }
  ui::Control& control() const { return control_; }

  // Brings the window in step with its control.
  virtual void sync(const ui::Form& form, GdiPainter& painter) = 0;
  // A notification the window sent to the form's window (WM_COMMAND).
  virtual void command(WORD code, ui::Application& app);
  // What the adapter posted to itself with kAfterNotification.
  virtual void afterNotification(ui::Application& app);
  // A scroll the window reports; false when this kind does not scroll.
  virtual bool scroll(WPARAM wp, ui::Application& app);
  // The colour the window's background and text are painted on.
  virtual ui::Color background() const;
  // True when the form needs the dialog manager's keys (Tab, Enter,
  // Escape) for this control.
  virtual bool wantsDialogKeys() const;

 protected:
  // Makes the window; a window the system refuses fails with base::Error.
  NativeControl(ui::Control& control, const NativeSite& site, const wchar_t* windowClass, DWORD style,
                DWORD exStyle = 0);

  // What a window with text shows of its control.
  struct Face {
    HFONT font = nullptr;
    std::wstring text;
    bool enabled = true;
  };
  // Brings the font, the text and the enabled state in step; true when the
  // font changed.
  bool syncFace(Face& face, const std::wstring& text, const ui::Form& form, GdiPainter& painter);
  // Moves the window to r (the control's own coordinates) and shows or
  // hides it, when either differs from what it shows.
  void place(const ui::Form& form, ui::Rect r, bool visible);
  // The window over the whole control, showing while the control does.
  void placeOverControl(const ui::Form& form);

 private:
  ui::Control& control_;
  UniqueWindow window_;
  RECT rect_{};
  bool visible_ = false;
};

}  // namespace win32
