#include "dialogs/help_window.h"

namespace dialogs {

HelpWindow::HelpWindow(ui::Application& app) : ui::Form(app, "helpWindow") {
  setBorderStyle(ui::BorderStyle::Sizeable);
  setCaption("ヘルプ");
  setBounds({200, 150, 320, 240});
}

}  // namespace dialogs
