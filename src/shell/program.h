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

// The start-up sequence: start-up window and gauge, every window created
// in order and wired to the others, the settings file read into settings
// once the camera box stands, the clipboard watcher made, the start-up
// window's release posted. Returns before the loop. The windows keep
// settings for the whole run.
Forms startUp(ui::Application& app, sys::Services& services, app::Settings& settings);

// The running program: its settings and the windows that share them.
class Program {
 public:
  // Starts up; the application's forms then hold on to the settings here,
  // so the program outlives the loop.
  Program(ui::Application& app, sys::Services& services);

  // The message loop; returns when the application ends.
  int run();
  // The window that owns the files the system shell opens for the
  // negative sheet's paint command.
  const ui::Form& shellOwner() const;

 private:
  ui::Application& app_;
  app::Settings settings_;
  Forms forms_;
};

}  // namespace shell
