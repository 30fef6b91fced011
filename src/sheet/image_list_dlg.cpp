#include "sheet/image_list_dlg.h"

#include "ui/application.h"

TImageListDlg::TImageListDlg(ui::Application& app, sys::Services& services)
    : ui::Form(app, "ImageListDlg"), services_(services) {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setCaption("ネガシート");
  setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  onCreate = [this] { FormCreate(); };
}

void TImageListDlg::FormCreate() {
  // Along the bottom edge, the full width of the screen.
  setClientWidth(644);
  setClientHeight(109);
  int sw = services_.screen.width(), sh = services_.screen.height();
  setBounds({0, sh - height(), sw, height()});
}
