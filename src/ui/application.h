#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/form.h"

namespace sys {
class MessageBoxes;
}

namespace ui {

// The application object: owns every form, runs the loop, shows the
// default error box for a handler that fails with ui::Error.
class Application {
 public:
  Application(Backend& backend, sys::MessageBoxes& messages);
  ~Application();

  Backend& backend() const { return backend_; }
  sys::MessageBoxes& messages() const { return messages_; }

  const std::string& title() const { return title_; }
  void setTitle(const std::string& t);
  Color hintColor() const { return hintColor_; }
  void setHintColor(Color c);

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

  // Shows the main form and dispatches messages until terminate().
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
  bool hasPosted() const { return !posted_.empty(); }

  // Runs an event handler: a ui::Error ends it and shows the error box.
  void dispatch(const std::function<void()>& handler);
  void showError(const std::string& text);

  std::function<void()> onRestore;
  std::function<void()> onDeactivate;
  void restored();
  void deactivated();

 private:
  void adopt(std::unique_ptr<Form> f, bool mayBeMain);
  Backend& backend_;
  sys::MessageBoxes& messages_;
  std::string title_;
  Color hintColor_ = 0xE1FFFF;
  std::vector<std::unique_ptr<Form>> forms_;
  Form* mainForm_ = nullptr;
  std::deque<std::function<void()>> posted_;
  bool terminated_ = false;
};

}  // namespace ui
