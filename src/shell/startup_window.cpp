#include "shell/startup_window.h"

TStartUpDlg::TStartUpDlg(ui::Application& app) : ui::Form(app, "StartUpDlg") {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setSystemMenu(false);
  setCaption("Mirune\u3000起動中");
  Gauge1.setBounds({16, 8, 201, 19});
  Gauge1.setForeColor(ui::clNavy);
  Gauge1.setBackColor(ui::clWhite);
  Gauge1.setRange(0, 10);
  Gauge1.setProgress(0);
  Gauge1.setShowText(true);
  onShow = [this] {
    // The frame is known once the window exists; centre the whole window.
    setClientWidth(232);
    setClientHeight(36);
    centerOnScreen();
  };
}
