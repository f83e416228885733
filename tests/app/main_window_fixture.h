#pragma once

#include "app/tform1.h"
#include "app/working_folder.h"
#include "tests/toolkit/forms/qt_test_environment.h"
#include "tests/toolkit/forms/test_folder.h"
#include "toolkit/forms/topendialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

// A test of the main window: its own temporary folder tree as the program's
// working folder, a fresh application object with recorded error boxes, and
// the user's answers to open dialogs given in advance.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        m_previousChooser = replaceOpenDialogChooser([this](const TOpenDialog &dialog) {
            dialogTitles.push_back(dialog.Title());
            dialogFilters.push_back(dialog.Filter());
            dialogFolders.push_back(dialog.InitialDir());
            if (answers.empty())
                return std::optional<std::string>();
            std::optional<std::string> answer = answers.front();
            answers.erase(answers.begin());
            if (dialogChangesWorkingFolder)
                (void)::chdir("/");
            return answer;
        });
        enterWorkingFolder();
    }

    ~MainWindowTest() override { replaceOpenDialogChooser(std::move(m_previousChooser)); }

    void enterWorkingFolder()
    {
        if (::chdir(folder.path().c_str()) != 0)
            ADD_FAILURE() << "cannot enter " << folder.path();
    }

    // Builds the main window as start-up does, in the working folder of now.
    TForm1 &createMainWindow()
    {
        state.application().CreateForm(Form1);
        return *Form1;
    }

    std::string settingsText() const { return TestFolder::readFile(folder / "Settings.ini"); }

    // Answers for the next open dialogs, in order; nothing means Cancel.
    std::vector<std::optional<std::string>> answers;
    // The dialog moves the working folder elsewhere, as some dialogs do.
    bool dialogChangesWorkingFolder = false;
    std::vector<std::string> dialogTitles;
    std::vector<std::string> dialogFilters;
    std::vector<std::string> dialogFolders;

    const WorkingFolderRestorer restorer; // the folder the test program ran in
    TestFolder folder;
    ApplicationFixtureState state;

private:
    OpenDialogChooser m_previousChooser;
};
