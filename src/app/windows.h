#pragma once

namespace shell {
class Palette;
}
namespace camera {
class CameraBox;
}
namespace dialogs {
class OptionsDialog;
class HelpWindow;
class AboutBox;
}  // namespace dialogs
namespace sheet {
class NegativeSheet;
}
namespace ui {
class Form;
}

namespace app {

class CameraBoxView;
class ClipboardSwitch;
class Dialog;
class Film;

// One reference per window, set as the start-up makes them; the windows
// live until the program ends.
struct Windows {
  shell::Palette* palette = nullptr;
  camera::CameraBox* cameraBox = nullptr;
  dialogs::OptionsDialog* optionsDialog = nullptr;
  sheet::NegativeSheet* negativeSheet = nullptr;
  dialogs::HelpWindow* helpWindow = nullptr;
  dialogs::AboutBox* aboutBox = nullptr;
  // The camera box and the negative sheet as the other windows see them,
  // and the dialogs as the camera box opens them.
  CameraBoxView* cameraBoxView = nullptr;
  Film* film = nullptr;
  // The palette's clipboard button, as the clipboard watcher reads it.
  ClipboardSwitch* clipboardSwitch = nullptr;
  Dialog* optionsDialogView = nullptr;
  Dialog* helpWindowView = nullptr;
  Dialog* aboutBoxView = nullptr;
  // The palette as a plain window, for those that only hide and show it
  // (the shots keep it out of the picture).
  ui::Form* paletteForm = nullptr;
};

extern Windows windows;

}  // namespace app
