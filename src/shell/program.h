#pragma once
#include <memory>

#include "app/settings.h"
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

// Makes every window in its fixed order and wires them to each other,
// before the loop; the windows keep settings for the whole run.
Forms startUp(ui::Application& app, sys::Services& services, app::Settings& settings);

// The running program: the settings and the windows that share them. The
// windows hold on to the settings, so the program outlives the loop.
class Program {
 public:
  Program(ui::Application& app, sys::Services& services);

  // Returns when the application ends.
  int run();
  // The window that owns what the system shell opens for the negative
  // sheet's paint command.
  const ui::Form& shellOwner() const;

 private:
  ui::Application& app_;
  app::Settings settings_;
  Forms forms_;
};

}  // namespace shell
