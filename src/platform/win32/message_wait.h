#pragma once

namespace win32 {

// Dispatches the paint messages of the thread's windows that are pending
// now; no other message.
void repaintPending();

// Waits ms milliseconds on the user-interface thread without being taken
// for a program that has stopped answering: in slices of at most 50 ms it
// answers the messages other threads and programs send to its windows and
// repaints them. Input, timers and posted messages stay queued, in their
// order, for the loop that runs after the wait.
void waitAnswering(int ms);

}  // namespace win32
