#pragma once

namespace ui {
class Form;
}

namespace app {

class CameraBoxView;
class Dialog;

// One reference per window, set as the start-up makes them; the windows
// live until the program ends. The windows are plain forms here, for those
// that only show, hide, close or place them; what one window asks of
// another goes through the small interfaces beside.
struct Windows {
  ui::Form* paletteForm = nullptr;
  ui::Form* cameraBoxForm = nullptr;
  ui::Form* optionsDialogForm = nullptr;
  ui::Form* negativeSheetForm = nullptr;
  ui::Form* helpWindowForm = nullptr;
  ui::Form* aboutBoxForm = nullptr;
  // The camera box as the other windows see it, and the dialogs as the
  // camera box opens them.
  CameraBoxView* cameraBoxView = nullptr;
  Dialog* optionsDialogView = nullptr;
  Dialog* helpWindowView = nullptr;
  Dialog* aboutBoxView = nullptr;
};

extern Windows windows;

}  // namespace app
