#include "app/cleanup/missing_sounds_window.h"
#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/cleanup_dialogs.h"
#include "app/cleanup/win32/desktop_opener.h"
#include "app/cleanup/win32/dialog_view.h"
#include "app/cleanup/win32/list_view.h"
#include "app/cleanup/win32/message_box.h"
#include "app/cleanup/win32/win32_text.h"

namespace {

class MissingSoundsView : public DialogView {
public:
    MissingSoundsView(const ScanRequest &scan, const std::string &firstLine)
        : m_window(scan, runScanDetailed(scan))
        , m_firstLine(firstLine)
    {
    }

private:
    void initialize() override
    {
        setTitleAndFirstLine(MissingSoundsWindow::title, m_firstLine);
        setControlText(item(IDC_OPEN_SCHEME), MissingSoundsWindow::openButton);
        EnableWindow(item(IDC_OPEN_SCHEME), m_window.size() > 0);
        if (m_window.scanFailed()) {
            // No list to show: the message in its place says why.
            for (const int id : {IDC_LIST_LABEL, IDC_LIST})
                ShowWindow(item(id), SW_HIDE);
            ShowWindow(item(IDC_MESSAGE_AREA), SW_SHOW);
            setFieldLines(item(IDC_MESSAGE_AREA), m_window.intro());
            SetFocus(item(IDCANCEL));
            return;
        }
        setControlText(item(IDC_LIST_LABEL), m_window.intro());
        const auto &headers = MissingSoundsWindow::headers;
        setUpList(item(IDC_LIST), {{headers[0], 105}, {headers[1], 145}, {headers[2], 35, true}, {headers[3], 130}},
                  false);
        fillList(item(IDC_LIST), m_window.size(), static_cast<int>(headers.size()),
                 [this](std::size_t row, int column) { return m_window.row(row)[static_cast<std::size_t>(column)]; });
        fitColumns(item(IDC_LIST), {MissingSoundsWindow::NameColumn, MissingSoundsWindow::SchemeColumn,
                                    MissingSoundsWindow::LineColumn, MissingSoundsWindow::NearMissColumn});
        if (m_window.size() > 0)
            makeCurrent(item(IDC_LIST), 0);
        SetFocus(item(IDC_LIST));
    }

    bool command(int id, int code) override
    {
        if (code == BN_CLICKED && id == IDC_OPEN_SCHEME) {
            openScheme(currentRow(item(IDC_LIST)));
            return true;
        }
        return DialogView::command(id, code);
    }

    bool notify(const NMHDR &header, LRESULT &) override
    {
        if (header.idFrom != IDC_LIST || header.code != NM_DBLCLK)
            return false;
        const int row = reinterpret_cast<const NMITEMACTIVATE &>(header).iItem;
        if (row >= 0)
            openScheme(static_cast<std::size_t>(row));
        return true;
    }

    void openScheme(std::optional<std::size_t> row)
    {
        if (!row)
            return;
        if (const auto message = m_window.openScheme(*row, desktopOpener()))
            showMessage(dialog(), MissingSoundsWindow::title, *message);
    }

    MissingSoundsWindow m_window;
    std::string m_firstLine;
};

} // namespace

void runMissingSoundsDialog(HWND owner, const ScanRequest &scan, const std::string &firstLine)
{
    MissingSoundsView view(scan, firstLine);
    view.run(owner, IDD_MISSING_SOUNDS);
}
