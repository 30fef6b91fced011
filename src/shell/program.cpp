#include "shell/program.h"

#include "camera/camera_box.h"
#include "dialogs/about_box.h"
#include "dialogs/help_window.h"
#include "dialogs/options_dialog.h"
#include "sheet/clipboard_watcher.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "shell/startup_window.h"

namespace shell {

Forms startUp(ui::Application& app, sys::Services& services, app::Settings& settings) {
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
  Forms forms;
  step(0);
  forms.palette = app.createForm<Palette>(services);
  step(1);
  // The settings file is read once the camera box has set itself up (a box
  // that fails to leaves the file unread), and before any other window
  // reads the settings.
  forms.cameraBox = app.createForm<camera::CameraBox>(
      services, settings, *forms.palette, [&services](app::Settings& defaults) {
        app::loadSettings(defaults, services.profile, app::settingsPath(services.files.executablePath()));
      });
  step(2);
  forms.optionsDialog = app.createForm<dialogs::OptionsDialog>(services, settings, *forms.cameraBox);
  step(3);
  forms.negativeSheet = app.createForm<sheet::NegativeSheet>(services, settings, *forms.cameraBox);
  // The one cycle: the camera box stores its shots in the film, which shows
  // its pictures in the box.
  forms.cameraBox->setFilmInput(
      [sheet = forms.negativeSheet](const picture::Picture& p, const std::string& caption) {
        sheet->addPicture(p, caption);
      });
  // The clipboard watcher fills the film's frames while the palette's
  // clipboard button is down.
  forms.clipboardWatcher = std::make_unique<sheet::ClipboardWatcher>(
      app, services.clipboard, forms.negativeSheet->film(), *forms.palette);
  step(6);
  forms.helpWindow = app.createForm<dialogs::HelpWindow>(*forms.cameraBox);
  step(7);
  forms.aboutBox = app.createForm<dialogs::AboutBox>();
  forms.cameraBox->setDialogs({forms.optionsDialog, forms.helpWindow, forms.aboutBox});
  forms.palette->setWindows(
      {*forms.cameraBox, *forms.negativeSheet, *forms.helpWindow, *forms.optionsDialog});
  step(8);
  app.release(*startUpWindow);
  return forms;
}

Program::Program(ui::Application& app, sys::Services& services)
    : app_(app), forms_(startUp(app, services, settings_)) {}

int Program::run() {
  app_.run();
  return 0;
}

const ui::Form& Program::shellOwner() const { return *forms_.negativeSheet; }

}  // namespace shell
