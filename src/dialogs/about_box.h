#pragma once
#include "app/dialog.h"
#include "picture/bitmap.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/group_box.h"
#include "ui/painter.h"
#include "ui/push_button.h"

namespace dialogs {

// The about box: the program's picture, name, version and date. Modal.
class AboutBox : public ui::Form, public app::Dialog {
 public:
  explicit AboutBox(ui::Application& app);

  ui::GroupBox pictureFrame{this, "pictureFrame"};
  ui::Image artwork{this, "artwork"};
  ui::Label nameLabel{this, "nameLabel"};
  // Panels without bevels: they centre their captions.
  ui::Panel versionLabel{this, "versionLabel"};
  ui::Panel dateLabel{this, "dateLabel"};
  ui::PushButton okButton{this, "okButton"};

  // app::Dialog: modal, returns once the box is closed.
  void open() override { showModal(); }

 private:
  void setUp();
  void fitTexts(ui::Painter& painter);
};

// The about box's 156 x 116 full-colour picture: a camera over a strip of film.
picture::Bitmap aboutPicture();

}  // namespace dialogs
