#pragma once
#include <string>
#include <vector>

#include "app_fixture.h"
#include "camera/camera_box.h"
#include "dialogs/about_box.h"
#include "dialogs/help_window.h"
#include "dialogs/options_dialog.h"
#include "shell/palette.h"
#include "shell/program.h"

// The whole program started, with the dialogs at hand.
class DialogsTest : public AppTest {
 protected:
  void start() {
    forms = shell::startUp(app, services, settings);
    app.run();
  }
  dialogs::OptionsDialog& options() { return *forms.optionsDialog; }
  dialogs::HelpWindow& help() { return *forms.helpWindow; }
  dialogs::AboutBox& about() { return *forms.aboutBox; }
  camera::CameraBox& box() { return *forms.cameraBox; }
  // A user's click, as the message loop delivers it: a failure ends in the
  // error box.
  void click(ui::Control& c) {
    app.dispatch([&] { c.click(); });
  }
  // The camera box's menu items.
  void openOptions() {
    app.dispatch([&] { box().showOptions(); });
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& m : platform.messages.shown) texts.push_back(m.text);
    return texts;
  }
};
