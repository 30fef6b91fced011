#include "platform/win32/tooltips.h"

#include <commctrl.h>

#include <functional>

#include "platform/win32/gdi_values.h"
#include "platform/win32/on_demand.h"
#include "platform/win32/text.h"

namespace win32 {
namespace {

#ifdef TTTOOLINFOW_V2_SIZE
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;
#else
constexpr UINT kToolInfoSize = sizeof(TOOLINFOW);
#endif

// Tooltips ignore their background colour under visual styles; taking the
// theme off the tooltip alone lets the application's hint colour show.
// uxtheme is optional, so it is looked up at run time.
void removeTheme(HWND w) {
  static const Library uxtheme(L"uxtheme.dll");
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  if (auto set = uxtheme.function<SetWindowThemeFn>("SetWindowTheme")) set(w, L"", L"");
}

}  // namespace

Tooltips::Tooltips(HINSTANCE instance, HWND appWindow, ui::Color color, const ui::Form& form,
                   const UniqueWindow& formWindow)
    : instance_(instance), appWindow_(appWindow), color_(color), form_(form), formWindow_(formWindow) {}

void Tooltips::make() {
  // The tooltip belongs to the application window: a form that owns a
  // topmost popup cannot be made topmost itself under Wine.
  if (!loadCommonControls()) return;
  tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, appWindow_, nullptr, instance_, nullptr));
  if (!tooltip_) return;
  removeTheme(tooltip_.get());
  applyColor();
}

void Tooltips::clear() noexcept {
  tooltip_.reset();
  tools_.clear();
}

void Tooltips::setColor(ui::Color color) {
  color_ = color;
  applyColor();
}

void Tooltips::applyColor() {
  if (!tooltip_) return;
  SendMessageW(tooltip_.get(), TTM_SETTIPBKCOLOR, WPARAM(toColorRef(color_)), 0);
  SendMessageW(tooltip_.get(), TTM_SETTIPTEXTCOLOR, WPARAM(RGB(0, 0, 0)), 0);
}

// Only what differs from the registered tools is sent to the tooltip, so
// a tip that is up stays up.
void Tooltips::sync() {
  if (!formWindow_) return;
  std::map<const ui::Control*, Tool> want;
  std::function<void(const ui::Control&)> walk = [&](const ui::Control& parent) {
    for (const ui::Control* c : parent.children()) {
      if (!c->visible()) continue;
      if (c->showHint() && !c->hint().empty()) want[c] = {toRect(form_.deviceBounds(*c)), widen(c->hint())};
      walk(*c);
    }
  };
  walk(form_);
  if (!tooltip_) {
    if (want.empty()) return;
    make();
    if (!tooltip_) return;
  }
  auto info = [this](const ui::Control* c, Tool* t) {
    TOOLINFOW ti{};
    ti.cbSize = kToolInfoSize;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = formWindow_.get();
    ti.uId = reinterpret_cast<UINT_PTR>(c);
    if (t) {
      ti.rect = t->rect;
      ti.lpszText = t->text.data();
    }
    return ti;
  };
  for (auto& [c, tool] : tools_) {
    if (want.count(c)) continue;
    TOOLINFOW ti = info(c, nullptr);
    SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  for (auto& [c, tool] : want) {
    TOOLINFOW ti = info(c, &tool);
    auto had = tools_.find(c);
    if (had == tools_.end()) {
      SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
      continue;
    }
    if (!sameRect(had->second.rect, tool.rect))
      SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    if (had->second.text != tool.text)
      SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  tools_ = std::move(want);
}

}  // namespace win32
