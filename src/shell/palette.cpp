#include "shell/palette.h"

#include "camera/camera_box.h"
#include "shell/glyphs.h"
#include "ui/application.h"

namespace shell {

Palette::Palette(ui::Application& application, sys::Services& services)
    : ui::Form(application, "palette"), services_(services), positions_(services.registry) {
  setBorderStyle(ui::BorderStyle::ToolWindow);
  setSystemMenu(false);
  setCaption("Mirune");
  struct ButtonSetup {
    ui::SpeedButton& button;
    int top;
    picture::Bitmap glyph;
    const char* hint;
  } buttons[] = {
      {cameraBoxButton, 0, cameraGlyph(), "カメラボックスを表示します"},
      {negativeSheetButton, 26, sheetGlyph(), "ネガシートを表示します"},
      {clipboardButton, 52, clipboardGlyph(), "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの画像を横取りします"},
      {helpButton, 78, helpGlyph(), "ヘルプを表示します"},
      {endButton, 104, endGlyph(), "Miruneを終了します"},
  };
  for (auto& b : buttons) {
    b.button.setBounds({0, b.top, 30, 26});
    b.button.setGlyph(b.glyph);
    b.button.setHint(b.hint);
    b.button.setShowHint(true);
  }
  clipboardButton.setGroupIndex(5);
  clipboardButton.setAllowAllUp(true);

  cameraBoxButton.onClick = [this] { toggleCameraBox(); };
  negativeSheetButton.onClick = [this] { toggleNegativeSheet(); };
  helpButton.onClick = [this] { showHelp(); };
  endButton.onClick = [this] { close(); };
  onCreate = [this] { setUp(); };
  onShow = [this] { readPosition(); };
  onCloseQuery = [this](bool& canClose) { confirmEnd(canClose); };
}

void Palette::setUp() {
  setClientHeight(130);
  setClientWidth(30);
  application().setHintColor(ui::rgb(0, 255, 255));
  setTop(0);
  setLeft(0);
  // When Windows ends the session the places of this run are kept; nothing
  // is asked, so the log-off is not held up.
  application().onSessionEnd.subscribe([this] { writePositions(); });
}

void Palette::readPosition() {
  auto stored = positions_.open();
  if (!stored) return;
  setTop(stored->paletteTop());
  setLeft(stored->paletteLeft());
  bringBackIfLost();
}

void Palette::toggleCameraBox() {
  camera::CameraBox& box = windows_->cameraBox;
  if (box.visible()) {
    box.setKeepHidden(true);
    box.hide();
  } else {
    box.setKeepHidden(false);
    box.showForm();
  }
}

void Palette::toggleNegativeSheet() {
  ui::Form& sheet = windows_->negativeSheet;
  if (sheet.visible())
    sheet.hide();
  else
    sheet.showForm();
}

void Palette::showHelp() {
  windows_->cameraBox.hide();
  windows_->helpWindow.showForm();
}

void Palette::confirmEnd(bool& canClose) {
  auto answer = services_.messages.show("Miruneを終了しますか？", application().title(),
                                        sys::MsgIcon::Confirmation, sys::MsgButtons::OKCancel);
  if (answer == sys::MsgResult::OK) {
    windows_->cameraBox.setKeepHidden(true);
    windows_->cameraBox.close();
    windows_->negativeSheet.close();
    windows_->helpWindow.close();
    windows_->optionsDialog.close();
    canClose = true;
  } else {
    windows_->cameraBox.setKeepHidden(false);
    canClose = false;
  }
  // Written at every request, confirmed or not. A failing write ends the
  // query here, so the window stays.
  writePositions();
  // The clipboard is left as it is: what another program put there is
  // that program's data, not ours to replace or empty.
}

void Palette::writePositions() {
  positions_.write(
      {windows_->cameraBox.top(), windows_->cameraBox.left(), windows_->negativeSheet.top(), top(), left()});
}

}  // namespace shell
