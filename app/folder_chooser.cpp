#include "app/folder_chooser.h"

#include "app/working_folder.h"
#include "toolkit/filesystem/paths.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/tfolderdialog.h"
#include "toolkit/forms/topendialog.h"

std::string folderOfFile(const std::string &filePath)
{
    // The platform's separators: a Windows dialog gives backslashes.
    std::string::size_type end = filePath.size();
    while (end > 0 && !isPathSeparator(filePath[end - 1]))
        --end;
    return filePath.substr(0, end);
}

bool chooseFolder(TForm *owner, std::string &folder, const FolderChoice &choice, TEdit &field)
{
    const WorkingFolderRestorer restorer;
    TOpenDialog dialog(owner);
    dialog.SetInitialDir(folder);
    dialog.SetTitle(choice.title);
    dialog.SetFilter(choice.filter);
    const bool confirmed = dialog.Execute();
    if (confirmed) {
        folder = folderOfFile(dialog.FileName());
        field.SetText(folder);
    }
    return confirmed;
}

bool chooseWholeFolder(TForm *owner, std::string &folder, const std::string &title, TEdit &field)
{
    const WorkingFolderRestorer restorer;
    TFolderDialog dialog(owner);
    dialog.SetInitialDir(folder);
    dialog.SetTitle(title);
    if (!dialog.Execute() || dialog.FolderName().empty())
        return false;
    folder = joinPath(dialog.FolderName(), std::string());
    field.SetText(folder);
    return true;
}
