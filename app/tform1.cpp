#include "app/tform1.h"

#include "about/tform2.h"
#include "app/cleanup/cleanup_windows.h"
#include "app/cleanup/scan_folders_line.h"
#include "app/folder_chooser.h"
#include "icon/program_icon.h"
#include "app/working_folder.h"
#include "toolkit/filesystem/file_system.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tactionlist.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tcheckbox.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"
#include "toolkit/forms/tpanel.h"
#include "toolkit/forms/tstatictext.h"

#include <memory>
#include <utility>

TForm1 *Form1 = nullptr;

namespace {

TFormLayout mainWindowLayout()
{
    TFormLayout layout;
    layout.caption = "Vorrel - Thief 3 *.sch<->*.ogg/*.wav audio checker";
    layout.clientSize = {665, 609};
    layout.position = {487, 174};
    layout.icon = &programIcon();
    return layout;
}

const FolderChoice schemesChoice{"Select a scheme file present in the destination folder",
                                 "Scheme Files (*.sch)|*.sch"};
const FolderChoice audioChoice{"Select an audio file present in the destination folder",
                               "Audio Files(*.ogg, *.wav)|*.ogg;*.wav"};

// A folder in a menu caption: an ampersand stays an ampersand rather than
// marking an access key.
std::string menuText(const std::string &text)
{
    std::string caption;
    for (const char c : text) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    return caption;
}

} // namespace

TForm1::TForm1()
    : TForm(mainWindowLayout())
    , m_workingFolder(FileSystem::native().GetCurrentDirectoryA())
    , m_scanner(runScan)
{
    buildControls();
    buildMenu();
    buildCleanUpMenu();
    buildFoldersMenu();
    ActionList1 = new TActionList(this);
    nameComponents();
    ApplyTabOrder();
    loadSettings(m_workingFolder, m_folders);
    showRememberedFolders();
}

void TForm1::buildControls()
{
    TWinControl *window = this;

    // Created bottom to top: a later control paints over an earlier one.
    Panel2 = new TPanel(window, {0, 0, 665, 609}, "Panel2");
    Panel1 = new TPanel(window, {8, 8, 649, 593}, "Panel1");
    Image1 = new TImage(Panel1, {576, 344, 49, 49});
    Image1->SetPicture(std::make_unique<TIcon>(programIcon()));
    CheckBox1 = new TCheckBox(Panel1, {528, 56, 17, 17});
    CheckBox2 = new TCheckBox(Panel1, {528, 120, 17, 17});
    Button1 = new TButton(window, {592, 32, 25, 17}, "...");
    Button2 = new TButton(window, {592, 96, 25, 17}, "...");
    Button3 = new TButton(window, {576, 184, 65, 65}, "SCAN");
    Button3->SetFont({.bold = true});
    Edit1 = new TEdit(window, {32, 32, 521, 21});
    Edit1->SetReadOnly(true);
    Edit2 = new TEdit(window, {32, 96, 521, 21});
    Edit2->SetReadOnly(true);
    Memo1 = new TMemo(window, {32, 184, 521, 369});
    Memo1->Lines().Add(std::string());
    StaticText1 = new TStaticText(window, {32, 16, 75, 17}, "Schemes  path");
    StaticText2 = new TStaticText(window, {32, 80, 76, 17}, "Audio files path");
    StaticText3 = new TStaticText(window, {32, 168, 65, 17}, "Scan results:");
    StaticText4 = new TStaticText(window, {448, 128, 86, 17}, "Scan in subfolder");
    StaticText5 = new TStaticText(window, {448, 64, 86, 17}, "Scan in subfolder");

    Edit1->SetTabOrder(0);
    Edit2->SetTabOrder(1);
    Memo1->SetTabOrder(2);
    Button1->SetTabOrder(3);
    Button2->SetTabOrder(4);
    Button3->SetTabOrder(5);
    StaticText1->SetTabOrder(6);
    StaticText2->SetTabOrder(7);
    Panel1->SetTabOrder(8);
    CheckBox1->SetTabOrder(0);
    CheckBox2->SetTabOrder(1);
    Panel2->SetTabOrder(9);
    StaticText3->SetTabOrder(10);
    StaticText4->SetTabOrder(11);
    StaticText5->SetTabOrder(12);

    Button1->OnClick = [this](TObject *sender) { Button1Click(sender); };
    Button2->OnClick = [this](TObject *sender) { Button2Click(sender); };
    Button3->OnClick = [this](TObject *sender) { Button3Click(sender); };
}

void TForm1::nameComponents()
{
    // Names equal to the members', for tools that find controls by name
    // (accessibility, tests).
    const std::pair<TComponent *, const char *> components[] = {
        {Button1, "Button1"},         {Button2, "Button2"},         {Button3, "Button3"},
        {Edit1, "Edit1"},             {Edit2, "Edit2"},             {Memo1, "Memo1"},
        {MainMenu1, "MainMenu1"},     {Help1, "Help1"},             {About1, "About1"},
        {SearchforHelpOn1, "SearchforHelpOn1"}, {ActionList1, "ActionList1"},
        {StaticText1, "StaticText1"}, {StaticText2, "StaticText2"}, {Panel1, "Panel1"},
        {Panel2, "Panel2"},           {StaticText3, "StaticText3"}, {StaticText4, "StaticText4"},
        {CheckBox1, "CheckBox1"},     {StaticText5, "StaticText5"}, {CheckBox2, "CheckBox2"},
        {Image1, "Image1"},
    };
    for (const auto &[component, name] : components)
        component->SetName(name);
}

void TForm1::buildMenu()
{
    MainMenu1 = new TMainMenu(this);
    Help1 = MainMenu1->Add("&  How to use...  ");
    SearchforHelpOn1 = Help1->Add("&How To...");
    About1 = Help1->Add("&About...");
    SearchforHelpOn1->OnClick = [this](TObject *sender) { SearchforHelpOn1Click(sender); };
    About1->OnClick = [this](TObject *sender) { About1Click(sender); };
}

void TForm1::buildCleanUpMenu()
{
    m_cleanUpMenu = MainMenu1->Add("&Clean up");
    m_moveUnusedItem = m_cleanUpMenu->Add("&Move unused sounds...");
    m_restoreMovedItem = m_cleanUpMenu->Add("&Restore moved sounds...");
    m_missingSoundsItem = m_cleanUpMenu->Add("Missing &sounds...");
    // Both work on the last scan, so they wait for one.
    m_moveUnusedItem->SetEnabled(false);
    m_missingSoundsItem->SetEnabled(false);
    m_moveUnusedItem->OnClick = [this](TObject *) { moveUnusedSounds(); };
    m_restoreMovedItem->OnClick = [this](TObject *) { restoreMovedSounds(); };
    m_missingSoundsItem->OnClick = [this](TObject *) { showMissingSounds(); };
}

void TForm1::buildFoldersMenu()
{
    m_foldersMenu = MainMenu1->Add("&Folders");
    m_foldersMenu->Add("&Schemes folder...")->OnClick = [this](TObject *) {
        chooseFolderFromMenu(FolderKind::Schemes);
    };
    m_foldersMenu->Add("&Audio folder...")->OnClick = [this](TObject *) {
        chooseFolderFromMenu(FolderKind::Audio);
    };
    for (int shown = 0; shown < 2; ++shown)
        m_foldersMenu->Add(std::string())->SetEnabled(false);
}

void TForm1::chooseFolderFromMenu(FolderKind kind)
{
    const bool schemes = kind == FolderKind::Schemes;
    if (chooseWholeFolder(this, schemes ? m_folders.schemesFolder : m_folders.audioFolder,
                            schemes ? "Choose the schemes folder" : "Choose the audio folder",
                            schemes ? *Edit1 : *Edit2))
        saveSettings(m_workingFolder, kind, m_folders);
    showRememberedFolders();
}

void TForm1::showRememberedFolders()
{
    m_foldersMenu->Items(2)->SetCaption(menuText(schemesFolderText(m_folders.schemesFolder)));
    m_foldersMenu->Items(3)->SetCaption(menuText(audioFolderText(m_folders.audioFolder)));
}

void TForm1::moveUnusedSounds()
{
    if (!m_lastScan)
        return;
    const std::optional<CleanupOutcome> outcome =
        showMoveUnusedWindow(*this, *m_lastScan, scanFoldersLine(m_lastScan->schemesFolder, m_lastScan->audioFolder));
    if (!outcome)
        return;
    if (!outcome->manifestPath.empty())
        m_lastManifest = outcome->manifestPath;
    // The results box shows what is unused now.
    Button3Click(Button3);
}

void TForm1::restoreMovedSounds()
{
    const bool restoredAny = showRestoreMovedWindow(
        *this, m_lastManifest, scanFoldersLine(m_folders.schemesFolder, m_folders.audioFolder));
    // Files that came back are no longer what the results box says.
    if (restoredAny && m_lastScan)
        Button3Click(Button3);
}

void TForm1::showMissingSounds()
{
    if (!m_lastScan)
        return;
    showMissingSoundsWindow(*this, *m_lastScan, scanFoldersLine(m_lastScan->schemesFolder, m_lastScan->audioFolder));
}

void TForm1::Button1Click(TObject *)
{
    chooseFolder(this, m_folders.schemesFolder, schemesChoice, *Edit1);
    saveSettings(m_workingFolder, FolderKind::Schemes, m_folders);
    showRememberedFolders();
}

void TForm1::Button2Click(TObject *)
{
    chooseFolder(this, m_folders.audioFolder, audioChoice, *Edit2);
    saveSettings(m_workingFolder, FolderKind::Audio, m_folders);
    showRememberedFolders();
}

void TForm1::Button3Click(TObject *)
{
    Memo1->Lines().Clear();
    Memo1->Lines().Add("Scanning started, please wait.");
    // The scan holds the event loop until it ends, so the notice is painted
    // now or never.
    Memo1->Repaint();

    ScanRequest request;
    request.schemesFolder = m_folders.schemesFolder;
    request.audioFolder = m_folders.audioFolder;
    request.schemesSubfolders = CheckBox1->Checked();
    request.audioSubfolders = CheckBox2->Checked();
    request.baseFolder = m_workingFolder;
    const std::vector<std::string> report = m_scanner(request);
    Memo1->Lines().Assign(report);

    // A report that lists files ends with an empty line before its last.
    m_lastScan = request;
    const bool listsFiles = report.size() >= 2 && report[report.size() - 2].empty();
    m_moveUnusedItem->SetEnabled(listsFiles);
    m_missingSoundsItem->SetEnabled(true);
}

void TForm1::About1Click(TObject *)
{
    if (Form2)
        Form2->SetVisible(true);
}

void TForm1::SearchforHelpOn1Click(TObject *)
{
    ShellExecuteA(nullptr, "open", "manual.chm", nullptr, nullptr, SW_SHOW);
}
