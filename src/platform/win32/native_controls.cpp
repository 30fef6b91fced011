#include "platform/win32/native_controls.h"

#include "platform/win32/gdi_values.h"
#include "platform/win32/native_button.h"
#include "platform/win32/native_check.h"
#include "platform/win32/native_edit.h"
#include "platform/win32/native_scroll_bar.h"
#include "platform/win32/native_text.h"
#include "platform/win32/native_track_bar.h"
#include "ui/application.h"

namespace win32 {

NativeControls::NativeControls(HINSTANCE instance, GdiPainter& painter, ui::Form& form, HWND parent)
    : painter_(painter), form_(form), parent_(parent) {
  ui::forEachDescendant(form, [&](ui::Control& c) { add(instance, c); });
  for (auto& adapter : adapters_) adapter->sync(form_, painter_);
}

NativeControls::~NativeControls() = default;

// The one place that looks at a control's kind: each kind the system draws
// has its adapter, chosen here once. A masked edit is an edit, so it comes
// first.
void NativeControls::add(HINSTANCE instance, ui::Control& c) {
  if (auto* box = dynamic_cast<ui::ScrollBox*>(&c)) {
    for (ui::Axis axis : {ui::Axis::Horizontal, ui::Axis::Vertical})
      adopt(std::make_unique<NativeScrollBar>(*box, axis, site(instance, nextId_++)));
  } else if (auto* button = dynamic_cast<ui::PushButton*>(&c)) {
    int id = buttonId(button->isDefault(), button->isCancel());
    adopt(std::make_unique<NativeButton>(*button, site(instance, id)));
  } else if (auto* text = dynamic_cast<ui::RichText*>(&c)) {
    adopt(std::make_unique<NativeText>(*text, site(instance, nextId_++)));
  } else if (auto* masked = dynamic_cast<ui::MaskedEdit*>(&c)) {
    adopt(std::make_unique<NativeEdit>(*masked, true, site(instance, nextId_++)));
  } else if (auto* edit = dynamic_cast<ui::Edit*>(&c)) {
    adopt(std::make_unique<NativeEdit>(*edit, false, site(instance, nextId_++)));
  } else if (auto* check = dynamic_cast<ui::CheckBox*>(&c)) {
    adopt(std::make_unique<NativeCheck>(*check, BS_CHECKBOX, site(instance, nextId_++)));
  } else if (auto* radio = dynamic_cast<ui::RadioButton*>(&c)) {
    adopt(std::make_unique<NativeCheck>(*radio, BS_RADIOBUTTON, site(instance, nextId_++)));
  } else if (auto* bar = dynamic_cast<ui::TrackBar*>(&c)) {
    adopt(std::make_unique<NativeTrackBar>(*bar, site(instance, nextId_++)));
  }
}

void NativeControls::adopt(std::unique_ptr<NativeControl> adapter) {
  wantsDialogKeys_ = wantsDialogKeys_ || adapter->wantsDialogKeys();
  adapters_.push_back(std::move(adapter));
}

// Every button takes an id from the count; the first default and the
// first cancel button answer to the dialog keys' ids instead.
int NativeControls::buttonId(bool isDefault, bool isCancel) {
  int id = nextId_++;
  if (isDefault && !haveDefault_) {
    haveDefault_ = true;
    return IDOK;
  }
  if (isCancel && !haveCancel_) {
    haveCancel_ = true;
    return IDCANCEL;
  }
  return id;
}

NativeControl* NativeControls::find(HWND w) const {
  for (const auto& adapter : adapters_)
    if (adapter->hwnd() == w) return adapter.get();
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

void NativeControls::controlChanged(ui::Control& c, ui::Change what) {
  // A move or a visibility change may concern a parent of ours.
  bool everything = what == ui::Change::Bounds || what == ui::Change::Visible;
  for (auto& adapter : adapters_)
    if (everything || &adapter->control() == &c) adapter->sync(form_, painter_);
}

bool NativeControls::command(HWND from, WORD id, WORD code) {
  ui::Application& app = form_.application();
  NativeControl* adapter = from ? find(from) : nullptr;
  if (!adapter) {
    // Enter or Escape with no button of that id.
    if (from || (id != IDOK && id != IDCANCEL)) return false;
    ui::Form& f = form_;
    auto key = id == IDOK ? ui::DialogKey::Enter : ui::DialogKey::Escape;
    app.dispatch([&f, key] { ui::pressDialogKey(f, key); });
    return true;
  }
  adapter->command(code, app);
  return true;
}

bool NativeControls::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (!command(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp))) return false;
      result = 0;
      return true;
    case NativeControl::kAfterNotification: {
      NativeControl* adapter = find(reinterpret_cast<HWND>(lp));
      if (!adapter) return false;
      adapter->afterNotification(form_.application());
      result = 0;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      NativeControl* adapter = lp ? find(reinterpret_cast<HWND>(lp)) : nullptr;
      if (!adapter || !adapter->scroll(wp, form_.application())) return false;
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      NativeControl* adapter = find(reinterpret_cast<HWND>(lp));
      if (!adapter) return false;
      ui::Color back = adapter->background();
      if (back == ui::clNone) back = ui::clBtnFace;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, toColorRef(back));
      SetTextColor(dc, toColorRef(adapter->control().font().color));
      result = reinterpret_cast<LRESULT>(brush(back));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace win32
