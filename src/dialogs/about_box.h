#pragma once
#include "ui/form.h"

namespace dialogs {

class AboutBox : public ui::Form {
 public:
  explicit AboutBox(ui::Application& app);
};

}  // namespace dialogs
