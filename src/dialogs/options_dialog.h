#pragma once
#include "app/camera_box_view.h"
#include "app/dialog.h"
#include "app/settings.h"
#include "system/services.h"
#include "ui/check_box.h"
#include "ui/controls.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/group_box.h"
#include "ui/push_button.h"
#include "ui/radio_group.h"
#include "ui/timer.h"
#include "ui/track_bar.h"

namespace dialogs {

// The options dialog: the settings for this run, or saved to the settings
// file too, and the camera box's time stamp, which is never saved.
class OptionsDialog : public ui::Form, public app::Dialog {
 public:
  // The dialog reads the settings as it is made and at each showing: they
  // are loaded before it is made.
  OptionsDialog(ui::Application& app, sys::Services& services, app::Settings& settings,
                app::CameraBoxView& cameraBox);

  ui::Panel backPanel{this, "backPanel"};
  ui::GroupBox strobeFrame{&backPanel, "strobeFrame"};
  ui::GroupBox sizeFrame{&backPanel, "sizeFrame"};

  ui::CheckBox strobeCountCheck{&backPanel, "strobeCountCheck"};
  ui::MaskedEdit strobeCountEdit{&backPanel, "strobeCountEdit"};
  ui::Label shotsLabel{&backPanel, "shotsLabel"};
  ui::CheckBox strobeIntervalCheck{&backPanel, "strobeIntervalCheck"};
  ui::Label intervalFastLabel{&backPanel, "intervalFastLabel"};
  ui::TrackBar strobeIntervalBar{&backPanel, "strobeIntervalBar"};
  ui::Label intervalSlowLabel{&backPanel, "intervalSlowLabel"};

  ui::CheckBox defaultSizeCheck{&backPanel, "defaultSizeCheck"};
  ui::MaskedEdit defaultWidthEdit{&backPanel, "defaultWidthEdit"};
  ui::Label timesLabel{&backPanel, "timesLabel"};
  ui::MaskedEdit defaultHeightEdit{&backPanel, "defaultHeightEdit"};
  ui::Label pixelsLabel{&backPanel, "pixelsLabel"};

  ui::CheckBox pushOutCheck{&backPanel, "pushOutCheck"};

  ui::CheckBox optionSoftwareCheck{&backPanel, "optionSoftwareCheck"};
  ui::Label optionSoftwareLabel{&backPanel, "optionSoftwareLabel"};
  ui::Edit optionSoftwareEdit{&backPanel, "optionSoftwareEdit"};

  ui::CheckBox viewfinderBevelCheck{&backPanel, "viewfinderBevelCheck"};
  ui::RadioButton loweredRadio{&backPanel, "loweredRadio"};
  ui::RadioButton raisedRadio{&backPanel, "raisedRadio"};

  ui::CheckBox shutterDelayCheck{&backPanel, "shutterDelayCheck"};
  ui::Label delayMinLabel{&backPanel, "delayMinLabel"};
  ui::TrackBar shutterDelayBar{&backPanel, "shutterDelayBar"};
  ui::Label delayMaxLabel{&backPanel, "delayMaxLabel"};
  ui::Label delayValueLabel{&backPanel, "delayValueLabel"};
  ui::Label secondsLabel{&backPanel, "secondsLabel"};

  ui::CheckBox timeStampCheck{&backPanel, "timeStampCheck"};
  ui::RadioGroup timeStampColors{&backPanel, "timeStampColors"};
  ui::Label unsavedNoteLabel{&backPanel, "unsavedNoteLabel"};

  ui::PushButton okButton{&backPanel, "okButton"};
  ui::PushButton cancelButton{&backPanel, "cancelButton"};
  ui::PushButton saveSettingsButton{&backPanel, "saveSettingsButton"};

  ui::Timer refreshTimer{application(), "refreshTimer", 1000};

  // The controls from the in-memory settings (all but the time stamp's).
  void fillFromSettings();
  // Each governing check box shows or hides its dependents; the delay's
  // number follows its bar.
  void refreshDependents();
  // The controls into the settings, then the time stamp onto the camera box.
  void applyToSettings();
  void applyAndClose();
  void saveAndClose();
  void cancel();
  // The program's end checks the strobe count even if the dialog is hidden.
  void checkStrobeCount(bool& canClose);
  void showCameraBox();

  // app::Dialog: shown beside the other windows.
  void open() override { showForm(); }

 private:
  void setUp();
  // Whether the strobe count may be applied: its box unchecked, or 2 to 36;
  // otherwise says so.
  bool strobeCountAccepted();

  sys::Services& services_;
  app::Settings& settings_;
  app::CameraBoxView& cameraBox_;
};

}  // namespace dialogs
