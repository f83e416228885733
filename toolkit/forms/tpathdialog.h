#pragma once

#include <string>

class TForm;

// What the file-open and folder dialogs share: the window they belong to,
// the folder they open at (the working folder when empty) and their title.
// Paths cross as UTF-8.
class TPathDialog {
public:
    explicit TPathDialog(TForm *owner) : m_owner(owner) {}

    TForm *Owner() const { return m_owner; }
    const std::string &InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string &folder) { m_initialDir = folder; }
    const std::string &Title() const { return m_title; }
    void SetTitle(const std::string &title) { m_title = title; }

protected:
    TForm *m_owner;
    std::string m_initialDir;
    std::string m_title;
};
