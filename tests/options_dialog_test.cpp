#include <functional>

#include "app/settings.h"
#include "dialogs_fixture.h"

namespace {

const std::string kRangeMessage = "ストロボ枚数には、2から36までの数字を入れてください。";
const std::string kSavedMessage = "設定を保存しました";

class OptionsTest : public DialogsTest {
 protected:
  void startWithIni(const std::string& ini) {
    writeIni("[Option]\r\n" + ini);
    start();
  }
  // Every setting, for comparing before and after.
  std::string snapshot() const {
    return std::to_string(settings.strobeCount) + "," + std::to_string(settings.defaultViewfinderWidth) +
           "x" + std::to_string(settings.defaultViewfinderHeight) + ",bevel " +
           std::to_string(settings.viewfinderBevel) + ",speed " +
           std::to_string(settings.strobeIntervalTenths) + ",delay " +
           std::to_string(settings.shutterDelaySeconds) + ",ps " + settings.optionSoftwarePath + ",push " +
           std::to_string(settings.pushOutWhenFull);
  }
};

TEST_F(OptionsTest, BuiltInSettingsFillAndOkChangesOnlyFrameStyleZero) {
  start();
  box().showForm();
  std::string before = snapshot();
  openOptions();
  auto& d = options();
  EXPECT_FALSE(box().visible());
  EXPECT_TRUE(box().look().viewfinder.shown);
  EXPECT_TRUE(d.visible());
  EXPECT_FALSE(d.strobeCountCheck.checked());
  EXPECT_EQ(d.strobeCountEdit.text(), "4");
  EXPECT_FALSE(d.strobeCountEdit.visible());
  EXPECT_FALSE(d.strobeIntervalCheck.checked());
  EXPECT_EQ(d.strobeIntervalBar.position(), 10);
  EXPECT_FALSE(d.strobeIntervalBar.visible());
  EXPECT_FALSE(d.defaultSizeCheck.checked());
  EXPECT_EQ(d.defaultWidthEdit.text() + "x" + d.defaultHeightEdit.text(), "160x120");
  EXPECT_FALSE(d.pixelsLabel.visible());
  // The built-in delay is 1 s: checked, with the bar at 1.
  EXPECT_TRUE(d.shutterDelayCheck.checked());
  EXPECT_EQ(d.shutterDelayBar.position(), 1);
  EXPECT_TRUE(d.shutterDelayBar.visible());
  // Frame style 0 has no button: the group stays as designed.
  EXPECT_TRUE(d.viewfinderBevelCheck.checked());
  EXPECT_TRUE(d.loweredRadio.checked());
  EXPECT_FALSE(d.pushOutCheck.checked());
  EXPECT_FALSE(d.optionSoftwareCheck.checked());
  EXPECT_FALSE(d.optionSoftwareEdit.visible());
  EXPECT_TRUE(d.timeStampCheck.checked());
  EXPECT_EQ(d.timeStampColors.itemIndex(), 0);

  click(d.okButton);
  EXPECT_FALSE(d.visible());
  EXPECT_TRUE(box().visible());
  EXPECT_EQ(settings.viewfinderBevel, 1);
  settings.viewfinderBevel = 0;
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(OptionsTest, FileValuesFillAndOutOfRangeBarsStoreTheirEnds) {
  startWithIni(
      "renzoku=8\r\nyoko=320\r\ntate=240\r\nBevel=2\r\nSpeed=0\r\ntimelag=90\r\nosidasi=1\r\n"
      "PS=C:\\paint\\paint.exe\r\n");
  openOptions();
  auto& d = options();
  EXPECT_TRUE(d.strobeCountCheck.checked());
  EXPECT_EQ(d.strobeCountEdit.text(), "8");
  EXPECT_TRUE(d.strobeCountEdit.visible());
  EXPECT_TRUE(d.strobeIntervalCheck.checked());
  EXPECT_EQ(d.strobeIntervalBar.position(), 1);
  EXPECT_TRUE(d.defaultSizeCheck.checked());
  EXPECT_EQ(d.defaultWidthEdit.text() + "x" + d.defaultHeightEdit.text(), "320x240");
  EXPECT_EQ(d.shutterDelayBar.position(), 60);
  EXPECT_TRUE(d.raisedRadio.checked());
  EXPECT_FALSE(d.loweredRadio.checked());
  EXPECT_TRUE(d.pushOutCheck.checked());
  EXPECT_TRUE(d.optionSoftwareCheck.checked());
  EXPECT_EQ(d.optionSoftwareEdit.text(), "C:\\paint\\paint.exe");
  click(d.okButton);
  EXPECT_EQ(snapshot(), "8,320x240,bevel 2,speed 1,delay 60,ps C:\\paint\\paint.exe,push 1");

  settings.strobeIntervalTenths = 30;
  settings.viewfinderBevel = 3;
  settings.shutterDelaySeconds = 0;
  openOptions();
  EXPECT_EQ(d.strobeIntervalBar.position(), 20);
  EXPECT_FALSE(d.viewfinderBevelCheck.checked());
  EXPECT_FALSE(d.raisedRadio.visible());
  EXPECT_FALSE(d.shutterDelayCheck.checked());
  EXPECT_EQ(d.shutterDelayBar.position(), 1);
  click(d.okButton);
  EXPECT_EQ(settings.strobeIntervalTenths, 20);
  EXPECT_EQ(settings.viewfinderBevel, 3);
  EXPECT_EQ(settings.shutterDelaySeconds, 0);
}

TEST_F(OptionsTest, ApplyEachGroup) {
  start();
  auto& d = options();
  openOptions();
  click(d.strobeCountCheck);
  EXPECT_TRUE(d.strobeCountEdit.type("12"));
  click(d.strobeIntervalCheck);
  d.strobeIntervalBar.slide(15);
  click(d.defaultSizeCheck);
  d.defaultWidthEdit.type("640");
  d.defaultHeightEdit.type("480");
  click(d.pushOutCheck);
  click(d.raisedRadio);
  click(d.optionSoftwareCheck);
  d.optionSoftwareEdit.type("C:\\tools\\draw.exe");
  d.shutterDelayBar.slide(7);
  click(d.okButton);
  EXPECT_EQ(snapshot(), "12,640x480,bevel 2,speed 15,delay 7,ps C:\\tools\\draw.exe,push 1");

  // Each check box off gives its default back; the path's edit is emptied.
  openOptions();
  for (ui::CheckBox* c : {&d.strobeCountCheck, &d.strobeIntervalCheck, &d.defaultSizeCheck, &d.pushOutCheck,
                          &d.optionSoftwareCheck, &d.viewfinderBevelCheck, &d.shutterDelayCheck})
    click(*c);
  click(d.okButton);
  EXPECT_EQ(snapshot(), "4,160x120,bevel 3,speed 10,delay 0,ps ,push 0");
  EXPECT_EQ(d.optionSoftwareEdit.text(), "");
}

TEST_F(OptionsTest, SaveWritesTheFileAndSaysSo) {
  start();
  auto& d = options();
  openOptions();
  click(d.strobeCountCheck);
  d.strobeCountEdit.type("6");
  d.shutterDelayBar.slide(3);
  click(d.saveSettingsButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{kSavedMessage}));
  EXPECT_FALSE(d.visible());
  EXPECT_TRUE(box().visible());
  std::string ini = readIniText();
  EXPECT_NE(ini.find("renzoku=6"), std::string::npos) << ini;
  EXPECT_NE(ini.find("timelag=3"), std::string::npos) << ini;
}

TEST_F(OptionsTest, AStrobeCountOutOfRangeIsRefusedBeforeAnythingIsApplied) {
  startWithIni("renzoku=6\r\n");
  auto& d = options();
  std::string before = snapshot();
  std::string fileBefore = readIni();

  // 37 and OK: refused before the apply; no setting changes, the dialog stays.
  openOptions();
  ASSERT_TRUE(d.strobeCountCheck.checked());
  d.strobeCountEdit.type("37");
  click(d.pushOutCheck);
  click(d.okButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{kRangeMessage}));
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(d.visible());
  EXPECT_FALSE(box().visible());

  // 37 and Save: neither the settings nor the file take it.
  platform.messages.shown.clear();
  click(d.saveSettingsButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{kRangeMessage}));
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(readIni(), fileBefore);
  EXPECT_TRUE(d.visible());

  // Cancel, Escape and the title bar's close apply nothing, so they always
  // close, without a word.
  platform.messages.shown.clear();
  std::vector<std::function<void()>> closes = {[&] { d.cancelButton.click(); },
                                               [&] { ui::pressDialogKey(d, ui::DialogKey::Escape); },
                                               [&] { d.close(); }};
  for (const auto& closeDialog : closes) {
    if (!d.visible()) openOptions();
    d.strobeCountEdit.type("37");
    app.dispatch(closeDialog);
    EXPECT_FALSE(d.visible());
    EXPECT_TRUE(box().visible());
  }
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(snapshot(), before);

  // The box unchecked: the number in the hidden field no longer counts;
  // OK applies the default count and closes.
  openOptions();
  d.strobeCountEdit.type("37");
  click(d.pushOutCheck);
  click(d.strobeCountCheck);
  click(d.okButton);
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(d.visible());
  EXPECT_TRUE(box().visible());
  EXPECT_EQ(settings.strobeCount, 4);
  EXPECT_TRUE(settings.pushOutWhenFull);

  // A count in range goes through Save to the file.
  openOptions();
  click(d.strobeCountCheck);
  d.strobeCountEdit.type("36");
  click(d.saveSettingsButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{kSavedMessage}));
  EXPECT_EQ(settings.strobeCount, 36);
  EXPECT_NE(readIniText().find("renzoku=36\r\n"), std::string::npos);
  EXPECT_FALSE(d.visible());
}

TEST_F(OptionsTest, TheProgramsEndRunsTheCheckEvenIfTheDialogWasNeverShown) {
  startWithIni("renzoku=50\r\n");
  platform.messages.answers = {sys::MsgResult::OK};
  app.dispatch([&] { forms.palette->endButton.click(); });
  EXPECT_EQ(messages(), (std::vector<std::string>{"Miruneを終了しますか？", kRangeMessage}));
  EXPECT_EQ(settings.strobeCount, 50);
  EXPECT_TRUE(app.terminated());
}

TEST_F(OptionsTest, DependentsFollowTheirBoxesWithinASecond) {
  start();
  auto& d = options();
  openOptions();
  click(d.strobeCountCheck);
  click(d.defaultSizeCheck);
  click(d.shutterDelayCheck);
  d.shutterDelayBar.slide(42);
  EXPECT_FALSE(d.strobeCountEdit.visible());
  EXPECT_FALSE(d.defaultHeightEdit.visible());
  EXPECT_TRUE(d.shutterDelayBar.visible());
  platform.backend.advance(999);
  EXPECT_FALSE(d.strobeCountEdit.visible());
  platform.backend.advance(1);
  EXPECT_TRUE(d.strobeCountEdit.visible());
  EXPECT_TRUE(d.shotsLabel.visible());
  for (ui::Control* c : std::initializer_list<ui::Control*>{&d.defaultWidthEdit, &d.defaultHeightEdit,
                                                            &d.timesLabel, &d.pixelsLabel})
    EXPECT_TRUE(c->visible()) << c->name();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &d.shutterDelayBar, &d.delayMinLabel, &d.delayMaxLabel, &d.delayValueLabel, &d.secondsLabel})
    EXPECT_FALSE(c->visible()) << c->name();
  EXPECT_EQ(d.delayValueLabel.caption(), "42");
  EXPECT_EQ(d.delayValueLabel.font().color, ui::clNavy);

  // A tick that changes nothing repaints nothing.
  platform.backend.advance(1000);
  int paints = platform.backend.paintCount(d);
  platform.backend.advance(3000);
  EXPECT_EQ(platform.backend.paintCount(d), paints);

  // The timer runs while the dialog is hidden as well.
  click(d.cancelButton);
  click(d.shutterDelayCheck);
  platform.backend.advance(1000);
  EXPECT_TRUE(d.shutterDelayBar.visible());
}

TEST_F(OptionsTest, TimeStampDisplayAndColours) {
  start();
  auto& d = options();
  openOptions();
  click(d.timeStampColors.button(1));
  EXPECT_EQ(d.timeStampColors.itemIndex(), 1);
  click(d.okButton);
  EXPECT_TRUE(box().look().stamp.shown);
  EXPECT_EQ(box().look().stamp.font.color, 0xC0C0C0u);
  EXPECT_EQ(box().look().stampShadow.font.color, ui::clBlack);

  // Not refilled: the choice stays at the next showing.
  openOptions();
  EXPECT_EQ(d.timeStampColors.itemIndex(), 1);
  click(d.timeStampCheck);
  click(d.okButton);
  EXPECT_FALSE(box().look().stamp.shown);
  EXPECT_FALSE(box().look().stampShadow.shown);

  openOptions();
  click(d.timeStampCheck);
  click(d.timeStampColors.button(0));
  click(d.okButton);
  EXPECT_TRUE(box().look().stamp.shown);
  EXPECT_TRUE(box().look().stampShadow.shown);
  EXPECT_EQ(box().look().stamp.font.color, ui::clBlack);
  EXPECT_EQ(box().look().stampShadow.font.color, 0xC0C0C0u);
}

TEST_F(OptionsTest, ANumberThatDoesNotConvertStopsTheApplyThere) {
  start();
  auto& d = options();
  openOptions();
  click(d.strobeCountCheck);
  d.strobeCountEdit.type("9");
  click(d.defaultSizeCheck);
  d.defaultWidthEdit.type("");
  click(d.pushOutCheck);
  click(d.okButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{"'' は整数ではありません"}));
  EXPECT_EQ(platform.messages.shown[0].icon, sys::MsgIcon::Error);
  EXPECT_EQ(settings.strobeCount, 9);      // applied before the failing step
  EXPECT_FALSE(settings.pushOutWhenFull);  // after it: not reached
  EXPECT_TRUE(d.visible());
}

TEST_F(OptionsTest, EnterRunsOkAndEscapeRunsCancel) {
  start();
  auto& d = options();
  openOptions();
  click(d.pushOutCheck);
  app.dispatch([&] { ui::pressDialogKey(d, ui::DialogKey::Escape); });
  EXPECT_FALSE(d.visible());
  EXPECT_FALSE(settings.pushOutWhenFull);
  openOptions();
  click(d.pushOutCheck);
  app.dispatch([&] { ui::pressDialogKey(d, ui::DialogKey::Enter); });
  EXPECT_FALSE(d.visible());
  EXPECT_TRUE(settings.pushOutWhenFull);
}

TEST_F(OptionsTest, MaskedEditsTakeOnlyTheirDigits) {
  start();
  auto& d = options();
  EXPECT_FALSE(d.strobeCountEdit.type("1a"));
  EXPECT_FALSE(d.strobeCountEdit.type("123"));
  EXPECT_TRUE(d.strobeCountEdit.type("12"));
  EXPECT_TRUE(d.defaultWidthEdit.type("1024"));
  EXPECT_FALSE(d.defaultWidthEdit.type("10240"));
  EXPECT_EQ(d.defaultWidthEdit.text(), "1024");
  EXPECT_TRUE(d.strobeCountEdit.type(""));
  EXPECT_FALSE(d.strobeCountEdit.complete());
}

}  // namespace
