#pragma once
#include "ui/form.h"

class TOptionDlg : public ui::Form {
 public:
  explicit TOptionDlg(ui::Application& app);
};
