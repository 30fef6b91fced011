#include "shell/program.h"

#include "app/settings.h"
#include "app/windows.h"
#include "camera/camera_box.h"
#include "dialogs/about_box.h"
#include "dialogs/help_window.h"
#include "dialogs/options_dialog.h"
#include "sheet/clipboard_watcher.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "shell/startup_window.h"

namespace shell {

Forms startUp(ui::Application& app, sys::Services& services) {
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
  Forms forms;
  step(0);
  forms.palette = app.createForm<Palette>(services);
  windows.paletteForm = forms.palette;
  step(1);
  // The settings: the built-in values, then the settings file once the
  // camera box has set itself up (a box that fails to leaves the file unread).
  app::setBuiltInSettings();
  forms.cameraBox = app.createForm<camera::CameraBox>(services, [&services] {
    app::loadSettings(services.profile, app::settingsPath(services.files.executablePath()));
  });
  windows.cameraBoxForm = forms.cameraBox;
  windows.cameraBoxView = forms.cameraBox;
  step(2);
  forms.optionsDialog = app.createForm<dialogs::OptionsDialog>(services);
  windows.optionsDialogForm = forms.optionsDialog;
  windows.optionsDialogView = forms.optionsDialog;
  step(3);
  forms.negativeSheet = app.createForm<sheet::NegativeSheet>(services, *forms.cameraBox);
  windows.negativeSheetForm = forms.negativeSheet;
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
  forms.helpWindow = app.createForm<dialogs::HelpWindow>();
  windows.helpWindowForm = forms.helpWindow;
  windows.helpWindowView = forms.helpWindow;
  step(7);
  forms.aboutBox = app.createForm<dialogs::AboutBox>();
  windows.aboutBoxForm = forms.aboutBox;
  windows.aboutBoxView = forms.aboutBox;
  step(8);
  app.release(*startUpWindow);
  return forms;
}

int runProgram(ui::Application& app, sys::Services& services) {
  // The forms belong to the application; the watcher lives as long as these.
  Forms forms = startUp(app, services);
  app.run();
  return 0;
}

}  // namespace shell
