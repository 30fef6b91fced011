#include "platform/win32/native_text.h"

#include "platform/win32/text.h"
#include "ui/application.h"

namespace win32 {
namespace {

std::wstring joinedLines(const ui::RichText& t) {
  std::wstring all;
  for (const std::string& line : t.lines()) {
    if (!all.empty()) all += L"\r\n";
    all += widen(line);
  }
  return all;
}

}  // namespace

// Lines are broken in advance: the window must not wrap them again.
NativeText::NativeText(ui::RichText& text, const NativeSite& site)
    : NativeControl(text, site, L"EDIT",
                    WS_CHILD | WS_CLIPSIBLINGS | ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL |
                        ES_AUTOHSCROLL),
      text_(text) {}

void NativeText::sync(const ui::Form& form, GdiPainter& painter) {
  HWND w = hwnd();
  // The margin is at the form's DPI, as the font is.
  if (syncFace(face_, joinedLines(text_), form, painter))
    SendMessageW(w, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(form.scaled(text_.margin()), 0));
  int want = text_.firstLine();
  int now = int(SendMessageW(w, EM_GETFIRSTVISIBLELINE, 0, 0));
  if (want != now) SendMessageW(w, EM_LINESCROLL, 0, want - now);
  placeOverControl(form);
}

// The window knows its new first line only once its scroll has ended.
void NativeText::command(WORD code, ui::Application&) {
  if (code == EN_VSCROLL)
    PostMessageW(GetParent(hwnd()), kAfterNotification, 0, reinterpret_cast<LPARAM>(hwnd()));
}

void NativeText::afterNotification(ui::Application& app) {
  int first = int(SendMessageW(hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
  ui::RichText* text = &text_;
  app.dispatch([text, first] { text->scrolledTo(first); });
}

// The read-only text keeps its own colour.
ui::Color NativeText::background() const { return text_.color(); }

bool NativeText::wantsDialogKeys() const { return true; }

}  // namespace win32
