#include "platform/win32/native_scroll_bar.h"

#include "ui/application.h"

namespace win32 {
namespace {

bool sameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

NativeScrollBar::NativeScrollBar(ui::ScrollBox& box, ui::Axis axis, const NativeSite& site)
    : NativeControl(box, site, L"SCROLLBAR", WS_CHILD | (axis == ui::Axis::Horizontal ? SBS_HORZ : SBS_VERT)),
      box_(box),
      axis_(axis) {}

void NativeScrollBar::sync(const ui::Form& form, GdiPainter&) {
  ui::Rect viewport = box_.viewport();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = box_.range(axis_) - 1;
  si.nPage = UINT(axis_ == ui::Axis::Horizontal ? viewport.width : viewport.height);
  si.nPos = box_.position(axis_);
  if (!sameScroll(si, shown_)) {
    SetScrollInfo(hwnd(), SB_CTL, &si, TRUE);
    shown_ = si;
  }
  place(form, box_.barRect(axis_), box_.showing() && box_.barShown(axis_));
}

bool NativeScrollBar::scroll(WPARAM wp, ui::Application& app) {
  ui::ScrollCode code;
  int thumb = 0;
  switch (LOWORD(wp)) {
    case SB_LINELEFT:
      code = ui::ScrollCode::LineBack;
      break;
    case SB_LINERIGHT:
      code = ui::ScrollCode::LineForward;
      break;
    case SB_PAGELEFT:
      code = ui::ScrollCode::PageBack;
      break;
    case SB_PAGERIGHT:
      code = ui::ScrollCode::PageForward;
      break;
    case SB_LEFT:
      code = ui::ScrollCode::Start;
      break;
    case SB_RIGHT:
      code = ui::ScrollCode::End;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit position: the message itself carries only 16 bits.
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd(), SB_CTL, &si);
      code = ui::ScrollCode::Thumb;
      thumb = si.nTrackPos;
      break;
    }
    default:
      return true;  // the end of a scroll: nothing moves
  }
  ui::ScrollBox* box = &box_;
  ui::Axis axis = axis_;
  app.dispatch([box, axis, code, thumb] { box->scroll(axis, code, thumb); });
  return true;
}

}  // namespace win32
