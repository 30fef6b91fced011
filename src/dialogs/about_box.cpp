#include "dialogs/about_box.h"

namespace dialogs {

AboutBox::AboutBox(ui::Application& app) : ui::Form(app, "aboutBox") {
  setBorderStyle(ui::BorderStyle::Dialog);
  setCaption("Mirune 36枚撮りについて");
  setBounds({200, 150, 320, 240});
}

}  // namespace dialogs
