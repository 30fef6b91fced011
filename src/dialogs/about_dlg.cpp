#include "dialogs/about_dlg.h"

TAboutDlg::TAboutDlg(ui::Application& app) : ui::Form(app, "AboutDlg") {
  setBorderStyle(ui::BorderStyle::Dialog);
  setCaption("Mirune 36枚撮りについて");
  setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  setBounds({200, 150, 320, 240});
}
