#pragma once

#include "toolkit/forms/dialog_override.h"
#include "toolkit/forms/tpathdialog.h"

#include <optional>
#include <string>

// File-open dialog. The filter is written as "description|pattern;pattern",
// pairs joined by further bars; patterns match file names without regard to
// letter case.
class TOpenDialog : public TPathDialog {
public:
    using TPathDialog::TPathDialog;

    const std::string &Filter() const { return m_filter; }
    void SetFilter(const std::string &filter) { m_filter = filter; }

    // The chosen file's full path, once Execute returned true.
    const std::string &FileName() const { return m_fileName; }

    // Shows the dialog modally, one existing file to pick. Returns whether
    // the user confirmed a file.
    bool Execute();

private:
    // The platform's own dialog; the chosen path, or nothing on Cancel.
    std::optional<std::string> showSystemDialog() const;

    std::string m_filter;
    std::string m_fileName;
};

// Answers the open dialogs in place of the user (see DialogOverride).
using OpenDialogOverride = DialogOverride<TOpenDialog>;
