#pragma once
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"

// The camera box: a borderless, stay-on-top viewfinder.
class TForm1 : public ui::Form {
 public:
  TForm1(ui::Application& app, sys::Services& services);

  ui::Panel Panel1{this, "Panel1"};
  ui::Image Image1{&Panel1, "Image1"};
  ui::Label Label2{this, "Label2"};
  ui::Label Label1{this, "Label1"};
  ui::Image titleimage{this, "titleimage"};
  ui::Image Image2{this, "Image2"};  // the blank image: never holds a picture
  ui::Image Image3{this, "Image3"};  // clipboard staging image
  ui::Image Image4{this, "Image4"};

  // While set, the application's loss of activation does not bring the
  // camera box back.
  bool hold = false;
  bool resizeDrag = false;
  bool reshapeMode = false;

  void FormCreate();

 private:
  sys::Services& services_;
};

// The 156 x 116, 256-colour title picture.
picture::Bitmap titlePicture();
