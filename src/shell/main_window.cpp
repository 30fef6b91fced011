#include "shell/main_window.h"

#include "camera/form1.h"
#include "dialogs/help_dlg.h"
#include "dialogs/option_dlg.h"
#include "shell/glyphs.h"
#include "shell/window_refs.h"
#include "sheet/image_list_dlg.h"
#include "ui/application.h"
#include "ui/error.h"

TMain::TMain(ui::Application& app, sys::Services& services)
    : ui::Form(app, "Main"), services_(services) {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setSystemMenu(false);
  setCaption("Mirune");
  setFont({"ＭＳ Ｐゴシック", 12, ui::clBlack, false});
  struct ButtonSetup {
    ui::SpeedButton& button;
    int top;
    const char* hint;
  } buttons[] = {
      {SpeedButton1, 0, "カメラボックスを表示します"},
      {SpeedButton4, 26, "ネガシートを表示します"},
      {SpeedButton5, 52, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの画像を横取りします"},
      {SpeedButton2, 78, "ヘルプを表示します"},
      {SpeedButton3, 104, "Miruneを終了します"},
  };
  for (auto& b : buttons) {
    b.button.setBounds({0, b.top, 30, 26});
    b.button.setHint(b.hint);
    b.button.setShowHint(true);
  }
  SpeedButton1.setGlyph(shell::cameraGlyph());
  SpeedButton4.setGlyph(shell::sheetGlyph());
  SpeedButton5.setGlyph(shell::clipboardGlyph());
  SpeedButton2.setGlyph(shell::helpGlyph());
  SpeedButton3.setGlyph(shell::endGlyph());
  SpeedButton5.setGroupIndex(5);
  SpeedButton5.setAllowAllUp(true);

  SpeedButton1.onClick = [this] { SpeedButton1Click(); };
  SpeedButton4.onClick = [this] { SpeedButton4Click(); };
  SpeedButton5.onClick = [this] { SpeedButton5Click(); };
  SpeedButton2.onClick = [this] { SpeedButton2Click(); };
  SpeedButton3.onClick = [this] { SpeedButton3Click(); };
  onCreate = [this] { FormCreate(); };
  onShow = [this] { FormShow(); };
  onCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
}

void TMain::FormCreate() {
  setClientHeight(130);
  setClientWidth(30);
  application().setHintColor(ui::rgb(0, 255, 255));
  setTop(0);
  setLeft(0);
}

void TMain::FormShow() {
  auto key = sys::RegistryKey::open(services_.registry, shell::kPositionKey, false);
  if (!key) return;
  setTop(key->readInteger("Main.Top"));
  setLeft(key->readInteger("Main.Left"));
}

void TMain::SpeedButton1Click() {
  if (Form1->visible()) {
    Form1->hold = true;
    Form1->hide();
  } else {
    Form1->hold = false;
    Form1->showForm();
  }
}

void TMain::SpeedButton4Click() {
  if (ImageListDlg->visible())
    ImageListDlg->hide();
  else
    ImageListDlg->showForm();
}

// The button's own toggle is the clipboard-interception switch; the
// clipboard watcher reads it.
void TMain::SpeedButton5Click() {}

void TMain::SpeedButton2Click() {
  Form1->hide();
  HelpDlg->showForm();
}

void TMain::SpeedButton3Click() { close(); }

void TMain::FormCloseQuery(bool& canClose) {
  auto answer = services_.messages.show("Miruneを終了しますか？", application().title(),
                                        sys::MsgIcon::Confirmation, sys::MsgButtons::OKCancel);
  if (answer == sys::MsgResult::OK) {
    Form1->hold = true;
    Form1->close();
    ImageListDlg->close();
    HelpDlg->close();
    OptionDlg->close();
    canClose = true;
  } else {
    Form1->hold = false;
    canClose = false;
  }
  // Written at every request, confirmed or not. A failing write ends the
  // query here, so the window stays.
  writePositions();
  // The clipboard is left as it is: what another program put there is
  // that program's data, not ours to replace or empty.
}

void TMain::writePositions() {
  auto key = sys::RegistryKey::open(services_.registry, shell::kPositionKey, true);
  if (!key) throw ui::Error(ui::format("'%s' の設定に失敗しました", "Top"));
  key->writeInteger("Top", Form1->top());
  key->writeInteger("Left", Form1->left());
  key->writeInteger("Image.Top", ImageListDlg->top());
  key->writeInteger("Main.Top", top());
  key->writeInteger("Main.Left", left());
}
