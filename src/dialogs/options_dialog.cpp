#include "dialogs/options_dialog.h"

namespace dialogs {

OptionsDialog::OptionsDialog(ui::Application& app) : ui::Form(app, "optionsDialog") {
  setBorderStyle(ui::BorderStyle::Dialog);
  setCaption("オプション");
  setBounds({200, 150, 320, 240});
}

}  // namespace dialogs
