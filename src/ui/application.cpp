#include "ui/application.h"

#include <algorithm>
#include <new>

#include "base/error.h"
#include "base/raised.h"
#include "system/message_boxes.h"

namespace ui {

Application::Application(Backend& backend, sys::MessageBoxes& messages, sys::Screen& screen)
    : backend_(backend), messages_(messages), screen_(screen) {}

Application::~Application() {
  // Peers go first, while every form still exists.
  for (auto& f : forms_) f->detachPeer();
}

void Application::setTitle(const std::string& t) {
  if (t == title_) return;
  title_ = t;
  backend_.setTitle(t);
}

void Application::setHintColor(Color c) {
  if (c == hintColor_) return;
  hintColor_ = c;
  backend_.setHintColor(c);
}

void Application::adopt(std::unique_ptr<Form> f, bool mayBeMain) {
  Form* form = f.get();
  forms_.push_back(std::move(f));
  if (!mainForm_ && mayBeMain) mainForm_ = form;
  form->attachPeer(backend_.createFormPeer(*form));
  // A failing creation handler is reported; the form exists all the same.
  if (form->onCreate) dispatch(form->onCreate);
}

void Application::run() {
  // A main form that cannot appear ends the start-up with its failure.
  if (mainForm_ && !terminated_) mainForm_->showForm();
  if (!terminated_) backend_.run();
}

void Application::processMessages() { backend_.processMessages(); }

void Application::terminate() {
  terminated_ = true;
  backend_.wake();
}

void Application::post(std::function<void()> work) {
  posted_.push_back(std::move(work));
  backend_.wake();
}

void Application::release(Form& f) {
  Form* target = &f;
  post([this, target] {
    auto it = std::find_if(forms_.begin(), forms_.end(),
                           [target](const std::unique_ptr<Form>& p) { return p.get() == target; });
    if (it == forms_.end()) return;
    std::unique_ptr<Form> doomed = std::move(*it);
    forms_.erase(it);
    doomed->detachPeer();
  });
}

bool Application::runPosted() {
  bool any = false;
  // Only what was posted before this call; work posted meanwhile waits.
  for (size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    auto work = std::move(posted_.front());
    posted_.pop_front();
    dispatch(work);
    any = true;
  }
  return any;
}

void Application::dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    showError(failureText(std::current_exception()));
  }
}

std::string Application::failureText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const base::Error& e) {
    return e.what();
  } catch (const std::bad_alloc&) {
    return base::kOutOfResources;
  } catch (...) {
    return base::kUnexpectedError;
  }
}

void Application::releaseMouse() {
  for (auto& f : forms_) f->releaseMouse();
}

void Application::showError(const std::string& text) {
  // One box at a time: what fails while it is up (a timer that the box's
  // own loop runs) is not stacked on it.
  if (showingError_) return;
  base::Raised showing(showingError_);
  releaseMouse();
  messages_.show(text, title_, sys::MsgIcon::Error, sys::MsgButtons::OK);
}

void Application::notify(const Notice& notice) {
  // By copy: a subscriber may subscribe another.
  for (std::size_t i = 0; i < notice.handlers_.size(); ++i) {
    const std::function<void()> handler = notice.handlers_[i];
    dispatch(handler);
  }
}

void Application::restored() { notify(onRestore); }

void Application::deactivated() { notify(onDeactivate); }

void Application::sessionEnding() { notify(onSessionEnd); }

}  // namespace ui
