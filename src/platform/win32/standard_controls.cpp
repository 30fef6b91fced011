#include "platform/win32/standard_controls.h"

#include <commctrl.h>
#include <imm.h>

#include <functional>

#include "platform/win32/gdi_values.h"
#include "platform/win32/painter.h"
#include "platform/win32/text.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/rich_text.h"
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

}  // namespace

StandardControls::StandardControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent)
    : painter_(painter), form_(form), parent_(parent) {
  int nextId = 1000;
  bool haveDefault = false, haveCancel = false;
  ui::forEachDescendant(form, [&](ui::Control& control) {
    ui::Control* c = &control;
    const wchar_t* cls = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS, ex = 0;
    Kind kind{};
    int id = nextId++;
    if (auto* text = dynamic_cast<ui::RichText*>(c)) {
      (void)text;
      kind = Kind::Text;
      cls = L"EDIT";
      // Lines are broken in advance: the window must not wrap them again.
      style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    } else if (auto* edit = dynamic_cast<ui::Edit*>(c)) {
      kind = Kind::Edit;
      cls = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      if (dynamic_cast<ui::MaskedEdit*>(edit)) style |= ES_NUMBER;
      ex = WS_EX_CLIENTEDGE;
    } else if (dynamic_cast<ui::CheckBox*>(c)) {
      kind = Kind::CheckBox;
      cls = L"BUTTON";
      style |= WS_TABSTOP | BS_CHECKBOX;
    } else if (dynamic_cast<ui::RadioButton*>(c)) {
      kind = Kind::Radio;
      cls = L"BUTTON";
      style |= WS_TABSTOP | BS_RADIOBUTTON;
    } else if (auto* button = dynamic_cast<ui::Button*>(c)) {
      kind = Kind::Button;
      cls = L"BUTTON";
      style |= WS_TABSTOP | (button->isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      if (button->isDefault() && !haveDefault) {
        id = IDOK;
        haveDefault = true;
      } else if (button->isCancel() && !haveCancel) {
        id = IDCANCEL;
        haveCancel = true;
      }
    } else if (dynamic_cast<ui::TrackBar*>(c)) {
      kind = Kind::TrackBar;
      cls = TRACKBAR_CLASSW;
      style |= WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS;
    }
    if (cls) {
      UniqueWindow made(CreateWindowExW(ex, cls, L"", style, 0, 0, 0, 0, parent,
                                        reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr));
      if (made) {
        HWND w = made.get();
        if (auto* edit = dynamic_cast<ui::Edit*>(c)) {
          if (edit->inputMethodClosed()) closeInputMethod(w);
          if (edit->maxLength() > 0) SendMessageW(w, EM_LIMITTEXT, WPARAM(edit->maxLength()), 0);
        }
        if (auto* text = dynamic_cast<ui::RichText*>(c))
          SendMessageW(w, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(text->margin(), 0));
        Item item;
        item.kind = kind;
        item.control = c;
        item.window = std::move(made);
        items_.push_back(std::move(item));
      }
    }
  });
  for (Item& item : items_) sync(item);
}

StandardControls::~StandardControls() = default;

StandardControls::Item* StandardControls::find(HWND w) {
  for (Item& item : items_)
    if (item.window.get() == w) return &item;
  return nullptr;
}

HBRUSH StandardControls::brush(ui::Color c) {
  auto it = brushes_.find(c);
  if (it != brushes_.end()) return it->second.get();
  UniqueGdi<HBRUSH> made(CreateSolidBrush(toColorRef(c)));
  HBRUSH b = made.get();
  brushes_.emplace(c, std::move(made));
  return b;
}

void StandardControls::sync(Item& item) {
  HWND w = item.window.get();
  ui::Control& c = *item.control;
  HFONT font = painter_.font(c.font());
  if (font != item.font) {
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    item.font = font;
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
      bool checked = item.kind == Kind::CheckBox ? static_cast<ui::CheckBox&>(c).checked()
                                                 : static_cast<ui::RadioButton&>(c).checked();
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
  RECT rect{c.formLeft(), c.formTop(), c.formLeft() + c.width(), c.formTop() + c.height()};
  if (!sameRect(rect, item.rect)) {
    SetWindowPos(w, nullptr, rect.left, rect.top, c.width(), c.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    item.rect = rect;
  }
  bool visible = c.showing();
  if (visible != item.visible) {
    ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE);
    item.visible = visible;
  }
}

void StandardControls::controlChanged(ui::Control& c, ui::Change what) {
  // A move or a visibility change may concern a parent of ours.
  bool everything = what == ui::Change::Bounds || what == ui::Change::Visible;
  for (Item& item : items_)
    if (everything || item.control == &c) sync(item);
}

bool StandardControls::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  ui::Application& app = form_.application();
  switch (msg) {
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lp);
      WORD id = LOWORD(wp), code = HIWORD(wp);
      Item* item = from ? find(from) : nullptr;
      result = 0;
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
          if (code == EN_VSCROLL) PostMessageW(parent_, kReadScroll, 0, lp);
          break;
        default:
          break;
      }
      return true;
    }
    case kReadScroll: {
      Item* item = find(reinterpret_cast<HWND>(lp));
      if (!item) return false;
      int first = int(SendMessageW(item->window.get(), EM_GETFIRSTVISIBLELINE, 0, 0));
      item->firstLine = first;
      auto* text = static_cast<ui::RichText*>(item->control);
      app.dispatch([text, first] { text->scrolledTo(first); });
      result = 0;
      return true;
    }
    case WM_HSCROLL: {
      Item* item = find(reinterpret_cast<HWND>(lp));
      if (!item || item->kind != Kind::TrackBar) return false;
      int pos = int(SendMessageW(item->window.get(), TBM_GETPOS, 0, 0));
      item->position = pos;
      auto* bar = static_cast<ui::TrackBar*>(item->control);
      app.dispatch([bar, pos] { bar->slide(pos); });
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
