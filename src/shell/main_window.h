#pragma once
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"

// The select-button palette, the application's main window.
class TMain : public ui::Form {
 public:
  TMain(ui::Application& app, sys::Services& services);

  ui::SpeedButton SpeedButton1{this, "SpeedButton1"};  // camera box on/off
  ui::SpeedButton SpeedButton4{this, "SpeedButton4"};  // negative sheet on/off
  ui::SpeedButton SpeedButton5{this, "SpeedButton5"};  // clipboard interception
  ui::SpeedButton SpeedButton2{this, "SpeedButton2"};  // help
  ui::SpeedButton SpeedButton3{this, "SpeedButton3"};  // end

  void FormCreate();
  void FormShow();
  void FormCloseQuery(bool& canClose);
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton5Click();

 private:
  void writePositions();
  sys::Services& services_;
};
