#include "camera/picture_commands.h"

#include "app/file_dialogs.h"
#include "app/picture_files.h"
#include "base/error.h"
#include "base/path.h"
#include "base/text.h"
#include "picture/errors.h"
#include "ui/application.h"
#include "ui/backend.h"

namespace camera {

namespace {

// A time stamp holds at most this many characters.
constexpr std::size_t kTimeStampCharacters = 255;

}  // namespace

PictureCommands::PictureCommands(ui::Application& app, sys::Services& services, ui::Image& photo, Box box)
    : app_(app), services_(services), photo_(photo), box_(std::move(box)) {}

void PictureCommands::open() {
  std::optional<std::string> path = services_.fileDialogs.openFile(app::openPictureDialog());
  if (!path) return;
  // Read whole before anything changes: a failure leaves the photo, the
  // time stamp and the film as they were.
  picture::Picture loaded =
      picture::messages::inProgramWords([&] { return app::readPictureFile(services_.png, *path); });
  photo_.setPicture(loaded);
  box_.opened(base::firstCharacters(base::fileNamePart(*path), kTimeStampCharacters));
}

// Writes the photo under its time stamp, in the current folder; when that
// fails for any reason (no name, a name Windows refuses such as a shot's
// time with its colons, a file that cannot be written) save as instead.
void PictureCommands::save() {
  const picture::Picture saved = photo_.picture();
  if (saved.empty()) return;
  std::string name = box_.timeStamp();
  bool written = false;
  if (base::isPlainFileName(name)) {
    try {
      picture::messages::inProgramWords([&] { app::writePictureFile(services_.png, saved, name); });
      written = true;
    } catch (const base::Error&) {
    }
  }
  if (!written) saveAs();
}

// The time stamp stays: a later save still uses it, not the name chosen here.
void PictureCommands::saveAs() {
  std::optional<std::string> path = services_.fileDialogs.saveFile(app::savePictureDialog(true));
  if (!path) return;
  const picture::Picture saved = photo_.picture();
  picture::messages::inProgramWords([&] { app::writePictureFile(services_.png, saved, *path); });
}

// The clipboard takes bitmaps only: an icon or a metafile goes as the
// picture shown, a bitmap of the photo's size; the photo stays as it is.
void PictureCommands::copy() {
  const picture::Picture& shown = photo_.picture();
  if (shown.kind() == picture::Picture::Kind::Icon || shown.kind() == picture::Picture::Kind::Metafile) {
    services_.clipboard.setBitmap(
        ui::drawnPicture(shown, photo_.width(), photo_.height(), app_.backend().painter()));
    return;
  }
  services_.clipboard.setBitmap(shown.bitmap());
}

// The photo keeps its size and shows the bitmap stretched into it; the
// time stamp and the film stay.
void PictureCommands::paste() {
  if (!services_.clipboard.hasBitmap()) return;
  picture::Bitmap pasted = picture::messages::inProgramWords([&] { return services_.clipboard.bitmap(); });
  if (pasted.empty()) return;
  photo_.setPicture(picture::Picture(std::move(pasted)));
}

void PictureCommands::cut() {
  copy();
  photo_.setPicture(picture::Picture());
}

}  // namespace camera
