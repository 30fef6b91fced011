#pragma once
#include "ui/controls.h"
#include "ui/form.h"

// The start-up window: a gauge that advances while the windows are made.
class TStartUpDlg : public ui::Form {
 public:
  explicit TStartUpDlg(ui::Application& app);
  ui::Gauge Gauge1{this, "Gauge1"};
};
