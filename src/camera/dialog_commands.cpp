// The camera box's commands that open the dialogs, and what the dialogs do
// to the camera box.
#include "app/dialog.h"
#include "app/windows.h"
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

void CameraBox::showOptions() { openInsteadOfBox(app::windows.optionsDialogView); }

void CameraBox::showHelp() { openInsteadOfBox(app::windows.helpWindowView); }

void CameraBox::showAbout() {
  prepareForDialog();
  if (app::windows.aboutBoxView) app::windows.aboutBoxView->open();
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
