#include "dialogs/help_window.h"

#include <algorithm>
#include <string>

#include "dialogs/manual.h"

namespace dialogs {

namespace {
constexpr const char* kTopicCaptions[] = {"Miruneについて", "ｾﾚｸﾄﾎﾞﾀﾝ",   "カメラボックス",
                                          "メニュー",       "ネガシート", "オプション"};
constexpr ui::Color kAqua = 0x00FFFF;
}  // namespace

HelpWindow::HelpWindow(ui::Application& application, app::CameraBoxView& cameraBox)
    : ui::Form(application, "helpWindow"), cameraBox_(cameraBox) {
  setBorderStyle(ui::BorderStyle::Dialog);
  setStayOnTop(true);
  setCaption("Help");
  setBounds({0, 0, 390, 290});

  topicColumn.setBounds({0, 0, 105, 290});
  topicColumn.setColor(ui::clNavy);
  topicColumn.setBevelOuter(ui::BevelCut::None);
  topicColumn.setFontColor(ui::clWhite);
  for (int i = 0; i < 6; ++i) {
    ui::Panel& b = topicButtons[i];
    b.setBounds({3, 2 + 26 * i, 99, 25});
    b.setCaption(kTopicCaptions[i]);
    b.setBevelOuter(ui::BevelCut::Raised);
    b.setFontColor(ui::clWhite);
    b.setColor(kTopicColor);
    b.onClick = [this, i] { showTopic(i); };
  }
  hintLabel.setBounds({7, 200, 90, 25});
  hintLabel.setCaption("見たい項目をｸﾘｯｸしてください。");
  hintLabel.setFontColor(kAqua);
  closeButton.setBounds({4, 262, 99, 25});
  closeButton.setCaption("ヘルプの終了");
  closeButton.setFontColor(ui::clBlack);
  closeButton.onClick = [this] { closeHelp(); };

  manualText.setBounds({105, 0, 285, 290});
  manualText.setFont({"ＭＳ ゴシック", 12, ui::clBlack, false});
  // 44 half-width columns of 6 pixels, beside the scroll bar.
  manualText.setMargin(2);
  std::vector<std::string> lines = manualLines();
  for (std::size_t c = 0; c < kChapterHeadings.size(); ++c) {
    auto at = std::find(lines.begin(), lines.end(), kChapterHeadings[c]);
    int line = static_cast<int>(at - lines.begin());
    positions_[c] = c == 0 ? 0 : (line - 1) * manualText.lineHeight();
  }
  manualText.setLines(std::move(lines));

  onCreate = [this] { setUp(); };
  onShow = [this] { resetToTop(); };
}

void HelpWindow::setUp() {
  setClientWidth(390);
  setClientHeight(290);
  centerOnScreen();
}

int HelpWindow::topicPosition(int index) const { return positions_.at(index); }

void HelpWindow::showTopic(int index) {
  manualText.setScrollTop(topicPosition(index));
  for (int i = 0; i < 6; ++i) topicButtons[i].setColor(i == index ? kChosenColor : kTopicColor);
}

void HelpWindow::resetToTop() {
  manualText.setScrollTop(0);
  for (ui::Panel& b : topicButtons) b.setColor(kTopicColor);
}

void HelpWindow::closeHelp() {
  cameraBox_.showCameraBox();
  close();
}

}  // namespace dialogs
