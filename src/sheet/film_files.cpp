#include "sheet/film_files.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "app/file_dialogs.h"
#include "app/picture_files.h"
#include "base/code_page.h"
#include "base/error.h"
#include "base/path.h"
#include "picture/errors.h"
#include "picture/picture.h"
#include "sheet/frame.h"
#include "ui/backend.h"

namespace sheet {

namespace {

// Six characters, a dot and a three-letter extension, in the Japanese
// code page's bytes.
constexpr std::size_t kSeriesFileNameBytes = 10;
// The series name is the chosen file's name without its frame number:
// its 7th and 8th bytes.
constexpr std::size_t kFrameNumberAt = 6, kFrameNumberBytes = 2;

// "01.bmp" .. "36.bmp".
std::string seriesEnding(int frameNumber) {
  char ending[16];
  std::snprintf(ending, sizeof ending, "%02d.bmp", frameNumber);
  return ending;
}

// A picture file of any kind the camera box opens, PNG included.
picture::Picture readPicture(sys::PngCodec& png, const std::string& path) {
  return picture::messages::inProgramWords([&] { return app::readPictureFile(png, path); });
}

}  // namespace

FilmFiles::FilmFiles(const Film& film, sys::Services& services, ui::Application& app,
                     LoadIntoFilm loadIntoFilm)
    : film_(film), services_(services), app_(app), loadIntoFilm_(std::move(loadIntoFilm)) {}

// Each file goes through a temporary file renamed over its target: the
// first that cannot be written ends the command with its error, the files
// before it written, the one it would have replaced whole, the later ones
// not tried.
void FilmFiles::saveFilm() {
  std::optional<std::string> path;
  for (;;) {
    path = services_.fileDialogs.saveFile(app::savePictureDialog(false));
    if (!path) return;
    if (base::cp932Length(base::fileNamePart(*path)) == kSeriesFileNameBytes) break;
    services_.messages.show("英数字6文字で名前をつけてください", app_.title(), sys::MsgIcon::None,
                            sys::MsgButtons::OK);
  }
  for (int i : film_.usedFrames()) {
    // The series is bitmaps by its names: an icon or a metafile goes as
    // the picture it shows, so that the series always loads back whole.
    const picture::Picture saved(shownBitmap(film_.frame(i).image, app_.backend().painter()));
    std::string file = base::changeExtension(*path, seriesEnding(i + 1));
    picture::messages::inProgramWords([&] { saved.saveToFile(file); });
  }
}

// Everything loads inside this one command; each file finds the film
// tidy, so a full film with push-out keeps the newest 36.
void FilmFiles::loadFilm() {
  std::optional<std::string> path = services_.fileDialogs.openFile(app::openPictureDialog());
  if (!path) return;
  // The chosen file is read whole first: when it cannot be, nothing changes.
  picture::Picture first = readPicture(services_.png, *path);
  const std::string name = base::fileNamePart(*path);
  const std::string folder = path->substr(0, path->size() - name.size());
  const std::string seriesName = base::eraseCp932Bytes(name, kFrameNumberAt, kFrameNumberBytes);
  loadIntoFilm_(first, name);
  // Whatever number the chosen file has, the series is read from 02 on.
  for (int k = 2; k <= kFilmFrames; ++k) {
    std::string next = base::changeExtension(seriesName, seriesEnding(k));
    picture::Picture loaded;
    try {
      loaded = readPicture(services_.png, folder + next);
    } catch (const base::Error&) {
      // The end of the series (or a file that cannot be read): what is in
      // stays in.
      return;
    }
    loadIntoFilm_(loaded, next);
  }
}

}  // namespace sheet
