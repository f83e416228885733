#pragma once

#include "app/cleanup/win32/windows_api.h"

#include <cstddef>

// While it lives, a dialog shows its progress label and bar
// (IDC_PROGRESS_LABEL, IDC_PROGRESS) and takes no input, so that nothing
// the user does starts a second run or closes the dialog halfway.
class ProgressRow {
public:
    ProgressRow(HWND dialog, const char *label);
    ~ProgressRow();
    ProgressRow(const ProgressRow &) = delete;
    ProgressRow &operator=(const ProgressRow &) = delete;

    // `done` of `total` steps. Lets the windows paint meanwhile: handles
    // the messages waiting, leaving out keys and clicks.
    void show(std::size_t done, std::size_t total);

private:
    HWND m_dialog;
    HWND m_focus;
};
