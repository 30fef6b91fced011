#pragma once
#include "system/services.h"
#include "ui/application.h"

namespace shell {

// The start-up sequence: start-up window and gauge, every window created
// in order, the start-up window's release posted. Returns before the loop.
void startUp(ui::Application& app, sys::Services& services);

// startUp, then the message loop; returns when the application ends.
int runProgram(ui::Application& app, sys::Services& services);

}  // namespace shell
