#pragma once
#include <memory>

#include "sheet/clipboard_watcher.h"
#include "system/services.h"
#include "ui/application.h"

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

namespace shell {

class Palette;

// The windows start-up made, as what they are.
struct Forms {
  Palette* palette = nullptr;
  camera::CameraBox* cameraBox = nullptr;
  dialogs::OptionsDialog* optionsDialog = nullptr;
  sheet::NegativeSheet* negativeSheet = nullptr;
  dialogs::HelpWindow* helpWindow = nullptr;
  dialogs::AboutBox* aboutBox = nullptr;
  // Not a window: it stops when these are dropped.
  std::unique_ptr<sheet::ClipboardWatcher> clipboardWatcher;
};

// The start-up sequence: start-up window and gauge, every window created
// in order and entered in app::windows, the clipboard watcher made, the
// start-up window's release posted. Returns before the loop.
Forms startUp(ui::Application& app, sys::Services& services);

// startUp, then the message loop; returns when the application ends.
int runProgram(ui::Application& app, sys::Services& services);

}  // namespace shell
