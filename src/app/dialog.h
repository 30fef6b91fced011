#pragma once

namespace app {

// A dialog as the camera box's command menu opens it: the options dialog
// and the help window open beside the other windows and return at once;
// the about box is modal and returns once it is closed.
class Dialog {
 public:
  virtual ~Dialog() = default;
  virtual void open() = 0;
};

}  // namespace app
