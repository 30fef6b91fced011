#include "platform/win32/backend.h"

#include <algorithm>
#include <set>
#include <utility>

#include "platform/win32/form_window.h"
#include "platform/win32/message_wait.h"
#include "platform/win32/text.h"
#include "platform/win32/window_proc.h"
#include "ui/application.h"
#include "ui/timer.h"

namespace win32 {
namespace {

constexpr wchar_t kApplicationClass[] = L"MiruneApplication";
constexpr wchar_t kMessageClass[] = L"MiruneMessages";
// Posted to the message window when work is posted to the application.
constexpr UINT kWake = WM_APP + 1;
// Posted to the application window to hand its activation to the main form.
constexpr UINT kActivateMain = WM_APP + 2;
// The message window's timer that makes the windows of hidden forms, one a
// tick, once the loop runs; the forms' own timers count up from 1.
constexpr UINT_PTR kMakeWindowsTimer = ~UINT_PTR(1);
// The message window's one-shot timer that has the see-through forms take
// a new copy of the screen when a window of ours came, went or moved
// beneath them. A layout tick later, not at once: the windows uncovered
// have drawn themselves on the screen by then (Wine hands a window's
// drawing to the X server a moment after it painted).
constexpr UINT_PTR kRefreshBackdropsTimer = ~UINT_PTR(2);
constexpr UINT kRefreshBackdropsDelay = 55;

}  // namespace

// A ui::Timer as a SetTimer on the message window.
class TimerSlot : public ui::TimerPeer {
 public:
  TimerSlot(Backend& b, ui::Timer& t) : backend_(b), timer_(t), id_(b.addTimer(this)) {}
  ~TimerSlot() override {
    if (armed_) KillTimer(backend_.messageWindow(), id_);
    backend_.removeTimer(id_);
  }
  TimerSlot(const TimerSlot&) = delete;
  TimerSlot& operator=(const TimerSlot&) = delete;
  void timerChanged() override {
    HWND w = backend_.messageWindow();
    if (timer_.enabled() && timer_.interval() > 0) {
      // Setting it again restarts the interval, as re-enabling a timer does.
      armed_ = SetTimer(w, id_, UINT(timer_.interval()), nullptr) != 0;
    } else if (armed_) {
      KillTimer(w, id_);
      armed_ = false;
    }
  }
  void fire() { timer_.fire(); }

 private:
  Backend& backend_;
  ui::Timer& timer_;
  UINT_PTR id_;
  bool armed_ = false;
};

Backend::Backend(HINSTANCE instance) : instance_(instance) {
  WNDCLASSEXW app{};
  app.cbSize = sizeof app;
  app.lpfnWndProc = &windowProc<Backend, &Backend::onApplicationMessage>;
  app.hInstance = instance;
  app.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  app.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  app.lpszClassName = kApplicationClass;
  RegisterClassExW(&app);

  WNDCLASSEXW msg{};
  msg.cbSize = sizeof msg;
  msg.lpfnWndProc = &windowProc<Backend, &Backend::onMessageWindowMessage>;
  msg.hInstance = instance;
  msg.lpszClassName = kMessageClass;
  RegisterClassExW(&msg);

  FormWindow::registerClass(instance);

  // Zero-sized at the screen's centre, as the class library places it: it
  // is there for its taskbar button and title, never to be seen.
  appWindow_.reset(CreateWindowExW(0, kApplicationClass, L"",
                                   WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                   GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                   nullptr, nullptr, instance, this));
  messageWindow_.reset(
      CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this));
}

Backend::~Backend() {
  // Forms still open belong to an application that outlives us only by
  // mistake; their windows go with their owner below.
  messageWindow_.reset();
  appWindow_.reset();
  FormWindow::unregisterClass(instance_);
  UnregisterClassW(kMessageClass, instance_);
  UnregisterClassW(kApplicationClass, instance_);
}

std::unique_ptr<ui::FormPeer> Backend::createFormPeer(ui::Form& f) {
  return std::make_unique<FormWindow>(*this, f);
}

std::unique_ptr<ui::TimerPeer> Backend::createTimerPeer(ui::Timer& t) {
  return std::make_unique<TimerSlot>(*this, t);
}

void Backend::makeNextWindow() {
  for (FormWindow* f : forms_) {
    if (!f->wantsIdleWindow()) continue;
    f->makeWindowWhenIdle();
    return;
  }
  KillTimer(messageWindow_.get(), kMakeWindowsTimer);
}

HWND Backend::windowOf(const ui::Form& form) const {
  for (FormWindow* f : forms_)
    if (&f->form() == &form) return f->hwnd();
  return nullptr;
}

void Backend::removeForm(FormWindow* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
}

UINT_PTR Backend::addTimer(TimerSlot* t) {
  UINT_PTR id = nextTimer_++;
  timers_[id] = t;
  return id;
}

void Backend::removeTimer(UINT_PTR id) { timers_.erase(id); }

void Backend::setTitle(const std::string& title) {
  if (appWindow_) SetWindowTextW(appWindow_.get(), widen(title).c_str());
}

ui::Color Backend::hintColor() const { return app_ ? app_->hintColor() : ui::kDefaultHintColor; }

void Backend::setHintColor(ui::Color) {
  for (FormWindow* f : forms_) f->tooltips().setColor(hintColor());
}

void Backend::setApplicationWindowVisible(bool visible) {
  if (appWindow_) ShowWindow(appWindow_.get(), visible ? SW_SHOW : SW_HIDE);
}

void Backend::guard(const std::function<void()>& work) noexcept {
  try {
    work();
  } catch (...) {
    reportFailure(std::current_exception());
  }
}

void Backend::reportFailure(const std::exception_ptr& failure) noexcept {
  try {
    if (app_) app_->showError(ui::Application::failureText(failure));
  } catch (...) {
  }
}

void Backend::activationChanged(bool active) {
  if (active == appActive_) return;
  appActive_ = active;
  if (!active && app_ && !ending_) guard([this] { app_->deactivated(); });
}

void Backend::wake() {
  if (wakePending_ || !messageWindow_) return;
  wakePending_ = PostMessageW(messageWindow_.get(), kWake, 0, 0) != FALSE;
}

void Backend::run() {
  if (!app_) return;
  // The taskbar button appears with the loop, as the main form shows.
  if (appWindow_) ShowWindow(appWindow_.get(), SW_SHOWNOACTIVATE);
  guard([this] { app_->runPosted(); });
  // A timer's message comes after every other, painting included: the
  // main form is on the screen and drawn before the hidden forms' windows
  // are made.
  if (messageWindow_) SetTimer(messageWindow_.get(), kMakeWindowsTimer, 1, nullptr);
  while (!app_->terminated()) {
    MSG m;
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // WM_QUIT: the system asks us to end.
      app_->terminate();
      break;
    }
    dispatchMessage(m);
  }
  // The loop is over: nothing reaches the application any more, and the
  // windows leave the screen now, last created first, the taskbar button
  // last; they are destroyed when the application releases its forms.
  ending_ = true;
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if (HWND w = (*it)->madeWindow()) ShowWindow(w, SW_HIDE);
  if (appWindow_) ShowWindow(appWindow_.get(), SW_HIDE);
}

void Backend::processMessages() {
  // The timers and the paints, as the loop would run them, and the posted
  // work; input and every other message wait for the loop, so that no
  // command starts inside the one that called this (a shot). A timer seen
  // twice ends the pass, so that a timer shorter than its own handler
  // cannot keep us here for ever.
  std::set<std::pair<HWND, UINT_PTR>> timersSeen;
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      if (app_) app_->terminate();
      return;
    }
    bool again = !timersSeen.insert({m.hwnd, m.wParam}).second;
    DispatchMessageW(&m);
    if (again) break;
  }
  repaintPending();
  if (app_) guard([this] { app_->runPosted(); });
}

void Backend::dispatchPending() {
  std::set<std::pair<HWND, UINT_PTR>> timersSeen;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      if (app_) app_->terminate();
      break;
    }
    bool again = m.message == WM_TIMER && !timersSeen.insert({m.hwnd, m.wParam}).second;
    dispatchMessage(m);
    if (again) break;
  }
  if (app_) guard([this] { app_->runPosted(); });
}

bool Backend::dialogMessage(MSG& m) {
  if (m.message < WM_KEYFIRST || m.message > WM_KEYLAST || !m.hwnd) return false;
  HWND root = GetAncestor(m.hwnd, GA_ROOT);
  for (FormWindow* f : forms_)
    if (f->madeWindow() == root) return f->wantsDialogKeys() && IsDialogMessageW(root, &m);
  return false;
}

void Backend::dispatchMessage(MSG& m) {
  if (dialogMessage(m)) return;
  TranslateMessage(&m);
  DispatchMessageW(&m);
}

namespace {

// The application's other visible windows take no input while a modal
// form is up, and take it again however the modal loop ends.
class OthersDisabled {
 public:
  OthersDisabled(const std::vector<FormWindow*>& forms, HWND modal) {
    for (FormWindow* f : forms) {
      HWND w = f->madeWindow();
      if (w && w != modal && IsWindowVisible(w) && IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        disabled_.push_back(w);
      }
    }
  }
  ~OthersDisabled() {
    for (HWND w : disabled_)
      if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  OthersDisabled(const OthersDisabled&) = delete;
  OthersDisabled& operator=(const OthersDisabled&) = delete;

 private:
  std::vector<HWND> disabled_;
};

}  // namespace

void Backend::runModal(ui::Form& f) {
  if (!app_) return;
  HWND modal = nullptr;
  for (FormWindow* w : forms_)
    if (&w->form() == &f) modal = w->hwnd();
  OthersDisabled others(forms_, modal);
  if (modal) SetActiveWindow(modal);
  while (f.visible() && !app_->terminated()) {
    MSG m;
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The outer loop must see the quit too.
      PostQuitMessage(int(m.wParam));
      break;
    }
    dispatchMessage(m);
  }
}

void Backend::minimize() {
  ShowWindow(appWindow_.get(), SW_MINIMIZE);
  minimized(true);
}

void Backend::restore() {
  ShowWindow(appWindow_.get(), SW_RESTORE);
  minimized(false);
}

// The forms go with the taskbar button and come back with it; coming back
// runs the application's restore handler. Reached from our own calls and
// from the system's (WM_SIZE), once per change.
void Backend::minimized(bool now) {
  if (now == minimized_) return;
  minimized_ = now;
  ShowOwnedPopups(appWindow_.get(), now ? FALSE : TRUE);
  if (!now && app_) guard([this] { app_->restored(); });
}

LRESULT Backend::onApplicationMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wp & 0xFFF0) {
        case SC_MINIMIZE:
          minimize();
          return 0;
        case SC_RESTORE:
          restore();
          return 0;
        default:
          break;
      }
      break;
    case WM_SIZE:
      if (wp == SIZE_MINIMIZED)
        minimized(true);
      else if (wp == SIZE_RESTORED)
        minimized(false);
      return 0;
    case WM_ACTIVATE:
      // Activation that lands on this window (a taskbar click) goes on to
      // the main form, once this activation is over.
      if (LOWORD(wp) != WA_INACTIVE) PostMessageW(w, kActivateMain, 0, 0);
      break;
    case kActivateMain:
      if (app_ && app_->mainForm() && GetActiveWindow() == w) {
        for (FormWindow* f : forms_)
          if (&f->form() == app_->mainForm() && IsWindowVisible(f->madeWindow()))
            SetActiveWindow(f->madeWindow());
      }
      return 0;
    case WM_ACTIVATEAPP:
      activationChanged(wp != FALSE);
      break;
    case WM_CLOSE:
      // Closing from the taskbar closes the main form, which asks first.
      if (app_ && app_->mainForm()) guard([this] { app_->dispatch([this] { app_->mainForm()->close(); }); });
      return 0;
    case WM_INITMENUPOPUP:
      guard([this, wp] { menuOpening(reinterpret_cast<HMENU>(wp)); });
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // nothing is asked: a question would hold up the log-off
    case WM_ENDSESSION:
      if (wp && app_) guard([this] { app_->sessionEnding(); });
      return 0;
    default:
      break;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

LRESULT Backend::onMessageWindowMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER: {
      if (wp == kMakeWindowsTimer) {
        makeNextWindow();
        return 0;
      }
      if (wp == kRefreshBackdropsTimer) {
        KillTimer(w, kRefreshBackdropsTimer);
        refreshArmed_ = false;
        for (FormWindow* f : std::vector<FormWindow*>(forms_)) guard([f] { f->backdrop().refreshIfStale(); });
        return 0;
      }
      auto it = timers_.find(wp);
      if (it != timers_.end()) {
        TimerSlot* t = it->second;
        guard([t] { t->fire(); });
      }
      return 0;
    }
    case kWake:
      wakePending_ = false;
      if (app_) guard([this] { app_->runPosted(); });
      return 0;
    default:
      break;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void Backend::windowChanged(HWND w) {
  bool stale = false;
  for (FormWindow* f : forms_) stale = f->backdrop().windowChanged(w) || stale;
  if (stale && !refreshArmed_)
    refreshArmed_ =
        SetTimer(messageWindow_.get(), kRefreshBackdropsTimer, kRefreshBackdropsDelay, nullptr) != 0;
}

}  // namespace win32
