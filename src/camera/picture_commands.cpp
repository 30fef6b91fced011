// The camera box's commands on its picture: open, close, save, save as,
// and the edit menu (clear, copy, paste, cut, send to the film).

#include "app/file_dialogs.h"
#include "app/picture_files.h"
#include "base/error.h"
#include "base/path.h"
#include "base/text.h"
#include "camera/camera_box.h"
#include "picture/errors.h"
#include "ui/application.h"
#include "ui/backend.h"

namespace camera {

namespace {

// A time stamp holds at most this many characters.
constexpr std::size_t kTimeStampCharacters = 255;

}  // namespace

void CameraBox::openPhoto() {
  std::optional<std::string> path = services_.fileDialogs.openFile(app::openPictureDialog());
  if (!path) return;
  // Read whole before anything changes: a failure leaves the photo, the
  // time stamp and the film as they were.
  picture::Picture loaded =
      picture::messages::inProgramWords([&] { return app::readPictureFile(services_.png, *path); });
  photo.setPicture(loaded);
  setTimeStamp(base::firstCharacters(base::fileNamePart(*path), kTimeStampCharacters));
  displayDivisor = 1;
  addPhotoToFilm();
}

// Writes the photo under its time stamp, in the current folder; when that
// fails for any reason (no name, a name Windows refuses such as a shot's
// time with its colons, a file that cannot be written) save as instead.
void CameraBox::savePhoto() {
  const picture::Picture saved = photo.picture();
  if (saved.empty()) return;
  std::string name = timeStamp.caption();
  bool written = false;
  if (base::isPlainFileName(name)) {
    try {
      picture::messages::inProgramWords([&] { app::writePictureFile(services_.png, saved, name); });
      written = true;
    } catch (const base::Error&) {
    }
  }
  if (!written) savePhotoAs();
}

// The time stamp stays: a later save still uses it, not the name chosen here.
void CameraBox::savePhotoAs() {
  std::optional<std::string> path = services_.fileDialogs.saveFile(app::savePictureDialog(true));
  if (!path) return;
  const picture::Picture saved = photo.picture();
  picture::messages::inProgramWords([&] { app::writePictureFile(services_.png, saved, *path); });
}

void CameraBox::prepareEditMenu() {
  showNormalView();
  editMenu.paste.setEnabled(services_.clipboard.hasBitmap());
}

void CameraBox::clearPhoto() {
  resizeToDefault();
  photo.setPicture(titleImage.picture());
  setTimeStamp("");
}

// The clipboard takes bitmaps only: an icon or a metafile goes as the
// picture shown, a bitmap of the photo's size; the photo stays as it is.
void CameraBox::copyPhoto() {
  const picture::Picture& shown = photo.picture();
  if (shown.kind() == picture::Picture::Kind::Icon || shown.kind() == picture::Picture::Kind::Metafile) {
    services_.clipboard.setBitmap(
        ui::drawnPicture(shown, photo.width(), photo.height(), application().backend().painter()));
    return;
  }
  services_.clipboard.setBitmap(shown.bitmap());
}

// The photo keeps its size and shows the bitmap stretched into it; the
// time stamp and the film stay.
void CameraBox::pastePhoto() {
  if (!services_.clipboard.hasBitmap()) return;
  picture::Bitmap pasted = picture::messages::inProgramWords([&] { return services_.clipboard.bitmap(); });
  if (pasted.empty()) return;
  photo.setPicture(picture::Picture(std::move(pasted)));
}

void CameraBox::cutPhoto() {
  copyPhoto();
  photo.setPicture(blankImage.picture());
}

void CameraBox::sendPhotoToSheet() {
  displayDivisor = 1;
  addPhotoToFilm();
}

}  // namespace camera
