#pragma once

#include <functional>

#include "app/cleanup/window_message.h"

class QHBoxLayout;
class QLineEdit;
class QWidget;

// A row of a clean-up dialog for a path: its label (with an access key for
// `field`), the field, and a "..." button that calls `choose`. The widgets
// belong to `dialog`.
QHBoxLayout *newPathRow(QWidget *dialog, const char *label, QLineEdit *field, const char *chooseTitle,
                        std::function<void()> choose);

// Opens a file through the desktop shell.
FileOpener desktopOpener();
