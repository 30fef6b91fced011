#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "picture/canvas.h"
#include "platform/win32/backdrop.h"
#include "platform/win32/child_window.h"
#include "platform/win32/form_canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/tooltips.h"
#include "ui/backend.h"
#include "ui/form.h"

namespace win32 {

class Backend;
class NativeControls;

// The window of one form; it routes the window's messages to its parts.
class FormWindow : public ui::FormPeer {
 public:
  FormWindow(Backend& backend, ui::Form& form);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // ui::FormPeer
  void formChanged(ui::Change what) override;
  void controlChanged(ui::Control& c, ui::Change what, ui::Rect oldBounds) override;
  void update() override;
  void bringToFront() override;
  ui::Rect frameInsets() const override;
  void captureMouse(bool on) override;
  picture::Canvas clientImage() override;

  Backend& backend() const { return backend_; }
  // The form's window, made now if the form has not shown yet.
  HWND hwnd();
  // The window if it has been made, without making it.
  HWND madeWindow() const { return hwnd_.get(); }
  // Makes the window and its child windows once. A refusal leaves nothing
  // half made, so the next call can try again.
  void makeWindow();
  // The same for the loop with nothing else to do: a failure is not shown
  // here and stops further idle tries.
  void makeWindowWhenIdle() noexcept;
  bool windowMade() const { return windowMade_; }
  bool wantsIdleWindow() const { return !windowMade_ && !idleAttemptFailed_; }
  ui::Form& form() const { return form_; }
  Backdrop& backdrop() { return backdrop_; }
  FormCanvas& canvas() { return canvas_; }
  Tooltips& tooltips() { return tooltips_; }
  // The form has standard controls: Enter and Escape go to its buttons.
  bool wantsDialogKeys() const;

  static void registerClass(HINSTANCE instance);
  static void unregisterClass(HINSTANCE instance);

  // The window styles a form's border style asks for.
  static DWORD styleFor(const ui::Form& f);
  static DWORD exStyleFor(const ui::Form& f);

  // Mouse input at a point of the client area, in device pixels; from is
  // the window that received it (this one or a child), which takes the
  // capture on a press.
  void mouse(HWND from, UINT msg, WPARAM wp, int x, int y);

 private:
  static DWORD frameStyleFor(const ui::Form& f);
  LRESULT onMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  // The frame's thickness on a monitor of dpi.
  ui::Rect insetsAt(int dpi) const;
  // The window's size on a monitor of dpi, for the form as it is laid out.
  SIZE sizeAtDpi(int dpi) const;
  // The window stands on a monitor of dpi now.
  void takeDpi(int dpi, const RECT* suggested);
  ChildWindow* childOf(const ui::Control& c) const;
  // w is the window of a windowed control, drawn from the form's canvas.
  bool drawsChild(HWND w) const;
  bool contextMenu(HWND w, LPARAM lp);
  bool setCursor(HWND w);
  void applyStyle();
  void invalidate(ui::Rect formRect);
  void unmakeWindow() noexcept;

  Backend& backend_;
  ui::Form& form_;
  UniqueWindow hwnd_;
  Tooltips tooltips_;
  Backdrop backdrop_;
  std::unique_ptr<NativeControls> natives_;
  FormCanvas canvas_;
  std::vector<std::unique_ptr<ChildWindow>> children_;
  HWND pressWindow_ = nullptr;
  bool windowMade_ = false;
  bool making_ = false;
  bool idleAttemptFailed_ = false;
};

}  // namespace win32
