#pragma once
#include <string>

#include "app/settings.h"
#include "picture/picture.h"
#include "sheet/film.h"
#include "system/services.h"
#include "ui/application.h"

namespace sheet {

// The hand-off file's name, in the user's temporary folder.
inline constexpr const char* kHandOffFile = "temp.bmp";

// Handing a picture of the film to other programs: the paint program the
// desktop associates with bitmap files, and the option software.
class PaintHandOff {
 public:
  PaintHandOff(const Film& film, sys::Services& services, const app::Settings& settings,
               ui::Application& app);

  // Where the picture of the frame selected last is written for the paint
  // program: "temp.bmp" in the user's temporary folder.
  std::string handOffPath() const;
  void writeHandOffFile(const picture::Picture& picture) const;
  // The red-captioned frame's bitmap file by its name, else the hand-off
  // file, opens in the desktop's program for it.
  void openInPaintProgram();
  void startOptionSoftware();

 private:
  const Film& film_;
  sys::Services& services_;
  const app::Settings& settings_;
  ui::Application& app_;
};

}  // namespace sheet
