#pragma once

#include "app/folder_settings.h"
#include "scan/scan_run.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/tnotifyevent.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TActionList;
class TButton;
class TCheckBox;
class TEdit;
class TImage;
class TMainMenu;
class TMemo;
class TMenuItem;
class TPanel;
class TStaticText;

// The main window: the two folder rows with their "..." buttons and
// "Scan in subfolder" boxes, the results box, SCAN, and the Help menu.
// Building it reads Settings.ini from the working folder of that moment,
// which is taken as the program's working folder from then on.
class TForm1 : public TForm {
public:
    TForm1();

    // Components, each owned by its parent control.
    TButton *Button1;
    TButton *Button2;
    TButton *Button3;
    TEdit *Edit1;
    TEdit *Edit2;
    TMemo *Memo1;
    TMainMenu *MainMenu1;
    TMenuItem *Help1;
    TMenuItem *About1;
    TMenuItem *SearchforHelpOn1;
    TActionList *ActionList1;
    TStaticText *StaticText1;
    TStaticText *StaticText2;
    TPanel *Panel1;
    TPanel *Panel2;
    TStaticText *StaticText3;
    TStaticText *StaticText4;
    TCheckBox *CheckBox1;
    TStaticText *StaticText5;
    TCheckBox *CheckBox2;
    TImage *Image1;

    // Choose the schemes folder, then rewrite Settings.ini.
    void Button1Click(TObject *Sender);
    // Choose the audio folder, then rewrite Settings.ini.
    void Button2Click(TObject *Sender);
    // One whole scan into Memo1.
    void Button3Click(TObject *Sender);
    // Show the About window, modeless.
    void About1Click(TObject *Sender);
    // Open the user manual "manual.chm" from the working folder.
    void SearchforHelpOn1Click(TObject *Sender);

    // The "&Clean up" menu to the right of the Help menu: its three items
    // open the windows that move unused sounds aside, restore them, and list
    // the sounds that the schemes name but that were not found.
    TMenuItem *cleanUpMenu() const { return m_cleanUpMenu; }
    // The "&Folders" menu to the right of it: "&Schemes folder..." and
    // "&Audio folder..." choose a folder itself (one that holds only
    // subfolders too), as the "..." buttons would through a file inside it;
    // below them two disabled items show the folders a scan will read.
    TMenuItem *foldersMenu() const { return m_foldersMenu; }

    const std::string &schemesFolder() const { return m_folders.schemesFolder; }
    const std::string &audioFolder() const { return m_folders.audioFolder; }
    // The folder Settings.ini lives in and relative folders resolve against.
    const std::string &workingFolder() const { return m_workingFolder; }

    // What SCAN runs; the scan engine unless a test puts an observer in.
    using Scanner = std::function<std::vector<std::string>(const ScanRequest &request)>;
    void setScanner(Scanner scanner) { m_scanner = std::move(scanner); }

private:
    void buildControls();
    void buildMenu();
    void nameComponents();
    void buildCleanUpMenu();
    void buildFoldersMenu();
    void chooseFolderFromMenu(FolderKind kind);
    void showRememberedFolders();
    void moveUnusedSounds();
    void restoreMovedSounds();
    void showMissingSounds();

    std::string m_workingFolder;
    FolderStrings m_folders;
    Scanner m_scanner;
    std::optional<ScanRequest> m_lastScan;  // what the last SCAN looked at
    std::string m_lastManifest;             // written by the last move, offered for restoring
    TMenuItem *m_cleanUpMenu = nullptr;
    TMenuItem *m_moveUnusedItem = nullptr;
    TMenuItem *m_restoreMovedItem = nullptr;
    TMenuItem *m_missingSoundsItem = nullptr;
    TMenuItem *m_foldersMenu = nullptr;
};

extern TForm1 *Form1;
