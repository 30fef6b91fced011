#pragma once
#include "ui/form.h"

class THelpDlg : public ui::Form {
 public:
  explicit THelpDlg(ui::Application& app);
};
