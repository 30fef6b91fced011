#include "shell/program.h"

#include "app/settings.h"
#include "app/windows.h"
#include "camera/camera_box.h"
#include "dialogs/about_box.h"
#include "dialogs/help_window.h"
#include "dialogs/options_dialog.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "shell/startup_window.h"

namespace shell {

void startUp(ui::Application& app, sys::Services& services) {
  using app::windows;
  app.setTitle("Mirune 36 枚撮り");
  // The UI font of every window; the toolkit's own default is neutral.
  app.setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  StartUpWindow* startUpWindow = app.createSideForm<StartUpWindow>();
  startUpWindow->show();
  // Each step repaints at once, so the bar shows before the next, slow one.
  auto step = [startUpWindow](int value) {
    startUpWindow->progressBar.setProgress(value);
    startUpWindow->update();
  };
  step(0);
  windows.palette = app.createForm<Palette>(services);
  windows.clipboardSwitch = windows.palette;
  windows.paletteForm = windows.palette;
  step(1);
  // The settings: the built-in values, then the settings file once the
  // camera box has set itself up (a box that fails to leaves the file unread).
  app::setBuiltInSettings();
  windows.cameraBox = app.createForm<camera::CameraBox>(services, [&services] {
    app::loadSettings(services.profile, app::settingsPath(services.files.executablePath()));
  });
  windows.cameraBoxView = windows.cameraBox;
  step(2);
  windows.optionsDialog = app.createForm<dialogs::OptionsDialog>(services);
  windows.optionsDialogView = windows.optionsDialog;
  step(3);
  windows.negativeSheet = app.createForm<sheet::NegativeSheet>(services);
  windows.film = windows.negativeSheet;
  windows.cameraBox->clipboardTimer.onTimer = [] { windows.negativeSheet->interceptClipboard(); };
  step(6);
  windows.helpWindow = app.createForm<dialogs::HelpWindow>();
  windows.helpWindowView = windows.helpWindow;
  step(7);
  windows.aboutBox = app.createForm<dialogs::AboutBox>();
  windows.aboutBoxView = windows.aboutBox;
  step(8);
  app.release(*startUpWindow);
}

int runProgram(ui::Application& app, sys::Services& services) {
  startUp(app, services);
  app.run();
  return 0;
}

}  // namespace shell
