#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/painter.h"
#include "ui/backend.h"

namespace ui {
class Application;
class MenuItem;
}  // namespace ui

namespace win32 {

class FormWindow;
class TimerSlot;
struct OpenMenu;

// The windowing system of the real program. A hidden application window owns
// every form so that the forms stay off the taskbar, as in the class library.
class Backend : public ui::Backend {
 public:
  explicit Backend(HINSTANCE instance);
  ~Backend() override;
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  void setApplication(ui::Application* app) { app_ = app; }
  ui::Application* application() const { return app_; }

  // ui::Backend
  std::unique_ptr<ui::FormPeer> createFormPeer(ui::Form& f) override;
  std::unique_ptr<ui::TimerPeer> createTimerPeer(ui::Timer& t) override;
  void popupMenu(ui::PopupMenu& m, int x, int y) override;
  void setTitle(const std::string& title) override;
  void setHintColor(ui::Color c) override;
  void setApplicationWindowVisible(bool visible) override;
  void run() override;
  // Timers, paints and posted work; input stays queued.
  void processMessages() override;
  // Everything pending now, input included, as the loop would dispatch it:
  // for the tests, which act as the user.
  void dispatchPending();
  void wake() override;
  void runModal(ui::Form& f) override;

  HINSTANCE instance() const { return instance_; }
  HWND applicationWindow() const { return appWindow_.get(); }
  HWND messageWindow() const { return messageWindow_.get(); }
  // The window of a form, null when the form has none.
  HWND windowOf(const ui::Form& form) const;
  GdiPainter& painter() override { return painter_; }
  // The message loop has ended: windows no longer report to the application.
  bool ending() const { return ending_; }
  ui::Color hintColor() const;

  // Runs a piece of event handling at a window procedure's edge: nothing may
  // unwind through the system's frames, so a failure that is not the class
  // library's own (those end in Application::dispatch) is shown here.
  void guard(const std::function<void()>& work) noexcept;
  // Shows a failure that reached a window procedure's edge.
  void reportFailure(const std::exception_ptr& failure) noexcept;
  // The application became active or inactive (the first of the thread's
  // windows to hear of it reports it, once per change).
  void activationChanged(bool active);

  // --- for the peers ---
  void addForm(FormWindow* f) { forms_.push_back(f); }
  // A window of ours was shown, hidden, moved or sized. See-through forms it
  // concerns take a new copy a tick later, once the screen has settled.
  void windowChanged(HWND w);
  void removeForm(FormWindow* f);
  UINT_PTR addTimer(TimerSlot* t);
  void removeTimer(UINT_PTR id);

 private:
  LRESULT onApplicationMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT onMessageWindowMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  // Enter, Escape and Tab in a form with standard controls; true when the
  // message was handled that way.
  bool dialogMessage(MSG& m);
  void dispatchMessage(MSG& m);
  void minimize();
  void restore();
  void minimized(bool now);
  void menuOpening(HMENU menu);
  // Makes the window of the first form that has none yet; with none left,
  // stops the timer that calls this.
  void makeNextWindow();

  HINSTANCE instance_;
  ui::Application* app_ = nullptr;
  GdiPainter painter_;
  UniqueWindow appWindow_;
  UniqueWindow messageWindow_;
  std::vector<FormWindow*> forms_;
  std::map<UINT_PTR, TimerSlot*> timers_;
  UINT_PTR nextTimer_ = 1;
  OpenMenu* openMenu_ = nullptr;
  bool wakePending_ = false;
  bool refreshArmed_ = false;
  bool minimized_ = false;
  bool appActive_ = false;
  bool ending_ = false;
};

}  // namespace win32
