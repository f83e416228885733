#pragma once

#include <string>

// The platform's own modal error box with an OK button; presentErrorBox
// calls it unless a test put its own presenter in. Each backend defines it.
void showSystemErrorBox(const std::string &caption, const std::string &message);
