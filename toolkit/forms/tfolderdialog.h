#pragma once

#include "toolkit/forms/dialog_override.h"

#include <optional>
#include <string>

class TForm;

// Folder chooser: the user picks a folder itself, also one that holds only
// subfolders. Paths cross as UTF-8.
class TFolderDialog {
public:
    explicit TFolderDialog(TForm *owner) : m_owner(owner) {}

    TForm *Owner() const { return m_owner; }
    const std::string &InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string &folder) { m_initialDir = folder; }
    const std::string &Title() const { return m_title; }
    void SetTitle(const std::string &title) { m_title = title; }

    // The chosen folder's full path (no separator at its end but a root's),
    // once Execute returned true.
    const std::string &FolderName() const { return m_folderName; }

    // Shows the dialog modally, opening at InitialDir (the working folder
    // when that is empty). Returns whether the user confirmed a folder.
    bool Execute();

private:
    // The platform's own dialog; the chosen path, or nothing on Cancel.
    std::optional<std::string> showSystemDialog() const;

    TForm *m_owner;
    std::string m_initialDir;
    std::string m_title;
    std::string m_folderName;
};

// Answers the folder dialogs in place of the user (see DialogOverride).
using FolderDialogOverride = DialogOverride<TFolderDialog>;
