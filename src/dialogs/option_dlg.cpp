#include "dialogs/option_dlg.h"

TOptionDlg::TOptionDlg(ui::Application& app) : ui::Form(app, "OptionDlg") {
  setBorderStyle(ui::BorderStyle::Dialog);
  setCaption("オプション");
  setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  setBounds({200, 150, 320, 240});
}
