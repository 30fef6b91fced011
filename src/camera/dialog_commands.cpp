// The camera box's commands that open the dialogs, and what the dialogs do
// to the camera box.
#include "app/dialog.h"
#include "camera/camera_box.h"

namespace camera {

// Handles and marks go whatever reshape mode says; the viewfinder shows.
void CameraBox::prepareForDialog() {
  for (auto& handle : edgeHandles.items) handle.hide();
  for (auto& mark : cornerMarks.items) mark.hide();
  viewfinder.show();
}

void CameraBox::openInsteadOfBox(app::Dialog* dialog) {
  prepareForDialog();
  bool shown = visible();
  hide();
  if (!dialog) return;
  try {
    dialog->open();
  } catch (...) {
    if (shown) showForm();
    throw;
  }
}

void CameraBox::showOptions() { openInsteadOfBox(dialogs_.options); }

void CameraBox::showHelp() { openInsteadOfBox(dialogs_.help); }

void CameraBox::showAbout() {
  prepareForDialog();
  if (dialogs_.about) dialogs_.about->open();
}

void CameraBox::setTimeStampShown(bool shown) {
  timeStamp.setVisible(shown);
  timeStampShadow.setVisible(shown);
}

void CameraBox::setTimeStampColors(ui::Color front, ui::Color shadow) {
  timeStamp.setFontColor(front);
  timeStampShadow.setFontColor(shadow);
}

}  // namespace camera
