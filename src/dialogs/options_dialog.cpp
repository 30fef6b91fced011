#include "dialogs/options_dialog.h"

#include <algorithm>
#include <string>

#include "base/error.h"
#include "ui/application.h"
#include "ui/backend.h"
#include "ui/painter.h"

namespace dialogs {

namespace {

constexpr ui::Color kSilver = 0xC0C0C0;
constexpr int kDefaultStrobeCount = 4, kDefaultInterval = 10, kDefaultWidth = 160, kDefaultHeight = 120;
constexpr int kFlatBevel = 3;

// The number in an edit, as the user's text is converted everywhere.
long long numberIn(const ui::Edit& edit) {
  auto n = app::parseNumber(edit.text());
  if (!n) throw base::Error(base::format("'%s' は整数ではありません", edit.text()));
  return *n;
}

// A label at (x, y), sized to its text.
void place(ui::Label& label, int x, int y, const std::string& text, ui::Painter& painter) {
  label.setCaption(text);
  label.setBounds({x, y, 0, 0});
  label.fitToText(painter);
}

void showAll(std::initializer_list<ui::Control*> controls, bool shown) {
  for (ui::Control* c : controls) c->setVisible(shown);
}

}  // namespace

OptionsDialog::OptionsDialog(ui::Application& application, sys::Services& services, app::Settings& settings,
                             app::CameraBoxView& cameraBox)
    : ui::Form(application, "optionsDialog"),
      services_(services),
      settings_(settings),
      cameraBox_(cameraBox) {
  setBorderStyle(ui::BorderStyle::Dialog);
  setStayOnTop(true);
  setCaption("オプション");
  setBounds({0, 0, 397, 453});
  ui::Painter& painter = application.backend().painter();

  backPanel.setBounds({0, 0, 397, 453});
  backPanel.setBevelWidth(2);
  strobeFrame.setBounds({10, 7, 377, 108});
  sizeFrame.setBounds({10, 117, 377, 60});

  strobeCountCheck.setBounds({24, 17, 345, 17});
  strobeCountCheck.setCaption("ストロボ撮影の枚数を変更する。（初期値は４枚です）");
  strobeCountEdit.setBounds({80, 36, 49, 20});
  strobeCountEdit.setDigits(1, 2);
  place(shotsLabel, 136, 40, "枚", painter);
  strobeIntervalCheck.setBounds({24, 63, 193, 17});
  strobeIntervalCheck.setCaption("ストロボ撮影の間隔を変更する。");
  strobeIntervalBar.setBounds({144, 79, 150, 33});
  strobeIntervalBar.setRange(1, 20);
  strobeIntervalBar.setFrequency(1);
  strobeIntervalBar.setPosition(10);
  place(intervalFastLabel, 116, 85, "速い", painter);
  place(intervalSlowLabel, 296, 84, "遅い", painter);

  defaultSizeCheck.setBounds({24, 125, 353, 17});
  defaultSizeCheck.setCaption("初期画面サイズを変更する。（初期値は 160 × 120 ﾋﾟｸｾﾙです）");
  defaultWidthEdit.setBounds({102, 149, 57, 20});
  defaultWidthEdit.setDigits(1, 4);
  place(timesLabel, 169, 153, "×", painter);
  defaultHeightEdit.setBounds({192, 149, 57, 20});
  defaultHeightEdit.setDigits(1, 4);
  place(pixelsLabel, 258, 153, "ﾋﾟｸｾﾙ", painter);

  pushOutCheck.setBounds({24, 186, 289, 17});
  pushOutCheck.setCaption("フィルム残数が足りない場合古いものから消去する。");

  optionSoftwareCheck.setBounds({24, 211, 345, 17});
  optionSoftwareCheck.setCaption("ペイントボタンの右クリックでペイント以外のソフトを起動する。");
  place(optionSoftwareLabel, 59, 235, "起動するソフト名（フルパス）", painter);
  optionSoftwareEdit.setBounds({209, 240, 143, 20});
  optionSoftwareEdit.setInputMethodClosed(true);

  viewfinderBevelCheck.setBounds({24, 257, 217, 17});
  viewfinderBevelCheck.setCaption("画面を立体的に表示する。*");
  loweredRadio.setBounds({64, 280, 97, 17});
  loweredRadio.setCaption("彫り下げる。");
  raisedRadio.setBounds({168, 279, 113, 17});
  raisedRadio.setCaption("浮き上がらす。");

  shutterDelayCheck.setBounds({24, 302, 353, 17});
  shutterDelayCheck.setCaption("シャッターを押してから実際に撮影を開始する時間をずらす。");
  shutterDelayBar.setBounds({112, 317, 150, 28});
  shutterDelayBar.setRange(1, 60);
  shutterDelayBar.setFrequency(10);
  shutterDelayBar.setPosition(1);
  place(delayMinLabel, 92, 322, "1秒", painter);
  place(delayMaxLabel, 262, 322, "60秒", painter);
  place(delayValueLabel, 317, 321, "", painter);
  delayValueLabel.setFontColor(ui::clNavy);
  place(secondsLabel, 340, 322, "秒", painter);

  timeStampCheck.setBounds({24, 346, 281, 17});
  timeStampCheck.setCaption("画面上に撮影時間を表示する。*");
  timeStampColors.setBounds({56, 365, 193, 31});
  timeStampColors.setColumns(2);
  timeStampColors.setItems({"標準", "反転"});
  place(unsavedNoteLabel, 16, 406, "*のついた設定は保存されません。", painter);

  okButton.setBounds({152, 422, 71, 24});
  okButton.setCaption("OK");
  okButton.setDefault(true);
  cancelButton.setBounds({225, 422, 70, 24});
  cancelButton.setCaption("ｷｬﾝｾﾙ");
  cancelButton.setCancel(true);
  saveSettingsButton.setBounds({297, 422, 90, 24});
  saveSettingsButton.setCaption("設定を保存する");

  // As the dialog was designed: the time stamp shown in standard colours,
  // and a lowered viewfinder, which is what a frame style of 0 looks like.
  timeStampCheck.setChecked(true);
  timeStampColors.setItemIndex(0);
  viewfinderBevelCheck.setChecked(true);
  loweredRadio.setChecked(true);

  okButton.onClick = [this] { applyAndClose(); };
  cancelButton.onClick = [this] { cancel(); };
  saveSettingsButton.onClick = [this] { saveAndClose(); };
  refreshTimer.onTimer = [this] { refreshDependents(); };
  onCreate = [this] { setUp(); };
  onShow = [this] { fillFromSettings(); };
  onCloseQuery = [this](bool& canClose) { checkStrobeCount(canClose); };
  onClose = [this](ui::CloseAction&) { showCameraBox(); };
}

void OptionsDialog::setUp() {
  setClientWidth(397);
  setClientHeight(453);
  centerOnScreen();
  fillFromSettings();
}

void OptionsDialog::fillFromSettings() {
  bool strobeCount = settings_.strobeCount != kDefaultStrobeCount;
  strobeCountCheck.setChecked(strobeCount);
  strobeCountEdit.setText(std::to_string(strobeCount ? settings_.strobeCount : kDefaultStrobeCount));
  showAll({&strobeCountEdit, &shotsLabel}, strobeCount);

  bool interval = settings_.strobeIntervalTenths != kDefaultInterval;
  strobeIntervalCheck.setChecked(interval);
  strobeIntervalBar.setPosition(interval ? settings_.strobeIntervalTenths : kDefaultInterval);
  showAll({&strobeIntervalBar, &intervalFastLabel, &intervalSlowLabel}, interval);

  bool size = settings_.defaultViewfinderWidth != kDefaultWidth ||
              settings_.defaultViewfinderHeight != kDefaultHeight;
  defaultSizeCheck.setChecked(size);
  defaultWidthEdit.setText(std::to_string(settings_.defaultViewfinderWidth));
  defaultHeightEdit.setText(std::to_string(settings_.defaultViewfinderHeight));
  showAll({&defaultWidthEdit, &defaultHeightEdit, &timesLabel, &pixelsLabel}, size);

  bool delay = settings_.shutterDelaySeconds != 0;
  shutterDelayCheck.setChecked(delay);
  shutterDelayBar.setPosition(delay ? settings_.shutterDelaySeconds : 1);
  showAll({&shutterDelayBar, &secondsLabel, &delayValueLabel, &delayMinLabel, &delayMaxLabel}, delay);

  // A style the dialog has no button for leaves the group as it was.
  switch (settings_.viewfinderBevel) {
    case kFlatBevel:
      viewfinderBevelCheck.setChecked(false);
      showAll({&loweredRadio, &raisedRadio}, false);
      break;
    case 1:
    case 2:
      viewfinderBevelCheck.setChecked(true);
      (settings_.viewfinderBevel == 1 ? loweredRadio : raisedRadio).setChecked(true);
      showAll({&loweredRadio, &raisedRadio}, true);
      break;
    default:
      break;
  }

  pushOutCheck.setChecked(settings_.pushOutWhenFull);

  bool software = !settings_.optionSoftwarePath.empty();
  optionSoftwareCheck.setChecked(software);
  optionSoftwareEdit.setText(settings_.optionSoftwarePath);
  showAll({&optionSoftwareEdit, &optionSoftwareLabel}, software);
}

void OptionsDialog::refreshDependents() {
  showAll({&strobeCountEdit, &shotsLabel}, strobeCountCheck.checked());
  showAll({&defaultWidthEdit, &defaultHeightEdit, &timesLabel, &pixelsLabel}, defaultSizeCheck.checked());
  showAll({&optionSoftwareEdit, &optionSoftwareLabel}, optionSoftwareCheck.checked());
  showAll({&loweredRadio, &raisedRadio}, viewfinderBevelCheck.checked());
  showAll({&strobeIntervalBar, &intervalFastLabel, &intervalSlowLabel}, strobeIntervalCheck.checked());
  showAll({&shutterDelayBar, &secondsLabel, &delayValueLabel, &delayMinLabel, &delayMaxLabel},
          shutterDelayCheck.checked());
  delayValueLabel.setCaption(std::to_string(shutterDelayBar.position()));
  delayValueLabel.fitToText(application().backend().painter());
}

// Step by step: a number that does not convert ends the apply there, and
// what was applied before it stays.
void OptionsDialog::applyToSettings() {
  settings_.strobeCount =
      static_cast<std::uint8_t>(strobeCountCheck.checked() ? numberIn(strobeCountEdit) : kDefaultStrobeCount);
  if (defaultSizeCheck.checked()) {
    settings_.defaultViewfinderWidth = static_cast<std::uint16_t>(numberIn(defaultWidthEdit));
    settings_.defaultViewfinderHeight = static_cast<std::uint16_t>(numberIn(defaultHeightEdit));
  } else {
    settings_.defaultViewfinderWidth = kDefaultWidth;
    settings_.defaultViewfinderHeight = kDefaultHeight;
  }
  settings_.pushOutWhenFull = pushOutCheck.checked();
  if (loweredRadio.checked())
    settings_.viewfinderBevel = 1;
  else if (raisedRadio.checked())
    settings_.viewfinderBevel = 2;
  if (!viewfinderBevelCheck.checked()) settings_.viewfinderBevel = kFlatBevel;
  if (optionSoftwareCheck.checked()) {
    settings_.optionSoftwarePath = optionSoftwareEdit.text();
  } else {
    optionSoftwareEdit.setText("");
    settings_.optionSoftwarePath.clear();
  }
  settings_.strobeIntervalTenths = static_cast<std::uint8_t>(
      strobeIntervalCheck.checked() ? strobeIntervalBar.position() : kDefaultInterval);
  settings_.shutterDelaySeconds =
      static_cast<std::uint8_t>(shutterDelayCheck.checked() ? shutterDelayBar.position() : 0);

  if (!timeStampCheck.checked()) {
    cameraBox_.setTimeStampShown(false);
    return;
  }
  cameraBox_.setTimeStampShown(true);
  if (timeStampColors.itemIndex() == 0) cameraBox_.setTimeStampColors(ui::clBlack, kSilver);
  if (timeStampColors.itemIndex() == 1) cameraBox_.setTimeStampColors(kSilver, ui::clBlack);
}

void OptionsDialog::applyAndClose() {
  if (!strobeCountAccepted()) return;
  applyToSettings();
  close();
}

void OptionsDialog::saveAndClose() {
  // Checked before anything is applied: a count out of range never
  // reaches the settings, nor the file.
  if (!strobeCountAccepted()) return;
  applyToSettings();
  app::saveSettings(settings_, services_.profile, app::settingsPath(services_.files.executablePath()));
  services_.messages.show("設定を保存しました", application().title(), sys::MsgIcon::None,
                          sys::MsgButtons::OK);
  close();
}

void OptionsDialog::cancel() { close(); }

bool OptionsDialog::strobeCountAccepted() {
  if (!strobeCountCheck.checked()) return true;
  long long n = numberIn(strobeCountEdit);
  if (n >= 2 && n <= 36) return true;
  services_.messages.show("ストロボ枚数には、2から36までの数字を入れてください。", application().title(),
                          sys::MsgIcon::None, sys::MsgButtons::OK);
  return false;
}

// A close of the dialog on the screen is the user's: Cancel, Escape or the
// title bar's close, which apply nothing, so nothing holds them back (OK
// and save check the count before they apply it). The program's end closes
// the hidden dialog too, and still says when the count is out of range.
void OptionsDialog::checkStrobeCount(bool& canClose) {
  if (visible()) return;
  if (!strobeCountAccepted()) canClose = false;
}

void OptionsDialog::showCameraBox() { cameraBox_.showCameraBox(); }

}  // namespace dialogs
