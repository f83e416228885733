#include "app/cleanup/win32/windows_api.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/cleanup_dialogs.h"
#include "tests/support/test_folder.h"

namespace {

// The window of this thread that takes input now: the one modal window
// that is shown and not disabled by a window above it.
HWND inputWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            if (!IsWindowVisible(window) || !IsWindowEnabled(window))
                return TRUE;
            *reinterpret_cast<HWND *>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs `show`, which opens a dialog, and meanwhile one step per timer tick
// on the window that takes input: what a person would do, one thing at a time.
using Step = std::function<void(HWND window)>;
std::vector<Step> steps;
std::size_t nextStep = 0;
int ticks = 0;

void withSteps(std::vector<Step> script, const std::function<void()> &show)
{
    steps = std::move(script);
    nextStep = 0;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND window = inputWindow();
        if (!window)
            return;
        if (nextStep < steps.size())
            steps[nextStep++](window);
        else if (++ticks > 100) {  // five seconds after the last step
            ADD_FAILURE() << "the dialog stayed open";
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }
    });
    show();
    KillTimer(nullptr, timer);
    EXPECT_EQ(nextStep, steps.size()) << "the dialog closed before every step ran";
}

void press(HWND window, int button)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

std::vector<std::string> listRows(HWND dialog)
{
    const HWND list = GetDlgItem(dialog, IDC_LIST);
    std::vector<std::string> rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        wchar_t text[260] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        const bool ticked = ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        rows.push_back((ticked ? "[x] " : "[ ] ") + std::string(text, text + lstrlenW(text)));
    }
    return rows;
}

// A used sound, an unused one and a near miss of "Door": moved away through
// the dialog with Space ticking both rows together, then brought back.
TEST(CleanupDialogs, MoveTicksWithSpaceAndRestoreBringsTheFilesBack)
{
    if (const HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr))
        DestroyWindow(probe);
    else
        GTEST_SKIP() << "no display to show windows on (Wine needs one; DISPLAY is unset or unreachable)";
    TestFolder folder;
    folder.writeFile("s/a.sch", "\"s\"\nused\n\"t\"\nDoor\n");
    folder.writeFile("a/used.ogg", "u");
    folder.writeFile("a/hum.ogg", "hum");
    folder.writeFile("a/door.ogg", "near");
    const ScanRequest scan{folder / "s", folder / "a", false, false, folder.path()};

    std::optional<CleanupOutcome> moved;
    withSteps({[](HWND dialog) {
                   EXPECT_EQ(listRows(dialog), (std::vector<std::string>{"[ ] door.ogg", "[x] hum.ogg"}));
                   // Both rows selected, the ticked one current: Space ticks both.
                   const HWND list = GetDlgItem(dialog, IDC_LIST);
                   ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
                   ListView_SetItemState(list, 1, LVIS_FOCUSED, LVIS_FOCUSED);
                   PostMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
               },
               [](HWND dialog) {
                   EXPECT_EQ(listRows(dialog), (std::vector<std::string>{"[x] door.ogg", "[x] hum.ogg"}));
                   SetDlgItemTextW(dialog, IDC_PATH, L"q");
                   press(dialog, IDOK);
               },
               [](HWND messageBox) { press(messageBox, IDOK); }},
              [&] { moved = runMoveUnusedDialog(nullptr, scan, "Schemes: s    Audio: a"); });
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->count(FileResult::Moved), 2u);
    EXPECT_EQ(TestFolder::readFile(folder / "a/hum.ogg"), "<missing>");
    EXPECT_EQ(TestFolder::readFile(folder / "q/hum.ogg"), "hum");

    bool restored = false;
    withSteps({[](HWND dialog) { press(dialog, IDOK); },
               [](HWND dialog) {
                   EXPECT_EQ(listRows(dialog).size(), 2u);
                   press(dialog, IDCANCEL);
               }},
              [&] { restored = runRestoreMovedDialog(nullptr, moved->manifestPath, ""); });
    EXPECT_TRUE(restored);
    EXPECT_EQ(TestFolder::readFile(folder / "a/hum.ogg"), "hum");
    EXPECT_EQ(TestFolder::readFile(folder / "a/door.ogg"), "near");
}

} // namespace
