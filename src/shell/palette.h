#pragma once
#include <optional>

#include "app/clipboard_switch.h"
#include "app/positions.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace camera {
class CameraBox;
}

namespace shell {

// The palette of five buttons: the application's main window.
class Palette : public ui::Form, public app::ClipboardSwitch {
 public:
  Palette(ui::Application& app, sys::Services& services);

  // The windows the palette shows, hides, closes and keeps the places of;
  // made after the palette, the main window, so start-up hands them over.
  struct Windows {
    camera::CameraBox& cameraBox;
    ui::Form& negativeSheet;
    ui::Form& helpWindow;
    ui::Form& optionsDialog;
  };
  void setWindows(const Windows& windows) { windows_.emplace(windows); }

  ui::SpeedButton cameraBoxButton{this, "cameraBoxButton"};
  ui::SpeedButton negativeSheetButton{this, "negativeSheetButton"};
  // A toggle: while it is down, bitmaps on the clipboard go to the film.
  ui::SpeedButton clipboardButton{this, "clipboardButton"};
  ui::SpeedButton helpButton{this, "helpButton"};
  ui::SpeedButton endButton{this, "endButton"};

  // Where every window is now, as the position store keeps it.
  void writePositions();

  // app::ClipboardSwitch
  bool intercepting() const override { return clipboardButton.down(); }

 private:
  void setUp();
  void readPosition();
  void toggleCameraBox();
  void toggleNegativeSheet();
  void showHelp();
  void confirmEnd(bool& canClose);

  sys::Services& services_;
  app::PositionStore positions_;
  std::optional<Windows> windows_;
};

}  // namespace shell
