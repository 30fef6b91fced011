#pragma once
#include <functional>
#include <string>

#include "system/services.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace camera {

// The commands on the camera box's photo: open, save, save as, and the
// clipboard's copy, cut and paste.
class PictureCommands {
 public:
  // What the commands ask of the box: the photo's time stamp, and to take
  // a picture just opened (its bare name the time stamp) into the film.
  struct Box {
    std::function<std::string()> timeStamp;
    std::function<void(const std::string& name)> opened;
  };
  PictureCommands(ui::Application& app, sys::Services& services, ui::Image& photo, Box box);

  // Reads a bitmap, icon or metafile file into the photo.
  void open();
  // Neither writes anything for an empty photo.
  void save();
  void saveAs();
  // The photo stays as it is; paste keeps its size.
  void copy();
  void paste();
  void cut();

 private:
  ui::Application& app_;
  sys::Services& services_;
  ui::Image& photo_;
  Box box_;
};

}  // namespace camera
