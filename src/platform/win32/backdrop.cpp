#include "platform/win32/backdrop.h"

#include <algorithm>

#include "base/error.h"
#include "base/raised.h"

namespace win32 {
namespace {

// The desktop over every monitor, in screen coordinates.
ui::Rect virtualScreen() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

ui::Rect onScreenPart(HWND w) {
  RECT client;
  if (!w || !GetClientRect(w, &client)) return {};
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  ui::Rect screen = virtualScreen();
  ui::Rect part =
      picture::intersect({0, 0, client.right, client.bottom},
                         {screen.left - origin.x, screen.top - origin.y, screen.width, screen.height});
  if (part.width <= 0 || part.height <= 0) return {};
  return part;
}

Backdrop::Backdrop(const ui::Form& form, const UniqueWindow& window) : form_(form), window_(window) {}

bool Backdrop::shows() const { return form_.seeThrough() && !picture_.empty(); }

void Backdrop::draw(picture::Canvas& canvas, int left, int top) const {
  if (!shows()) return;
  canvas.drawBitmap(picture_, {area_.left - left, area_.top - top, picture_.width(), picture_.height()});
}

void Backdrop::takeBeforeShow() {
  if (!form_.seeThrough()) return;
  base::Raised refreshing(refreshing_);
  copy();
}

void Backdrop::windowMoved() {
  if (form_.seeThrough() && !refreshing_ && IsWindowVisible(window_.get())) refresh();
}

void Backdrop::refresh() {
  HWND w = window_.get();
  if (!w || refreshing_) return;
  {
    // Off the screen by an empty window region rather than by hiding: a
    // hidden active window hands the activation to another window (perhaps
    // another program's), and under Wine each hide of a window the window
    // manager knows waits for the manager's answer. The region and the
    // flag come back however the copy ends, or the window would stay
    // invisible and deaf for good.
    base::Raised refreshing(refreshing_);
    struct Emptied {
      HWND w;
      bool emptied = false;
      ~Emptied() {
        if (emptied) SetWindowRgn(w, nullptr, FALSE);
      }
    } region{w};
    UniqueGdi<HRGN> none(CreateRectRgn(0, 0, 0, 0));
    if (none && SetWindowRgn(w, none.get(), FALSE)) {
      none.release();  // the system owns it now
      region.emptied = true;
    }
    copy();
  }
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// With the window off the screen: every visible top-level window that
// overlaps it repaints now, then the screen under the client area is
// copied, as far as the client area lies on the screen.
void Backdrop::copy() {
  HWND w = window_.get();
  ui::Rect part = onScreenPart(w);
  picture_ = {};
  area_ = part;
  pictured_.clear();
  stale_ = false;
  if (part.width <= 0 || part.height <= 0) return;
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  RECT area{origin.x + part.left, origin.y + part.top, origin.x + part.left + part.width,
            origin.y + part.top + part.height};
  for (HWND other = GetWindow(GetDesktopWindow(), GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
    // A window that does not answer would hold us up for good: it keeps
    // what it shows.
    if (other == w || !IsWindowVisible(other) || IsHungAppWindow(other)) continue;
    RECT r, overlap;
    if (GetWindowRect(other, &r) && IntersectRect(&overlap, &area, &r)) {
      InvalidateRect(other, nullptr, TRUE);
      UpdateWindow(other);
      if (GetWindowThreadProcessId(other, nullptr) == GetCurrentThreadId()) pictured_.push_back(other);
    }
  }
  if (!screen_) screen_.emplace();
  try {
    picture_ = screen_->copy({area.left, area.top, part.width, part.height});
  } catch (const base::Error&) {
    // The screen could not be copied: the surface is drawn without what
    // lies beneath until the next refresh, as with no backdrop at all.
  }
}

bool Backdrop::windowChanged(HWND other) {
  HWND w = window_.get();
  if (!w || other == w || !form_.seeThrough()) return false;
  bool stale = std::find(pictured_.begin(), pictured_.end(), other) != pictured_.end();
  RECT mine, theirs, overlap;
  if (!stale && IsWindowVisible(other) && GetWindowRect(w, &mine) && GetWindowRect(other, &theirs) &&
      IntersectRect(&overlap, &mine, &theirs)) {
    // Now beneath this one: further down the stacking order.
    for (HWND below = GetWindow(w, GW_HWNDNEXT); below && !stale; below = GetWindow(below, GW_HWNDNEXT))
      stale = below == other;
  }
  stale_ = stale_ || stale;
  return stale;
}

void Backdrop::refreshIfStale() {
  if (!stale_) return;
  stale_ = false;
  if (window_ && IsWindowVisible(window_.get())) refresh();
}

}  // namespace win32
