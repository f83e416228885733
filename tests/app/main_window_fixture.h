#pragma once

#include "app/tform1.h"
#include "app/working_folder.h"
#include "tests/support/application_fixture.h"
#include "toolkit/forms/topendialog.h"

#include <optional>

// A test of the main window: its own folder tree as the working folder, a
// fresh application object, and the open dialogs' answers given in advance.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        if (::chdir(folder.path().c_str()) != 0)
            ADD_FAILURE() << "cannot enter " << folder.path();
    }

    TForm1 &createMainWindow() { return state.application().CreateForm(Form1), *Form1; }
    std::string settingsText() const { return TestFolder::readFile(folder / "Settings.ini"); }

    std::vector<std::optional<std::string>> answers;
    bool dialogChangesWorkingFolder = false; // as some desktops' dialogs do
    std::vector<std::string> dialogFolders;

    const WorkingFolderRestorer restorer;
    TestFolder folder;
    ApplicationFixtureState state;

private:
    OpenDialogOverride m_dialogs{[this](const TOpenDialog &dialog) {
            dialogFolders.push_back(dialog.InitialDir());
            if (answers.empty())
                return std::optional<std::string>(); // Cancel
            if (dialogChangesWorkingFolder)
                (void)::chdir("/");
            std::optional<std::string> answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }};
};
