#pragma once

namespace base {

// Holds a flag up for a scope and lowers it however the scope ends: the
// guard of a step that must not start again from inside itself.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
  ~Raised() { flag_ = false; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
};

}  // namespace base
