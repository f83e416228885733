#include "app/cleanup/win32/windows_api.h"

#include <ctime>

#include "app/cleanup/move_unused_window.h"
#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/cleanup_dialogs.h"
#include "app/cleanup/win32/desktop_opener.h"
#include "app/cleanup/win32/dialog_view.h"
#include "app/cleanup/win32/list_view.h"
#include "app/cleanup/win32/message_box.h"
#include "app/cleanup/win32/path_choosers.h"
#include "app/cleanup/win32/progress_row.h"
#include "app/cleanup/win32/win32_text.h"
#include "toolkit/filesystem/file_operations.h"

namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}

// The list view's check box images: none (a kept sound), clear, ticked.
constexpr UINT noBox = INDEXTOSTATEIMAGEMASK(0);
constexpr UINT clearBox = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT tickedBox = INDEXTOSTATEIMAGEMASK(2);

class MoveUnusedView : public DialogView {
public:
    MoveUnusedView(const ScanRequest &scan, const std::string &firstLine)
        : m_window(scan, FileOperations::native(), localNow())
        , m_firstLine(firstLine)
    {
    }

    // What the move did, once files were moved.
    const std::optional<CleanupOutcome> &outcome() const { return m_outcome; }

private:
    UnusedSoundsList &list() { return m_window.list(); }
    HWND listView() const { return item(IDC_LIST); }

    void initialize() override
    {
        setTitleAndFirstLine(MoveUnusedWindow::title, m_firstLine);
        const std::pair<int, const char *> captions[] = {
            {IDC_LIST_LABEL, MoveUnusedWindow::listLabel},  {IDC_TICK_ALL, MoveUnusedWindow::tickAllLabel},
            {IDC_PATH_LABEL, MoveUnusedWindow::folderLabel}, {IDOK, MoveUnusedWindow::moveButton},
            {IDC_PLAY, MoveUnusedWindow::playButton},       {IDC_KEEP, MoveUnusedWindow::keepButton},
            {IDC_UNKEEP, MoveUnusedWindow::unkeepButton}};
        for (const auto &[id, caption] : captions)
            setControlText(item(id), caption);
        setControlText(item(IDC_PATH), m_window.offeredFolder());

        setUpList(listView(),
                  {{UnusedSoundsList::header(UnusedSoundsList::PathColumn), 150},
                   {UnusedSoundsList::header(UnusedSoundsList::SizeColumn), 45, true},
                   {UnusedSoundsList::header(UnusedSoundsList::NearMissColumn), 110},
                   {UnusedSoundsList::header(UnusedSoundsList::KeptColumn), 120}},
                  true);
        // Space ticks the selected rows together; the list itself would tick the focused one alone.
        SetWindowSubclass(listView(), spaceTicksSelection, 0, reinterpret_cast<DWORD_PTR>(this));
        m_showingTicks = true;
        fillList(listView(), list().size(), UnusedSoundsList::ColumnCount,
                 [this](std::size_t row, int column) {
                     return list().cellText(row, static_cast<UnusedSoundsList::Column>(column));
                 });
        m_showingTicks = false;
        fitColumns(listView(), {UnusedSoundsList::NearMissColumn, UnusedSoundsList::KeptColumn});
        showTicks();
        if (list().size() > 0)
            makeCurrent(listView(), 0);
        SetFocus(listView());
    }

    // The rows' cells again, after the keep list was read again.
    void showCells()
    {
        for (std::size_t row = 0; row < list().size(); ++row)
            for (int column = 0; column < UnusedSoundsList::ColumnCount; ++column)
                setListCell(listView(), row, column, list().cellText(row, static_cast<UnusedSoundsList::Column>(column)));
        fitColumns(listView(), {UnusedSoundsList::NearMissColumn, UnusedSoundsList::KeptColumn});
        showTicks();
    }

    // The ticks, the tick-all box, the total and the keep list's line as the model has them.
    void showTicks()
    {
        m_showingTicks = true;
        for (std::size_t row = 0; row < list().size(); ++row) {
            const UnusedSoundRow &sound = list().row(row);
            ListView_SetItemState(listView(), static_cast<int>(row),
                                  sound.kept ? noBox : sound.ticked ? tickedBox : clearBox, LVIS_STATEIMAGEMASK);
        }
        m_showingTicks = false;
        const UnusedSoundsList::TickState state = list().tickState();
        CheckDlgButton(dialog(), IDC_TICK_ALL,
                       state == UnusedSoundsList::TickState::All    ? BST_CHECKED
                       : state == UnusedSoundsList::TickState::None ? BST_UNCHECKED
                                                                    : BST_INDETERMINATE);
        setControlText(item(IDC_TOTAL), list().totalText());
        setFieldLines(item(IDC_KEEP_LINE), m_window.keepListLine());
    }

    bool command(int id, int code) override
    {
        if (code != BN_CLICKED)
            return DialogView::command(id, code);
        switch (id) {
        case IDOK:
            move();
            return true;
        case IDC_PLAY:
            play(currentRow(listView()));
            return true;
        case IDC_KEEP:
        case IDC_UNKEEP:
            editKeepList(id == IDC_KEEP);
            return true;
        case IDC_CHOOSE:
            if (const auto folder = chooseFolder(dialog(), MoveUnusedWindow::chooseFolderTitle, controlText(item(IDC_PATH))))
                setControlText(item(IDC_PATH), *folder);
            return true;
        case IDC_TICK_ALL:
            // A click ticks all unless all are ticked.
            list().setAllTicked(list().tickState() != UnusedSoundsList::TickState::All);
            showTicks();
            return true;
        }
        return DialogView::command(id, code);
    }

    bool notify(const NMHDR &header, LRESULT &result) override
    {
        if (header.idFrom != IDC_LIST)
            return false;
        switch (header.code) {
        case LVN_ITEMCHANGED: {
            // A click on a row's box: the model says whether it is ticked now.
            const auto &change = reinterpret_cast<const NMLISTVIEW &>(header);
            if (!m_showingTicks && change.iItem >= 0 && (change.uChanged & LVIF_STATE)
                && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) {
                list().setTicked(static_cast<std::size_t>(change.iItem),
                                 (change.uNewState & LVIS_STATEIMAGEMASK) == tickedBox);
                showTicks();
            }
            return true;
        }
        case NM_DBLCLK: {
            const int row = reinterpret_cast<const NMITEMACTIVATE &>(header).iItem;
            if (row >= 0)
                play(static_cast<std::size_t>(row));
            return true;
        }
        case LVN_GETINFOTIPW: {
            // A near miss says why it is not ticked.
            auto &tip = const_cast<NMLVGETINFOTIPW &>(reinterpret_cast<const NMLVGETINFOTIPW &>(header));
            const std::wstring text = wideText(list().nearMissExplanation(static_cast<std::size_t>(tip.iItem)));
            if (!text.empty() && tip.cchTextMax > 0)
                lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
            return true;
        }
        case NM_CUSTOMDRAW: {
            // Kept rows stay selectable (for Unkeep) but read as out of play.
            auto &draw = const_cast<NMLVCUSTOMDRAW &>(reinterpret_cast<const NMLVCUSTOMDRAW &>(header));
            result = CDRF_DODEFAULT;
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
                result = CDRF_NOTIFYITEMDRAW;
            else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec < list().size()
                     && list().row(draw.nmcd.dwItemSpec).kept)
                draw.clrText = GetSysColor(COLOR_GRAYTEXT);
            return true;
        }
        }
        return false;
    }

    static LRESULT CALLBACK spaceTicksSelection(HWND listView, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR view)
    {
        if (message == WM_KEYDOWN && wParam == VK_SPACE) {
            auto *self = reinterpret_cast<MoveUnusedView *>(view);
            self->list().toggle(selectedRows(listView));
            self->showTicks();
            return 0;
        }
        if (message == WM_CHAR && wParam == L' ')
            return 0;
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(listView, spaceTicksSelection, 0);
        return DefSubclassProc(listView, message, wParam, lParam);
    }

    void play(std::optional<std::size_t> row)
    {
        if (!row)
            return;
        if (const auto message = m_window.play(*row, desktopOpener()))
            showMessage(dialog(), MoveUnusedWindow::title, *message);
    }

    void editKeepList(bool keep)
    {
        const std::vector<std::size_t> rows = selectedRows(listView());
        const std::optional<WindowMessage> message = keep ? m_window.keep(rows, localNow()) : m_window.unkeep(rows);
        showCells();
        if (message)
            showMessage(dialog(), MoveUnusedWindow::title, *message);
    }

    void move()
    {
        const auto plan = m_window.planMove(controlText(item(IDC_PATH)), VORREL_VERSION);
        // Reading the keep list again may have marked rows kept.
        showCells();
        if (const auto *refusal = std::get_if<WindowMessage>(&plan)) {
            showMessage(dialog(), MoveUnusedWindow::title, *refusal);
            return;
        }
        const MoveRequest &request = std::get<MoveRequest>(plan);
        CleanupOutcome moved;
        {
            ProgressRow progress(dialog(), MoveUnusedWindow::progressLabel);
            moved = m_window.runMove(request, [&](const FileReport &, std::size_t done, std::size_t total) {
                progress.show(done, total);
            });
        }
        const MoveUnusedWindow::Verdict verdict = MoveUnusedWindow::finishMove(request, moved);
        showMessage(dialog(), MoveUnusedWindow::title, verdict.message);
        if (verdict.closeWindow) {
            m_outcome = std::move(moved);
            close(IDOK);
        }
    }

    MoveUnusedWindow m_window;
    std::string m_firstLine;
    bool m_showingTicks = false;  // while the view sets the boxes itself
    std::optional<CleanupOutcome> m_outcome;
};

} // namespace

std::optional<CleanupOutcome> runMoveUnusedDialog(HWND owner, const ScanRequest &scan, const std::string &firstLine)
{
    MoveUnusedView view(scan, firstLine);
    view.run(owner, IDD_MOVE_UNUSED);
    return view.outcome();
}
