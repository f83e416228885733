#pragma once

#include <string>

class TEdit;
class TForm;

// What a "..." button asks the user for.
struct FolderChoice {
    std::string title;
    std::string filter;
};

// The folder of a file's full path: the path cut back to its last
// separator, which stays ("/a/b/x.sch" gives "/a/b/", "/x.sch" gives "/";
// on Windows "C:\a\x.sch" gives "C:\a\"). A path without any
// separator gives the empty string.
std::string folderOfFile(const std::string &filePath);

// Lets the user choose a folder by picking a file inside it. The dialog
// opens at `folder`; on confirmation `folder` becomes the picked file's
// folder and `field` shows it, on cancel nothing changes. The working
// folder is the same afterwards as before, whatever the dialog did to it.
// Returns whether the user confirmed.
bool chooseFolder(TForm *owner, std::string &folder, const FolderChoice &choice, TEdit &field);

// Lets the user choose the folder itself, also one that holds only
// subfolders. The dialog opens at `folder`; on confirmation `folder` becomes
// the chosen folder with a separator at its end, as a folder picked through
// a file inside it has, and `field` shows it; on cancel nothing changes. The
// working folder is the same afterwards as before. Returns whether the user
// confirmed.
bool chooseWholeFolder(TForm *owner, std::string &folder, const std::string &title, TEdit &field);
