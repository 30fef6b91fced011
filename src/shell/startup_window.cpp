#include "shell/startup_window.h"

namespace shell {

StartUpWindow::StartUpWindow(ui::Application& app) : ui::Form(app, "startUpWindow") {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setSystemMenu(false);
  setCaption("Mirune\u3000起動中");
  progressBar.setBounds({16, 8, 201, 19});
  progressBar.setForeColor(ui::clNavy);
  progressBar.setBackColor(ui::clWhite);
  progressBar.setRange(0, 10);
  progressBar.setProgress(0);
  progressBar.setShowText(true);
  onShow = [this] {
    // The frame is known once the window exists; centre the whole window.
    setClientWidth(232);
    setClientHeight(36);
    centerOnScreen();
  };
}

}  // namespace shell
