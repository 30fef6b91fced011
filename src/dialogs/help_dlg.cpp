#include "dialogs/help_dlg.h"

THelpDlg::THelpDlg(ui::Application& app) : ui::Form(app, "HelpDlg") {
  setBorderStyle(ui::BorderStyle::Sizeable);
  setCaption("ヘルプ");
  setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  setBounds({200, 150, 320, 240});
}
