#pragma once
#include "system/services.h"
#include "ui/form.h"

namespace sheet {

// The negative sheet: the film of 36 frames along the bottom of the screen.
class NegativeSheet : public ui::Form {
 public:
  NegativeSheet(ui::Application& app, sys::Services& services);

 private:
  void setUp();
  sys::Services& services_;
};

}  // namespace sheet
