#include "platform/win32/native_controls.h"

#include <commctrl.h>
#include <imm.h>

#include "base/error.h"
#include "platform/win32/gdi_values.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/painter.h"
#include "platform/win32/text.h"
#include "ui/application.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/push_button.h"
#include "ui/rich_text.h"
#include "ui/scale.h"
#include "ui/track_bar.h"

namespace win32 {
namespace {

// Posted to the form after the text's own scroll bar moved: by then the
// text knows its new first line.
constexpr UINT kReadScroll = WM_APP + 40;

// Closes the input method of an edit's input context, leaving it usable.
void closeInputMethod(HWND edit) {
  HIMC context = ImmGetContext(edit);
  if (!context) return;
  ImmSetOpenStatus(context, FALSE);
  ImmReleaseContext(edit, context);
}

std::wstring windowText(HWND w) {
  int n = GetWindowTextLengthW(w);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  s.resize(static_cast<std::size_t>(GetWindowTextW(w, s.data(), n + 1)));
  return s;
}

std::wstring joinedLines(const ui::RichText& t) {
  std::wstring all;
  for (const std::string& line : t.lines()) {
    if (!all.empty()) all += L"\r\n";
    all += widen(line);
  }
  return all;
}

// A rectangle of c (in its own coordinates) in its form's client area, in
// device pixels.
RECT formRect(const ui::Form& f, const ui::Control& c, ui::Rect r) {
  ui::Rect d = f.toDevice({c.formLeft() + r.left, c.formTop() + r.top, r.width, r.height});
  return {d.left, d.top, d.right(), d.bottom()};
}

bool sameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

NativeControls::NativeControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent)
    : painter_(painter), form_(form), parent_(parent) {
  ui::forEachDescendant(form, [&](ui::Control& c) { add(instance, parent, c); });
  for (Item& item : items_) sync(item);
}

NativeControls::~NativeControls() = default;

void NativeControls::add(HINSTANCE instance, HWND parent, ui::Control& c) {
  Item item;
  item.control = &c;
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  if (auto* box = dynamic_cast<ui::ScrollBox*>(&c)) {
    item.kind = Kind::ScrollBar;
    for (ui::Axis axis : {ui::Axis::Horizontal, ui::Axis::Vertical}) {
      item.axis = axis;
      make(instance, parent, std::move(item), L"SCROLLBAR",
           WS_CHILD | (axis == ui::Axis::Horizontal ? SBS_HORZ : SBS_VERT), 0, nextId_++);
      item = Item{};
      item.kind = Kind::ScrollBar;
      item.control = box;
    }
  } else if (auto* button = dynamic_cast<ui::PushButton*>(&c)) {
    item.kind = Kind::Button;
    int id = nextId_++;
    if (button->isDefault() && !haveDefault_) {
      id = IDOK;
      haveDefault_ = true;
    } else if (button->isCancel() && !haveCancel_) {
      id = IDCANCEL;
      haveCancel_ = true;
    }
    if (button->isDefault() || button->isCancel()) wantsDialogKeys_ = true;
    make(instance, parent, std::move(item), L"BUTTON",
         child | WS_TABSTOP | (button->isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id);
  } else if (dynamic_cast<ui::RichText*>(&c)) {
    item.kind = Kind::Text;
    // Lines are broken in advance: the window must not wrap them again.
    make(instance, parent, std::move(item), L"EDIT",
         child | ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, nextId_++);
    wantsDialogKeys_ = true;
  } else if (auto* edit = dynamic_cast<ui::Edit*>(&c)) {
    item.kind = Kind::Edit;
    DWORD style = child | WS_TABSTOP | ES_AUTOHSCROLL;
    if (dynamic_cast<ui::MaskedEdit*>(edit)) style |= ES_NUMBER;
    make(instance, parent, std::move(item), L"EDIT", style, WS_EX_CLIENTEDGE, nextId_++);
    wantsDialogKeys_ = true;
  } else if (dynamic_cast<ui::CheckBox*>(&c)) {
    item.kind = Kind::CheckBox;
    make(instance, parent, std::move(item), L"BUTTON", child | WS_TABSTOP | BS_CHECKBOX, 0, nextId_++);
    wantsDialogKeys_ = true;
  } else if (dynamic_cast<ui::RadioButton*>(&c)) {
    item.kind = Kind::Radio;
    make(instance, parent, std::move(item), L"BUTTON", child | WS_TABSTOP | BS_RADIOBUTTON, 0, nextId_++);
    wantsDialogKeys_ = true;
  } else if (dynamic_cast<ui::TrackBar*>(&c)) {
    item.kind = Kind::TrackBar;
    make(instance, parent, std::move(item), TRACKBAR_CLASSW,
         child | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS, 0, nextId_++);
    wantsDialogKeys_ = true;
  }
}

void NativeControls::make(HINSTANCE instance, HWND parent, Item item, const wchar_t* cls, DWORD style,
                          DWORD ex, int id) {
  // Without the common controls the system's own classes still answer,
  // in their older look; a track bar does not.
  bool common = loadCommonControls();
  item.window.reset(CreateWindowExW(ex, cls, L"", style, 0, 0, 0, 0, parent,
                                    reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr));
  HWND w = item.window.get();
  // A form is made whole or not at all.
  if (!w) throw base::Error(common ? base::kOutOfResources : base::kUnexpectedError);
  if (auto* edit = dynamic_cast<ui::Edit*>(item.control)) {
    if (edit->inputMethodClosed()) closeInputMethod(w);
    if (edit->maxLength() > 0) SendMessageW(w, EM_LIMITTEXT, WPARAM(edit->maxLength()), 0);
  }
  items_.push_back(std::move(item));
}

NativeControls::Item* NativeControls::find(HWND w) {
  for (Item& item : items_)
    if (item.window.get() == w) return &item;
  return nullptr;
}

HBRUSH NativeControls::brush(ui::Color c) {
  auto it = brushes_.find(c);
  if (it != brushes_.end()) return it->second.get();
  UniqueGdi<HBRUSH> made(CreateSolidBrush(toColorRef(c)));
  HBRUSH b = made.get();
  brushes_.emplace(c, std::move(made));
  return b;
}

void NativeControls::place(Item& item, RECT rect, bool visible) {
  HWND w = item.window.get();
  if (!sameRect(rect, item.rect)) {
    SetWindowPos(w, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    item.rect = rect;
  }
  if (visible != item.visible) {
    ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE);
    item.visible = visible;
  }
}

void NativeControls::syncBar(Item& item) {
  HWND w = item.window.get();
  const auto& box = static_cast<const ui::ScrollBox&>(*item.control);
  ui::Rect viewport = box.viewport();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = box.range(item.axis) - 1;
  si.nPage = UINT(item.axis == ui::Axis::Horizontal ? viewport.width : viewport.height);
  si.nPos = box.position(item.axis);
  if (!sameScroll(si, item.scroll)) {
    SetScrollInfo(w, SB_CTL, &si, TRUE);
    item.scroll = si;
  }
  place(item, formRect(form_, box, box.barRect(item.axis)), box.showing() && box.barShown(item.axis));
}

void NativeControls::sync(Item& item) {
  if (item.kind == Kind::ScrollBar) {
    syncBar(item);
    return;
  }
  HWND w = item.window.get();
  ui::Control& c = *item.control;
  HFONT font = painter_.font(ui::scaled(c.font(), form_.dpi()));
  if (font != item.font) {
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    item.font = font;
    // The text's margin, at the form's DPI as its font is.
    if (auto* text = dynamic_cast<ui::RichText*>(&c))
      SendMessageW(w, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(form_.scaled(text->margin()), 0));
  }
  std::wstring text = item.kind == Kind::Text       ? joinedLines(static_cast<ui::RichText&>(c))
                      : item.kind == Kind::TrackBar ? std::wstring()
                                                    : widen(c.caption());
  if (text != item.text) {
    item.text = text;
    SetWindowTextW(w, text.c_str());
  }
  if (c.enabled() != item.enabled) {
    EnableWindow(w, c.enabled());
    item.enabled = c.enabled();
  }
  switch (item.kind) {
    case Kind::CheckBox:
    case Kind::Radio: {
      bool checked = static_cast<ui::CheckControl&>(c).checked();
      if (checked != item.checked) {
        SendMessageW(w, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        item.checked = checked;
      }
      break;
    }
    case Kind::TrackBar: {
      auto& bar = static_cast<ui::TrackBar&>(c);
      if (bar.minValue() != item.lo || bar.maxValue() != item.hi) {
        SendMessageW(w, TBM_SETRANGEMIN, FALSE, bar.minValue());
        SendMessageW(w, TBM_SETRANGEMAX, TRUE, bar.maxValue());
        item.lo = bar.minValue();
        item.hi = bar.maxValue();
      }
      if (bar.frequency() != item.frequency) {
        SendMessageW(w, TBM_SETTICFREQ, WPARAM(bar.frequency()), 0);
        item.frequency = bar.frequency();
      }
      if (bar.position() != item.position) {
        SendMessageW(w, TBM_SETPOS, TRUE, bar.position());
        item.position = bar.position();
      }
      break;
    }
    case Kind::Text: {
      int want = static_cast<ui::RichText&>(c).firstLine();
      int now = int(SendMessageW(w, EM_GETFIRSTVISIBLELINE, 0, 0));
      if (want != now) SendMessageW(w, EM_LINESCROLL, 0, want - now);
      item.firstLine = want;
      break;
    }
    default:
      break;
  }
  place(item, formRect(form_, c, {0, 0, c.width(), c.height()}), c.showing());
}

void NativeControls::controlChanged(ui::Control& c, ui::Change what) {
  // A move or a visibility change may concern a parent of ours.
  bool everything = what == ui::Change::Bounds || what == ui::Change::Visible;
  for (Item& item : items_)
    if (everything || item.control == &c) sync(item);
}

bool NativeControls::command(HWND from, WORD id, WORD code) {
  ui::Application& app = form_.application();
  Item* item = from ? find(from) : nullptr;
  if (!item) {
    // Enter or Escape with no button of that id.
    if (from || (id != IDOK && id != IDCANCEL)) return false;
    ui::Form& f = form_;
    auto key = id == IDOK ? ui::DialogKey::Enter : ui::DialogKey::Escape;
    app.dispatch([&f, key] { ui::pressDialogKey(f, key); });
    return true;
  }
  ui::Control* c = item->control;
  switch (item->kind) {
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Radio:
      if (code == BN_CLICKED) app.dispatch([c] { c->click(); });
      break;
    case Kind::Edit:
      // The input method starts closed each time the edit takes the
      // focus; the user may still open it to type Japanese.
      if (code == EN_SETFOCUS && static_cast<ui::Edit*>(c)->inputMethodClosed()) closeInputMethod(from);
      if (code == EN_CHANGE) {
        std::wstring now = windowText(from);
        if (now == item->text) break;
        // What the window holds already needs no echo back.
        item->text = now;
        auto* edit = static_cast<ui::Edit*>(c);
        bool kept = false;
        app.dispatch([&] { kept = edit->type(narrow(now.data(), now.size())); });
        if (!kept) {
          item->text = widen(edit->text());
          SetWindowTextW(from, item->text.c_str());
        }
      }
      break;
    case Kind::Text:
      if (code == EN_VSCROLL) PostMessageW(parent_, kReadScroll, 0, reinterpret_cast<LPARAM>(from));
      break;
    default:
      break;
  }
  return true;
}

bool NativeControls::scroll(Item& item, WPARAM wp) {
  ui::Application& app = form_.application();
  HWND from = item.window.get();
  if (item.kind == Kind::TrackBar) {
    int pos = int(SendMessageW(from, TBM_GETPOS, 0, 0));
    item.position = pos;
    auto* bar = static_cast<ui::TrackBar*>(item.control);
    app.dispatch([bar, pos] { bar->slide(pos); });
    return true;
  }
  if (item.kind != Kind::ScrollBar) return false;
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
      GetScrollInfo(from, SB_CTL, &si);
      code = ui::ScrollCode::Thumb;
      thumb = si.nTrackPos;
      break;
    }
    default:
      return true;  // the end of a scroll: nothing moves
  }
  auto* box = static_cast<ui::ScrollBox*>(item.control);
  ui::Axis axis = item.axis;
  app.dispatch([box, axis, code, thumb] { box->scroll(axis, code, thumb); });
  return true;
}

bool NativeControls::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (!command(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp))) return false;
      result = 0;
      return true;
    case kReadScroll: {
      Item* item = find(reinterpret_cast<HWND>(lp));
      if (!item) return false;
      int first = int(SendMessageW(item->window.get(), EM_GETFIRSTVISIBLELINE, 0, 0));
      item->firstLine = first;
      auto* text = static_cast<ui::RichText*>(item->control);
      form_.application().dispatch([text, first] { text->scrolledTo(first); });
      result = 0;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      Item* item = lp ? find(reinterpret_cast<HWND>(lp)) : nullptr;
      if (!item || !scroll(*item, wp)) return false;
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      Item* item = find(reinterpret_cast<HWND>(lp));
      if (!item) return false;
      ui::Control& c = *item->control;
      // The read-only text keeps its own colour; the others take their parent's.
      ui::Color back = item->kind == Kind::Text ? c.color()
                       : c.parent()             ? c.parent()->color()
                                                : ui::clBtnFace;
      if (back == ui::clNone) back = ui::clBtnFace;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, toColorRef(back));
      SetTextColor(dc, toColorRef(c.font().color));
      result = reinterpret_cast<LRESULT>(brush(back));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace win32
