#include "sheet/negative_sheet.h"

#include "ui/application.h"

namespace sheet {

NegativeSheet::NegativeSheet(ui::Application& app, sys::Services& services)
    : ui::Form(app, "negativeSheet"), services_(services) {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setCaption("ネガシート");
  onCreate = [this] { setUp(); };
}

void NegativeSheet::setUp() {
  // Along the bottom edge, the full width of the screen.
  setClientWidth(644);
  setClientHeight(109);
  int sw = services_.screen.width(), sh = services_.screen.height();
  setBounds({0, sh - height(), sw, height()});
}

}  // namespace sheet
