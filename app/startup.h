#pragma once

#include <functional>

// Runs start-up steps inside the program's guard: an Exception is shown in
// the error box; anything else is shown as an Exception with an empty
// message. Either way start-up ends there. Always returns exit code 0.
// Needs the application object.
int runGuarded(const std::function<void()> &steps);

// The program's start-up: prepares the application object, sets the help
// file and the title "Vorrel", creates the main window and then the hidden
// About window, and runs the event loop until the main window closes.
// Returns the exit code, 0 on every path.
int startVorrel();
