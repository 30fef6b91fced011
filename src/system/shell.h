#pragma once
#include <string>

namespace sys {

// Other programs: a file opened with the program the desktop associates
// with its kind, and a command line started as a program of its own.
class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the desktop to open the file (a bare name is looked for in the
  // current folder). Whether a program took it is not known here.
  virtual void openFile(const std::string& path) = 0;
  // Starts the command line as it is and does not wait for it; false when
  // it cannot start (an empty line names no program).
  virtual bool startProgram(const std::string& commandLine) = 0;
};

}  // namespace sys
