#include <windows.h>

#include "base/error.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/modal_scope.h"
#include "platform/win32/services.h"

namespace win32 {
namespace {

int screenCaps(int index) {
  WindowDc screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), index) : 0;
}

[[noreturn]] void cannotPrint() { throw base::Error(sys::kCannotPrint); }

// An open document: aborted unless it was ended.
class DocumentScope {
 public:
  explicit DocumentScope(HDC dc) : dc_(dc) {}
  ~DocumentScope() {
    if (open_) AbortDoc(dc_);
  }
  DocumentScope(const DocumentScope&) = delete;
  DocumentScope& operator=(const DocumentScope&) = delete;
  void ended() { open_ = false; }

 private:
  HDC dc_;
  bool open_ = true;
};

}  // namespace

std::optional<sys::PrinterPage> Printer::choose() {
  dc_.reset();
  HWND owner = GetActiveWindow();
  if ((!owner || !MonitorFromWindow(owner, MONITOR_DEFAULTTONULL)) && applicationWindow_)
    owner = applicationWindow_();
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDC;
  // The dialog starts from the printer chosen last and may hand back other
  // blocks in their place; whatever it hands back is kept.
  pd.hDevMode = devMode_.release();
  pd.hDevNames = devNames_.release();
  BOOL chosen;
  {
    ModalScope modal(owner);
    chosen = dialog_(&pd);
  }
  devMode_.reset(pd.hDevMode);
  devNames_.reset(pd.hDevNames);
  if (pd.hDC) dc_.reset(pd.hDC);
  if (!chosen) {
    // Cancelled, or no printer the user could pick (the system has said so).
    if (commonDialogError() != 0) cannotPrint();
    dc_.reset();
    return std::nullopt;
  }
  if (!dc_) cannotPrint();
  HDC dc = dc_.get();
  sys::PrinterPage page{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX),
                        GetDeviceCaps(dc, LOGPIXELSY)};
  if (page.width <= 0 || page.height <= 0 || page.pixelsPerInchX <= 0 || page.pixelsPerInchY <= 0) {
    dc_.reset();
    cannotPrint();
  }
  return page;
}

void Printer::print(const picture::Canvas& image, picture::Rect dest) {
  // The printer goes when the job does, whatever happens.
  UniqueMemoryDc held = std::move(dc_);
  HDC dc = held.get();
  if (!dc || image.width() <= 0 || image.height() <= 0 || dest.empty()) cannotPrint();
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = L"Mirune";
  if (StartDocW(dc, &doc) <= 0) cannotPrint();
  DocumentScope document(dc);
  if (StartPage(dc) <= 0) cannotPrint();
  BITMAPINFO bi = topDownInfo(image.width(), image.height());
  SetStretchBltMode(dc, COLORONCOLOR);
  int lines = StretchDIBits(dc, dest.left, dest.top, dest.width, dest.height, 0, 0, image.width(),
                            image.height(), image.pixels(), &bi, DIB_RGB_COLORS, SRCCOPY);
  if (lines <= 0) cannotPrint();  // none drawn, or GDI_ERROR
  if (EndPage(dc) <= 0) cannotPrint();
  if (EndDoc(dc) <= 0) cannotPrint();
  document.ended();
}

int Printer::displayPixelsPerInchX() { return screenCaps(LOGPIXELSX); }
int Printer::displayPixelsPerInchY() { return screenCaps(LOGPIXELSY); }

}  // namespace win32
