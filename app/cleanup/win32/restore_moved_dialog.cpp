#include "app/cleanup/restore_moved_window.h"
#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/cleanup_dialogs.h"
#include "app/cleanup/win32/dialog_view.h"
#include "app/cleanup/win32/list_view.h"
#include "app/cleanup/win32/path_choosers.h"
#include "app/cleanup/win32/progress_row.h"
#include "app/cleanup/win32/win32_text.h"
#include "cleanup/restore_moved.h"
#include "toolkit/filesystem/file_operations.h"

namespace {

class RestoreMovedView : public DialogView {
public:
    RestoreMovedView(const std::string &manifest, const std::string &firstLine)
        : m_window(manifest)
        , m_firstLine(firstLine)
    {
    }

    bool restoredAny() const { return m_window.restoredAny(); }

private:
    void initialize() override
    {
        setTitleAndFirstLine(RestoreMovedWindow::title, m_firstLine);
        setControlText(item(IDC_PATH_LABEL), RestoreMovedWindow::manifestLabel);
        setControlText(item(IDC_LIST_LABEL), RestoreMovedWindow::resultsLabel);
        setControlText(item(IDOK), RestoreMovedWindow::restoreButton);
        setControlText(item(IDC_PATH), m_window.offeredManifest());
        const auto &headers = RestoreMovedWindow::headers;
        setUpList(item(IDC_LIST), {{headers[0], 55}, {headers[1], 220}, {headers[2], 140}}, false);
        SetFocus(item(IDC_PATH));
        SendDlgItemMessageW(dialog(), IDC_PATH, EM_SETSEL, 0, -1);
    }

    bool command(int id, int code) override
    {
        if (code == BN_CLICKED && id == IDOK) {
            restore();
            return true;
        }
        if (code == BN_CLICKED && id == IDC_CHOOSE) {
            if (const auto file = chooseFile(dialog(), RestoreMovedWindow::chooseManifestTitle,
                                             RestoreMovedWindow::manifestFilter, controlText(item(IDC_PATH))))
                setControlText(item(IDC_PATH), *file);
            return true;
        }
        return DialogView::command(id, code);
    }

    void restore()
    {
        const auto plan = m_window.planRestore(controlText(item(IDC_PATH)), {});
        if (const auto *refusal = std::get_if<WindowMessage>(&plan)) {
            fillList(item(IDC_LIST), 0, 0, {});
            setFieldLines(item(IDC_MESSAGE_AREA), refusal->text);
            return;
        }
        CleanupOutcome outcome;
        {
            ProgressRow progress(dialog(), RestoreMovedWindow::progressLabel);
            outcome = restoreMovedSounds(std::get<std::string>(plan), FileOperations::native(),
                                         [&](const FileReport &, std::size_t done, std::size_t total) {
                                             progress.show(done, total);
                                         });
        }
        m_window.finishRestore(outcome);
        const auto &rows = m_window.rows();
        fillList(item(IDC_LIST), rows.size(), 3,
                 [&rows](std::size_t row, int column) { return rows[row][static_cast<std::size_t>(column)]; });
        setFieldLines(item(IDC_MESSAGE_AREA), m_window.summary());
    }

    RestoreMovedWindow m_window;
    std::string m_firstLine;
};

} // namespace

bool runRestoreMovedDialog(HWND owner, const std::string &manifest, const std::string &firstLine)
{
    RestoreMovedView view(manifest, firstLine);
    view.run(owner, IDD_RESTORE_MOVED);
    return view.restoredAny();
}
