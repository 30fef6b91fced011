#pragma once
#include "ui/form.h"

class TAboutDlg : public ui::Form {
 public:
  explicit TAboutDlg(ui::Application& app);
};
