#include "toolkit/forms/tfolderdialog.h"
#include "toolkit/forms/topendialog.h"

// A test's chooser answers in place of the user while one is in force;
// otherwise the platform's own dialog asks.

bool TOpenDialog::Execute()
{
    const OpenDialogOverride::Chooser &chooser = OpenDialogOverride::current();
    const std::optional<std::string> chosen = chooser ? chooser(*this) : showSystemDialog();
    if (chosen)
        m_fileName = *chosen;
    return chosen.has_value();
}

bool TFolderDialog::Execute()
{
    const FolderDialogOverride::Chooser &chooser = FolderDialogOverride::current();
    const std::optional<std::string> chosen = chooser ? chooser(*this) : showSystemDialog();
    if (chosen)
        m_folderName = *chosen;
    return chosen.has_value();
}
