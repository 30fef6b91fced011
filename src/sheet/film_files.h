#pragma once
#include <functional>
#include <string>

#include "picture/picture.h"
#include "sheet/film.h"
#include "system/services.h"
#include "ui/application.h"

namespace sheet {

// The film on disk: a series of numbered bitmap files, a six-character
// series name followed by "01.bmp" .. "36.bmp", written in one go and read
// back into the film through the camera box.
class FilmFiles {
 public:
  // Each file read is handed to `loadIntoFilm` with its name.
  using LoadIntoFilm = std::function<void(const picture::Picture& picture, const std::string& name)>;
  FilmFiles(const Film& film, sys::Services& services, ui::Application& app, LoadIntoFilm loadIntoFilm);

  // Every used frame's picture to the chosen path, its extension changed
  // to the frame's number; a name of other than 10 bytes is asked again.
  void saveFilm();
  // The chosen file, then its series from "02.bmp" on, until one cannot
  // be read.
  void loadFilm();

 private:
  const Film& film_;
  sys::Services& services_;
  ui::Application& app_;
  LoadIntoFilm loadIntoFilm_;
};

}  // namespace sheet
