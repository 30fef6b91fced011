#pragma once
#include "system/services.h"
#include "ui/form.h"

// The negative sheet: the film of 36 frames along the bottom of the screen.
class TImageListDlg : public ui::Form {
 public:
  TImageListDlg(ui::Application& app, sys::Services& services);
  void FormCreate();

 private:
  sys::Services& services_;
};
