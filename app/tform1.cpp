#include "app/tform1.h"

#include "about/tform2.h"
#include "app/cleanup/qt/missing_sounds_dialog.h"
#include "app/cleanup/qt/move_unused_dialog.h"
#include "app/cleanup/qt/restore_moved_dialog.h"
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
#include "toolkit/forms/toolkit_font.h"
#include "toolkit/forms/tpanel.h"
#include "toolkit/forms/tstatictext.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>

#include <memory>
#include <utility>

TForm1 *Form1 = nullptr;

namespace {

TFormLayout mainWindowLayout()
{
    TFormLayout layout;
    layout.caption = QStringLiteral("Vorrel - Thief 3 *.sch<->*.ogg/*.wav audio checker");
    layout.clientSize = QSize(665, 609);
    layout.position = QPoint(487, 174);
    layout.icon = &programIcon();
    return layout;
}

const FolderChoice schemesChoice{"Select a scheme file present in the destination folder",
                                 "Scheme Files (*.sch)|*.sch"};
const FolderChoice audioChoice{"Select an audio file present in the destination folder",
                               "Audio Files(*.ogg, *.wav)|*.ogg;*.wav"};

// A folder in a menu caption: an ampersand stays an ampersand rather than
// marking an access key.
QString menuText(const std::string &text)
{
    return QString::fromLocal8Bit(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Puts `line` above everything else in a clean-up window.
void showFirstLine(QDialog &dialog, const std::string &line)
{
    auto *layout = qobject_cast<QBoxLayout *>(dialog.layout());
    if (!layout)
        return;
    auto *label = new QLabel(QString::fromLocal8Bit(line), &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->insertWidget(0, label);
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
    QWidget *window = client();

    // Created bottom to top: a later control paints over an earlier one.
    Panel2 = new TPanel(window, {0, 0, 665, 609}, QStringLiteral("Panel2"));
    Panel1 = new TPanel(window, {8, 8, 649, 593}, QStringLiteral("Panel1"));
    Image1 = new TImage(Panel1, {576, 344, 49, 49});
    Image1->SetPicture(std::make_unique<TIcon>(programIcon()));
    CheckBox1 = new TCheckBox(Panel1, {528, 56, 17, 17});
    CheckBox2 = new TCheckBox(Panel1, {528, 120, 17, 17});
    Button1 = new TButton(window, {592, 32, 25, 17}, QStringLiteral("..."));
    Button2 = new TButton(window, {592, 96, 25, 17}, QStringLiteral("..."));
    Button3 = new TButton(window, {576, 184, 65, 65}, QStringLiteral("SCAN"));
    Button3->setFont(toolkitFont(true));
    Edit1 = new TEdit(window, {32, 32, 521, 21});
    Edit1->SetReadOnly(true);
    Edit2 = new TEdit(window, {32, 96, 521, 21});
    Edit2->SetReadOnly(true);
    Memo1 = new TMemo(window, {32, 184, 521, 369});
    Memo1->Lines().Add(std::string());
    StaticText1 = new TStaticText(window, {32, 16, 75, 17}, QStringLiteral("Schemes  path"));
    StaticText2 = new TStaticText(window, {32, 80, 76, 17}, QStringLiteral("Audio files path"));
    StaticText3 = new TStaticText(window, {32, 168, 65, 17}, QStringLiteral("Scan results:"));
    StaticText4 = new TStaticText(window, {448, 128, 86, 17}, QStringLiteral("Scan in subfolder"));
    StaticText5 = new TStaticText(window, {448, 64, 86, 17}, QStringLiteral("Scan in subfolder"));

    setTabOrderNumber(Edit1, 0);
    setTabOrderNumber(Edit2, 1);
    setTabOrderNumber(Memo1, 2);
    setTabOrderNumber(Button1, 3);
    setTabOrderNumber(Button2, 4);
    setTabOrderNumber(Button3, 5);
    setTabOrderNumber(StaticText1, 6);
    setTabOrderNumber(StaticText2, 7);
    setTabOrderNumber(Panel1, 8);
    setTabOrderNumber(CheckBox1, 0);
    setTabOrderNumber(CheckBox2, 1);
    setTabOrderNumber(Panel2, 9);
    setTabOrderNumber(StaticText3, 10);
    setTabOrderNumber(StaticText4, 11);
    setTabOrderNumber(StaticText5, 12);

    Button1->OnClick = [this](TObject *sender) { Button1Click(sender); };
    Button2->OnClick = [this](TObject *sender) { Button2Click(sender); };
    Button3->OnClick = [this](TObject *sender) { Button3Click(sender); };
}

void TForm1::nameComponents()
{
    // Qt object names equal to the component names, for tools that find
    // controls by name (accessibility, tests).
    const std::pair<QObject *, const char *> components[] = {
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
        component->setObjectName(QString::fromLatin1(name));
}

void TForm1::buildMenu()
{
    MainMenu1 = new TMainMenu(this);
    Help1 = MainMenu1->Add(QStringLiteral("&  How to use...  "));
    SearchforHelpOn1 = Help1->Add(QStringLiteral("&How To..."));
    About1 = Help1->Add(QStringLiteral("&About..."));
    SearchforHelpOn1->OnClick = [this](TObject *sender) { SearchforHelpOn1Click(sender); };
    About1->OnClick = [this](TObject *sender) { About1Click(sender); };
}

void TForm1::buildCleanUpMenu()
{
    m_cleanUpMenu = MainMenu1->Add(QStringLiteral("&Clean up"));
    m_moveUnusedItem = m_cleanUpMenu->Add(QStringLiteral("&Move unused sounds..."));
    m_restoreMovedItem = m_cleanUpMenu->Add(QStringLiteral("&Restore moved sounds..."));
    m_missingSoundsItem = m_cleanUpMenu->Add(QStringLiteral("Missing &sounds..."));
    // Both work on the last scan, so they wait for one.
    m_moveUnusedItem->action()->setEnabled(false);
    m_missingSoundsItem->action()->setEnabled(false);
    m_moveUnusedItem->OnClick = [this](TObject *) { moveUnusedSounds(); };
    m_restoreMovedItem->OnClick = [this](TObject *) { restoreMovedSounds(); };
    m_missingSoundsItem->OnClick = [this](TObject *) { showMissingSounds(); };
}

void TForm1::buildFoldersMenu()
{
    m_foldersMenu = MainMenu1->Add(QStringLiteral("&Folders"));
    m_foldersMenu->Add(QStringLiteral("&Schemes folder..."))->OnClick = [this](TObject *) {
        chooseFolderFromMenu(FolderKind::Schemes);
    };
    m_foldersMenu->Add(QStringLiteral("&Audio folder..."))->OnClick = [this](TObject *) {
        chooseFolderFromMenu(FolderKind::Audio);
    };
    for (int shown = 0; shown < 2; ++shown)
        m_foldersMenu->Add(QString())->action()->setEnabled(false);
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
    m_foldersMenu->Items(2)->action()->setText(menuText(schemesFolderText(m_folders.schemesFolder)));
    m_foldersMenu->Items(3)->action()->setText(menuText(audioFolderText(m_folders.audioFolder)));
}

void TForm1::moveUnusedSounds()
{
    if (!m_lastScan)
        return;
    MoveUnusedDialog dialog(*m_lastScan, this);
    showFirstLine(dialog, scanFoldersLine(m_lastScan->schemesFolder, m_lastScan->audioFolder));
    if (dialog.exec() != QDialog::Accepted || !dialog.outcome())
        return;
    if (!dialog.outcome()->manifestPath.empty())
        m_lastManifest = dialog.outcome()->manifestPath;
    // The results box shows what is unused now.
    Button3Click(Button3);
}

void TForm1::restoreMovedSounds()
{
    RestoreMovedDialog dialog(QString::fromStdString(m_lastManifest), this);
    showFirstLine(dialog, scanFoldersLine(m_folders.schemesFolder, m_folders.audioFolder));
    dialog.exec();
    // Files that came back are no longer what the results box says.
    if (dialog.restoredAny() && m_lastScan)
        Button3Click(Button3);
}

void TForm1::showMissingSounds()
{
    if (!m_lastScan)
        return;
    MissingSoundsDialog dialog(*m_lastScan, this);
    showFirstLine(dialog, scanFoldersLine(m_lastScan->schemesFolder, m_lastScan->audioFolder));
    dialog.exec();
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
    m_moveUnusedItem->action()->setEnabled(listsFiles);
    m_missingSoundsItem->action()->setEnabled(true);
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
