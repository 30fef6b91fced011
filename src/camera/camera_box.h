#pragma once
#include "app/camera_box_view.h"
#include "app/positions.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace camera {

// The camera box: a borderless, stay-on-top viewfinder laid over the screen.
class CameraBox : public ui::Form, public app::CameraBoxView {
 public:
  CameraBox(ui::Application& app, sys::Services& services);

  ui::Panel viewfinder{this, "viewfinder"};
  ui::Image photo{&viewfinder, "photo"};
  ui::Label timeStampShadow{this, "timeStampShadow"};
  ui::Label timeStamp{this, "timeStamp"};
  ui::Image titleImage{this, "titleImage"};
  // Never holds a picture: giving its picture to another image clears it.
  ui::Image blankImage{this, "blankImage"};
  // The last bitmap the clipboard watcher stored, and the one just taken.
  ui::Image stagingImage{this, "stagingImage"};
  ui::Image clipboardImage{this, "clipboardImage"};

  // While set, the application's loss of activation does not bring the
  // camera box back.
  bool keepHidden = false;
  bool resizing = false;
  bool reshapeMode = false;

 private:
  void setUp();

  sys::Services& services_;
  app::PositionStore positions_;

 public:
  // What the film reads (app::CameraBoxView).
  unsigned displayDivisor = 1;  // the photo is its picture's size over this: 1, or 4
  ui::Image& photoControl() override { return photo; }
  std::string timeStampText() const override { return timeStamp.caption(); }
  unsigned photoDivisor() const override { return displayDivisor; }
  // The command menu's last items: the options dialog and the help window
  // open in the camera box's place, the about box over it, modally.
  void showOptions();
  void showHelp();
  void showAbout();
  // What the dialogs ask of the camera box (app::CameraBoxView).
  void showCameraBox() override { showForm(); }
  void setTimeStampShown(bool shown) override;
  void setTimeStampColors(ui::Color front, ui::Color shadow) override;

 private:
  // The normal view, whatever reshape mode says, before a dialog opens.
  void prepareForDialog();
};

// The 156 x 116, 256-colour title picture.
picture::Bitmap titlePicture();

}  // namespace camera
