#pragma once

#include "toolkit/forms/dialog_override.h"
#include "toolkit/forms/tpathdialog.h"

#include <optional>
#include <string>

// Folder chooser: the user picks a folder itself, also one that holds only
// subfolders.
class TFolderDialog : public TPathDialog {
public:
    using TPathDialog::TPathDialog;


    // The chosen folder's full path (no separator at its end but a root's),
    // once Execute returned true.
    const std::string &FolderName() const { return m_folderName; }

    // Shows the dialog modally, opening at InitialDir (the working folder
    // when that is empty). Returns whether the user confirmed a folder.
    bool Execute();

private:
    // The platform's own dialog; the chosen path, or nothing on Cancel.
    std::optional<std::string> showSystemDialog() const;

    std::string m_folderName;
};

// Answers the folder dialogs in place of the user (see DialogOverride).
using FolderDialogOverride = DialogOverride<TFolderDialog>;
