#include "app/cleanup/win32/list_view.h"

#include "app/cleanup/win32/win32_text.h"

void setUpList(HWND list, const std::vector<ListColumn> &columns, bool checkBoxes)
{
    const DWORD style = LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP | (checkBoxes ? LVS_EX_CHECKBOXES : 0);
    ListView_SetExtendedListViewStyle(list, style);
    for (std::size_t index = 0; index < columns.size(); ++index) {
        RECT width{0, 0, columns[index].width, 0};
        MapDialogRect(GetParent(list), &width);
        std::wstring header = wideText(columns[index].header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = columns[index].alignRight ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = width.right;
        column.pszText = header.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    }
}

void fillList(HWND list, std::size_t rowCount, int columnCount, const CellText &cell)
{
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (std::size_t row = 0; row < rowCount; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        std::wstring text = wideText(cell(row, 0));
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < columnCount; ++column)
            setListCell(list, row, column, cell(row, column));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void setListCell(HWND list, std::size_t row, int column, const std::string &text)
{
    std::wstring wide = wideText(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void fitColumns(HWND list, std::initializer_list<int> columns)
{
    for (const int column : columns) {
        const int width = ListView_GetColumnWidth(list, column);
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
        if (ListView_GetColumnWidth(list, column) < width)
            ListView_SetColumnWidth(list, column, width);
    }
}

std::vector<std::size_t> selectedRows(HWND list)
{
    std::vector<std::size_t> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(static_cast<std::size_t>(row));
    if (rows.empty())
        if (const auto current = currentRow(list))
            rows.push_back(*current);
    return rows;
}

std::optional<std::size_t> currentRow(HWND list)
{
    const int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (row < 0)
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void makeCurrent(HWND list, std::size_t row)
{
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, static_cast<int>(row), state, state);
}
