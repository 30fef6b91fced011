#pragma once
#include "ui/form.h"

namespace dialogs {

class HelpWindow : public ui::Form {
 public:
  explicit HelpWindow(ui::Application& app);
};

}  // namespace dialogs
