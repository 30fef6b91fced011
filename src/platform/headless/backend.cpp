#include "platform/headless/backend.h"

#include <algorithm>
#include <cstdio>

#include "system/screen.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/scale.h"
#include "ui/timer.h"

namespace headless {

class Backend::FormPeer : public ui::FormPeer {
 public:
  FormPeer(Backend& b, ui::Form& f) : backend_(b), form_(f) {
    backend_.forms_.push_back(this);
    followMonitor();
  }
  ~FormPeer() override {
    auto& v = backend_.forms_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  void formChanged(ui::Change what) override {
    if (what == ui::Change::Bounds || what == ui::Change::Visible || what == ui::Change::Appearance)
      invalid_ = true;
    // Nothing lies beneath in memory; the count shows when the real
    // system would copy the screen.
    if ((what == ui::Change::Bounds || what == ui::Change::Visible) && form_.visible() && form_.seeThrough())
      ++refreshes_;
    if (what == ui::Change::Bounds) followMonitor();
  }
  // As the system does for a window that is aware of each monitor's DPI:
  // when the window comes to stand on a monitor of another DPI, it is told
  // so, with its rectangle there: the same top-left corner, the size its
  // form asks for at that DPI.
  void followMonitor() {
    if (followingMonitor_) return;
    ui::Rect b = form_.bounds();
    int dpi = sys::monitorOf(form_.application().screen().monitors(), b).dpi;
    if (dpi == form_.dpi()) return;
    followingMonitor_ = true;
    ui::Rect client = form_.clientAreaAtDpi(dpi), in = insetsAt(dpi);
    form_.dpiChangedBySystem(
        dpi, {b.left, b.top, client.width + in.left + in.width, client.height + in.top + in.height});
    followingMonitor_ = false;
  }
  void controlChanged(ui::Control&, ui::Change what, ui::Rect) override {
    if (what != ui::Change::Hint) invalid_ = true;
  }
  void update() override {
    if (invalid_ && form_.visible()) paint();
  }
  void bringToFront() override {}
  picture::Canvas clientImage() override {
    int w = std::max(0, form_.deviceClientWidth()), h = std::max(0, form_.deviceClientHeight());
    picture::Canvas image(w, h);
    ui::renderForm(form_, image, {0, 0, w, h}, backend_.painter_);
    return image;
  }
  ui::Rect frameInsets() const override { return insetsAt(form_.dpi()); }
  // The frame grows with the monitor's DPI, as the system's does.
  ui::Rect insetsAt(int dpi) const {
    ui::Rect design;
    switch (form_.borderStyle()) {
      case ui::BorderStyle::None:
        break;
      case ui::BorderStyle::ToolWindow:
        design = {3, 19, 3, 3};
        break;
      case ui::BorderStyle::Dialog:
        design = {3, 22, 3, 3};
        break;
      case ui::BorderStyle::Sizeable:
        design = {4, 23, 4, 4};
        break;
    }
    return {ui::scaled(design.left, dpi), ui::scaled(design.top, dpi), ui::scaled(design.width, dpi),
            ui::scaled(design.height, dpi)};
  }
  void paint() {
    invalid_ = false;
    // Only the part of the client area that lies on the screen is painted.
    ui::Rect client{0, 0, std::max(0, form_.deviceClientWidth()), std::max(0, form_.deviceClientHeight())};
    ui::Rect part = client;
    if (backend_.screenArea) {
      ui::Rect in = frameInsets();
      int x = form_.left() + in.left, y = form_.top() + in.top;
      ui::Rect screen = backend_.screenArea();
      part = picture::intersect(client, {screen.left - x, screen.top - y, screen.width, screen.height});
    }
    if (part.width <= 0 || part.height <= 0) part = {0, 0, 0, 0};
    origin_ = part;
    if (canvas_.width() != part.width || canvas_.height() != part.height)
      canvas_.resize(part.width, part.height);
    ui::renderForm(form_, canvas_, part, backend_.painter_, part.left, part.top);
    ++paints_;
    if (backend_.onPaint) backend_.onPaint(form_);
  }
  bool invalid() const { return invalid_; }
  Backend& backend_;
  ui::Form& form_;
  picture::Canvas canvas_;
  ui::Rect origin_;  // the client area's part that canvas_ holds
  bool invalid_ = true;
  int paints_ = 0;
  int refreshes_ = 0;
  bool followingMonitor_ = false;
};

class Backend::TimerPeer : public ui::TimerPeer {
 public:
  TimerPeer(Backend& b, ui::Timer& t) : backend_(b), timer_(t) { backend_.timers_.push_back(this); }
  ~TimerPeer() override {
    auto& v = backend_.timers_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  void timerChanged() override {
    armed_ = timer_.enabled() && timer_.interval() > 0;
    if (armed_) due_ = backend_.now_ + timer_.interval();
  }
  Backend& backend_;
  ui::Timer& timer_;
  bool armed_ = false;
  std::int64_t due_ = 0;
};

Backend::Backend() = default;
Backend::~Backend() = default;

std::unique_ptr<ui::FormPeer> Backend::createFormPeer(ui::Form& f) {
  return std::make_unique<FormPeer>(*this, f);
}

std::unique_ptr<ui::TimerPeer> Backend::createTimerPeer(ui::Timer& t) {
  return std::make_unique<TimerPeer>(*this, t);
}

void Backend::popupMenu(ui::PopupMenu& m, int x, int y) {
  menusShown.push_back({m.name(), x, y});
  if (!menuScript) return;
  if (ui::MenuItem* item = menuScript(m)) m.choose(*item);
}

void Backend::runModal(ui::Form& f) {
  modalsShown.push_back(f.name());
  if (modalScript && app_) app_->dispatch([&] { modalScript(f); });
  processMessages();
}

void Backend::paintPending() {
  auto forms = forms_;
  for (FormPeer* p : forms)
    if (p->invalid() && p->form_.visible()) p->paint();
}

// Fires every timer that is due now, once each, as a message queue would.
bool Backend::fireDue() {
  bool any = false;
  auto timers = timers_;
  for (TimerPeer* t : timers) {
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    if (!t->armed_ || t->due_ > now_) continue;
    t->due_ = now_ + t->timer_.interval();
    t->timer_.fire();
    any = true;
  }
  return any;
}

std::int64_t Backend::nextDue() const {
  std::int64_t next = -1;
  for (TimerPeer* t : timers_)
    if (t->armed_ && (next < 0 || t->due_ < next)) next = t->due_;
  return next;
}

void Backend::processMessages() {
  if (app_) app_->runPosted();
  fireDue();
  paintPending();
}

void Backend::run() {
  // Dispatches what is ready at this moment and returns: the program's
  // timers run for ever, so virtual time moves only when a test advances it.
  while (app_ && !app_->terminated()) {
    bool any = app_->runPosted();
    any = fireDue() || any;
    paintPending();
    if (!any) return;
  }
}

void Backend::advance(int ms) {
  std::int64_t end = now_ + ms;
  for (;;) {
    if (app_) app_->runPosted();
    std::int64_t next = nextDue();
    if (next < 0 || next > end) break;
    now_ = std::max(now_, next);
    fireDue();
  }
  // A handler may have run a loop of its own meanwhile (a modal box's),
  // which moved the clock further.
  now_ = std::max(now_, end);
  processMessages();
}

void Backend::sleep(int ms) {
  if (ms > 0) now_ += ms;
}

// Japan's pattern, "H:mm:ss".
std::string Backend::timeOfDay() {
  if (noLocaleTimePattern) return {};
  long s = (startSecondOfDay + now_ / 1000) % 86400;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

std::string Backend::plainTimeOfDay() {
  long s = (startSecondOfDay + now_ / 1000) % 86400;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

std::vector<std::string> Backend::visibleForms() const {
  std::vector<std::string> names;
  for (FormPeer* p : forms_)
    if (p->form_.visible()) names.push_back(p->form_.name());
  return names;
}

int Backend::paintCount(const ui::Form& f) const {
  for (FormPeer* p : forms_)
    if (&p->form_ == &f) return p->paints_;
  return 0;
}

int Backend::backdropRefreshes(const ui::Form& f) const {
  for (FormPeer* p : forms_)
    if (&p->form_ == &f) return p->refreshes_;
  return 0;
}

ui::Rect Backend::canvasArea(const ui::Form& f) const {
  for (FormPeer* p : forms_)
    if (&p->form_ == &f) return p->origin_;
  return {};
}

const picture::Canvas* Backend::canvas(const ui::Form& f) const {
  for (FormPeer* p : forms_)
    if (&p->form_ == &f) return &p->canvas_;
  return nullptr;
}

}  // namespace headless
