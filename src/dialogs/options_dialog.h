#pragma once
#include "ui/form.h"

namespace dialogs {

class OptionsDialog : public ui::Form {
 public:
  explicit OptionsDialog(ui::Application& app);
};

}  // namespace dialogs
