#pragma once

#include "app/cleanup/win32/windows_api.h"

#include <optional>
#include <string>

// The system's choosers behind the clean-up dialogs' "..." buttons. Each
// opens in the folder of `current` (the field's text) when it names one
// that exists, and returns the chosen path, or nothing when the user
// cancelled or the chooser could not open (which it says in a message box).

// A folder, through the system's file dialog in its folder mode.
std::optional<std::string> chooseFolder(HWND owner, const std::string &title, const std::string &current);

// An existing file that matches `filter`, "Description (*.ext)".
std::optional<std::string> chooseFile(HWND owner, const std::string &title, const std::string &filter,
                                      const std::string &current);
