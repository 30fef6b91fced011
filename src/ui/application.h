#pragma once
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/form.h"

namespace sys {
class MessageBoxes;
class Screen;
}  // namespace sys

namespace ui {

// A notice from the system that several windows may follow, in the order
// they subscribed.
class Notice {
 public:
  void subscribe(std::function<void()> handler) { handlers_.push_back(std::move(handler)); }

 private:
  friend class Application;
  std::vector<std::function<void()>> handlers_;
};

// The application object: owns every form, runs the loop, shows the
// default error box for a handler that fails with base::Error.
class Application {
 public:
  Application(Backend& backend, sys::MessageBoxes& messages, sys::Screen& screen);
  ~Application();

  Backend& backend() const { return backend_; }
  sys::MessageBoxes& messages() const { return messages_; }
  sys::Screen& screen() const { return screen_; }

  const std::string& title() const { return title_; }
  void setTitle(const std::string& t);
  Color hintColor() const { return hintColor_; }
  void setHintColor(Color c);
  // The window that owns the forms (the taskbar button): a shot hides it
  // so that nothing of the program shows in the picture.
  void hideApplicationWindow() { backend_.setApplicationWindowVisible(false); }
  void showApplicationWindow() { backend_.setApplicationWindowVisible(true); }
  // The font every form starts with (set before the forms are made).
  const Font& font() const { return font_; }
  void setFont(const Font& f) { font_ = f; }

  // Creates a form of class F, gives it its window and runs its onCreate.
  // The first form created becomes the main form.
  template <class F, class... Args>
  F* createForm(Args&&... args) {
    auto owned = std::make_unique<F>(*this, std::forward<Args>(args)...);
    F* f = owned.get();
    adopt(std::move(owned), true);
    return f;
  }
  // A form that never becomes the main form (a start-up window).
  template <class F, class... Args>
  F* createSideForm(Args&&... args) {
    auto owned = std::make_unique<F>(*this, std::forward<Args>(args)...);
    F* f = owned.get();
    adopt(std::move(owned), false);
    return f;
  }
  Form* mainForm() const { return mainForm_; }
  const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }

  // Shows the main form and dispatches messages until terminate(). A main
  // form that cannot be shown ends it with the failure, before the loop.
  void run();
  void processMessages();
  void terminate();
  bool terminated() const { return terminated_; }

  // Work that runs from the message loop, after what is pending now.
  void post(std::function<void()> work);
  // Destroys the form once the loop gets to it.
  void release(Form& f);
  // Runs posted work; the backend calls it from its loop.
  bool runPosted();

  // Runs an event handler: a failure ends it and shows the error box.
  void dispatch(const std::function<void()>& handler);
  // The default error box; nothing while one is up already.
  void showError(const std::string& text);
  // What the error box says for a failure.
  static std::string failureText(const std::exception_ptr& failure);

  // No form keeps the mouse any more: a popup menu or a modal box has it.
  void releaseMouse();

  Notice onRestore;
  Notice onDeactivate;
  // The system is ending the session; the process ends after it.
  Notice onSessionEnd;
  void restored();
  void deactivated();
  void sessionEnding();

 private:
  void adopt(std::unique_ptr<Form> f, bool mayBeMain);
  // Each subscriber runs as a handler of its own, so one that fails does
  // not stop the next.
  void notify(const Notice& notice);
  Backend& backend_;
  sys::MessageBoxes& messages_;
  sys::Screen& screen_;
  std::string title_;
  Color hintColor_ = kDefaultHintColor;
  Font font_;
  std::vector<std::unique_ptr<Form>> forms_;
  Form* mainForm_ = nullptr;
  std::deque<std::function<void()>> posted_;
  bool terminated_ = false;
  bool showingError_ = false;
};

}  // namespace ui
