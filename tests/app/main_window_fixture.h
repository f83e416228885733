#pragma once

#include "app/tform1.h"
#include "app/working_folder.h"
#include "tests/toolkit/forms/qt_test_environment.h"
#include "tests/toolkit/forms/test_folder.h"
#include "toolkit/forms/topendialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

// A test of the main window: its own folder tree as the working folder, a
// fresh application object, and the open dialogs' answers given in advance.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        m_previousChooser = replaceOpenDialogChooser([this](const TOpenDialog &dialog) {
            dialogFolders.push_back(dialog.InitialDir());
            dialogFilters.push_back(dialog.Filter());
            if (answers.empty())
                return std::optional<std::string>(); // Cancel
            std::optional<std::string> answer = answers.front();
            answers.erase(answers.begin());
            if (dialogChangesWorkingFolder)
                (void)::chdir("/");
            return answer;
        });
        if (::chdir(folder.path().c_str()) != 0)
            ADD_FAILURE() << "cannot enter " << folder.path();
    }
    ~MainWindowTest() override { replaceOpenDialogChooser(std::move(m_previousChooser)); }

    TForm1 &createMainWindow()
    {
        state.application().CreateForm(Form1);
        return *Form1;
    }
    std::string settingsText() const { return TestFolder::readFile(folder / "Settings.ini"); }

    std::vector<std::optional<std::string>> answers;
    bool dialogChangesWorkingFolder = false; // as some desktops' dialogs do
    std::vector<std::string> dialogFolders;
    std::vector<std::string> dialogFilters;

    const WorkingFolderRestorer restorer;
    TestFolder folder;
    ApplicationFixtureState state;

private:
    OpenDialogChooser m_previousChooser;
};
