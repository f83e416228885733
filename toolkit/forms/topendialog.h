#pragma once

#include "toolkit/forms/dialog_override.h"

#include <optional>
#include <string>

class TForm;

// File-open dialog. Paths cross as UTF-8. The filter
// is written as "description|pattern;pattern", pairs joined by further
// bars; patterns match file names without regard to letter case.
class TOpenDialog {
public:
    explicit TOpenDialog(TForm *owner) : m_owner(owner) {}

    TForm *Owner() const { return m_owner; }
    const std::string &InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string &folder) { m_initialDir = folder; }
    const std::string &Title() const { return m_title; }
    void SetTitle(const std::string &title) { m_title = title; }
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

    TForm *m_owner;
    std::string m_initialDir;
    std::string m_title;
    std::string m_filter;
    std::string m_fileName;
};

// Answers the open dialogs in place of the user (see DialogOverride).
using OpenDialogOverride = DialogOverride<TOpenDialog>;
