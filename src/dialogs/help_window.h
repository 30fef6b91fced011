#pragma once
#include <array>

#include "app/camera_box_view.h"
#include "app/dialog.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/rich_text.h"
#include "ui/wrapping_label.h"

namespace dialogs {

// The help window: the manual, read-only, with six topic buttons that
// scroll it to their chapters. Each showing starts at the top.
class HelpWindow : public ui::Form, public app::Dialog {
 public:
  // Closing the help brings the camera box back.
  HelpWindow(ui::Application& app, app::CameraBoxView& cameraBox);

  static constexpr ui::Color kTopicColor = 0x800080;   // purple
  static constexpr ui::Color kChosenColor = 0xFF0000;  // the chapter chosen last

  ui::Panel topicColumn{this, "topicColumn"};
  std::array<ui::Panel, 6> topicButtons{{{&topicColumn, "topicButton1"},
                                         {&topicColumn, "topicButton2"},
                                         {&topicColumn, "topicButton3"},
                                         {&topicColumn, "topicButton4"},
                                         {&topicColumn, "topicButton5"},
                                         {&topicColumn, "topicButton6"}}};
  ui::WrappingLabel hintLabel{&topicColumn, "hintLabel"};
  ui::SpeedButton closeButton{&topicColumn, "closeButton"};
  // The manual; it scrolls as a whole, by whole lines.
  ui::RichText manualText{this, "manualText"};

  // Scroll position of chapter index + 1: its heading near the top (the
  // first chapter shows the title line above it).
  int topicPosition(int index) const;
  void showTopic(int index);
  void resetToTop();
  // Shows the camera box again, then hides the help window.
  void closeHelp();

  // app::Dialog: shown beside the other windows.
  void open() override { showForm(); }

 private:
  void setUp();
  std::array<int, 6> positions_{};
  app::CameraBoxView& cameraBox_;
};

}  // namespace dialogs
